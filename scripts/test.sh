#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
# The tests start and stop their own PostgreSQL servers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$build"
cd "$build"
ctest --output-on-failure -j 2 --timeout 900

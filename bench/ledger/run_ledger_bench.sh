#!/usr/bin/env bash
# Runs the ledger benchmark against throwaway PostgreSQL servers loaded with the
# reference schema (the test fixture's servers), then removes them.
#   bench/ledger/run_ledger_bench.sh BUILD_DIR [extra ledger_bench options]
# The product's statement is timed beside the reference one kept with the tests.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:?build directory}" && pwd)
shift
state=$(mktemp -d /tmp/ledger-bench.XXXXXX)
trap '"$root/tests/support/pg_fixture.sh" stop "$state/pg" >/dev/null 2>&1 || true; rm -rf "$state"' EXIT
head -c 24 /dev/urandom | base64 >"$state/password"
chmod 644 "$state/password"
"$root/tests/support/pg_fixture.sh" start "$state/pg" "$state/password" "$root/data/sql"
. "$state/pg/fixture.env"
"$build/bench/ledger/ledger_bench" --host "$HOST" --port "$TLS_PORT" --user "$USER" \
  --password-file "$state/password" \
  --reference "$root/tests/ledger/reference/FisaContAnaliticReference.sql" "$@"

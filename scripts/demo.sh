#!/usr/bin/env bash
# Installs what is missing, builds wMorv and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Run the demo under a virtual display:" >&2
  echo "  xvfb-run -a bash scripts/demo.sh" >&2
  exit 1
fi
exec "$root/build/app/wMorv"

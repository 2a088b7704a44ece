#!/usr/bin/env bash
# Installs what is missing, builds wMorv, starts the local demo servers
# (scripts/demo-servers.sh) and starts wMorv against them. Run again, it
# reuses the build and the servers; `bash scripts/demo-servers.sh stop`
# removes the servers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build"
WMORV_BUILD_DIR="$root/build" "$root/scripts/demo-servers.sh" start
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo >&2
  echo "No display found. Run the demo under a virtual display:" >&2
  echo "  xvfb-run -a bash scripts/demo.sh" >&2
  exit 1
fi
echo
echo "Starting wMorv; sign in with the company, user and password shown above."
exec "$root/build/app/wMorv"

#!/usr/bin/env bash
# Takes the README's screenshots from the real program: builds the tour
# (tools/screenshots) if needed, starts the local demo servers, runs the tour
# under a virtual display and writes
#   sign-in.png main-window.png picker.png account-sheet.png grouped-filtered.png
# into docs/screenshots (or the folder given as $1). The demo servers are left
# as they were found: running ones keep running, servers this script had to
# make are removed again, stopped ones are stopped again.
#
# The pictures use the Debian packages of scripts/deps.sh (fonts included),
# Romanian regional settings (dates as 31.12.2025) and the demo sign-in.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${WMORV_BUILD_DIR:-$root/build}
out=${1:-$root/docs/screenshots}
servers=$root/scripts/demo-servers.sh
base=/var/tmp/wmorv-demo
shots=(sign-in.png main-window.png picker.png account-sheet.png grouped-filtered.png)

"$root/scripts/deps.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target wmorv_screenshots
tour=$build/tools/screenshots/wMorv.screenshots

# Which demo servers run now, before this script starts any.
was_made=no
was_running=()
if [ -f "$base/made" ]; then
  was_made=yes
  status=$(WMORV_BUILD_DIR="$build" "$servers" status || true)
  for name in directory company; do
    grep -q "^$name server: running" <<<"$status" && was_running+=("$name")
  done
fi

work=$(mktemp -d)
restore_servers() {
  rm -rf "$work"
  if [ "$was_made" = no ]; then
    WMORV_BUILD_DIR="$build" "$servers" stop >/dev/null || true
    return
  fi
  # Made before but stopped: stop again what this script started, keep the files.
  local name pg_ctl
  pg_ctl=$(ls -d /usr/lib/postgresql/15/bin/pg_ctl /usr/lib/postgresql/*/bin/pg_ctl 2>/dev/null | head -n 1)
  for name in directory company; do
    [[ " ${was_running[*]} " == *" $name "* ]] && continue
    if [ "$(id -u)" = 0 ]; then
      runuser -u postgres -- "$pg_ctl" -D "$base/$name" -m fast -w stop >/dev/null 2>&1 || true
    else
      "$pg_ctl" -D "$base/$name" -m fast -w stop >/dev/null 2>&1 || true
    fi
  done
}
trap restore_servers EXIT

WMORV_BUILD_DIR="$build" "$servers" start >/dev/null

# A folder of its own for the remembered sign-in file, so that the operator's
# own is neither read nor overwritten; the run-time folder Qt asks for.
mkdir -p "$work/config" "$work/runtime" "$work/shots"
chmod 700 "$work/runtime"
env -u LC_ALL -u LC_TIME -u LC_NUMERIC -u LC_MONETARY -u LC_MESSAGES -u LANGUAGE \
  LANG=ro_RO.UTF-8 XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
  timeout 900 xvfb-run -a -s "-screen 0 1280x800x24" "$tour" "$work/shots"

# Only a whole set replaces the pictures there are.
for f in "${shots[@]}"; do
  [ -s "$work/shots/$f" ] || { echo "screenshots: the tour did not write $f" >&2; exit 1; }
done
mkdir -p "$out"
for f in "${shots[@]}"; do
  cp "$work/shots/$f" "$out/$f"
done
echo "Screenshots written to $out: ${shots[*]}"

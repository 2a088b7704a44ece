#!/usr/bin/env bash
# Makes the .deb of a build tree with cpack and checks it as a user would get
# it: its control fields, that it holds the program, its desktop entry and
# icon and nothing else, that every dependency is a package installed here in
# a version that satisfies it and that the unpacked program finds all its
# libraries without the build tree, and that the program started from the
# unpacked tree comes up (offscreen) and stays up until it is closed.
#   deb_package_test.sh BUILD_DIR [CPACK]
set -euo pipefail
build=${1:?build dir}
cpack=${2:-cpack}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { # description, command...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else fail "$what"; fi
}

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; echo "FAIL: cpack did not make the package" >&2; exit 1; }
shopt -s nullglob
debs=("$work"/out/*.deb)
shopt -u nullglob
[ ${#debs[@]} -eq 1 ] || { echo "FAIL: expected one .deb, got: ${debs[*]:-none}" >&2; exit 1; }
deb=${debs[0]}
arch=$(dpkg --print-architecture)

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
check "file name wmorv_1.0.0.0_$arch.deb" test "$(basename "$deb")" = "wmorv_1.0.0.0_$arch.deb"
check "Package: wmorv" test "$(field Package)" = wmorv
check "Version: 1.0.0.0" test "$(field Version)" = 1.0.0.0
check "Architecture: $arch" test "$(field Architecture)" = "$arch"
check "Maintainer set" grep -Eq '^[^<]+<[^@>]+@[^>]+>$' <<<"$(field Maintainer)"
check "Description with a summary and a long text" \
  test "$(field Description | head -n 1 | wc -w)" -ge 3 -a "$(field Description | wc -l)" -ge 3

# Dependencies: the libraries the program links, each installed here.
depends=$(field Depends)
echo "Depends: $depends"
names=$(tr ',|' '\n\n' <<<"$depends" | sed -E 's/^ *([^ (]+).*/\1/' | sort -u)
for p in libqt6widgets6 libqt6gui6 libqt6core6 libpq5 libssl3 zlib1g libminizip1 libc6 libstdc++6; do
  check "depends on $p" grep -qxF "$p" <<<"$names"
done
satisfied() { # one dependency: "name (op version)", alternatives separated by |
  local alt name op ver have
  IFS='|' read -ra alts <<<"$1"
  for alt in "${alts[@]}"; do
    read -r name op ver <<<"$(sed -E 's/^ *([^ (]+) *(\(([<>=]+) *([^)]+)\))? *$/\1 \3 \4/' <<<"$alt")"
    name=${name%%:*}
    have=$(dpkg-query -W -f='${Status} ${Version}' "$name" 2>/dev/null | sed -n 's/^install ok installed //p')
    [ -n "$have" ] || continue
    [ -z "$op" ] && return 0
    dpkg --compare-versions "$have" "$op" "$ver" && return 0
  done
  return 1
}
IFS=',' read -ra deps <<<"$depends"
for d in "${deps[@]}"; do
  check "dependency installed: ${d# }" satisfied "$d"
done

# Files: the program, its desktop entry and its icon, nothing else.
expected=$'./usr/bin/wMorv\n./usr/share/applications/wmorv.desktop\n./usr/share/icons/hicolor/256x256/apps/wmorv.png'
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
check "package files are the program, its desktop entry and icon" test "$files" = "$expected"
[ "$files" = "$expected" ] || echo "files: $files" >&2

dpkg -x "$deb" "$work/root"
program=$work/root/usr/bin/wMorv
entry=$work/root/usr/share/applications/wmorv.desktop
check "program is executable" test -x "$program"
check "desktop entry starts the installed program" \
  test -x "$work/root/usr/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")"
check "desktop entry names the installed icon" \
  test -f "$work/root/usr/share/icons/hicolor/256x256/apps/$(sed -n 's/^Icon=//p' "$entry").png"
check "icon is a PNG" grep -q 'PNG image data' <<<"$(file -b "$work/root/usr/share/icons/hicolor/256x256/apps/wmorv.png")"
if readelf -d "$program" | grep -Eq 'R(UN)?PATH'; then
  fail "installed program keeps a library search path: $(readelf -d "$program" | grep -E 'R(UN)?PATH')"
else
  echo "ok: no library search path into the build tree"
fi
missing=$(ldd "$program" | grep 'not found' || true)
check "every library found" test -z "$missing"
[ -z "$missing" ] || echo "$missing" >&2

# Start it offscreen, away from this user's settings: it must still be
# running after 3 seconds (timeout then closes it and answers 124).
mkdir -p "$work/home"
set +e
( cd "$work" && env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    XDG_RUNTIME_DIR="$work/home" QT_QPA_PLATFORM=offscreen timeout -s TERM 3 "$program" >"$work/run.log" 2>&1 )
rc=$?
set -e
check "installed program comes up and runs until closed (exit $rc)" test "$rc" -eq 124
[ "$rc" -eq 124 ] || cat "$work/run.log" >&2

if [ "$failures" -eq 0 ]; then
  echo "package $(basename "$deb"): all checks passed"
else
  echo "package $(basename "$deb"): $failures checks failed" >&2
  exit 1
fi

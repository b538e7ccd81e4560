#!/usr/bin/env bash
# Installs the built Debian package on this machine as a user would
# (apt-get install ./ryvtracker_*.deb), tries the installed program, and
# removes the package again. It changes the machine, so CI runs it after
# `make test` (CI=true); `make test` itself only inspects the package.
#   scripts/check-package.sh        (builds the package first when missing)
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
version=$(sed -n 's/^project(RyvTracker VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
name="ryvtracker_${version}_${arch}.deb"
[ -f "$BUILD_DIR/$name" ] || make package BUILD_DIR="$BUILD_DIR"

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

if dpkg-query -W -f='${Status}' ryvtracker 2>/dev/null | grep -q "install ok installed"; then
  echo "ryvtracker is installed already; this check would remove it, so it stops here" >&2
  exit 1
fi

work=$(mktemp -d)
cleanup() {
  $SUDO apt-get remove -y -q --purge ryvtracker >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

(cd "$BUILD_DIR" && $SUDO apt-get install -y -q "./$name")

fail() { echo "FAIL: $*" >&2; exit 1; }

# The program from the PATH, as a user starts it.
[ "$(command -v RyvTracker)" = /usr/bin/RyvTracker ] || fail "RyvTracker is not /usr/bin/RyvTracker"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY HOME="$work" XDG_RUNTIME_DIR="$work" RyvTracker --version)
[ "$out" = "Ryv Tracker $version" ] || fail "--version printed '$out'"
# A report from the installed program, in a home of its own.
env -u DISPLAY -u WAYLAND_DISPLAY HOME="$work" XDG_RUNTIME_DIR="$work" \
  RyvTracker report this-week --format csv --output "$work/week.csv" || fail "report failed"
head -c 3 "$work/week.csv" | cmp -s - <(printf '\xef\xbb\xbf') || fail "report is no CSV file"

# The desktop finds the menu entry and its icon where desktops look for
# them: the data folders, the hicolor theme.
IFS=: read -r -a dirs <<<"${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
entry=""
icon=""
for d in "${dirs[@]}"; do
  [ -z "$entry" ] && [ -f "$d/applications/RyvTracker.desktop" ] && entry="$d/applications/RyvTracker.desktop"
  if [ -z "$icon" ]; then
    icon=$(find "$d/icons/hicolor" -path '*/apps/ryvtracker.*' 2>/dev/null | head -n 1 || true)
  fi
done
[ -n "$entry" ] || fail "no menu entry RyvTracker.desktop in ${dirs[*]}"
[ -n "$icon" ] || fail "no icon ryvtracker in the hicolor theme of ${dirs[*]}"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ -x "${exec_line%% *}" ] || fail "the menu entry starts '$exec_line', which is not there"
grep -qx 'Icon=ryvtracker' "$entry" || fail "the menu entry names another icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "the menu entry is not valid"
fi

$SUDO apt-get remove -y -q --purge ryvtracker
[ ! -e /usr/bin/RyvTracker ] || fail "the program is still there after removing the package"
[ ! -e "$entry" ] || fail "the menu entry is still there after removing the package"
echo "package $name: installed, started, found by the desktop and removed"

#!/usr/bin/env bash
# Checks the built Debian package without installing it: its fields, its
# files, the menu entry it carries, and the program from an extracted copy.
#   check-deb-contents.sh <folder with the .deb> <version> <source Langs folder>
set -euo pipefail

folder=$1
version=$2
langs=$3
arch=$(dpkg --print-architecture)
deb="$folder/ryvtracker_${version}_${arch}.deb"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

[ -f "$deb" ] || { echo "FAIL: no package $deb" >&2; exit 1; }
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = ryvtracker ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Recommends)" = "wkhtmltopdf, qt6-translations-l10n" ] || fail "Recommends is '$(field Recommends)'"
# The libraries come from dpkg-shlibdeps (with versions), the tools by name.
depends=$(field Depends)
for d in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6; do
  [[ ", $depends" == *", $d (>= "* ]] || fail "Depends lacks $d: $depends"
done
[[ ", $depends," == *", xdg-utils,"* ]] || fail "Depends lacks xdg-utils: $depends"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(
  ./usr/bin/RyvTracker
  ./usr/share/applications/RyvTracker.desktop
  ./usr/share/icons/hicolor/scalable/apps/ryvtracker.svg
)
# The shipped languages, whatever else the folder holds.
for code in en de; do
  expected+=("./usr/share/RyvTracker/Langs/RyvTracker.$code.lng")
done
for f in "$langs"/*; do
  expected+=("./usr/share/RyvTracker/Langs/$(basename "$f")")
done
for f in "${expected[@]}"; do
  grep -qxF "$f" <<<"$contents" || fail "missing $f"
done
outside=$(grep -vE '^\./usr/(bin|share)(/|$)|^\./(usr/)?$' <<<"$contents" || true)
[ -z "$outside" ] || fail "files outside /usr/bin and /usr/share: $outside"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
entry="$work/usr/share/applications/RyvTracker.desktop"
grep -qx 'Exec=/usr/bin/RyvTracker' "$entry" || fail "the menu entry does not start /usr/bin/RyvTracker"
grep -qx 'Icon=ryvtracker' "$entry" || fail "the menu entry names another icon"
[ -x "$work/usr/bin/RyvTracker" ] || fail "the program is not executable"

# The program itself, without a display and with a home of its own.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$work" \
  XDG_RUNTIME_DIR="$work" "$work/usr/bin/RyvTracker" --version) || fail "--version failed"
[ "$out" = "Ryv Tracker $version" ] || fail "--version printed '$out'"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of $deb failed" >&2
  exit 1
fi
echo "$deb: fields, files, menu entry and program are as they should be"

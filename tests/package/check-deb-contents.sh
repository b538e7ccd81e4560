#!/usr/bin/env bash
# Checks the built Debian package without installing it: its fields, its
# files, the program's hardening, and the program from an extracted copy.
# Leaves the files extracted in <root> for the checks of the menu entry, the
# AppStream metadata, the manual page and the completion.
#   check-deb-contents.sh <folder with the .deb> <root> <version> <maintainer>
#                         <home page> <app id> <source folder>
set -euo pipefail

folder=$1
source "$(dirname "$0")/checklib.sh" "$2"
version=$3
maintainer=$4
homepage=$5
app_id=$6
source=$7
arch=$(dpkg --print-architecture)
deb="$folder/ryvtracker_${version}_${arch}.deb"

[ -f "$deb" ] || { echo "FAIL: no package $deb" >&2; exit 1; }
field() { dpkg-deb -f "$deb" "$1"; }

declare -A fields=(
  [Package]=ryvtracker
  [Version]=$version
  [Architecture]=$arch
  [Maintainer]=$maintainer
  [Homepage]=$homepage
  [Recommends]=qt6-translations-l10n
  [Suggests]=wkhtmltopdf
)
for name in "${!fields[@]}"; do
  [ "$(field "$name")" = "${fields[$name]}" ] || fail "$name is '$(field "$name")', not '${fields[$name]}'"
done
# The libraries come from dpkg-shlibdeps (with versions), the tools by name;
# wkhtmltopdf and its QtWebKit are never pulled in.
depends=$(field Depends)
for d in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6; do
  [[ ", $depends" == *", $d (>= "* ]] || fail "Depends lacks $d: $depends"
done
[[ ", $depends," == *", xdg-utils,"* ]] || fail "Depends lacks xdg-utils: $depends"
[[ "$depends $(field Recommends)" != *wkhtmltopdf* ]] || fail "wkhtmltopdf is more than suggested"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
share=./usr/share
expected=(
  ./usr/bin/RyvTracker
  "$share/applications/RyvTracker.desktop"
  "$share/icons/hicolor/scalable/apps/ryvtracker.svg"
  "$share/metainfo/$app_id.metainfo.xml"
  "$share/man/man1/RyvTracker.1.gz"
  "$share/bash-completion/completions/RyvTracker"
  "$share/doc/ryvtracker/copyright"
  "$share/doc/ryvtracker/changelog.gz"
  "$share/doc/ryvtracker/README.languages"
)
for size in 16 24 32 48 64 128 256; do
  expected+=("$share/icons/hicolor/${size}x${size}/apps/ryvtracker.png")
done
# The shipped languages, whatever else the folder holds.
for code in en de; do
  expected+=("$share/RyvTracker/Langs/RyvTracker.$code.lng")
done
for f in "$source"/Langs/*.lng; do
  expected+=("$share/RyvTracker/Langs/$(basename "$f")")
done
for f in "${expected[@]}"; do
  grep -qxF "$f" <<<"$contents" || fail "missing $f"
done
outside=$(grep -vE '^\./usr/(bin|share)(/|$)|^\./(usr/)?$' <<<"$contents" || true)
[ -z "$outside" ] || fail "files outside /usr/bin and /usr/share: $outside"
langs_other=$(grep -E "^$share/RyvTracker/Langs/." <<<"$contents" | grep -v '\.lng$' || true)
[ -z "$langs_other" ] || fail "the language folder holds more than language files: $langs_other"

rm -rf "$root"
mkdir -p "$root"
dpkg-deb -x "$deb" "$root"
entry="$root/usr/share/applications/RyvTracker.desktop"
grep -qx 'Exec=/usr/bin/RyvTracker' "$entry" || fail "the menu entry does not start /usr/bin/RyvTracker"
grep -qx 'Icon=ryvtracker' "$entry" || fail "the menu entry names another icon"
[ -x "$program" ] || fail "the program is not executable"

# Each icon is a picture of the size its folder names.
for size in 16 24 32 48 64 128 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/ryvtracker.png"
  described=$(file -b "$png")
  [[ "$described" == "PNG image data, $size x $size, "* ]] || fail "${size}x${size} icon: $described"
done

# The changelog is the project's news, newest release first, as Debian
# changelogs are written; the copyright file carries the whole licence.
first=$(zcat "$root/usr/share/doc/ryvtracker/changelog.gz" | head -n 1)
[[ "$first" == "ryvtracker ($version) "* ]] || fail "the changelog begins '$first'"
zcat "$root/usr/share/doc/ryvtracker/changelog.gz" | grep -qx " -- $maintainer  .*" ||
  fail "the changelog is not signed by $maintainer"
copyright="$root/usr/share/doc/ryvtracker/copyright"
head -n 1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
  fail "the copyright file is not machine-readable"
licence=$(sed -n '/^Permission is hereby granted/,$p' "$source/LICENSE" | sed 's/^$/./; s/^/ /')
copied=$(sed -n '/^ Permission is hereby granted/,$p' "$copyright")
[ "$licence" = "$copied" ] || fail "the copyright file does not hold the text of LICENSE"

# Hardened and stripped as Debian builds its own programs: relocations
# resolved at start and read-only, stack protection, the C library's checked
# functions, no symbols, no compiler comments or notes.
dynamic=$(readelf -d "$program")
[[ "$dynamic" == *"BIND_NOW"* || "$dynamic" == *"FLAGS_1"*"NOW"* ]] || fail "the program is not linked with -z now"
readelf -lW "$program" | grep -q GNU_RELRO || fail "the program is not linked with -z relro"
imports=$(nm -D --undefined-only "$program")
grep -q '__stack_chk_fail' <<<"$imports" || fail "the program has no stack protection"
grep -qE '__[a-z0-9_]+_chk' <<<"$imports" || fail "the program calls none of the C library's checked functions"
sections=$(readelf -SW "$program")
for s in .symtab .comment .note; do
  ! grep -qE "\] \\$s +" <<<"$sections" || fail "the program keeps its $s section"
done

# The program itself, without a display and with a home of its own.
out=$(as_user "$program" --version) || fail "--version failed"
[ "$out" = "Ryv Tracker $version" ] || fail "--version printed '$out'"

finish "$deb: fields, files, hardening and program are as they should be"

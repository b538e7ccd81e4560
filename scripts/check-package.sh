#!/usr/bin/env bash
# Checks the Debian package as Debian and a user meet it: lintian (errors and
# warnings fail, as do the informational hints on hardening and stripping),
# the menu entry's validator, then an install on this machine as a user
# would (apt-get install ./ryvtracker_*.deb), the installed program with a
# user's data, and the removal, which must leave that data. It installs its
# tools and changes the machine, so CI runs it after `make test` (CI=true);
# `make test` itself only inspects the package.
#   scripts/check-package.sh        (builds the package first)
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
make package BUILD_DIR="$BUILD_DIR"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
arch=$(dpkg --print-architecture)
name="ryvtracker_${version}_${arch}.deb"
deb="$BUILD_DIR/$name"
[ -f "$deb" ] || { echo "FAIL: make package made no $deb" >&2; exit 1; }

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
APT=(apt-get -o DPkg::Lock::Timeout=600)

fail() { echo "FAIL: $*" >&2; exit 1; }

# The checkers, installed here rather than by `make test`: lintian alone
# brings some 80 packages.
tools=(lintian desktop-file-utils bash-completion man-db)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  $SUDO "${APT[@]}" update -q
  $SUDO "${APT[@]}" install -y -q --no-install-recommends "${missing[@]}"
fi

# lintian, pedantic: every hint is shown; errors and warnings fail, and so
# do the informational hints that the program is not hardened or stripped as
# Debian's own are.
echo "== lintian --pedantic $deb"
set +e
hints=$(lintian --pedantic --display-info --fail-on error,warning "$deb" 2>&1)
status=$?
set -e
[ -z "$hints" ] || printf '%s\n' "$hints"
[ "$status" -eq 0 ] || fail "lintian found errors or warnings in $name"
if grep -E '^I: .*(hardening-|binary-has-unneeded-section|unstripped-binary)' <<<"$hints"; then
  fail "the program is not hardened or stripped as Debian's programs are"
fi

if dpkg-query -W -f='${Status}' ryvtracker 2>/dev/null | grep -q "install ok installed"; then
  fail "ryvtracker is installed already; this check would remove it, so it stops here"
fi

work=$(mktemp -d)
cleanup() {
  $SUDO "${APT[@]}" remove -y -q --purge ryvtracker >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

new=$(cd "$BUILD_DIR" && "${APT[@]}" install --simulate -q "./$name" | grep -c '^Inst ' || true)
echo "== apt-get install ./$name ($new new or upgraded packages, itself included)"
(cd "$BUILD_DIR" && $SUDO "${APT[@]}" install -y -q "./$name")

# A user with a day of data, as the program keeps it.
data="$work/.local/share/RyvTracker/data"
mkdir -p "$data"
today=$(date +%Y-%m-%d)
printf '\xef\xbb\xbfkind;state;start;stop;"title";"url";"descr"\r\n0;1;%s 09:00:00;%s 10:30:00;"Package check";"";""' \
  "$today" "$today" >"$data/current.lst"
printf '[misc]\nrepCharts=1\n' >"$work/.local/share/RyvTracker/RyvTracker.ini"
user_data() { (cd "$work/.local/share/RyvTracker" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
before=$(user_data)
as_user() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME -u XDG_CONFIG_HOME \
    HOME="$work" XDG_RUNTIME_DIR="$work" "$@"
}

# The program from the PATH, as a user starts it.
[ "$(command -v RyvTracker)" = /usr/bin/RyvTracker ] || fail "RyvTracker is not /usr/bin/RyvTracker"
out=$(as_user RyvTracker --version)
[ "$out" = "Ryv Tracker $version" ] || fail "--version printed '$out'"
as_user RyvTracker report today --format csv --output "$work/today.csv" || fail "report failed"
head -c 3 "$work/today.csv" | cmp -s - <(printf '\xef\xbb\xbf') || fail "the report is no CSV file"
grep -q 'Package check' "$work/today.csv" || fail "the report lacks the user's task"

# Where desktops, man and bash look for them.
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
validation=$(desktop-file-validate "$entry" 2>&1) && [ -z "$validation" ] ||
  fail "the menu entry is not valid: $validation"
[ "$(man -w RyvTracker)" = /usr/share/man/man1/RyvTracker.1.gz ] || fail "man does not find RyvTracker(1)"
completion=$(bash --norc --noprofile -c \
  'source /usr/share/bash-completion/bash_completion; _completion_loader RyvTracker; complete -p RyvTracker')
[[ "$completion" == *"-F _RyvTracker RyvTracker" ]] || fail "bash does not load the completion: $completion"

$SUDO "${APT[@]}" remove -y -q --purge ryvtracker
[ ! -e /usr/bin/RyvTracker ] || fail "the program is still there after removing the package"
[ ! -e "$entry" ] || fail "the menu entry is still there after removing the package"
[ "$(user_data)" = "$before" ] || fail "removing the package changed the user's data"
echo "package $name: lintian-clean, installed ($new packages), started, found by the desktop, man and bash, removed, the user's data kept"

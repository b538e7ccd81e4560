#!/usr/bin/env bash
# Measures what installing costs on a fresh Debian 12 (a minimal debootstrap
# root, as container images are): the packages, download, disk space and time
# of `make run`'s dependencies, of `make test`'s on top of them, and of
# `apt-get install ./ryvtracker_*.deb` alone (and on a Debian 12 desktop).
# The README's figures come from here. Needs root, debootstrap and python3;
# the times include downloading from the mirror.
#   scripts/measure-install.sh [package.deb]   (default: the one in build/)
# BASE=<folder> starts from a fresh root made before by debootstrap
# --variant=minbase instead of making one.
set -euo pipefail
cd "$(dirname "$0")/.."

MIRROR=${MIRROR:-http://deb.debian.org/debian}
deb=${1:-$(ls build/ryvtracker_*_"$(dpkg --print-architecture)".deb 2>/dev/null | head -n 1)}
[ "$(id -u)" -eq 0 ] || { echo "measure-install.sh: needs root (debootstrap, chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "measure-install.sh: needs debootstrap" >&2; exit 1; }
if [ ! -f "$deb" ]; then
  echo "measure-install.sh: no package (make package first): its install is left out" >&2
  deb=""
fi

top=$(mktemp -d /var/tmp/ryv-measure.XXXXXX)
mounted=()
cleanup() {
  for m in "${mounted[@]}"; do umount "$m" 2>/dev/null || true; done
  rm -rf "$top"
}
trap cleanup EXIT

if [ -n "${BASE:-}" ]; then
  cp -a "$BASE" "$top/base"
else
  echo "== a minimal Debian 12 in $top/base"
  debootstrap --variant=minbase bookworm "$top/base" "$MIRROR" >"$top/debootstrap.log"
fi
cp /etc/resolv.conf "$top/base/etc/resolv.conf"
echo "deb $MIRROR bookworm main
deb $MIRROR bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main" >"$top/base/etc/apt/sources.list"
chroot "$top/base" apt-get update -q >/dev/null

# A copy of the fresh root for one measurement.
fresh_root() {
  rm -rf "$top/root"
  cp -a "$top/base" "$top/root"
  mount -t proc proc "$top/root/proc"
  mounted=("$top/root/proc" "${mounted[@]}")
}
done_root() {
  umount "$top/root/proc"
  mounted=("${mounted[@]:1}")
}

# Prints the figures apt-get gave in out.log: packages, download, disk.
counted() {
  echo "$1:"
  grep -E '^[0-9]+ upgraded, [0-9]+ newly installed|^Need to get|^After this operation' \
    "$top/out.log" | sed 's/^/    /'
}

# Runs a command in the root and prints its apt figures and its time.
measure() {
  local what=$1
  shift
  local start end
  start=$(date +%s)
  chroot "$top/root" env DEBIAN_FRONTEND=noninteractive "$@" >"$top/out.log" 2>&1 ||
    { cat "$top/out.log" >&2; exit 1; }
  end=$(date +%s)
  counted "$what"
  echo "    $((end - start)) s"
}

fresh_root
cp scripts/install-deps.sh "$top/root/tmp/"
measure "make run's dependencies" bash /tmp/install-deps.sh
measure "make test's on top of them" bash /tmp/install-deps.sh --test
done_root

[ -n "$deb" ] || exit 0
name=$(basename "$deb")
fresh_root
cp "$deb" "$top/root/tmp/"
# Counted, then installed: apt-get installs the recommended packages of the
# dependencies as well (Qt's GTK platform theme, xdg-utils' helpers), which a
# desktop has already.
chroot "$top/root" apt-get install --no-install-recommends --assume-no "/tmp/$name" >"$top/out.log" 2>&1 || true
counted "apt-get install --no-install-recommends ./$name"
measure "apt-get install ./$name" apt-get install -y -q "/tmp/$name"
done_root

# On a desktop: counted against the packages a fresh Debian 12 with GNOME
# holds (task-gnome-desktop as apt-get would install it on the fresh root),
# written as installed into a dpkg status file of their own.
fresh_root
cp "$deb" "$top/root/tmp/"
chroot "$top/root" apt-get install --simulate task-gnome-desktop |
  sed -nE 's/^Inst ([^ ]+) (\[[^]]*\] )?\(([^ ]+) .*\[([a-z0-9]+)\].*$/\1:\4=\3/p' >"$top/desktop.txt"
xargs chroot "$top/root" apt-cache show <"$top/desktop.txt" >"$top/desktop-stanzas"
python3 - "$top/root/var/lib/dpkg/status" "$top/desktop-stanzas" "$top/root/tmp/desktop-status" <<'PY'
import sys
packages = {}
for path in sys.argv[1:3]:
    for stanza in open(path, encoding="utf-8").read().split("\n\n"):
        lines = [l for l in stanza.strip("\n").split("\n") if l]
        if not lines:
            continue
        fields = dict(l.split(":", 1) for l in lines if not l[0].isspace() and ":" in l)
        if not any(l.startswith("Status:") for l in lines):
            lines.insert(1, "Status: install ok installed")
        packages[(fields["Package"], fields.get("Architecture", ""))] = "\n".join(lines)
open(sys.argv[3], "w", encoding="utf-8").write("\n\n".join(packages.values()) + "\n")
PY
chroot "$top/root" apt-get -o Dir::State::status=/tmp/desktop-status install --assume-no "/tmp/$name" \
  >"$top/out.log" 2>&1 || true
counted "apt-get install ./$name on Debian 12 with GNOME"
done_root

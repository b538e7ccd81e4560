#!/usr/bin/env bash
# Measures what installing costs on a fresh Debian 12 (a minimal debootstrap
# root, as container images are): the packages, download, disk space and time
# of `make run`'s dependencies, of `make test`'s on top of them, and of
# `apt-get install ./ryvtracker_*.deb` alone. The README's figures come from
# here. Needs root and debootstrap; the times include downloading from the
# mirror.
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

# Runs a command in the root and prints its apt figures and its time.
measure() {
  local what=$1
  shift
  local start end
  start=$(date +%s)
  chroot "$top/root" env DEBIAN_FRONTEND=noninteractive "$@" >"$top/out.log" 2>&1 ||
    { cat "$top/out.log" >&2; exit 1; }
  end=$(date +%s)
  local summary get after
  summary=$(grep -E '^[0-9]+ upgraded, [0-9]+ newly installed' "$top/out.log" | tail -n 1)
  get=$(grep -E '^Need to get' "$top/out.log" | tail -n 1)
  after=$(grep -E '^After this operation' "$top/out.log" | tail -n 1)
  printf '%s: %s\n    %s\n    %s\n    %d s\n' "$what" "$summary" "$get" "$after" $((end - start))
}

fresh_root
cp scripts/install-deps.sh "$top/root/tmp/"
measure "make run's dependencies" bash /tmp/install-deps.sh
measure "make test's on top of them" bash /tmp/install-deps.sh --test
done_root

if [ -n "$deb" ]; then
  fresh_root
  cp "$deb" "$top/root/tmp/"
  measure "apt-get install ./$(basename "$deb")" apt-get install -y -q "/tmp/$(basename "$deb")"
  done_root
fi

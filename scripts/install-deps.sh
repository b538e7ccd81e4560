#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Does nothing when every package is present; uses sudo when not root.
#   install-deps.sh          what make, make test and make check-sanitize need
#   install-deps.sh --fuzz   clang and libFuzzer as well (make fuzz)
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config dpkg-dev file
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-svg-dev
  libgl1-mesa-dev libfontconfig-dev
  libxcb1-dev libxcb-ewmh-dev libxcb-res0-dev libx11-dev libsqlite3-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth x11-utils xdotool openbox
  xdg-utils wkhtmltopdf poppler-utils qt6-translations-l10n
  fonts-dejavu-core
  clang-format git ccache
  libxcb1-dev libxcb-screensaver0-dev libxcb-xtest0-dev dbus-daemon
)
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs the Debian packages that building and running need, and with
# --test those the tests need as well. Does nothing when every package is
# present; uses sudo when not root.
#   install-deps.sh          building and running (make, make run, make package)
#   install-deps.sh --test   and the tests, checks and benchmarks (make test,
#                            make check-sanitize, make bench)
#   install-deps.sh --fuzz   building, and clang with libFuzzer (make fuzz)
set -euo pipefail

# Building, and what the program runs and shows: xdg-open for reports and
# links, Qt's translations, a font.
RUN_PACKAGES=(
  build-essential cmake ninja-build pkg-config dpkg-dev file
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-svg-dev
  libgl1-mesa-dev libfontconfig-dev
  libxcb1-dev libxcb-ewmh-dev libxcb-res0-dev libxcb-screensaver0-dev libx11-dev
  libsqlite3-dev
  xdg-utils qt6-translations-l10n fonts-dejavu-core
)
# The tests: GoogleTest and Google Benchmark; an X server with a window
# manager and input; the PDF converter and a PDF reader; a session bus; the
# format check; the checks of the desktop entry, the AppStream metadata and
# the manual page. ccache lets CI's fresh clone and the sanitizer build reuse
# the objects compiled before.
TEST_PACKAGES=(
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth x11-utils xdotool openbox libxcb-xtest0-dev
  wkhtmltopdf poppler-utils dbus-daemon
  clang-format git ccache
  desktop-file-utils appstream man-db
)

PACKAGES=("${RUN_PACKAGES[@]}")
case "${1:-}" in
  "") ;;
  --test) PACKAGES+=("${TEST_PACKAGES[@]}") ;;
  --fuzz) PACKAGES+=(clang libclang-rt-14-dev) ;;
  *)
    echo "usage: install-deps.sh [--test | --fuzz]" >&2
    exit 2
    ;;
esac

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
# Wait for another apt or dpkg run to end rather than fail at once.
APT=(apt-get -o DPkg::Lock::Timeout=600)
$SUDO "${APT[@]}" update -q
$SUDO "${APT[@]}" install -y -q --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Idempotent: packages already present are left alone, apt-get update runs only when something is missing.
set -euo pipefail

PACKAGES=(
  # tool chain
  build-essential cmake ninja-build ccache pkg-config git clang libclang-rt-14-dev
  # the linker of the test programmes (several times faster than the default one)
  lld
  # libraries
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # the browser page
  qt6-webengine-dev
  # Qt's own dialogs and context menus in German
  qt6-translations-l10n
  # the pictures of the main window's commands, by their freedesktop icon names
  adwaita-icon-theme
  zlib1g-dev libjpeg62-turbo-dev libzip-dev libcurl4-openssl-dev libxbase64-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # independent readers of the files we write
  libxml2-utils unzip poppler-utils qpdf python3 python3-dbfread python3-aiosmtpd libdbd-xbase-perl
  # GUI tests and screenshots
  xvfb xauth xdotool libxcb1-dev
  # the German keyboard of the journeys' X session (setxkbmap)
  x11-xkb-utils
  # a small window manager, so that window frames and placement are real in the X11 tests
  twm
  # the golden images with text are drawn in DejaVu Sans
  fonts-dejavu-core
  # metric-compatible stand-ins for Arial, Times New Roman and Courier New on printed pages
  fonts-liberation
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

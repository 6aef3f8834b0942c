#!/usr/bin/env bash
# Installs the Debian packages the build, the program and its tests need, but only those that are missing,
# so that a second run costs one dpkg query.
set -euo pipefail
packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-svg-dev libzstd-dev zlib1g-dev qt6-translations-l10n libgl-dev libcups2-dev libcairo2-dev
  qt6-image-formats-plugins libheif-dev libheif-examples libjpeg-dev libpng-dev
  fonts-liberation2 fonts-comic-neue
  xvfb xauth x11-utils imagemagick xdotool
  appstream lintian
  clang libclang-rt-14-dev
  libjpeg-turbo-progs poppler-utils
  libqpdf-dev qpdf liblcms2-dev libgs-common qt6-l10n-tools
  cups cups-client cups-bsd printer-driver-cups-pdf
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"

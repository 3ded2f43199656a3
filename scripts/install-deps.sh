#!/usr/bin/env bash
# Installs the Debian 12 packages Corvex needs to build, run and test (as root; no-op when all present).
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev fonts-liberation libfast-float-dev zlib1g-dev
  libx11-dev xvfb xauth xdotool xclip imagemagick poppler-utils
  cups printer-driver-cups-pdf
  clang-14 libclang-rt-14-dev
  desktop-file-utils appstream man-db dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [[ $(id -u) -ne 0 ]] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

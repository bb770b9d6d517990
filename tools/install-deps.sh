#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Skyvault
# need, and only those that are missing. Needs root (or sudo) when something
# is missing.
set -eu
packages=(
  cmake ninja-build g++ libgtest-dev googletest libbenchmark-dev libpng-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 xvfb xdotool x11-utils imagemagick fonts-liberation2
  nsis sox librsvg2-bin fonts-dejavu-core procps python3 util-linux
  pkgconf libx11-dev libxext-dev libgdk-pixbuf-2.0-dev libfreetype-dev
  libfontconfig-dev libasound2-dev libsndfile1-dev libxml2-utils dpkg-dev file
  lintian desktop-file-utils icoutils
  xscreensaver passwd
  libwayland-dev wayland-protocols sway grim wtype swayidle wayland-utils
  git clang-format shellcheck
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs every Debian package that Tesserine and its tests need.
# Does nothing when all of them are present; uses sudo only when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-private-dev qt6-qpa-plugins libqt6dbus6
  libjpeg62-turbo-dev libgif-dev
  libx11-dev libxss-dev libxrandr-dev libglib2.0-dev libglib2.0-bin
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth trayer openbox x11-xserver-utils x11-utils xdotool dbus dbus-x11
  feh xwallpaper libjpeg-turbo-progs giflib-tools imagemagick file
  qt6-image-formats-plugins
  gsettings-desktop-schemas cinnamon-desktop-data mate-desktop-common
  fonts-dejavu-core desktop-file-utils appstream
  xfconf xfdesktop4
  sway
  swaybg
  grim
  qt6-wayland
  qt6-declarative-dev
  clang libclang-rt-14-dev
  wtype
  dpkg-dev lintian libxml2-utils
  plasma-desktop kactivitymanagerd
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

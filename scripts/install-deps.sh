#!/usr/bin/env bash
# Installs the Debian packages Tesserine needs: with "run", what building and running it
# takes (scripts/run.sh); without an argument, that and everything the tests, the package
# checks, the fuzz targets and the benchmarks take (scripts/test.sh): the desktops the
# backends are tested against, clang, the X tools, the picture tools and the wallpapers of
# Debian's desktops (GNOME's WebP, KDE's PNG, a large photo) the tests and benchmarks use.
# Does nothing when all of them are present; uses sudo only when not root. No service that a
# package brings is started during the install.
#   bash scripts/install-deps.sh [run]
set -euo pipefail

# Building, and running on a desktop or, without one, on a private Xvfb (scripts/xvfb.sh).
run_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-private-dev qt6-qpa-plugins libqt6dbus6 qt6-wayland
  libjpeg62-turbo-dev libgif-dev libpng-dev libwebp-dev
  libx11-dev libxss-dev libxrandr-dev libxrender-dev libglib2.0-dev libglib2.0-bin
  libwayland-dev libwayland-bin wayland-protocols
  gsettings-desktop-schemas fonts-dejavu-core dbus
  xvfb xauth x11-utils x11-xserver-utils
)

test_packages=(
  clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  trayer openbox xdotool dbus-x11 libxres-dev
  feh xwallpaper libjpeg-turbo-progs giflib-tools imagemagick file bc time
  cinnamon-desktop-data mate-desktop-common
  desktop-file-utils appstream
  xfconf xfdesktop4
  pcmanfm-qt pcmanfm
  cinnamon
  sway
  swaybg
  grim
  qt6-declarative-dev
  clang libclang-rt-14-dev
  wtype
  dpkg-dev lintian libxml2-utils
  plasma-desktop kactivitymanagerd libkf5config-bin
  gnome-backgrounds plasma-workspace-wallpapers lomiri-wallpapers
  qt6-image-formats-plugins
)

case "${1:-}" in
  run) packages=("${run_packages[@]}") ;;
  "") packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 [run]" >&2
    exit 2
    ;;
esac

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

# Nothing the packages bring may start on its own: on a machine with systemd, the
# network-manager that cinnamon depends on would otherwise start and could take over the
# network. Debian's way is a policy-rc.d that refuses every start (exit 101), here only for
# the length of the install. Another one is left as it is; ours is known by its marker, so
# one left behind by a run that was killed is removed by the next.
policy=/usr/sbin/policy-rc.d
marker="# Written by Tesserine's scripts/install-deps.sh for the length of its apt-get install."
if { [ ! -e "$policy" ] && [ ! -L "$policy" ]; } || grep -qxF "$marker" "$policy" 2>/dev/null; then
  trap '$sudo rm -f "$policy"' EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  printf '#!/bin/sh\n%s\nexit 101\n' "$marker" | $sudo tee "$policy" >/dev/null
  $sudo chmod 755 "$policy"
fi
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

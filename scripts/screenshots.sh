#!/usr/bin/env bash
# Pictures the splash, every page of the properties window and the image viewer on a private
# Xvfb display with the openbox window manager, into docs/screenshots/ (and, with the font
# one and a half times as large, into docs/screenshots/large-font/); then a two-monitor X
# root in each "Several monitors" mode (scripts/monitor-screenshots.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "${root}"
source scripts/xvfb.sh

bash scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target tesserine_screenshots -j "$(nproc)"

unset WAYLAND_DISPLAY QT_QPA_PLATFORM
start_xvfb 1280x1024x24
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "${wm}" 2>/dev/null || true; kill "${XVFB_PID}" 2>/dev/null || true' EXIT
sleep 1
build/dev/tests/screenshots/tesserine_screenshots docs/screenshots
build/dev/tests/screenshots/tesserine_screenshots docs/screenshots/large-font 1.5
kill "${wm}" 2>/dev/null || true
stop_xvfb
bash scripts/monitor-screenshots.sh

#!/usr/bin/env bash
# Installs what is missing, builds Tesserine and starts it. Without a display the
# program runs on a private Xvfb display, and the script says so.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "${root}"
source scripts/xvfb.sh

bash scripts/install-deps.sh run
cmake --preset dev >/dev/null
cmake --build --preset dev --target tesserine -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  start_xvfb 1920x1080x24
  echo "No display found: Tesserine runs on a private Xvfb display ${DISPLAY}."
fi
"${root}/build/dev/bin/tesserine"

#!/usr/bin/env bash
# Pictures a two-monitor X root (a landscape 800 x 600 monitor and a portrait 480 x 640 one
# beside it) after the agent's first change in each "Several monitors" mode, into
# docs/screenshots/monitors-{same,each,span}.png. Run by scripts/screenshots.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "${root}"
source scripts/xvfb.sh
program="${root}/build/dev/bin/tesserine"
work="$(mktemp -d)"
out="${root}/docs/screenshots"

unset WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS
start_xvfb 1280x640x24
trap 'kill "${XVFB_PID}" 2>/dev/null || true; rm -rf "${work}"' EXIT
xrandr --setmonitor '*left' 800/200x600/150+0+0 screen >/dev/null
xrandr --setmonitor right 480/120x640/160+800+0 none >/dev/null

convert -size 640x400 -seed 7 plasma:steelblue-orange "BMP3:${work}/plasma.bmp"
convert -size 400x300 gradient:'#204060'-'#e0c080' "BMP3:${work}/gradient.bmp"
convert -size 64x64 pattern:checkerboard -fill '#406080' -opaque black "BMP3:${work}/checks.bmp"

for mode in SAME EACH SPAN; do
  rm -rf "${work}/run" && mkdir -p "${work}/run"
  cp "${program}" "${work}/run/tesserine"
  printf '[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nAutoClose=1\r\nAutoClose Minutes=0\r\nSortImages=0\r\nMonitors=%s\r\n\r\n[Bitmaps]\r\n%s=TILE.NOT\r\n%s=STRETCH.NOT\r\n%s=CENTER.NOT\r\n' \
    "${mode}" "${work}/checks.bmp" "${work}/plasma.bmp" "${work}/gradient.bmp" >"${work}/run/tesserine.INI"
  TESSERINE_DESKTOP=x11 TESSERINE_MESSAGE_LOG="${work}/run/log" XDG_CONFIG_HOME="${work}/config" \
    timeout 60 "${work}/run/tesserine"
  name="$(tr '[:upper:]' '[:lower:]' <<<"${mode}")"
  import -window root "${out}/monitors-${name}.png"
  echo "wrote docs/screenshots/monitors-${name}.png"
done

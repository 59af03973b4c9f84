#!/usr/bin/env bash
# The folder watch's fallback, run by hand as root (not part of the tests: it lowers the
# system-wide inotify limit, fs.inotify.max_user_watches, for a few seconds and puts it back).
# The agent starts on a watched tree of 60 subfolders while only 30 watches are allowed; it
# must say once that some folders cannot be watched, and a picture copied afterwards into a
# subfolder it could not watch must still join, read again at the next change of the
# wallpaper. Exits 1 when it does not.
#   sudo scripts/watch-limit-run.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "${root}/scripts/xvfb.sh"
limit=/proc/sys/fs/inotify/max_user_watches
[ -w "${limit}" ] || { echo "needs root: ${limit} is not writable" >&2; exit 2; }
work="$(mktemp -d /tmp/tesserine-watch-limit-XXXXXX)"
before="$(cat "${limit}")"
agent=""
bus_pid=""
cleanup() {
  echo "${before}" >"${limit}"
  for pid in "${agent}" "${bus_pid}"; do [ -n "${pid}" ] && kill "${pid}" 2>/dev/null || true; done
  kill "${XVFB_PID}" 2>/dev/null || true
  rm -rf "${work}"
}
start_xvfb 1024x768x24
# After start_xvfb, whose own EXIT trap this one replaces (cleanup stops the server too).
trap cleanup EXIT
cp "${root}/build/dev/bin/tesserine" "${work}/"
for i in $(seq 1 60); do mkdir -p "${work}/Wallpapers/s${i}"; done
cp "${root}/tests/data/ok/rose1.bmp" "${work}/Wallpapers/s1/first.bmp"
printf '[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nTrigger Measure=SECONDS\r\nTrigger Qty=1\r\n\r\n[Bitmaps]\r\n\r\n[Folders]\r\n%s=1\r\n\r\n' \
  "${work}/Wallpapers" >"${work}/tesserine.INI"
{ read -r bus; read -r bus_pid; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS="${bus}" TESSERINE_DESKTOP=x11 TESSERINE_MESSAGE_LOG="${work}/messages.log"

echo 30 >"${limit}"
"${work}/tesserine" 2>"${work}/stderr" &
agent=$!
sleep 4
echo "${before}" >"${limit}"
cp "${root}/tests/data/ok/rose1.bmp" "${work}/Wallpapers/s55/late.bmp"
sleep 6
"${work}/tesserine" --quit
wait "${agent}"
agent=""

fail=0
told="$(grep -c 'Some folders cannot be watched' "${work}/stderr" || true)"
[ "${told}" = 1 ] || { echo "FAIL: the fallback was told ${told} times, not once"; fail=1; }
grep -q "/Wallpapers/s55/late.bmp=" "${work}/tesserine.INI" ||
  { echo "FAIL: the picture in the folder without a watch never joined"; fail=1; }
[ ! -s "${work}/messages.log" ] || { echo "FAIL: a box was shown"; cat "${work}/messages.log"; fail=1; }
[ "${fail}" = 0 ] && echo "OK: told once; the picture in the folder without a watch joined at a change"
exit "${fail}"

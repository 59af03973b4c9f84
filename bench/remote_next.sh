#!/usr/bin/env bash
# What a command for the running program costs: "tesserine --next" against dbus-send making
# the same call, on the same running program (file desktop, so the change itself is small),
# each RUNS times in a row in the same run. Prints the mean of each and their ratio; the
# command needs no window, no widgets and no display, so it should cost little more than
# the bus call. Needs the dev build, Xvfb and dbus-daemon.
#   bench/remote_next.sh [runs, default 50]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "${root}/scripts/xvfb.sh"
runs="${1:-50}"
program="${root}/build/dev/bin/tesserine"
work="$(mktemp -d /tmp/tesserine-remote-XXXXXX)"

unset WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_CURRENT_DESKTOP
start_xvfb 640x480x24
dbus-daemon --session --nofork --nopidfile --print-address=1 >"${work}/bus" 2>/dev/null &
bus=$!
trap 'kill "${agent:-}" "${bus}" "${XVFB_PID}" 2>/dev/null || true; rm -rf "${work}"' EXIT
for _ in $(seq 1 50); do [ -s "${work}/bus" ] && break; sleep 0.1; done
export DBUS_SESSION_BUS_ADDRESS="$(head -1 "${work}/bus")"
export HOME="${work}" XDG_CONFIG_HOME="${work}/config" XDG_RUNTIME_DIR="${work}/runtime"
mkdir -p "${XDG_CONFIG_HOME}/tesserine" "${XDG_RUNTIME_DIR}"
chmod 700 "${XDG_RUNTIME_DIR}"

cp "${program}" "${work}/tesserine"
ini="[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nTrigger Measure=DAYS\r\nSortImages=0\r\n\r\n[Bitmaps]\r\n"
for colour in red green blue; do
  convert -size 16x16 "xc:${colour}" "BMP3:${work}/${colour}.bmp"
  ini+="${work}/${colour}.bmp=TILE.NOT\r\n"
done
printf "${ini}" >"${work}/tesserine.INI"
TESSERINE_DESKTOP=file TESSERINE_MESSAGE_LOG="${work}/log" "${work}/tesserine" &
agent=$!
for _ in $(seq 1 100); do "${work}/tesserine" --status >/dev/null 2>&1 && break; sleep 0.1; done

mean_ms() {
  local start end
  start=$(date +%s%N)
  for _ in $(seq 1 "${runs}"); do "$@" >/dev/null; done
  end=$(date +%s%N)
  echo $(((end - start) / runs / 1000))
}
command_us=$(mean_ms "${work}/tesserine" --next)
send_us=$(mean_ms dbus-send --session --print-reply --dest=org.tesserine.Tesserine /org/tesserine/Tesserine \
  org.tesserine.Tesserine1.Next)
"${work}/tesserine" --quit
wait "${agent}" || true
printf 'tesserine --next: %d us a call\ndbus-send Next:   %d us a call\nratio:            %s\n' \
  "${command_us}" "${send_us}" "$(awk -v a="${command_us}" -v b="${send_us}" 'BEGIN { printf "%.2f", a / b }')"

#!/usr/bin/env bash
# Soak run of the agent (not part of CI): "Once every 1 Second(s)" in random order over
# mixed JPEG, GIF and BMP pictures of many sizes, on a private Xvfb with the X11 root
# backend. Reads the agent's resident memory every second and prints, every minute, its
# lowest and highest reading of that minute, the open file descriptors, the X pixmaps it
# holds and the wallpaper changes made since the first sample. Then measures the idle agent
# with 1,000 entries and a 6000 x 4000 JPEG as its current picture, shown stretched by the
# desktop and as a program-composed double tile. Needs
# ImageMagick (convert-im6.q16), xrestop and xset.
#   bench/soak.sh [seconds, default 1800] [pictures, default 500]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "${root}/scripts/xvfb.sh"
seconds="${1:-1800}"
count="${2:-500}"
program="${root}/build/dev/bin/tesserine"
convert=/usr/bin/convert-im6.q16
work="$(mktemp -d /tmp/tesserine-soak-XXXXXX)"

unset WAYLAND_DISPLAY QT_QPA_PLATFORM
start_xvfb 1920x1080x24
trap 'kill "${XVFB_PID}" 2>/dev/null || true; rm -rf "${work}"' EXIT

# Pictures: sizes from 16 x 16 to 4000 x 3000, every third one a JPEG, a GIF or a BMP.
mkdir -p "${work}/pictures"
sizes=(16x16 320x240 640x480 800x600 1024x768 1920x1080 123x457 2500x1400 4000x3000 64x900)
formats=(jpg gif bmp)
for i in $(seq 0 $((count - 1))); do
  size="${sizes[$((i % ${#sizes[@]}))]}"
  name="${work}/pictures/p${i}.${formats[$((i % 3))]}"
  "${convert}" -size "${size}" "gradient:hsb($((i * 7 % 360)),80%,90%)-navy" "${name}"
done

methods=(TILE CENTER STRETCH MIRROR_TILE BRICK_TILE RATIO_STRETCH DOUBLE_TILE)
write_config() {  # folder, trigger measure, [last image]
  {
    printf '[Info]\r\nFade Milliseconds=0\r\nTrigger Measure=%s\r\nTrigger Qty=1\r\nDisplay Order=RANDOM\r\nOpen Minimized=1\r\n' "$2"
    [ -n "${3:-}" ] && printf 'LastImageNm=%s\r\nLastChgDateTime=%s\r\n' "$3" "$(date '+%x %X')"
    printf '\r\n[Bitmaps]\r\n'
    cat "${work}/bitmaps"
  } >"$1/tesserine.INI"
}

# The X server's clients are listed by window name (Xvfb reports no process ids); pixmaps
# kept with RetainPermanent (the root picture) belong to a client of no name, so the
# server's total pixmap bytes are shown as well.
sample() {  # pid, label, readings (1: the latest; 60: the last minute's lowest and highest)
  local rss fds pixmaps changes
  rss="$(tail -n "$3" "${work}/rss" | sort -n | awk 'NR == 1 {low = $1} {high = $1}
    END {if (low == high) print low; else printf "%s-%s", low, high}')"
  fds="$(find "/proc/$1/fd" -mindepth 1 | wc -l)"
  pixmaps="$(xrestop -b -m 1 | awk '
    /^[0-9]+ - / {mine = ($0 ~ /esserine/)}
    /pixmaps +:/ {if (mine) count += $3}
    /pixmap bytes/ {total += $4; if (mine) bytes += $4}
    END {printf "%d (%d bytes), server total %d bytes", count, bytes, total}')"
  changes="$([ -s "${work}/changes" ] && echo $(($(wc -l <"${work}/changes") - 1)) || echo -)"
  printf '%-11s rss %13s kB   fds %4s   changes %5s   pixmaps %s\n' "$2" "${rss}" "${fds}" "${changes}" "${pixmaps}"
}

record_rss() {  # pid; one reading a second while the agent runs
  : >"${work}/rss"
  while [ -e "/proc/$1/status" ]; do
    awk '/VmRSS/ {print $2}' "/proc/$1/status" >>"${work}/rss" 2>/dev/null || true
    sleep 1
  done
}

stop_agent() {  # pid
  kill -TERM "$1"
  while kill -0 "$1" 2>/dev/null; do sleep 0.2; done
}

run_agent() {  # folder; starts the agent, prints its pid
  cp "${program}" "$1/tesserine"
  TESSERINE_DESKTOP=x11 TESSERINE_MESSAGE_LOG="$1/messages.log" "$1/tesserine" >/dev/null 2>&1 &
  echo $!
}

echo "== soak: ${count} pictures, once every 1 second, ${seconds} s"
: >"${work}/bitmaps"
for i in $(seq 0 $((count - 1))); do
  printf '%s=%s.NOT\r\n' "${work}/pictures/p${i}.${formats[$((i % 3))]}" "${methods[$((i % 7))]}" >>"${work}/bitmaps"
done
mkdir -p "${work}/soak"
write_config "${work}/soak" SECONDS
pid="$(run_agent "${work}/soak")"
record_rss "${pid}" &
sleep 10
# The root pixmap's property exists once the first change is made; from then on the spy
# prints a line for each change after its first line.
xprop -root -spy _XROOTPMAP_ID >"${work}/changes" &
spy=$!
sleep 0.5
sample "${pid}" "start" 1
for minute in $(seq 1 $((seconds / 60))); do
  sleep 60
  kill -0 "${pid}" || { echo "the agent ended early"; exit 1; }
  sample "${pid}" "${minute} min" 60
done
stop_agent "${pid}"
kill "${spy}"
rm "${work}/changes"
echo "message boxes: $(cat "${work}/soak/messages.log" 2>/dev/null | wc -l)"

echo "== idle agent: 1000 entries, a 6000 x 4000 JPEG as the current picture"
"${convert}" -size 6000x4000 "gradient:orange-navy" "${work}/pictures/huge.jpg"
for method in STRETCH DOUBLE_TILE; do
  printf '%s=%s.NOT\r\n' "${work}/pictures/huge.jpg" "${method}" >"${work}/bitmaps"
  for i in $(seq 1 999); do
    printf '%s=TILE.NOT\r\n' "${work}/pictures/p$((i % count)).${formats[$((i % count % 3))]}" >>"${work}/bitmaps"
  done
  rm -rf "${work}/idle"
  mkdir -p "${work}/idle"
  write_config "${work}/idle" DAYS "${work}/pictures/huge.jpg"
  pid="$(run_agent "${work}/idle")"
  record_rss "${pid}" &
  sleep 15
  sample "${pid}" "${method}" 1
  stop_agent "${pid}"
done

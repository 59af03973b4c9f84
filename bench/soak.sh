#!/usr/bin/env bash
# Soak run of the agent (not part of CI): "Once every 1 Second(s)" in random order over
# mixed JPEG, GIF and BMP pictures of many sizes, on a private Xvfb with the X11 root
# backend. Samples the agent's resident memory, open file descriptors and the X pixmaps it
# holds every minute, then measures the idle agent with 1,000 entries and a 6000 x 4000 JPEG
# as its current picture. Needs ImageMagick (convert-im6.q16) and xrestop.
#   bench/soak.sh [seconds, default 1800] [pictures, default 500]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "${root}/scripts/xvfb.sh"
seconds="${1:-1800}"
count="${2:-500}"
program="${root}/build/dev/bin/tesserine"
convert=/usr/bin/convert-im6.q16
work="$(mktemp -d /tmp/tesserine-soak-XXXXXX)"
trap 'rm -rf "${work}"' EXIT

unset WAYLAND_DISPLAY QT_QPA_PLATFORM
start_xvfb 1920x1080x24

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
    printf '[Info]\r\nTrigger Measure=%s\r\nTrigger Qty=1\r\nDisplay Order=RANDOM\r\nOpen Minimized=1\r\n' "$2"
    [ -n "${3:-}" ] && printf 'LastImageNm=%s\r\nLastChgDateTime=%s\r\n' "$3" "$(date '+%x %X')"
    printf '\r\n[Bitmaps]\r\n'
    cat "${work}/bitmaps"
  } >"$1/tesserine.INI"
}

# The X server's clients are listed by window name (Xvfb reports no process ids); pixmaps
# kept with RetainPermanent (the root picture) belong to a client of no name, so the
# server's total pixmap bytes are shown as well.
sample() {  # pid, label
  local rss fds pixmaps
  rss="$(awk '/VmRSS/ {print $2}' "/proc/$1/status")"
  fds="$(find "/proc/$1/fd" -mindepth 1 | wc -l)"
  pixmaps="$(xrestop -b -m 1 | awk '
    /^[0-9]+ - / {mine = ($0 ~ /esserine/)}
    /pixmaps +:/ {if (mine) count += $3}
    /pixmap bytes/ {total += $4; if (mine) bytes += $4}
    END {printf "%d (%d bytes), server total %d bytes", count, bytes, total}')"
  printf '%-10s rss %7s kB   fds %4s   pixmaps %s\n' "$2" "${rss}" "${fds}" "${pixmaps}"
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
sleep 10
sample "${pid}" "start"
for minute in $(seq 1 $((seconds / 60))); do
  sleep 60
  kill -0 "${pid}" || { echo "the agent ended early"; exit 1; }
  sample "${pid}" "${minute} min"
done
stop_agent "${pid}"
echo "message boxes: $(cat "${work}/soak/messages.log" 2>/dev/null | wc -l)"

echo "== idle agent: 1000 entries, a 6000 x 4000 JPEG as the current picture"
"${convert}" -size 6000x4000 "gradient:orange-navy" "${work}/pictures/huge.jpg"
: >"${work}/bitmaps"
printf '%s=STRETCH.NOT\r\n' "${work}/pictures/huge.jpg" >>"${work}/bitmaps"
for i in $(seq 1 999); do
  printf '%s=TILE.NOT\r\n' "${work}/pictures/p$((i % count)).${formats[$((i % count % 3))]}" >>"${work}/bitmaps"
done
mkdir -p "${work}/idle"
write_config "${work}/idle" DAYS "${work}/pictures/huge.jpg"
pid="$(run_agent "${work}/idle")"
sleep 15
sample "${pid}" "idle"
stop_agent "${pid}"

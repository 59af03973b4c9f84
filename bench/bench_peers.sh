#!/usr/bin/env bash
# Whole-process cost of one wallpaper change against its peers on the same display, run
# alternately: Tesserine's one-shot agent ("Open Minimized", "AutoClose" after 0 minutes,
# "SEQUENTIAL", "Plus! Installed" off, one monitor, no fade), feh, xwallpaper (which reads
# no WebP), the program's own decoding alone as its floor (bench_decode_for: the picture
# decoded for the screen and, centred, the whole picture's converted file written), and for
# a JPEG djpeg at full size and at 3/8. Pictures: a 6000x4000 and a 1920x1080 JPEG
# (ImageMagick's fractal plasma, seed 1, quality 90), and the wallpapers Debian's desktops
# install: GNOME's adwaita-l.webp, 4096x4096 (gnome-backgrounds), KDE's Altai at 5120x2880,
# a PNG (plasma-workspace-wallpapers), and Kleiber_by_Lukas_Baubkus.jpg, a 6028x3391 photo
# (lomiri-wallpapers); methods STRETCH and CENTER.
# Prints, per case, the median wall time and peak resident set (/usr/bin/time -v) of each,
# for the programs that set the root the median time from their start to the root's new
# pixmap (_XROOTPMAP_ID, watched with xprop -spy), the ratios to the peers, and Tesserine's
# peak less that of its own change to an 8x8 bitmap.
# Then "tesserine --set FILE" with nothing running (the command's own run: no window, no
# tray, no agent; the list empty, the picture joining it with "Default Display=STRETCH")
# against feh --bg-scale and xwallpaper --stretch, for the 1920x1080 and the 6000x4000 JPEG.
# Last, the agent left running after a change to the 6000x4000 JPEG (STRETCH): its resident
# memory 2 s after the change, beside swaybg's (-m fill) for the same picture under a
# headless sway at 1920x1080 once its output shows it (read back with grim).
# Needs the dev build, Xvfb, dbus-daemon, feh, xwallpaper, djpeg, convert and xprop; for
# swaybg also sway, swaybg, grim and, as root, setpriv and the user nobody.
#   bench/bench_peers.sh [runs, default 5]
#   (TESSERINE_PROGRAMS: another build's libexec/tesserine folder (the window program and the
#      command program) to time;
#    TESSERINE_BASE_PROGRAMS: a second build's, timed alternately with the first as "base";
#    PEERS_CASES: the cases to run, default "big:STRETCH big:CENTER hd:STRETCH hd:CENTER
#      gnome:STRETCH gnome:CENTER kde:STRETCH kde:CENTER lomiri:STRETCH lomiri:CENTER";
#    PEERS_SET_CASES: the pictures --set is timed with, default "hd big";
#    PEERS_IDLE=0 leaves out the idle agent beside swaybg)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "${root}/scripts/xvfb.sh"
runs="${1:-5}"
program="${root}/build/dev/bin/tesserine"
decode_for="${root}/build/dev/bench/bench_decode_for"
declare -A pictures=([gnome]=/usr/share/backgrounds/gnome/adwaita-l.webp
  [kde]=/usr/share/wallpapers/Altai/contents/images/5120x2880.png
  [lomiri]=/usr/share/backgrounds/Kleiber_by_Lukas_Baubkus.jpg)
programs="${TESSERINE_PROGRAMS:-${root}/build/dev/libexec/tesserine}"
work="$(mktemp -d /tmp/tesserine-peers-XXXXXX)"

unset WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_CURRENT_DESKTOP TESSERINE_DESKTOP
start_xvfb 1920x1080x24
bus_info="$(dbus-daemon --session --fork --print-address=1 --print-pid=1)"
bus_pid="$(echo "${bus_info}" | sed -n 2p)"
sway_pid="" swaybg_pid=""
trap 'kill ${swaybg_pid} ${sway_pid} "${bus_pid}" "${XVFB_PID}" 2>/dev/null || true; rm -rf "${work}"' EXIT
export DBUS_SESSION_BUS_ADDRESS="$(echo "${bus_info}" | head -1)"
export HOME="${work}" XDG_CONFIG_HOME="${work}/config" XDG_RUNTIME_DIR="${work}/runtime"
mkdir -p "${XDG_CONFIG_HOME}" "${XDG_RUNTIME_DIR}"
chmod 700 "${XDG_RUNTIME_DIR}"

# The front end runs the window program and the command program it finds beside it, at
# ../libexec/tesserine/.
copy_programs() {
  mkdir -p "$2/libexec/tesserine"
  cp "$1/tesserine" "$1/tesserine-command" "$2/libexec/tesserine/"
}
copy_programs "${programs}" "${work}"
base_programs="${TESSERINE_BASE_PROGRAMS:-}"
[ -z "${base_programs}" ] || copy_programs "${base_programs}" "${work}/base"
convert -seed 1 -size 6000x4000 plasma:fractal -blur 0x1.5 -quality 90 "${work}/big.jpg"
convert -seed 2 -size 1920x1080 plasma:fractal -blur 0x1.5 -quality 90 "${work}/hd.jpg"
convert -size 8x8 xc:blue "BMP3:${work}/tiny.bmp"
pictures[big]="${work}/big.jpg" pictures[hd]="${work}/hd.jpg"

# A one-shot change: the list holds the picture alone, applied by method at the first check
# (decoded once, at the start or at the change); AutoClose after 0 minutes then ends the
# program. The folder is made before the timing, the change is checked after it.
# The third argument is the folder beside whose libexec/ the run folder is made.
prepare_run() {
  local at="${3:-${work}}"
  rm -rf "${at}/run"
  mkdir -p "${at}/run"
  cp "${program}" "${at}/run/tesserine"
  printf '[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nDisplay Order=SEQUENTIAL\r\nTrigger Measure=SECONDS\r\nTrigger Qty=5\r\nAutoClose=1\r\nAutoClose Minutes=0\r\nPlus! Installed=0\r\nMonitors=SAME\r\nSortImages=0\r\n\r\n[Bitmaps]\r\n%s=%s.NOT\r\n' \
    "$1" "$2" >"${at}/run/tesserine.INI"
}
# The run folder of a --set with nothing running: an empty list.
prepare_set() {
  rm -rf "${work}/run"
  mkdir -p "${work}/run"
  cp "${program}" "${work}/run/tesserine"
  printf '[Info]\r\nFade Milliseconds=0\r\nDefault Display=STRETCH\r\nPlus! Installed=0\r\nMonitors=SAME\r\n\r\n[Bitmaps]\r\n' \
    >"${work}/run/tesserine.INI"
}
check_run() {
  local at="${2:-${work}}"
  grep -q "LastImageNm=$1" "${at}/run/tesserine.INI" || { echo "no change to $1" >&2; cat "${at}/run/tesserine.INI" "${at}/run/log" >&2; exit 1; }
  [ ! -s "${at}/run/log" ] || { cat "${at}/run/log" >&2; exit 1; }
}

# Stamps each change of the root's pixmap (and xprop's first report of it) into spy.times.
spy_start() {
  rm -f "${work}/spy.fifo" && mkfifo "${work}/spy.fifo"
  stdbuf -oL xprop -root -spy _XROOTPMAP_ID >"${work}/spy.fifo" 2>/dev/null &
  spy_pid=$!
  while IFS= read -r _; do date +%s.%N; done <"${work}/spy.fifo" >"${work}/spy.times" &
  spy_reader=$!
  until [ -s "${work}/spy.times" ]; do sleep 0.01; done
}
spy_stop() {
  kill "${spy_pid}" 2>/dev/null || true
  wait "${spy_pid}" "${spy_reader}" 2>/dev/null || true
}

# Runs a command under /usr/bin/time; appends to the file named first its wall seconds (read
# with date, finer than /usr/bin/time's hundredths), its peak kilobytes, and the seconds from
# its start to the root's new pixmap ("-" when it set none).
measure() {
  local out="$1" started screen
  shift
  spy_start
  started="$(date +%s.%N)"
  /usr/bin/time -f "%M" -o "${work}/time" "$@" >/dev/null 2>"${work}/stderr" || {
    spy_stop
    cat "${work}/stderr" >&2
    exit 1
  }
  ended="$(date +%s.%N)"
  sleep 0.05
  spy_stop
  screen="$(sed -n 2p "${work}/spy.times")"
  if [ -n "${screen}" ]; then screen="$(echo "${screen} - ${started}" | bc -l)"; else screen=-; fi
  echo "$(echo "${ended} - ${started}" | bc -l) $(cat "${work}/time") ${screen}" >>"${out}"
}

run_label() {
  case "$1" in
    tiny) prepare_run "${work}/tiny.bmp" TILE && measure "${work}/tiny.times" env TESSERINE_MESSAGE_LOG="${work}/run/log" "${work}/run/tesserine" && check_run "${work}/tiny.bmp" ;;
    base) prepare_run "${jpeg}" "${method}" "${work}/base" && measure "${work}/base.times" env TESSERINE_MESSAGE_LOG="${work}/base/run/log" "${work}/base/run/tesserine" && check_run "${jpeg}" "${work}/base" ;;
    ours) prepare_run "${jpeg}" "${method}" && measure "${work}/ours.times" env TESSERINE_MESSAGE_LOG="${work}/run/log" "${work}/run/tesserine" && check_run "${jpeg}" ;;
    set) prepare_set && measure "${work}/set.times" env TESSERINE_MESSAGE_LOG="${work}/run/log" "${work}/run/tesserine" --set "${jpeg}" && check_run "${jpeg}" ;;
    feh) measure "${work}/feh.times" feh --no-fehbg "${feh_opt}" "${jpeg}" ;;
    xw) measure "${work}/xw.times" xwallpaper "${xw_opt}" "${jpeg}" ;;
    decode) measure "${work}/decode.times" "${decode_for}" "${jpeg}" 1920x1080 "${method}" ;;
    djpeg) measure "${work}/djpeg.times" djpeg -outfile /dev/null "${jpeg}" ;;
    djpeg38) measure "${work}/djpeg38.times" djpeg -scale 3/8 -outfile /dev/null "${jpeg}" ;;
  esac
}

median() { sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
med() { cut -d' ' -f"$2" "${work}/$1.times" | median; }
mb() { echo "$1 / 1024" | bc -l; }

declare -A names=([tiny]="tesserine (8x8 bitmap)" [ours]="tesserine one-shot agent" [feh]="feh" [xw]="xwallpaper"
  [djpeg]="djpeg" [djpeg38]="djpeg -scale 3/8" [base]="tesserine, base build" [decode]="its decoding alone"
  [set]="tesserine --set")
run_case() {
  local title="$1" label i
  shift
  for label in "$@"; do : >"${work}/${label}.times"; done
  for i in $(seq 1 "${runs}"); do
    for label in "$@"; do run_label "${label}"; done
  done
  echo "== ${title}: medians of ${runs} alternating runs"
  for label in "$@"; do
    printf '  %-26s %6.3f s  peak RSS %7.1f MB' "${names[${label}]}" "$(med "${label}" 1)" "$(mb "$(med "${label}" 2)")"
    if [ "$(cut -d' ' -f3 "${work}/${label}.times" | head -1)" != - ]; then
      printf '  to the screen %6.3f s' "$(med "${label}" 3)"
    fi
    printf '\n'
  done
}
# "nan" where the second is 0.
ratio() {
  local a b
  a="$(med "$1" "${3:-1}")" b="$(med "$2" "${3:-1}")"
  if [ "$(echo "${b} == 0" | bc -l)" = 1 ]; then echo nan; else echo "${a} / ${b}" | bc -l; fi
}

jpeg="" method="" feh_opt="" xw_opt=""
run_case "change to an 8x8 bitmap" tiny
tiny_kb="$(med tiny 2)"
screen_kb=$((1920 * 1080 * 4 / 1024))
default_cases="big:STRETCH big:CENTER hd:STRETCH hd:CENTER gnome:STRETCH gnome:CENTER kde:STRETCH kde:CENTER"
default_cases+=" lomiri:STRETCH lomiri:CENTER"
for case in ${PEERS_CASES:-${default_cases}}; do
  picture="${case%%:*}" method="${case#*:}"
  jpeg="${pictures[${picture}]}"
  [ -f "${jpeg}" ] || { echo "${jpeg} is missing: scripts/install-deps.sh installs it" >&2; exit 1; }
  if [ "${method}" = STRETCH ]; then feh_opt=--bg-scale xw_opt=--stretch; else feh_opt=--bg-center xw_opt=--center; fi
  format="$(identify -format %m "${jpeg}")"
  # xwallpaper reads no WebP; djpeg only JPEG.
  peers=(feh xw) floors=(decode)
  [ "${format}" = WEBP ] && peers=(feh)
  [ "${format}" = JPEG ] && floors+=(djpeg djpeg38)
  run_case "$(identify -format %wx%h "${jpeg}") ${format} ($(basename "${jpeg}")), ${method}" ours ${base_programs:+base} \
    "${peers[@]}" "${floors[@]}"
  printf '  ratios: x feh %.2f' "$(ratio ours feh)"
  if [ "${format}" = WEBP ]; then printf '  x xwallpaper: it cannot read WebP'; else printf '  x xwallpaper %.2f' "$(ratio ours xw)"; fi
  printf '  x its decoding alone %.2f' "$(ratio ours decode)"
  [ "${format}" = JPEG ] && printf '  x djpeg %.2f  x djpeg-3/8 %.2f' "$(ratio ours djpeg)" "$(ratio ours djpeg38)"
  printf '\n  to the screen: x feh %.2f' "$(ratio ours feh 3)"
  [ "${format}" = WEBP ] || printf '  x xwallpaper %.2f' "$(ratio ours xw 3)"
  printf '\n'
  printf '  its decoding alone: %s\n' "$("${decode_for}" "${jpeg}" 1920x1080 "${method}")"
  if [ -n "${base_programs}" ]; then
    printf '  against the base build: total x %.2f  to the screen x %.2f  peak above the 8x8 change %.1f MB -> %.1f MB\n' \
      "$(ratio ours base)" "$(ratio ours base 3)" "$(mb $(($(med base 2) - tiny_kb)))" "$(mb $(($(med ours 2) - tiny_kb)))"
  fi
  above=$(($(med ours 2) - tiny_kb))
  printf '  tesserine peak above its 8x8 change: %.1f MB = %.2f x the 1920x1080x4 screen picture\n' \
    "$(mb "${above}")" "$(echo "${above} / ${screen_kb}" | bc -l)"
done

feh_opt=--bg-scale xw_opt=--stretch method=STRETCH
for picture in ${PEERS_SET_CASES:-hd big}; do
  jpeg="${pictures[${picture}]}"
  run_case "--set with nothing running, $(identify -format %wx%h "${jpeg}") JPEG stretched" set feh xw
  printf '  ratios: x feh %.2f  x xwallpaper %.2f  to the screen: x feh %.2f  x xwallpaper %.2f\n' \
    "$(ratio set feh)" "$(ratio set xw)" "$(ratio set feh 3)" "$(ratio set xw 3)"
done

[ "${PEERS_IDLE:-1}" = 0 ] && exit 0

# "resident peak" in MB of a running process.
memory_of() { awk '/^VmRSS/ {r = $2} /^VmHWM/ {h = $2} END {printf "%.1f %.1f", r / 1024, h / 1024}' "/proc/$1/status"; }

prepare_run "${work}/big.jpg" STRETCH
sed -i 's/^AutoClose=1/AutoClose=0/' "${work}/run/tesserine.INI"
TESSERINE_MESSAGE_LOG="${work}/run/log" "${work}/run/tesserine" >/dev/null 2>&1 &
agent_pid=$!
# The change has been made once the converted bitmap is there; the agent records it at exit.
for _ in $(seq 1 300); do [ -e "${work}/run/Tesserina Convert.BMP" ] && break; sleep 0.1; done
sleep 2
read -r agent_rss agent_hwm <<<"$(memory_of "${agent_pid}")"
kill "${agent_pid}" && wait "${agent_pid}" || true
check_run "${work}/big.jpg"
echo "== the agent left running after a change to the 6000x4000 JPEG, STRETCH"
printf '  %-26s resident %6.1f MB  peak %6.1f MB\n' "tesserine agent" "${agent_rss}" "${agent_hwm}"

# sway will not run as root: then it and swaybg run as nobody, in a folder nobody may read.
as_user=()
if [ "$(id -u)" = 0 ]; then as_user=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups); fi
sway_dir="$(mktemp -d /tmp/tesserine-sway-XXXXXX)"
trap 'kill ${swaybg_pid} ${sway_pid} "${bus_pid}" "${XVFB_PID}" 2>/dev/null || true; rm -rf "${work}" "${sway_dir}"' EXIT
mkdir -p "${sway_dir}/runtime"
chmod 755 "${sway_dir}"
chmod 700 "${sway_dir}/runtime"
cp "${work}/big.jpg" "${sway_dir}/big.jpg" && chmod 644 "${sway_dir}/big.jpg"
printf 'xwayland disable\noutput * mode 1920x1080\nswaybg_command -\n' >"${sway_dir}/config"
chmod 644 "${sway_dir}/config"
[ "$(id -u)" = 0 ] && chown nobody "${sway_dir}/runtime"
# Replaces the shell it runs in: started with & (a shell of its own) or inside ( ).
in_sway() {
  exec env -i PATH="${PATH}" HOME="${sway_dir}" XDG_RUNTIME_DIR="${sway_dir}/runtime" "$@"
}
in_sway WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=1 WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  "${as_user[@]}" sway -c "${sway_dir}/config" >"${sway_dir}/sway.log" 2>&1 &
sway_pid=$!
wayland=""
for _ in $(seq 1 100); do
  wayland="$(ls "${sway_dir}/runtime" 2>/dev/null | grep -x 'wayland-[0-9]*' | head -1 || true)"
  [ -n "${wayland}" ] && break
  sleep 0.1
done
[ -n "${wayland}" ] || { cat "${sway_dir}/sway.log" >&2; exit 1; }
in_sway WAYLAND_DISPLAY="${wayland}" "${as_user[@]}" swaybg -i "${sway_dir}/big.jpg" -m fill >/dev/null 2>&1 &
swaybg_pid=$!
# Shown once the output is no longer one colour.
shown=0
for _ in $(seq 1 300); do
  if (in_sway WAYLAND_DISPLAY="${wayland}" "${as_user[@]}" grim -) 2>/dev/null >"${work}/shot.png" &&
    [ "$(identify -format '%[fx:standard_deviation > 0.01]' "${work}/shot.png" 2>/dev/null)" = 1 ]; then
    shown=1
    break
  fi
  sleep 0.1
done
[ "${shown}" = 1 ] || { echo "swaybg did not show the picture" >&2; exit 1; }
sleep 2
read -r swaybg_rss swaybg_hwm <<<"$(memory_of "${swaybg_pid}")"
printf '  %-26s resident %6.1f MB  peak %6.1f MB\n' "swaybg -m fill" "${swaybg_rss}" "${swaybg_hwm}"
printf '  ratios: resident x %.2f  peak x %.2f\n' "$(echo "${agent_rss} / ${swaybg_rss}" | bc -l)" \
  "$(echo "${agent_hwm} / ${swaybg_hwm}" | bc -l)"

#!/usr/bin/env bash
# One 0.5 s fade at 1920x1080 where Tesserine draws the wallpaper itself, against a change at
# once in the same run (bench_fade): on the X root of a private Xvfb (frames, processor time
# of the program and of the X server, the longest the event loop went unserved), and through
# tesserine-background under a headless sway (frames, processor time). Last, the background's
# resident memory after its fade beside swaybg's of the same 1920x1080 picture on the same
# output, read once swaybg's picture shows (grim).
# Needs the dev build, Xvfb, sway, swaybg, grim, convert and, as root, setpriv and the user nobody.
#   bench/bench_fade.sh [runs, default 5]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "${root}/scripts/xvfb.sh"
runs="${1:-5}"
bench="${root}/build/dev/bench/bench_fade"
work="$(mktemp -d /tmp/tesserine-fade-XXXXXX)"
sway_pid="" swaybg_pid=""

unset WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_CURRENT_DESKTOP TESSERINE_DESKTOP DBUS_SESSION_BUS_ADDRESS
export HOME="${work}" XDG_CONFIG_HOME="${work}/config" XDG_RUNTIME_DIR="${work}/runtime"
mkdir -p "${XDG_CONFIG_HOME}" "${XDG_RUNTIME_DIR}"
chmod 700 "${XDG_RUNTIME_DIR}"

start_xvfb 1920x1080x24
XVFB_PID="${XVFB_PID}" QT_QPA_PLATFORM=offscreen "${bench}" x11 "${runs}"
kill "${XVFB_PID}" 2>/dev/null || true
unset DISPLAY

# sway will not run as root: then it and swaybg run as nobody, in a folder nobody may read.
as_user=()
if [ "$(id -u)" = 0 ]; then as_user=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups); fi
sway_dir="$(mktemp -d /tmp/tesserine-sway-XXXXXX)"
trap 'kill ${swaybg_pid} ${sway_pid} 2>/dev/null || true; rm -rf "${work}" "${sway_dir}"' EXIT
mkdir -p "${sway_dir}/runtime"
chmod 755 "${sway_dir}"
chmod 700 "${sway_dir}/runtime"
printf 'xwayland disable\noutput * mode 1920x1080\nswaybg_command -\n' >"${sway_dir}/config"
chmod 644 "${sway_dir}/config"
[ "$(id -u)" = 0 ] && chown nobody "${sway_dir}/runtime"
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
sleep 0.5

XDG_RUNTIME_DIR="${sway_dir}/runtime" WAYLAND_DISPLAY="${wayland}" QT_QPA_PLATFORM=offscreen \
  "${bench}" wayland "${runs}" | tee "${work}/wayland.txt"
background_pid="$(sed -n 's/^background-pid //p' "${work}/wayland.txt")"
background_rss="$(awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/${background_pid}/status")"

# swaybg of the same size of picture, beside ours on the same output.
convert -seed 2 -size 1920x1080 plasma:fractal -blur 0x1.5 -quality 90 "${sway_dir}/hd.jpg"
chmod 644 "${sway_dir}/hd.jpg"
in_sway WAYLAND_DISPLAY="${wayland}" "${as_user[@]}" swaybg -i "${sway_dir}/hd.jpg" -m fill >/dev/null 2>&1 &
swaybg_pid=$!
sleep 3
swaybg_rss="$(awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/${swaybg_pid}/status")"
echo "== resident memory with the picture on a 1920x1080 output"
printf '  %-22s %6.1f MB\n' "tesserine-background" "${background_rss}" "swaybg -m fill" "${swaybg_rss}"
printf '  ratio: x %.2f\n' "$(echo "${background_rss} / ${swaybg_rss}" | bc -l)"

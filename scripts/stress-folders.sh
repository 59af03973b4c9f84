#!/usr/bin/env bash
# Stress run of a watched folder (not part of the tests): the agent, on a private Xvfb with
# the X11 root backend and a private session bus, watches a tree with subfolders and changes
# the wallpaper every second while FILES pictures are created in it, a third of them renamed
# (within their folder, across folders, out of and into a picture's name), a third deleted,
# and two subfolders renamed. Hidden folders, hidden files and other files are churned beside
# them and must never be listed. Once the churn stops and the folder has settled, the agent
# quits with --quit and the saved "Bitmaps" list must hold every picture of the tree exactly
# once and nothing else. Prints the counts and timings; exits 1 on a mismatch or a box.
#   scripts/stress-folders.sh [files, default 10000] [settle seconds, default 15]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "${root}/scripts/xvfb.sh"
files="${1:-10000}"
settle="${2:-15}"
program="${root}/build/dev/bin/tesserine"
work="$(mktemp -d /tmp/tesserine-stress-XXXXXX)"
tree="${work}/Wallpapers"
agent=""
bus_pid=""
spy=""
watcher=""

cleanup() {
  for pid in "${spy}" "${watcher}" "${agent}" "${bus_pid}"; do
    [ -n "${pid}" ] && kill "${pid}" 2>/dev/null || true
  done
  kill "${XVFB_PID}" 2>/dev/null || true
  rm -rf "${work}"
}

unset WAYLAND_DISPLAY QT_QPA_PLATFORM
start_xvfb 1024x768x24
trap cleanup EXIT
{
  read -r DBUS_SESSION_BUS_ADDRESS
  read -r bus_pid
} < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN {printf "%.1f", b - a}'; }

# One small picture every file is a copy of: tee writes a batch of copies in one process.
picture="${root}/tests/data/ok/rose1.bmp"

folders=("" a a/b a/b/c d d/e f g g/h g/h/i)
for folder in "${folders[@]}" .hidden; do mkdir -p "${tree}/${folder}"; done
cp "${picture}" "${tree}/start.bmp"

cp "${program}" "${work}/tesserine"
printf '[Info]\r\nFade Milliseconds=0\r\nOpen Minimized=1\r\nDefault Display=TILE\r\nDisplay Order=RANDOM\r\nTrigger Measure=SECONDS\r\n' \
  >"${work}/tesserine.INI"
printf 'Trigger Qty=1\r\n\r\n[Bitmaps]\r\n\r\n[Folders]\r\n%s=1\r\n\r\n' "${tree}" >>"${work}/tesserine.INI"
TESSERINE_DESKTOP=x11 TESSERINE_MESSAGE_LOG="${work}/messages.log" "${work}/tesserine" >/dev/null 2>&1 &
agent=$!
for _ in $(seq 1 100); do
  "${work}/tesserine" --status 2>/dev/null | grep -q "^image: ${tree}/" && break
  sleep 0.2
done
"${work}/tesserine" --status | grep -q "^image: ${tree}/" || { echo "the agent never showed the folder's picture"; exit 1; }
xprop -root -spy _XROOTPMAP_ID >"${work}/changes" &
spy=$!

# A name in a random folder of the tree for file number i.
place() { echo "${tree}/${folders[$((RANDOM % ${#folders[@]}))]}/p$1.bmp"; }

echo "== ${files} files churned in a tree of ${#folders[@]} folders while the agent changes every second"
start="$(now)"
# The picture the agent shows, with the seconds since the churn began, every second: how
# soon the churn's pictures join while it goes on.
while true; do
  printf '%s %s\n' "$(since "${start}")" "$("${work}/tesserine" --status 2>/dev/null | sed -n 's/^image: //p')"
  sleep 1
done >"${work}/shown" &
watcher=$!
created=0 renamed=0 deleted=0 others=0
live=()
batch=100
rounds=$(((files + batch - 1) / batch))
for round in $(seq 0 $((rounds - 1))); do
  names=()
  for i in $(seq $((round * batch)) $((round * batch + batch - 1))); do
    [ "${i}" -lt "${files}" ] || break
    names+=("$(place "${i}")")
  done
  tee "${names[@]}" <"${picture}" >/dev/null
  created=$((created + ${#names[@]}))
  live+=("${names[@]}")
  # Beside the pictures: a hidden picture, a file of another kind, and a download that
  # becomes a picture by its rename.
  tee "${tree}/.hidden/h${round}.bmp" "${tree}/a/.h${round}.bmp" "${tree}/d/n${round}.txt" \
    "${tree}/g/h/dl${round}.bmp.part" <"${picture}" >/dev/null
  mv "${tree}/g/h/dl${round}.bmp.part" "${tree}/g/h/dl${round}.bmp"
  others=$((others + 3))
  # A third of a round renamed and a third deleted, from the pictures still there; every
  # tenth rename takes the picture's name away and gives it back with its extension in capitals.
  for k in $(seq 1 $((batch / 3))); do
    j=$((RANDOM % ${#live[@]}))
    from="${live[${j}]}"
    if [ $((k % 10)) -eq 0 ]; then
      to="${from%.*}.BMP"
      mv "${from}" "${from}.old"
      mv "${from}.old" "${to}"
    else
      to="$(place "r${round}_${k}")"
      mv "${from}" "${to}"
    fi
    live[${j}]="${to}"
    renamed=$((renamed + 1))
  done
  doomed=()
  for k in $(seq 1 $((batch / 3))); do
    j=$((RANDOM % ${#live[@]}))
    doomed+=("${live[${j}]}")
    live[${j}]="${live[-1]}"
    unset 'live[-1]'
  done
  rm -f "${doomed[@]}"
  deleted=$((deleted + ${#doomed[@]}))
  if [ "${round}" -eq $((rounds / 3)) ]; then
    mv "${tree}/d/e" "${tree}/d/e moved"
    mv "${tree}/g/h/i" "${tree}/a/i"
    folders=("" a a/b a/b/c d "d/e moved" f g g/h a/i)
    for j in "${!live[@]}"; do
      live[${j}]="${live[${j}]/\/d\/e\//\/d\/e moved\/}"
      live[${j}]="${live[${j}]/\/g\/h\/i\//\/a\/i\/}"
    done
  fi
  # Now and then a pause long enough for the folder to settle, so that what has joined is
  # what the next rounds rename and delete.
  if [ $((round % 20)) -eq 19 ]; then sleep 3; else sleep 0.2; fi
done
churn="$(since "${start}")"
kill "${watcher}"
watcher=""
echo "churn: ${churn} s (${created} created, ${renamed} renamed, ${deleted} deleted, ${others} other files)"
kill -0 "${agent}" || { echo "the agent ended during the churn"; exit 1; }

sleep "${settle}"
quit_start="$(now)"
"${work}/tesserine" --quit
while kill -0 "${agent}" 2>/dev/null; do sleep 0.1; done
wait "${agent}" && code=0 || code=$?
agent=""
echo "quit: $(since "${quit_start}") s after ${settle} s to settle, exit ${code}"
kill "${spy}"
spy=""
changes=$(($(wc -l <"${work}/changes") - 1))
# The churn's own pictures are named p...; the tree starts with start.bmp alone.
churned() { awk '{seconds = $1; sub(/^[^ ]* /, "")} /\/p[^\/]*$/ {print seconds, $0}' "${work}/shown"; }
first_shown="$(churned | awk 'NR == 1 {print $1}')"
shown="$(churned | cut -d' ' -f2- | sort -u | wc -l)"
echo "during the churn the agent showed ${shown} of its pictures, the first after ${first_shown:-never} s"

find "${tree}" -name '.*' -prune -o -type f -iname '*.bmp' -print | LC_ALL=C sort >"${work}/expected"
awk '/^\[/ {inside = ($0 ~ /^\[Bitmaps\]/); next}
     inside && /=/ {sub(/\r$/, ""); sub(/=[^=]*$/, ""); print}' "${work}/tesserine.INI" |
  LC_ALL=C sort >"${work}/saved"
comm -23 "${work}/expected" <(LC_ALL=C sort -u "${work}/saved") >"${work}/missing"
comm -13 "${work}/expected" <(LC_ALL=C sort -u "${work}/saved") >"${work}/extra"
missing="$(wc -l <"${work}/missing")"
extra="$(wc -l <"${work}/extra")"
doubled="$(uniq -d "${work}/saved" | wc -l)"
boxes="$([ -f "${work}/messages.log" ] && wc -l <"${work}/messages.log" || echo 0)"
echo "pictures in the tree: $(wc -l <"${work}/expected"); saved: $(wc -l <"${work}/saved")"
echo "missing: ${missing}, extra: ${extra}, doubled: ${doubled}; wallpaper changes: ${changes}; boxes: ${boxes}"
sed -n '1,5s/^/  missing: /p' "${work}/missing"
sed -n '1,5s/^/  extra: /p' "${work}/extra"
[ "${boxes}" -eq 0 ] || sed -n 1,5p "${work}/messages.log"
if [ "${code}" -ne 0 ] || [ "${missing}" -ne 0 ] || [ "${extra}" -ne 0 ] || [ "${doubled}" -ne 0 ] ||
  [ "${boxes}" -ne 0 ]; then
  echo "FAIL"
  exit 1
fi
echo "OK"

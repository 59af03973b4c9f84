#!/usr/bin/env bash
# Fails, naming the file and line, when a library under src/ includes a header of a layer
# above its own or of another library on its own level. The layers are those of
# src/layers.txt, bottom first, folders on one line sharing a level. src/background is a
# program of its own: no other folder includes it, and it includes no Qt header.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A rank=()
level=0
while read -r -a folders; do
  for folder in "${folders[@]}"; do rank[${folder}]=${level}; done
  level=$((level + 1))
done < <(grep -v '^#' src/layers.txt)

status=0
while IFS=: read -r file line text; do
  from="$(cut -d/ -f2 <<<"${file}")"
  to="$(sed -E 's/^#include "([^/"]+)\/.*/\1/' <<<"${text}")"
  if [ -z "${rank[${from}]+x}" ]; then
    echo "${file}: the folder ${from} has no layer in src/layers.txt"
    status=1
  elif [ -z "${rank[${to}]+x}" ]; then
    echo "${file}:${line}: includes ${to}/, which has no layer in src/layers.txt"
    status=1
  elif [ "${to}" != "${from}" ] && [ "${rank[${to}]}" -ge "${rank[${from}]}" ]; then
    echo "${file}:${line}: ${from} includes ${to}/, which is not below it"
    status=1
  elif [ "${to}" = "background" ] && [ "${from}" != "background" ]; then
    echo "${file}:${line}: ${from} includes background/, a program of its own"
    status=1
  fi
done < <(grep -rnE '^#include "[^/"]+/' src --include='*.cpp' --include='*.h')

while IFS=: read -r file line text; do
  echo "${file}:${line}: the background program includes Qt (${text})"
  status=1
done < <(grep -rnE '^#include <Q' src/background --include='*.cpp' --include='*.h')

[ "${status}" -eq 0 ] && echo "includes run one way: every library includes only its own folder and the layers below"
exit "${status}"

#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang, ASan, UBSan) and runs each for the
# given number of seconds (default 30). The corpora grow in
# build/fuzz/corpus/<target>, seeded from tests/data and fuzz/seeds; a crash, hang, leak or
# sanitizer report leaves its input in build/fuzz/artifacts/<target>/ and makes the script
# exit non-zero. As many targets run at once as there are processors, in the order given.
#   bash scripts/fuzz.sh [SECONDS [TARGET...]]    TARGET: ini jpeg config gif bmp png webp
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "${root}"

seconds="${1:-30}"
shift || true
targets=("$@")
# By default each picture decoder runs beside an INI target: the decoders' large picture
# buffers cost page faults, and two of them at once slow each other down in the kernel.
[ ${#targets[@]} -eq 0 ] && targets=(ini jpeg config gif bmp png webp)

echo "== build (fuzz)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

# Seed files and the longest input worth trying, per target.
seeds() {
  case "$1" in
    ini | config) ls fuzz/seeds/*.ini ;;
    jpeg) ls tests/data/ok/*.jpg tests/data/bad/*.jpg ;;
    gif) ls tests/data/ok/*.gif tests/data/bad/*.gif ;;
    bmp) ls tests/data/ok/*.bmp tests/data/bad/*.bmp ;;
    png) ls tests/data/ok/*.png tests/data/bad/*.png ;;
    webp) ls tests/data/ok/*.webp tests/data/bad/*.webp ;;
  esac
}
max_len() {
  case "$1" in
    ini | config) echo 4096 ;;
    *) echo 65536 ;;
  esac
}
dictionary() {
  case "$1" in
    ini | config) echo fuzz/dict/ini.dict ;;
    *) echo "fuzz/dict/$1.dict" ;;
  esac
}

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=${root}/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
unset DISPLAY WAYLAND_DISPLAY

# One run; its output goes to build/fuzz/logs/<target>.log.
run() {
  local target="$1" corpus="build/fuzz/corpus/$1" artifacts="build/fuzz/artifacts/$1/"
  mkdir -p "${corpus}" "${artifacts}"
  seeds "${target}" | xargs cp -n -t "${corpus}"
  "build/fuzz/bin/fuzz_${target}" "${corpus}" -dict="$(dictionary "${target}")" -max_len="$(max_len "${target}")" \
    -max_total_time="${seconds}" -timeout=25 -rss_limit_mb=2048 -artifact_prefix="${artifacts}" \
    -print_final_stats=1 </dev/null >"build/fuzz/logs/${target}.log" 2>&1
}

# As many runs at once as there are processors.
mkdir -p build/fuzz/logs
echo "== fuzz ${targets[*]} (${seconds} s each)"
failed=()
pending=("${targets[@]}")
while [ ${#pending[@]} -gt 0 ]; do
  batch=("${pending[@]:0:$(nproc)}")
  pending=("${pending[@]:${#batch[@]}}")
  pids=()
  for target in "${batch[@]}"; do
    run "${target}" &
    pids+=($!)
  done
  for i in "${!batch[@]}"; do
    target="${batch[$i]}"
    if wait "${pids[$i]}"; then
      echo "fuzz_${target}: $(grep -E '^stat::number_of_executed_units' "build/fuzz/logs/${target}.log" | awk '{print $2}') runs, no finding"
    else
      grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)' "build/fuzz/logs/${target}.log" | tail -n 60
      echo "fuzz_${target} failed; its input is in build/fuzz/artifacts/${target}/"
      failed+=("${target}")
    fi
  done
done
[ ${#failed[@]} -eq 0 ]

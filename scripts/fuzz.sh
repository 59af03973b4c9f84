#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang, ASan, UBSan) and runs each for the
# given number of seconds (default 30), one after another. The corpora grow in
# build/fuzz/corpus/<target>, seeded from tests/data and fuzz/seeds; a crash, hang, leak or
# sanitizer report leaves its input in build/fuzz/artifacts/<target>/ and makes the script
# exit non-zero.
#   bash scripts/fuzz.sh [SECONDS [TARGET...]]    TARGET: ini config jpeg gif bmp
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "${root}"

seconds="${1:-30}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(ini config jpeg gif bmp)

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

for target in "${targets[@]}"; do
  corpus="build/fuzz/corpus/${target}"
  artifacts="build/fuzz/artifacts/${target}/"
  mkdir -p "${corpus}" "${artifacts}"
  seeds "${target}" | xargs cp -n -t "${corpus}"
  echo "== fuzz ${target} (${seconds} s)"
  set +e
  "build/fuzz/bin/fuzz_${target}" "${corpus}" -dict="$(dictionary "${target}")" -max_len="$(max_len "${target}")" \
    -max_total_time="${seconds}" -timeout=25 -rss_limit_mb=2048 -artifact_prefix="${artifacts}" \
    -print_final_stats=1 </dev/null 2>&1 | grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse)'
  status="${PIPESTATUS[0]}"
  set -e
  if [ "${status}" -ne 0 ]; then
    echo "fuzz_${target} failed; its input is in ${artifacts}"
    exit 1
  fi
done

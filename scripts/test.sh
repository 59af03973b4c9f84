#!/usr/bin/env bash
# Installs what is missing, builds Tesserine and runs the whole test suite: the check that
# includes run one way, the unit tests, the display tests (their CTest fixture starts a
# private Xvfb), the Debian package (built, checked by lintian, installed on CI or unpacked
# elsewhere, and run), and the unit tests again in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, the display tests (the real executable of that build) included,
# then a short run of each fuzz target. Exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "${root}"

bash scripts/install-deps.sh
bash scripts/check-format.sh
bash scripts/check-layers.sh

jobs="$(nproc)"
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen

echo "== build (dev)"
cmake --preset dev >/dev/null
cmake --build --preset dev -j "${jobs}"

echo "== unit tests"
ctest --preset dev -L unit -j "${jobs}"

echo "== display tests (private Xvfb)"
ctest --preset dev -L display -j 1

echo "== Debian package"
bash tests/install/check-package.sh build/dev

echo "== build (asan)"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "${jobs}"

echo "== unit tests (asan)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=${root}/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --preset asan -L unit -j "${jobs}"

echo "== display tests (asan, private Xvfb)"
ctest --preset asan -L display -j 1

echo "== fuzz targets (30 s each)"
bash scripts/fuzz.sh 30

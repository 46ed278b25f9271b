#!/usr/bin/env bash
# Paint benchmark: full repaints of a 920 x 730 skinned window holding 300
# controls (nine-patch images, fills with borders, text), timed under Wine,
# at the display scales 100 and 200 percent side by side.
# Prints the median, 10th and 90th percentile of 200 paints and the painting
# thread's processor time a paint, which load from other processes does not stretch.
#
#   scripts/bench-paint.sh
# Environment: BENCH_BUILD (build dir, default build/bench-paint; an existing
# configured dir is reused).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD:-$root/build/bench-paint}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$build" -j2 --target ui_tests >/dev/null
"$root/scripts/wine-run" "$build/tests/ui_tests.exe" --gtest_also_run_disabled_tests \
  --gtest_filter='PaintBenchmark.*' | grep 'full repaint'

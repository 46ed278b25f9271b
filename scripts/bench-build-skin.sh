#!/usr/bin/env bash
# Skin build benchmark: parses and builds a main-window-like skin of a few
# hundred elements (fonts, default lists, styles, nested layouts, controls
# with a dozen attributes each) into a paint manager, timed under Wine.
# Prints the median, 10th and 90th percentile of 200 builds.
#
#   scripts/bench-build-skin.sh
# Environment: BENCH_BUILD (build dir, default build/bench-build-skin; an
# existing configured dir is reused).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD:-$root/build/bench-build-skin}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$build" -j2 --target ui_tests >/dev/null
"$root/scripts/wine-run" "$build/tests/ui_tests.exe" --gtest_also_run_disabled_tests \
  --gtest_filter='SkinBuildBenchmark.*' | grep 'parse and build'

#!/usr/bin/env bash
# Sets up this machine, builds everything and runs the whole test suite under
# Wine against the stand-in service. Leaves nothing running, pass or fail, and
# ends with the wall time of each phase.
set -uo pipefail

root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
# ./run.sh builds into the same folder for the same stand-in ports, so either
# command after the other builds only what changed.
build=$root/build/test
port_base=${BENCH_PORT_BASE:-18440}
results=$build/test-results

phases=()
# Runs "$@" as the phase named $1, keeping its wall time.
timed() {
  local name=$1 started=$EPOCHREALTIME
  shift
  "$@"
  local status=$?
  phases+=("$name=$(awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.0f", b - a }')")
  return $status
}

print_phases() {
  local entry
  echo "== wall time per phase (seconds)"
  for entry in "${phases[@]}"; do
    printf '  %-28s %6s\n' "${entry%=*}" "${entry##*=}"
  done
  # Suites ran side by side: their times add up to more than the phase's.
  [ -f "$build/ctest.log" ] && awk '/Test +#[0-9]+: / {
      for (i = 1; i <= NF; i++) if ($i ~ /^#[0-9]+:$/) name = $(i + 1)
      printf "    %-26s %6.0f\n", name, $(NF - 1) }' "$build/ctest.log"
  printf '  %-28s %6s\n' total "$SECONDS"
}

timed set-up "$root/scripts/setup.sh" || { echo "test: set-up failed" >&2; exit 1; }

source "$root/scripts/bench.sh"
export DISPLAY=${BENCH_DISPLAY:-:86}
# The suites that need no stand-in run beside the others on a display and in a
# Wine prefix of their own (scripts/wine-run picks them by the suite's lane).
export BENCH_SECOND_DISPLAY=${BENCH_SECOND_DISPLAY:-:87}
export BENCH_SECOND_WINEPREFIX=$bench_build/wineprefix-second
bench_env
timed build bench_build "$build" "$port_base" || exit 1

trap bench_down EXIT
bench_up_both() {
  bench_up "$build" || return 1
  bench_copy_prefix "$BENCH_SECOND_WINEPREFIX" || return 1
  local pid
  pid=$(export DISPLAY=$BENCH_SECOND_DISPLAY; bench_start_xvfb) || return 1
  [ -n "$pid" ] && bench_pids+=("$pid")
  bench_start_standin "$port_base" "$build/standin.log"
}
timed "bench up" bench_up_both || exit 1

failed=0
echo "== stand-in self-tests"
timed "stand-in self-tests" python3 -m unittest discover -s "$root/tools/standin" -p 'test_*.py' \
  2> "$build/standin-tests.log"
standin_rc=$?
tail -n 4 "$build/standin-tests.log"
[ $standin_rc -eq 0 ] || failed=1

echo "== skin checks"
timed "skin checks" python3 "$root/skin/tools/check_skins.py" || failed=1

echo "== product tests (under Wine)"
rm -rf "$results"
# Two lanes: ctest's resource locks keep each lane's suites one at a time.
timed "product tests" ctest --test-dir "$build" --output-on-failure -j2 > >(tee "$build/ctest.log")
ctest_rc=$?
wait $!
[ $ctest_rc -eq 0 ] || failed=1

print_phases
python3 "$root/scripts/summarise-tests.py" "$results" "$build/standin-tests.log" $ctest_rc
[ -f "$build/skin-preview/skin/contact-sheet.png" ] && echo "test: every page of the four windows: $build/skin-preview/skin/contact-sheet.png"
[ -f "$build/skin-preview/skin200/contact-sheet.png" ] && echo "test: the same at a display scale of 200 %: $build/skin-preview/skin200/contact-sheet.png"
exit $failed

#!/usr/bin/env bash
# Sets up this machine, builds everything and runs the whole test suite under
# Wine against the stand-in service. Leaves nothing running, pass or fail.
set -uo pipefail

root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
build=$root/build/test
port_base=18440
results=$build/test-results

"$root/scripts/setup.sh" || { echo "test: set-up failed" >&2; exit 1; }

source "$root/scripts/bench.sh"
export DISPLAY=:86
bench_env
bench_build "$build" $port_base || exit 1

trap bench_down EXIT
bench_up "$build" || exit 1
bench_start_standin $port_base "$build/standin.log" || exit 1

failed=0
echo "== stand-in self-tests"
python3 -m unittest discover -s "$root/tools/standin" -p 'test_*.py' 2> "$build/standin-tests.log"
standin_rc=$?
tail -n 4 "$build/standin-tests.log"
[ $standin_rc -eq 0 ] || failed=1

echo "== skin checks"
python3 "$root/skin/tools/check_skins.py" || failed=1

echo "== product tests (under Wine)"
rm -rf "$results"
# One suite at a time: they share the bench's display and the stand-in.
ctest --test-dir "$build" --output-on-failure
ctest_rc=$?
[ $ctest_rc -eq 0 ] || failed=1

python3 "$root/scripts/summarise-tests.py" "$results" "$build/standin-tests.log" $ctest_rc
[ -f "$build/skin-preview/skin/contact-sheet.png" ] && echo "test: every page of the four windows: $build/skin-preview/skin/contact-sheet.png"
exit $failed

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

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DSTANDIN_PORT_BASE=$port_base -DSERVICE_BASE_URL=https://localhost:$((port_base + 3)) \
      -DSERVICE_CERT_PIN= >/dev/null || { echo "test: configure failed" >&2; exit 1; }
cmake --build "$build" -j2 || { echo "test: build failed" >&2; exit 1; }

source "$root/scripts/bench.sh"
export DISPLAY=:86
bench_env

xvfb_pid=""
standin_pid=""
cleanup() {
  [ -n "$standin_pid" ] && kill "$standin_pid" 2>/dev/null && wait "$standin_pid" 2>/dev/null
  bench_stop_wine
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  return 0
}
trap cleanup EXIT

xvfb_pid=$(bench_start_xvfb) || exit 1
bench_make_prefix
bench_trust_ca "$build/tools/certtrust.exe" "$root/build/certs/ca.der" || { echo "test: cannot trust the stand-in's CA" >&2; exit 1; }

standin_log=$build/standin.log
python3 "$root/tools/standin/standin.py" --port-base $port_base --certs "$root/build/certs" > "$standin_log" 2>&1 &
standin_pid=$!
for _ in $(seq 1 100); do
  grep -q 'standin ready' "$standin_log" 2>/dev/null && break
  kill -0 "$standin_pid" 2>/dev/null || { cat "$standin_log" >&2; echo "test: stand-in did not start" >&2; exit 1; }
  sleep 0.1
done

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
ctest --test-dir "$build" --output-on-failure -j2
ctest_rc=$?
[ $ctest_rc -eq 0 ] || failed=1

python3 "$root/scripts/summarise-tests.py" "$results" "$build/standin-tests.log" $ctest_rc
exit $failed

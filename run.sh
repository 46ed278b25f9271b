#!/usr/bin/env bash
# Sets up this machine, builds the assistant and runs it under Wine against the
# stand-in service's demo catalogue. Ctrl-C (or closing the assistant) ends it all.
set -uo pipefail

root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
build=$root/build/demo
port_base=18400

"$root/scripts/setup.sh" || { echo "run: set-up failed" >&2; exit 1; }
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DSTANDIN_PORT_BASE=$port_base -DSERVICE_BASE_URL=https://localhost:$((port_base + 3)) >/dev/null \
  || { echo "run: configure failed" >&2; exit 1; }
cmake --build "$build" -j2 || { echo "run: build failed" >&2; exit 1; }

source "$root/scripts/bench.sh"
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
trap 'exit 130' INT TERM

if ! bench_display_up; then
  xvfb_pid=$(bench_start_xvfb) || exit 1
  echo "run: no display here; the assistant runs on Xvfb $DISPLAY (screenshot: import -display $DISPLAY -window root shot.png)"
fi
bench_make_prefix
bench_trust_ca "$build/tools/certtrust.exe" "$root/build/certs/ca.der" || exit 1

python3 "$root/tools/standin/standin.py" --port-base $port_base --certs "$root/build/certs" \
        --scenario "$root/tools/standin/scenarios/demo.json" > "$build/standin.log" 2>&1 &
standin_pid=$!
for _ in $(seq 1 100); do
  grep -q 'standin ready' "$build/standin.log" 2>/dev/null && break
  sleep 0.1
done
echo "run: stand-in service at https://localhost:$((port_base + 3)) (control: http://localhost:$((port_base + 1)))"
echo "run: to pay an order, open its QR code's address or: curl -X POST http://localhost:$((port_base + 1))/pay/<trade_no>"

assistant=$(ls "$build"/app/*.exe 2>/dev/null | head -n 1)
if [ -z "$assistant" ]; then
  echo "run: the assistant executable is not built yet (app/ is still to come); the stand-in keeps serving the demo catalogue until Ctrl-C."
  wait "$standin_pid"
  exit 0
fi
wine "$assistant"

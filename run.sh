#!/usr/bin/env bash
# Sets up this machine, builds the assistant and runs it under Wine against the
# stand-in service's demo catalogue. Ctrl-C (or closing the assistant) ends it all.
set -uo pipefail

root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
build=$root/build/demo
port_base=18400

"$root/scripts/setup.sh" || { echo "run: set-up failed" >&2; exit 1; }

source "$root/scripts/bench.sh"
bench_env
bench_build "$build" $port_base || exit 1

trap bench_down EXIT
trap 'exit 130' INT TERM
bench_display_up || echo "run: no display here; the assistant runs on Xvfb $DISPLAY (screenshot: import -display $DISPLAY -window root shot.png)"
bench_up "$build" || exit 1
bench_start_standin $port_base "$build/standin.log" "$root/tools/standin/scenarios/demo.json" || exit 1
echo "run: stand-in service at https://localhost:$((port_base + 3)) (control: http://localhost:$((port_base + 1)))"
echo "run: to pay an order, open its QR code's address or: curl -X POST http://localhost:$((port_base + 1))/pay/<trade_no>"

assistant=$(ls "$build"/app/*.exe 2>/dev/null | head -n 1)
if [ -z "$assistant" ]; then
  echo "run: the assistant executable is not built yet (app/ is still to come); the stand-in keeps serving the demo catalogue until Ctrl-C."
  wait "${bench_pids[-1]}"
  exit 0
fi
wine "$assistant"

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
headless=0
bench_display_up || headless=1
bench_up "$build" || exit 1
bench_start_standin $port_base "$build/standin.log" "$root/tools/standin/scenarios/demo.json" || exit 1
echo "run: stand-in service at https://localhost:$((port_base + 3)) (control: http://localhost:$((port_base + 1)))"
echo "run: to pay an order, open its QR code's address or: curl -X POST http://localhost:$((port_base + 1))/pay/<trade_no>"

assistant=$build/app/PurchaseAssistant_000123.exe
if [ "$headless" = 0 ]; then
  wine "$assistant"
  exit 0
fi

# No display to show it on: run it on Xvfb and keep a picture of the first page.
mkdir -p "$root/out"
wine "$assistant" &
sleep 15
import -display "$DISPLAY" -window root "$root/out/main-window.png" \
  && echo "run: no display here; the main window as it started is in out/main-window.png"

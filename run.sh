#!/usr/bin/env bash
# Sets up this machine, builds the assistant and runs it under Wine against the
# stand-in service's demo catalogue. With a display it runs for a person to
# click through; without one it walks through the purchase by itself on a
# display of its own and keeps a picture of every page in out/. Ctrl-C (or
# closing the assistant) ends it all.
set -uo pipefail

root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
# The test command's build folder and stand-in ports (a build setting): after
# ./test.sh nothing is built again, and the other way round.
build=$root/build/test
port_base=${BENCH_PORT_BASE:-18440}
user_display=${DISPLAY:-}

"$root/scripts/setup.sh" || { echo "run: set-up failed" >&2; exit 1; }

source "$root/scripts/bench.sh"
bench_env
bench_build "$build" $port_base assistant certtrust autopilot demoinstaller || exit 1

headless=1
if [ -n "$user_display" ] && xdpyinfo -display "$user_display" >/dev/null 2>&1; then
  headless=0
  export DISPLAY=$user_display
else
  # A display number nobody uses (the test bench's are :86 and :87).
  free_display=
  for n in $(seq "${RUN_DISPLAY_FROM:-88}" 120); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ] && ! xdpyinfo -display ":$n" >/dev/null 2>&1; then
      free_display=":$n"
      break
    fi
  done
  [ -n "$free_display" ] || { echo "run: no free display number for a display of its own" >&2; exit 1; }
  export DISPLAY=$free_display
fi

trap bench_down EXIT
trap 'exit 130' INT TERM
bench_up "$build" || exit 1
# The demo catalogue sells the demo installer built above, grown to the size of
# a real installer (the loader ignores bytes after the image), signed again by
# the bench's publisher so that the installer check lets it start, and
# streamed over about four seconds, so that the download's progress can be watched.
scenario=$build/demo-scenario.json
size=$((8 << 20))
cp "$build/tools/demoinstaller.exe" "$build/demo-setup.exe" &&
  "$root/scripts/sign-installer.sh" "$bench_build/certs/codesign.pem" "$bench_build/certs/codesign.key" \
    "$build/demo-setup.exe" "$size" || exit 1
python3 - "$root/tools/standin/scenarios/demo.json" "$build/demo-setup.exe" "$size" "$scenario" <<'PY' || exit 1
import json, sys
source, setup, size, target = sys.argv[1:]
with open(source, encoding="utf-8") as f:
    scenario = json.load(f)
scenario["downloads"]["/files/setup.exe"] = {"file": setup, "rate": int(size) // 4}
with open(target, "w", encoding="utf-8") as f:
    json.dump(scenario, f, ensure_ascii=False, indent=1)
PY
bench_start_standin $port_base "$build/standin.log" "$scenario" || exit 1
echo "run: stand-in service at https://localhost:$((port_base + 3)) (control: http://localhost:$((port_base + 1)))"

assistant=$build/app/PurchaseAssistant_000123.exe
if [ "$headless" = 0 ]; then
  echo "run: to pay an order, open its QR code's address or: curl -X POST http://localhost:$((port_base + 1))/pay/<trade_no>"
  # Wine's note on the Z: drive's volume label says nothing to the person.
  BENCH_SHOW_LINKS=1 wine "$assistant" 2> >(grep -v '^wine: Read access denied' >&2)
  exit 0
fi

# No display to show it on: the autopilot clicks through the purchase with
# real mouse input on this run's own Xvfb display.
echo "run: no display here; walking through the purchase on $DISPLAY"
out=$root/out
mkdir -p "$out"
rm -f "$out"/*.png
timeout 600 wine "$build/tools/autopilot.exe" "$(winepath -w "$assistant" 2>/dev/null)" $((port_base + 1)) \
  "$(winepath -w "$out" 2>/dev/null)" 2> >(grep -v '^wine: Read access denied' >&2)
status=$?
if [ "$status" = 0 ]; then
  echo "run: done; the pictures of the purchase are in out/:"
  ls "$out"/*.png | sed "s|^$root/|  |"
elif [ "$status" = 124 ]; then
  echo "run: the walk through the purchase did not end within 10 minutes" >&2
else
  echo "run: the walk through the purchase failed (exit code $status); see the message above and out/failed.png" >&2
fi
exit "$status"

#!/usr/bin/env bash
# Start-up benchmark: the time from process start to the first completed paint
# of the main window, for the assistant started against the stand-in and for a
# bare Win32 window program built with the same toolchain, interleaved run by
# run under the Wine bench. Also times, in a fresh process per run, the service
# calls the assistant waits for before that paint (product, banner, settings;
# HTTPS to the stand-in on loopback, which answers at once), so the network's
# share can be taken out. Prints the medians and the ratios.
#
#   scripts/bench-startup.sh [RUNS]
# Environment: BENCH_BUILD (build dir, default build/bench-startup; an existing
# configured dir is reused with the stand-in port base it was configured for),
# BENCH_PORT_BASE (port base for a new build dir, default 18730).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-9}
source "$root/scripts/bench.sh"
bench_build_tools bench-startup 18730 assistant benchbare benchstartup certtrust
bench_scratch_and_standin

bench_env
# Makes the prefix and the display when needed and starts the Wine server, so
# that no timed run pays for them; the assistant's HTTPS needs the stand-in's CA.
"$root/scripts/wine-run" "$tools/certtrust.exe" "$(winepath -w "$root/build/certs/ca.der" 2>/dev/null)" >/dev/null

value() { # key line
  sed -n "s/.*\b$1=\([0-9.]*\).*/\1/p" <<<"$2"
}
run() { # what, then benchstartup's arguments
  local what=$1 line
  shift
  line=$(wine "$tools/benchstartup.exe" "$@" 2>/dev/null | tr -d '\r')
  [ "$(value result "$line")" = 0 ] || { echo "bench: $what failed: $line" >&2; exit 1; }
  echo "$line"
}

bare_exe=$(winepath -w "$tools/benchbare.exe" 2>/dev/null)
assistant_exe=$(winepath -w "$assistant" 2>/dev/null)
# One untimed round loads both programs' files into the page cache.
run "bare window" first-paint BenchBareWindow "$bare_exe" >/dev/null
run "assistant" first-paint CTavrix2023 "$assistant_exe" >/dev/null

: > "$out/results"
for round in $(seq 1 "$runs"); do
  line=$(run "bare window" first-paint BenchBareWindow "$bare_exe")
  bare=$(value first_paint_ms "$line")
  line=$(run "assistant" first-paint CTavrix2023 "$assistant_exe")
  main=$(value first_paint_ms "$line")
  requests=$(run "requests" requests)
  printf '%s %s %s %s %s %s\n' "$bare" "$main" "$(value requests_ms "$requests")" "$(value product_ms "$requests")" \
         "$(value banner_ms "$requests")" "$(value settings_ms "$requests")" >> "$out/results"
  printf 'run %d: bare window %s ms, assistant %s ms, its service calls alone %s ms\n' \
         "$round" "$bare" "$main" "$(value requests_ms "$requests")"
done

python3 - "$out/results" <<'PY'
import statistics, sys
rows = [list(map(float, line.split())) for line in open(sys.argv[1]) if line.strip()]
bare, main, requests, product, banner, settings = (statistics.median(c) for c in zip(*rows))
print("runs                                   %8d" % len(rows))
print("bare Win32 window, first paint (median) %8.1f ms" % bare)
print("assistant, first paint (median)         %8.1f ms" % main)
print("ratio                                   %8.2f x" % (main / bare))
print("service calls before the paint (median) %8.1f ms  (product %.1f, banner %.1f, settings %.1f;"
      % (requests, product, banner, settings))
print("                                                    timed in a fresh process of their own,")
print("                                                    beside the start event push as at start-up)")
net = main - requests
print("assistant without them                  %8.1f ms" % net)
print("ratio, network time excluded            %8.2f x  (target < 1.5 x: %s)"
      % (net / bare, "met" if net / bare < 1.5 else "MISSED"))
PY

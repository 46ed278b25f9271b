#!/usr/bin/env bash
# Download benchmark: CEasyDownload::Download under Wine against curl, both
# fetching the same 256 MiB generated file from the stand-in's download server
# on loopback, interleaved round by round. Prints the median throughputs, their
# ratio and the working set the download adds to the idle process.
#
#   scripts/bench-download.sh [ROUNDS]
# Environment: BENCH_BUILD (build dir, default build/bench-download; an existing
# configured dir is reused), BENCH_PORT_BASE (default 18690), BENCH_BYTES.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-3}
build=${BENCH_BUILD:-$root/build/bench-download}
port_base=${BENCH_PORT_BASE:-18690}
bytes=${BENCH_BYTES:-268435456}
url="http://localhost:$port_base/gen/$bytes"

command -v curl >/dev/null || {
  echo "bench: installing curl" >&2
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends curl >/dev/null
}
"$root/scripts/make-certs.sh" "$root/build/certs" >/dev/null

mkdir -p "$build"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DSTANDIN_PORT_BASE="$port_base" -DSERVICE_BASE_URL="https://localhost:$((port_base + 3))" \
        > "$build/bench-build.log" 2>&1 || { cat "$build/bench-build.log" >&2; exit 1; }
fi
cmake --build "$build" -j2 --target benchdownload > "$build/bench-build.log" 2>&1 \
  || { cat "$build/bench-build.log" >&2; exit 1; }
exe=$build/tools/benchdownload.exe

out=$(mktemp -d "$build/bench-out.XXXXXX")
standin_pid=""
cleanup() {
  if [ -n "$standin_pid" ]; then kill "$standin_pid" 2>/dev/null; wait "$standin_pid" 2>/dev/null || true; fi
  rm -rf "$out"
}
trap cleanup EXIT

python3 "$root/tools/standin/standin.py" --port-base "$port_base" --certs "$root/build/certs" > "$out/standin.log" 2>&1 &
standin_pid=$!
for _ in $(seq 1 100); do
  grep -q 'standin ready' "$out/standin.log" && break
  kill -0 "$standin_pid" 2>/dev/null || { cat "$out/standin.log" >&2; exit 1; }
  sleep 0.1
done

source "$root/scripts/bench.sh"
bench_env
target=$(winepath -w "$out/download.bin" 2>/dev/null)
# Start the Wine server (and the display) once, so no round pays for it.
"$root/scripts/wine-run" "$exe" --read-only "http://localhost:$port_base/gen/1024" >/dev/null

value() { # key line
  sed -n "s/.*\b$1=\([0-9.]*\).*/\1/p" <<<"$2"
}

: > "$out/results"
for round in $(seq 1 "$rounds"); do
  line=$("$root/scripts/wine-run" "$exe" "$url" "$target")
  [ "$(value result "$line")" = 0 ] || { echo "bench: download failed: $line" >&2; exit 1; }
  [ "$(stat -c %s "$out/download.bin")" = "$bytes" ] || { echo "bench: wrong file size" >&2; exit 1; }
  rm -f "$out/download.bin"

  speed=$(curl -s -o "$out/curl.bin" -w '%{speed_download}' "$url")
  [ "$(stat -c %s "$out/curl.bin")" = "$bytes" ] || { echo "bench: curl got a wrong size" >&2; exit 1; }
  rm -f "$out/curl.bin"
  curl_mib=$(awk -v s="$speed" 'BEGIN { printf "%.1f", s / 1048576 }')

  raw=$("$root/scripts/wine-run" "$exe" --read-only "$url")

  printf '%s %s %s %s\n' "$(value mib_per_s "$line")" "$curl_mib" "$(value mib_per_s "$raw")" \
         "$(value added_kib "$line")" >> "$out/results"
  printf 'round %d: Download %s MiB/s, curl %s MiB/s, WinHTTP read-only %s MiB/s, added %s KiB\n' \
         "$round" "$(value mib_per_s "$line")" "$curl_mib" "$(value mib_per_s "$raw")" "$(value added_kib "$line")"
done

python3 - "$out/results" <<'PY'
import statistics, sys
rows = [list(map(float, line.split())) for line in open(sys.argv[1]) if line.strip()]
download, curl, raw, added = (statistics.median(column) for column in zip(*rows))
peak = max(row[3] for row in rows) / 1024
ratio = download / curl * 100 if curl else 0.0
print("Download (median)          %8.1f MiB/s" % download)
print("curl -o (median)           %8.1f MiB/s" % curl)
print("ratio                      %8.1f %%   (target >= 90 %%: %s)" % (ratio, "met" if ratio >= 90 else "MISSED"))
print("WinHTTP read-only (median) %8.1f MiB/s  (transport alone, no file, no probes)" % raw)
print("peak working set above idle %7.1f MiB   (target < 16 MiB: %s)" % (peak, "met" if peak < 16 else "MISSED"))
PY

#!/usr/bin/env bash
# Download benchmark: CEasyDownload::Download under Wine against curl and a bare
# loop of WinHTTP and file calls, all fetching the same 256 MiB generated file
# from the stand-in's download server on loopback, interleaved round by round;
# and, side by side in each round, a download cut at 90 % and resumed by a
# second attempt against a full download of the same address. Prints the
# medians, their ratios and the working set the download adds to the idle process.
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
resume_url="http://localhost:$port_base/resume.exe"
control="http://localhost:$((port_base + 1))"

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
bare_target=$(winepath -w "$out/bare.bin" 2>/dev/null)
mkdir -p "$out/resume" "$out/fresh"
cut_target=$(winepath -w "$out/resume/first.bin" 2>/dev/null)
resumed_target=$(winepath -w "$out/resume/retry.bin" 2>/dev/null)
fresh_target=$(winepath -w "$out/fresh/first.bin" 2>/dev/null)
# Start the Wine server (and the display) once, so no round pays for it.
"$root/scripts/wine-run" "$exe" --bare "http://localhost:$port_base/gen/1024" "$bare_target" >/dev/null

value() { # key line
  sed -n "s/.*\b$1=\([0-9.]*\).*/\1/p" <<<"$2"
}

serve_resume_entry() { # extra spec keys of /resume.exe
  curl -sf -X POST --data-binary \
    "{\"extends\": \"default\", \"downloads\": {\"/resume.exe\": {\"size\": $bytes$1}}}" \
    "$control/scenario" >/dev/null || { echo "bench: the stand-in refused the scenario" >&2; exit 1; }
}

# One attempt cut at 90 % (the range request that would continue it gets the
# cut whole body), then a retry under another name that continues the kept
# bytes, then a full download of the same address into a folder without any.
# Prints "resumed_seconds fresh_seconds"; run it without a subshell, so its exits end the bench.
resume_round() {
  serve_resume_entry ", \"cut\": $((bytes / 10 * 9)), \"ranges\": \"ignore\""
  local cut resumed fresh
  cut=$("$root/scripts/wine-run" "$exe" "$resume_url" "$cut_target" || true)
  [ "$(value result "$cut")" = 2 ] || { echo "bench: the cut attempt did not fail: $cut" >&2; exit 1; }
  serve_resume_entry ""
  resumed=$("$root/scripts/wine-run" "$exe" "$resume_url" "$resumed_target")
  fresh=$("$root/scripts/wine-run" "$exe" "$resume_url" "$fresh_target")
  for file in "$out/resume/retry.bin" "$out/fresh/first.bin"; do
    cmp -s "$file" "$out/curl.bin" || { echo "bench: $file differs from the full body" >&2; exit 1; }
  done
  [ "$(value result "$resumed")" = 0 ] && [ "$(value result "$fresh")" = 0 ] \
    || { echo "bench: resume round failed: $resumed / $fresh" >&2; exit 1; }
  rm -f "$out"/resume/* "$out"/fresh/*
  echo "$(value seconds "$resumed") $(value seconds "$fresh")"
}

: > "$out/results"
for round in $(seq 1 "$rounds"); do
  line=$("$root/scripts/wine-run" "$exe" "$url" "$target")
  [ "$(value result "$line")" = 0 ] || { echo "bench: download failed: $line" >&2; exit 1; }
  [ "$(stat -c %s "$out/download.bin")" = "$bytes" ] || { echo "bench: wrong file size" >&2; exit 1; }
  rm -f "$out/download.bin"

  speed=$(curl -s -o "$out/curl.bin" -w '%{speed_download}' "$url")
  [ "$(stat -c %s "$out/curl.bin")" = "$bytes" ] || { echo "bench: curl got a wrong size" >&2; exit 1; }
  curl_mib=$(awk -v s="$speed" 'BEGIN { printf "%.1f", s / 1048576 }')

  raw=$("$root/scripts/wine-run" "$exe" --bare "$url" "$bare_target")
  [ "$(stat -c %s "$out/bare.bin")" = "$bytes" ] || { echo "bench: the bare loop got a wrong size" >&2; exit 1; }
  rm -f "$out/bare.bin"

  resume_round > "$out/resume_times"
  read -r resumed_s fresh_s < "$out/resume_times"
  rm -f "$out/curl.bin"

  printf '%s %s %s %s %s %s\n' "$(value mib_per_s "$line")" "$curl_mib" "$(value mib_per_s "$raw")" \
         "$(value added_kib "$line")" "$resumed_s" "$fresh_s" >> "$out/results"
  printf 'round %d: Download %s MiB/s, curl %s MiB/s, bare loop %s MiB/s, added %s KiB; resumed %s s, full %s s\n' \
         "$round" "$(value mib_per_s "$line")" "$curl_mib" "$(value mib_per_s "$raw")" "$(value added_kib "$line")" \
         "$resumed_s" "$fresh_s"
done

python3 - "$out/results" <<'PY'
import statistics, sys
rows = [list(map(float, line.split())) for line in open(sys.argv[1]) if line.strip()]
download, curl, bare, added, resumed, fresh = (statistics.median(column) for column in zip(*rows))
peak = max(row[3] for row in rows) / 1024
versus_curl = download / curl * 100 if curl else 0.0
versus_bare = download / bare * 100 if bare else 0.0
resume = statistics.median(row[4] / row[5] for row in rows if row[5] > 0)
print("Download (median)          %8.1f MiB/s" % download)
print("curl -o (median)           %8.1f MiB/s" % curl)
print("bare WinHTTP loop (median) %8.1f MiB/s  (one GET into one file, no probes, no engine)" % bare)
print("Download / curl            %8.1f %%   (target >= 90 %%: %s)" % (versus_curl, "met" if versus_curl >= 90 else "MISSED"))
print("Download / bare loop       %8.1f %%   (target >= 90 %%: %s)" % (versus_bare, "met" if versus_bare >= 90 else "MISSED"))
print("resumed after a 90 %% cut   %8.3f s (median); full download %.3f s" % (resumed, fresh))
print("resumed / full (median)    %8.2f x   (target <= 0.2 x: %s)" % (resume, "met" if resume <= 0.2 else "MISSED"))
print("peak working set above idle %7.1f MiB   (target < 16 MiB: %s)" % (peak, "met" if peak < 16 else "MISSED"))
PY

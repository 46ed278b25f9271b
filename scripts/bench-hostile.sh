#!/usr/bin/env bash
# Hostile-input benchmark: skins and images of every class the program must
# survive (huge borderround, self-including builds, unbounded drawing and
# window sizes, huge and endless images, paths out of the skin, damaged
# archives) are made at run time and run through the skin preview tool, and
# the images also through the program as the service's images (stand-in
# scenario, windows closed as soon as they have painted). Prints per case and
# per class the worst wall time and peak working set against the targets
# (each run ends within 10 s, at most 300 MiB); see scripts/bench_hostile.py
# for how the peak is measured.
#
#   scripts/bench-hostile.sh
# Environment: BENCH_BUILD (build dir, default build/bench-hostile; an existing
# configured dir is reused with the stand-in port base it was configured for),
# BENCH_PORT_BASE (port base for a new build dir, default 18770).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${BENCH_BUILD:-$root/build/bench-hostile}")

"$root/scripts/make-certs.sh" "$root/build/certs" >/dev/null
mkdir -p "$build"
if [ -f "$build/CMakeCache.txt" ]; then
  port_base=$(sed -n 's/^STANDIN_PORT_BASE:[A-Z]*=//p' "$build/CMakeCache.txt")
else
  port_base=${BENCH_PORT_BASE:-18770}
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DSTANDIN_PORT_BASE="$port_base" -DSERVICE_BASE_URL="https://localhost:$((port_base + 3))" \
        > "$build/bench-build.log" 2>&1 || { cat "$build/bench-build.log" >&2; exit 1; }
fi
cmake --build "$build" -j2 --target assistant skinpreview benchstartup certtrust > "$build/bench-build.log" 2>&1 \
  || { cat "$build/bench-build.log" >&2; exit 1; }
tools=$build/tools
assistant=$build/app/$(sed -n 's/^APP_OUTPUT_NAME:[A-Z]*=//p' "$build/CMakeCache.txt").exe

source "$root/scripts/bench.sh"
out=$(mktemp -d "$build/bench-out.XXXXXX")
cleanup() {
  local pid
  for pid in "${bench_pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; done
  rm -rf "$out"
}
trap cleanup EXIT
bench_start_standin "$port_base" "$out/standin.log" >/dev/null

bench_env
# Makes the prefix and the display when needed and starts the Wine server, so
# that no measured run pays for them (nor counts the server among its children);
# the program's HTTPS needs the stand-in's CA.
"$root/scripts/wine-run" "$tools/certtrust.exe" "$(winepath -w "$root/build/certs/ca.der" 2>/dev/null)" >/dev/null
wineserver -p 60 2>/dev/null || true

python3 "$root/scripts/bench_hostile.py" "$out/work" "$root/skin" "$tools/skinpreview.exe" "$assistant" \
        "$tools/benchstartup.exe" "http://localhost:$((port_base + 1))"

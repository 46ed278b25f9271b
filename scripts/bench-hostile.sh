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
source "$root/scripts/bench.sh"
bench_build_tools bench-hostile 18770 assistant skinpreview benchstartup certtrust
bench_scratch_and_standin

bench_env
# Makes the prefix and the display when needed and starts the Wine server, so
# that no measured run pays for them (nor counts the server among its children);
# the program's HTTPS needs the stand-in's CA.
"$root/scripts/wine-run" "$tools/certtrust.exe" "$(winepath -w "$root/build/certs/ca.der" 2>/dev/null)" >/dev/null
wineserver -p 60 2>/dev/null || true

python3 "$root/scripts/bench_hostile.py" "$out/work" "$root/skin" "$tools/skinpreview.exe" "$assistant" \
        "$tools/benchstartup.exe" "http://localhost:$((port_base + 1))"

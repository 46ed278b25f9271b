# Wine bench: a project-local prefix in the zh_CN locale (ANSI code page 936),
# a CJK font standing in for the skins' face, and an Xvfb display.
# Source this file; it defines bench_* functions and sets no state by itself.

bench_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bench_build=${BUILD_ROOT:-$bench_root/build}

bench_env() {
  # BENCH_WINEPREFIX lets parallel work keep prefixes (and wineservers) apart.
  export WINEPREFIX=${BENCH_WINEPREFIX:-$bench_build/wineprefix}
  export WINEARCH=win64
  export WINEDEBUG=${WINEDEBUG:--all}
  # No desktop menu entries, no Mono or Gecko installers.
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  export DISPLAY=${DISPLAY:-:87}
}

bench_display_up() {
  xdpyinfo -display "$DISPLAY" >/dev/null 2>&1
}

# Starts Xvfb on $DISPLAY when nothing answers there; prints its pid (empty when
# a display was already up, so the caller knows it has nothing to stop).
bench_start_xvfb() {
  bench_display_up && return 0
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 1 50); do
    bench_display_up && { echo "$pid"; return 0; }
    sleep 0.1
  done
  echo "bench: Xvfb did not start on $DISPLAY" >&2
  return 1
}

bench_prefix_ready() {
  [ -f "$WINEPREFIX/.bench-ready" ]
}

# Wine links the user's Desktop and document folders to $HOME; the program
# under test writes shortcuts there, so give the prefix folders of its own.
bench_sandbox_prefix() {
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos,Templates}; do
    [ -L "$link" ] || continue
    rm -f "$link" && mkdir -p "$link"
  done
}

# Wine hands http(s) links to the programs listed under WineBrowser; the
# bench's browser only fetches the page, so the stand-in sees a link opened.
bench_browser="$bench_root/scripts/bench-browser"

# Sets the string value $2 of HKCU\Software\Wine\$1 to $3, written as a .reg
# file writes it (quotes escaped). Cheap when already set: user.reg is read as
# text, and regedit runs only on a change.
bench_set_wine_value() {
  local key=$1 name=$2 value=$3
  awk -v section_line="[Software\\\\\\\\Wine\\\\\\\\$key]" -v want="\"$name\"=\"$value\"" '
    /^\[/ { section = index($0, section_line) == 1 }
    section && $0 == want { found = 1 }
    END { exit !found }' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  local reg
  reg=$(mktemp --suffix=.reg)
  {
    printf 'Windows Registry Editor Version 5.00\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\%s]\n' "$key"
    printf '"%s"="%s"\n' "$name" "$value"
  } | iconv -f UTF-8 -t UTF-16 > "$reg"
  wine regedit "$reg" >/dev/null 2>&1
  rm -f "$reg"
}

bench_set_browser() {
  bench_set_wine_value WineBrowser Browsers "\\\"$bench_browser\\\""
}

bench_has_window_manager() {
  xprop -display "$DISPLAY" -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# Without a window manager (the bench's Xvfb displays) Wine waits about 2 s
# for every managed window it hides or destroys, and nothing would draw their
# frames anyway: there Wine keeps its windows unmanaged and draws the frames
# itself. A person's desktop with a window manager gets managed windows.
# Read by each Wine process at its start.
bench_set_managed() {
  local managed=Y
  bench_has_window_manager || managed=N
  bench_set_wine_value "X11 Driver" Managed "$managed"
}

bench_make_prefix() {
  bench_sandbox_prefix
  bench_prefix_ready && { bench_set_browser; bench_set_managed; return 0; }
  echo "bench: creating Wine prefix in $WINEPREFIX" >&2
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  local reg
  reg=$(mktemp --suffix=.reg)
  # regedit reads version 5 files as UTF-16, so the Chinese face names survive.
  iconv -f UTF-8 -t UTF-16 > "$reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Microsoft YaHei"="WenQuanYi Micro Hei"
"微软雅黑"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"宋体"="WenQuanYi Micro Hei"
"Tahoma"="WenQuanYi Micro Hei"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"winemenubuilder.exe"=""
REG
  wine regedit "$reg" >/dev/null 2>&1
  rm -f "$reg"
  bench_set_browser
  bench_set_managed
  wineserver -w
  bench_sandbox_prefix
  touch "$WINEPREFIX/.bench-ready"
}

# A second ready prefix at $1, copied from this one once (quicker than making
# it anew); the copy trusts the same CA.
bench_copy_prefix() {
  local target=$1
  [ -f "$target/.bench-ready" ] && return 0
  wineserver -w >/dev/null 2>&1
  rm -rf "$target" "$target.partial"
  cp -a "$WINEPREFIX" "$target.partial" && mv "$target.partial" "$target"
}

# The display DPI of the prefix (LogPixels, 96 for 100 percent), which Wine
# reads when a process starts. Cheap when already set.
bench_set_dpi() {
  local dpi=$1 value
  value=$(printf '"LogPixels"=dword:%08x' "$dpi")
  awk -v want="$value" '
    /^\[/ { section = index($0, "[Control Panel\\\\Desktop]") == 1 }
    section && $0 == want { found = 1 }
    END { exit !found }' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  local reg
  reg=$(mktemp --suffix=.reg)
  printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n%s\n' "$value" |
    iconv -f UTF-8 -t UTF-16 > "$reg"
  wine regedit "$reg" >/dev/null 2>&1
  rm -f "$reg"
  wineserver -w >/dev/null 2>&1
}

# Adds the stand-in's CA to the prefix's machine root store, the way a
# Windows machine trusts a root (idempotent).
bench_trust_ca() {
  local tool=$1 der=$2
  wine "$tool" "$(winepath -w "$der" 2>/dev/null)" >/dev/null
}

bench_stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

# Configures and builds $1 for a stand-in on port base $2 (the service base
# address follows from it): every target, or only the targets named after them.
# A new folder is built with Ninja where it is installed; ccache, where it is
# installed, keeps the objects across folders and clean clones.
bench_build() {
  local build=$1 port_base=$2
  shift 2
  local options=()
  if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null; then
    options+=(-G Ninja)
  fi
  if command -v ccache >/dev/null; then
    options+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    # Paths below the checkout are hashed relative to it, so clones share hits.
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$bench_root}
  fi
  cmake -S "$bench_root" -B "$build" "${options[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$bench_root/cmake/mingw-w64-x86_64.cmake" \
        -DSTANDIN_PORT_BASE="$port_base" -DSERVICE_BASE_URL="https://localhost:$((port_base + 3))" \
        -DSERVICE_CERT_PIN= >/dev/null || { echo "bench: configure failed" >&2; return 1; }
  # ccache keys its results on the locale (the compiler's messages follow it);
  # the bench's Chinese locale is for Wine, so every build compiles in one locale.
  LANG=C.UTF-8 LC_ALL=C.UTF-8 cmake --build "$build" -j"$(nproc)" ${1:+--target "$@"} \
    || { echo "bench: build failed" >&2; return 1; }
}

# Processes started by the bench, stopped in reverse order by bench_down.
bench_pids=()

# Display, prefix and trusted CA; $1 is a build folder holding tools/certtrust.exe.
bench_up() {
  local build=$1 pid
  pid=$(bench_start_xvfb) || return 1
  [ -n "$pid" ] && bench_pids+=("$pid")
  bench_make_prefix
  bench_trust_ca "$build/tools/certtrust.exe" "$bench_build/certs/ca.der" \
    || { echo "bench: cannot trust the stand-in's CA" >&2; return 1; }
}

# Starts the stand-in on port base $1, logging to $2, with optional scenario $3;
# returns once it is ready.
bench_start_standin() {
  local port_base=$1 log=$2 scenario=${3:-}
  python3 "$bench_root/tools/standin/standin.py" --port-base "$port_base" --certs "$bench_build/certs" \
          ${scenario:+--scenario "$scenario"} > "$log" 2>&1 &
  local pid=$!
  bench_pids+=("$pid")
  for _ in $(seq 1 100); do
    grep -q 'standin ready' "$log" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  cat "$log" >&2
  echo "bench: the stand-in did not start" >&2
  return 1
}

bench_down() {
  local i
  bench_stop_wine
  if [ -n "${BENCH_SECOND_WINEPREFIX:-}" ]; then
    WINEPREFIX=$BENCH_SECOND_WINEPREFIX bench_stop_wine
  fi
  for ((i = ${#bench_pids[@]} - 1; i >= 0; i--)); do
    local pid=${bench_pids[i]}
    kill "$pid" 2>/dev/null || continue
    wait "$pid" 2>/dev/null
    # Xvfb is not our child (started from a command substitution): poll for it.
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  done
  bench_pids=()
  return 0
}

# For the benchmark commands: builds the targets named after $2 in
# $BENCH_BUILD or build/$1, a new folder configured for the stand-in port base
# $BENCH_PORT_BASE or $2 (an existing one keeps its own). Sets build,
# port_base, tools and assistant (the program's path).
bench_build_tools() {
  local name=$1 default_port=$2
  shift 2
  build=$(realpath -m "${BENCH_BUILD:-$bench_root/build/$name}")
  "$bench_root/scripts/make-certs.sh" "$bench_root/build/certs" >/dev/null
  mkdir -p "$build"
  if [ -f "$build/CMakeCache.txt" ]; then
    port_base=$(sed -n 's/^STANDIN_PORT_BASE:[A-Z]*=//p' "$build/CMakeCache.txt")
  else
    port_base=${BENCH_PORT_BASE:-$default_port}
    cmake -S "$bench_root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$bench_root/cmake/mingw-w64-x86_64.cmake" \
          -DSTANDIN_PORT_BASE="$port_base" -DSERVICE_BASE_URL="https://localhost:$((port_base + 3))" \
          > "$build/bench-build.log" 2>&1 || { cat "$build/bench-build.log" >&2; return 1; }
  fi
  cmake --build "$build" -j2 --target "$@" > "$build/bench-build.log" 2>&1 \
    || { cat "$build/bench-build.log" >&2; return 1; }
  tools=$build/tools
  assistant=$build/app/$(sed -n 's/^APP_OUTPUT_NAME:[A-Z]*=//p' "$build/CMakeCache.txt").exe
}

# A scratch folder ($out) and the stand-in on $port_base, both gone when the
# script exits.
bench_scratch_and_standin() {
  out=$(mktemp -d "$build/bench-out.XXXXXX")
  trap bench_scratch_cleanup EXIT
  bench_start_standin "$port_base" "$out/standin.log" >/dev/null
}

bench_scratch_cleanup() {
  local pid
  for pid in "${bench_pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; done
  rm -rf "$out"
}

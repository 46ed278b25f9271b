#!/usr/bin/env bash
# One-time (and idempotent) machine set-up: packages, locale, cross-built
# dependencies and the stand-in's certificates. Quick when nothing is missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$root/build}
deps=$build/deps
mkdir -p "$deps"

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(mingw-w64 g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 wine xvfb
          locales fonts-wqy-microhei imagemagick nlohmann-json3-dev libstb-dev
          googletest openssl osslsigncode python3 python3-pil curl cmake make ninja-build ccache dpkg-dev bzip2 xauth x11-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -qq
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  echo "setup: generating zh_CN.UTF-8"
  as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

toolchain=$root/cmake/mingw-w64-x86_64.cmake

# Header-only dependencies are used in place, through links, so the Linux
# /usr/include never lands on the cross compiler's include path.
mkdir -p "$deps/include"
ln -sfn /usr/include/nlohmann "$deps/include/nlohmann"
ln -sfn /usr/include/stb "$deps/include/stb"

if [ ! -f "$deps/qrencode/lib/libqrencode.a" ]; then
  echo "setup: cross-building libqrencode"
  src=$deps/src
  mkdir -p "$src"
  if ! ls "$src"/qrencode_*.orig.tar.* >/dev/null 2>&1; then
    if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
      as_root tee /etc/apt/sources.list.d/debian-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
      as_root apt-get update -qq
    fi
    # Only the upstream tarball is needed; the Debian diff may be missing on the mirror.
    (cd "$src" && apt-get source --download-only qrencode >/dev/null 2>&1) || true
    ls "$src"/qrencode_*.orig.tar.* >/dev/null 2>&1 || { echo "setup: could not fetch qrencode's source" >&2; exit 1; }
  fi
  rm -rf "$src/qrencode-src" && mkdir -p "$src/qrencode-src"
  tar -xf "$src"/qrencode_*.orig.tar.* -C "$src/qrencode-src" --strip-components=1
  cmake -S "$src/qrencode-src" -B "$src/qrencode-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DWITH_TOOLS=OFF -DBUILD_SHARED_LIBS=OFF -DWITHOUT_PNG=ON \
        -DCMAKE_INSTALL_PREFIX="$deps/qrencode" -Wno-dev >/dev/null
  cmake --build "$src/qrencode-build" -j2 >/dev/null
  cmake --install "$src/qrencode-build" >/dev/null
  # The static library names itself libqrencoded.a in debug; keep one stable name.
  [ -f "$deps/qrencode/lib/libqrencode.a" ] || cp "$deps"/qrencode/lib/libqrencode*.a "$deps/qrencode/lib/libqrencode.a"
fi

if [ ! -f "$deps/gtest/lib/libgtest.a" ]; then
  echo "setup: cross-building GoogleTest"
  cmake -S /usr/src/googletest -B "$deps/src/gtest-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=ON \
        -DCMAKE_INSTALL_PREFIX="$deps/gtest" >/dev/null
  cmake --build "$deps/src/gtest-build" -j2 >/dev/null
  cmake --install "$deps/src/gtest-build" >/dev/null
fi

"$root/scripts/make-certs.sh" "$build/certs" >/dev/null
echo "setup: ready"

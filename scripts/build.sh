#!/usr/bin/env bash
# Configures and builds Scrapvault:
#   build/host   the portable logic and its unit tests, for this machine;
#   build/win32  the product, scrapvault.exe for 32-bit Windows, and its Windows-side tests;
#   build/win64  the same for 64-bit Windows, only where the Windows-side tests must run
#                under 64-bit Wine (scripts/wine-arch.sh says win64), or with --win64.
#
#   scripts/build.sh [--win64]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

jobs=${SCRAPVAULT_BUILD_JOBS:-2}
want_win64=0
[ "${1:-}" = --win64 ] && want_win64=1
[ "$(scripts/wine-arch.sh)" = win64 ] && want_win64=1

build() {
  local dir=$1
  shift
  echo "== configure and build $dir"
  cmake -S . -B "$dir" "$@"
  cmake --build "$dir" -j "$jobs"
}

build build/host
build build/win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
if [ "$want_win64" = 1 ]; then
  build build/win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
fi

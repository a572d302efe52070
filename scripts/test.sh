#!/usr/bin/env bash
# The test command: installs what is missing, checks the tree's format and layers, builds, runs
# the host unit tests, then the Windows-side tests under Wine in a throw-away session (fresh
# prefix, own Xvfb display). Exits non-zero if any check or test failed.
#
# The Windows-side tests run from build/win32 where this machine runs 32-bit Wine, and
# from build/win64 under 64-bit Wine where the kernel cannot run Wine's 32-bit loader
# (scripts/wine-arch.sh); SCRAPVAULT_WINE_ARCH=win32|win64 forces either.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

scripts/install-deps.sh

status=0
scripts/check-tree.sh || status=1

scripts/build.sh

echo "== host tests (build/host)"
ctest --test-dir build/host --output-on-failure || status=1

arch=$(scripts/wine-arch.sh)
echo "== Windows tests ($arch, build/$arch) under Wine"
# -j1: the Windows tests share one desktop, one clipboard and one program instance.
scripts/wine-session.sh ctest --test-dir "build/$arch" --output-on-failure -j1 || status=1

if [ "$status" -eq 0 ]; then
  echo "== all tests passed"
else
  echo "== some tests FAILED" >&2
fi
exit "$status"

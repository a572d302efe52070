#!/usr/bin/env bash
# The start command: installs what is missing, builds, and starts Scrapvault under Wine in
# the user's own Wine prefix ($WINEPREFIX, else ~/.wine), on the user's display.
# Without a DISPLAY it starts a headless Xvfb display and says so.
#
# The product is the 32-bit build/win32/scrapvault.exe. Where this machine cannot run
# 32-bit Wine (scripts/wine-arch.sh says win64) the 64-bit build/win64/scrapvault.exe is
# started instead, in a 64-bit prefix.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

scripts/install-deps.sh
scripts/build.sh

source scripts/wine-env.sh
source scripts/xvfb-lib.sh

arch=$SCRAPVAULT_WINE_ARCH
program="$root/build/$arch/scrapvault.exe"
prefix=${WINEPREFIX:-$HOME/.wine}
if [ "$arch" = win64 ]; then
  echo "run: this machine cannot run 32-bit Wine; starting the 64-bit build $program"
  # A 64-bit program cannot run in a 32-bit prefix.
  if [ -f "$prefix/system.reg" ] && grep -q '^#arch=win32' "$prefix/system.reg"; then
    prefix=$HOME/.wine64
    echo "run: $prefix is used, since the default prefix is a 32-bit one"
  fi
fi
export WINEPREFIX=$prefix
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
# Wine's own diagnostics would fill the terminal; a WINEDEBUG of the user's is kept.
export WINEDEBUG=${WINEDEBUG-"-all"}

run_dir=$(mktemp -d /tmp/scrapvault-run.XXXXXX)
cleanup() {
  stop_xvfb
  rm -rf "$run_dir"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  start_xvfb "$run_dir"
  echo "run: no DISPLAY set; started a headless Xvfb on $DISPLAY (the window is not visible;"
  echo "     'import -display $DISPLAY -window root shot.png' takes a screenshot)"
fi

# A new prefix is made first, so that the fonts can be put into it.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$SCRAPVAULT_WINE_LOADER" wineboot -i >/dev/null 2>&1 || true
fi
provide_marlett "$WINEPREFIX"
link_cjk_font

echo "run: $SCRAPVAULT_WINE_LOADER $program (WINEPREFIX=$WINEPREFIX, DISPLAY=$DISPLAY)"
"$SCRAPVAULT_WINE_LOADER" "$program"

#!/usr/bin/env bash
# Runs a command inside a throw-away Wine session: a fresh prefix, its own Xvfb
# display and a persistent wineserver, all removed again when the command ends.
# The prefix is 32-bit where this machine runs Wine's 32-bit loader, else 64-bit
# (scripts/wine-arch.sh).
#
#   scripts/wine-session.sh COMMAND [ARGS...]
#
# The command sees WINEPREFIX, WINEARCH, DISPLAY, WINEDEBUG, WINEDLLOVERRIDES,
# SCRAPVAULT_WINE_ARCH, SCRAPVAULT_WINE_LOADER and SCRAPVAULT_WINE_SESSION
# exported; scripts/wine-exec.sh relies on them.
# The exit status is the command's.
#
# Environment:
#   SCRAPVAULT_DISPLAYS   display numbers to try, first free one wins (default "60-99")
#   SCRAPVAULT_KEEP_WINE  set to 1 to keep the prefix folder for inspection
#   SCRAPVAULT_LOGPIXELS  the display's DPI in the session (HKCU\Control Panel\Desktop LogPixels,
#                         read by each Wine process as it starts); else Wine's 96
set -euo pipefail

if [ "$#" -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGS...]" >&2
  exit 2
fi

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb-lib.sh"
for tool in "$SCRAPVAULT_WINE_LOADER" wineserver Xvfb xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "wine-session: '$tool' not found; run scripts/install-deps.sh" >&2; exit 2; }
done

session_dir=$(mktemp -d /tmp/scrapvault-wine.XXXXXX)
wineserver_started=""

teardown() {
  local status=$?
  set +e
  if [ -n "$wineserver_started" ]; then
    # -k kills the server of THIS prefix only (and the processes attached to it).
    WINEPREFIX="$session_dir/prefix" wineserver -k >/dev/null 2>&1
    # wineserver -k returns before the server process is gone; the prefix folder
    # must not be removed under its feet.
    WINEPREFIX="$session_dir/prefix" timeout 10 wineserver -w >/dev/null 2>&1
  fi
  stop_xvfb
  if [ "${SCRAPVAULT_KEEP_WINE:-0}" = 1 ]; then
    echo "wine-session: kept $session_dir" >&2
  else
    rm -rf "$session_dir"
  fi
  exit "$status"
}
trap teardown EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

start_xvfb "$session_dir"

export WINEPREFIX="$session_dir/prefix"
export WINEARCH=$SCRAPVAULT_WINE_ARCH
export WINEDEBUG=-all
# No Mono or Gecko: they are not needed and their install prompts would block. No menu builder:
# the shortcuts that an installer makes stay inside the prefix, not in this machine's menus.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export SCRAPVAULT_WINE_SESSION=1

started_ms=$(( $(date +%s%N) / 1000000 ))
# Persistent server: each test executable attaches to it instead of paying for a
# server start-up and shutdown of its own. The server needs the prefix folder to
# exist; wineboot fills the empty folder.
mkdir -p "$WINEPREFIX"
wineserver -p
wineserver_started=1
# In a 64-bit prefix wineboot also sets up the 32-bit side by starting Wine's 32-bit
# loader: where the kernel refuses i386 programs that fails at once; where they run
# through a CPU emulator (qemu-i386 in binfmt_misc) it works but adds a minute or more.
if ! "$SCRAPVAULT_WINE_LOADER" wineboot -i >"$session_dir/wineboot.log" 2>&1; then
  echo "wine-session: wineboot failed in $WINEPREFIX:" >&2
  tail -n 20 "$session_dir/wineboot.log" >&2
  exit 1
fi
# Without a window manager, Wine waits up to 2 s for every managed window that is
# hidden or destroyed. Unmanaged windows need no such round trip.
"$SCRAPVAULT_WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
provide_marlett "$WINEPREFIX"
link_cjk_font
if [ -n "${SCRAPVAULT_LOGPIXELS:-}" ]; then
  "$SCRAPVAULT_WINE_LOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$SCRAPVAULT_LOGPIXELS" \
    /f >/dev/null 2>&1
fi
elapsed_ms=$(( $(date +%s%N) / 1000000 - started_ms ))
printf 'wine-session: %s prefix %s ready on display %s in %d.%d s\n' \
  "$WINEARCH" "$WINEPREFIX" "$DISPLAY" $((elapsed_ms / 1000)) $((elapsed_ms % 1000 / 100)) >&2

set +e
"$@"
status=$?
set -e
exit "$status"

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
set -euo pipefail

if [ "$#" -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGS...]" >&2
  exit 2
fi

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
for tool in "$SCRAPVAULT_WINE_LOADER" wineserver Xvfb xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "wine-session: '$tool' not found; run scripts/install-deps.sh" >&2; exit 2; }
done

session_dir=$(mktemp -d /tmp/scrapvault-wine.XXXXXX)
xvfb_pid=""
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
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
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

display_candidates() {
  local spec=${SCRAPVAULT_DISPLAYS:-60-99} part
  for part in ${spec//,/ }; do
    if [[ $part == *-* ]]; then seq "${part%-*}" "${part#*-}"; else echo "$part"; fi
  done
}

# Start Xvfb on the first display number that has neither a lock file nor a socket.
# Another Xvfb may take the same number between the check and the start; then ours
# exits at once and the next number is tried.
start_xvfb() {
  local n i
  for n in $(display_candidates); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$session_dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for i in $(seq 1 100); do
      if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        break
      fi
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  echo "wine-session: no free X display in ${SCRAPVAULT_DISPLAYS:-60-99}" >&2
  return 1
}

start_xvfb

export WINEPREFIX="$session_dir/prefix"
export WINEARCH=$SCRAPVAULT_WINE_ARCH
export WINEDEBUG=-all
# No Mono or Gecko: they are not needed and their install prompts would block.
export WINEDLLOVERRIDES="mscoree,mshtml="
export SCRAPVAULT_WINE_SESSION=1

started_ms=$(( $(date +%s%N) / 1000000 ))
# Persistent server: each test executable attaches to it instead of paying for a
# server start-up and shutdown of its own. The server needs the prefix folder to
# exist; wineboot fills the empty folder.
mkdir -p "$WINEPREFIX"
wineserver -p
wineserver_started=1
"$SCRAPVAULT_WINE_LOADER" wineboot -i >"$session_dir/wineboot.log" 2>&1
# Without a window manager, Wine waits up to 2 s for every managed window that is
# hidden or destroyed. Unmanaged windows need no such round trip.
"$SCRAPVAULT_WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
elapsed_ms=$(( $(date +%s%N) / 1000000 - started_ms ))
printf 'wine-session: %s prefix %s ready on display %s in %d.%d s\n' \
  "$WINEARCH" "$WINEPREFIX" "$DISPLAY" $((elapsed_ms / 1000)) $((elapsed_ms % 1000 / 100)) >&2

set +e
"$@"
status=$?
set -e
exit "$status"

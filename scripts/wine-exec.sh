#!/usr/bin/env bash
# Runs a Windows program under Wine inside the session of scripts/wine-session.sh.
# CTest uses it as the cross build's emulator: wine-exec.sh test.exe [ARGS...]
# The exit status is the program's.
set -euo pipefail

if [ "${SCRAPVAULT_WINE_SESSION:-}" != 1 ] || [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ] \
   || [ -z "${SCRAPVAULT_WINE_LOADER:-}" ]; then
  cat >&2 <<MSG
wine-exec: no Wine session (WINEPREFIX, DISPLAY, SCRAPVAULT_WINE_LOADER and
SCRAPVAULT_WINE_SESSION are not all set).
Run the Windows tests through the session script, e.g.:
  scripts/wine-session.sh ctest --test-dir BUILD_DIR --output-on-failure -j1
MSG
  exit 125
fi

exec "$SCRAPVAULT_WINE_LOADER" "$@"

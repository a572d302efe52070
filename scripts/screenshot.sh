#!/usr/bin/env bash
# Takes docs/screenshot.png: Scrapvault in a throw-away Wine session after four texts were
# copied by an X11 program (xclip), its window restored, as a user would see it; with a DPI
# (LogPixels), at that display scale, e.g. scripts/screenshot.sh docs/screenshot-144.png 144.
#
#   scripts/screenshot.sh [OUTPUT.png [DPI]]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

if [ "${1:-}" != --inside-session ]; then
  output=$(realpath -m "${1:-docs/screenshot.png}")
  scripts/install-deps.sh imagemagick
  scripts/build.sh
  mkdir -p "$(dirname "$output")"
  SCRAPVAULT_LOGPIXELS=${2:-96} exec scripts/wine-session.sh "$0" --inside-session "$output"
fi

output=$2
source scripts/wine-env.sh
# The session's prefix has it already; the caption buttons in the picture depend on it.
provide_marlett "$WINEPREFIX"
arch=$SCRAPVAULT_WINE_ARCH
program="$root/build/$arch/scrapvault.exe"
wine=$SCRAPVAULT_WINE_LOADER

# No first-run Configure dialog, and a window of a readable size (in 96-DPI units, as stored).
profile='HKCU\Software\QUORVEX\Scrapvault'
"$wine" reg add "$profile\\Configure" /v NumberToSave /t REG_DWORD /d 10 /f >/dev/null
"$wine" reg add "$profile\\Configure" /v ConfirmExit /t REG_DWORD /d 0 /f >/dev/null
for edge in Left:60 Top:60 Right:520 Bottom:400; do
  "$wine" reg add "$profile\\LastPosition" /v "${edge%%:*}" /t REG_DWORD /d "${edge#*:}" /f >/dev/null
done

"$wine" "$program" &
program_pid=$!

for i in $(seq 1 200); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Scrapvault"' && break
  sleep 0.1
done

# Wine looks at the X clipboard about once a second; each text stays long enough to be seen.
for text in "Meeting moved to 3 pm, room B" "Встреча перенесена на 15:00" "会议改到下午三点 / 会議は午後3時に / 회의는 오후 3시" \
  "https://example.org/notes/42"; do
  printf '%s' "$text" | xclip -selection clipboard
  sleep 2
done

# A second start wakes the first instance (it restores its window) and ends.
"$wine" "$program"
sleep 2

# The desktop without a window manager is plain black: trimming leaves the window.
import -window root png:- | convert - -trim +repage "$output"
echo "screenshot: wrote $output"
kill "$program_pid" 2>/dev/null || true

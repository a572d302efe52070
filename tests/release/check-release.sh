#!/usr/bin/env bash
# Checks the release in dist/ (scripts/release.sh) as a user receives it: the sums, the zip's
# files, the readme's Windows line ends, and a program file without debug information, build
# time or build path, with its manifest, importing only the system's DLLs. Says what is wrong.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
root=$(pwd)
version=$(sed -n 's/^!define VERSION "\(.*\)"$/\1/p' installer/scrapvault.nsi)
zip=dist/Scrapvault-$version-win32.zip
status=0
fail() { echo "check-release: $*" >&2 && status=1; }

(cd dist && sha256sum --quiet -c SHA256SUMS) || fail "dist/SHA256SUMS does not match the files"
files=$(unzip -Z1 "$zip" | tr '\n' ' ')
[ "$files" = "LICENSE.txt README.txt scrapvault.exe " ] || fail "$zip holds: $files"
readme=$(unzip -p "$zip" README.txt)
{ [ -n "$readme" ] && ! grep -q -v $'\r$' <<<"$readme"; } || fail "README.txt is empty or has a line without CRLF"

exe=$(mktemp)
trap 'rm -f "$exe"' EXIT
unzip -p "$zip" scrapvault.exe >"$exe"
headers=$(i686-w64-mingw32-objdump -h -p "$exe")
! grep -q '\.debug' <<<"$headers" || fail "scrapvault.exe has debug sections"
! grep -Eq 'NumberOfSymbols[[:space:]]+0*[1-9a-f]' <<<"$headers" || fail "scrapvault.exe has a symbol table"
stamp=$(sed -n 's/^Time\/Date[[:space:]]*//p' <<<"$headers")
commit_time=$(TZ=UTC date -d "@$(git log -1 --format=%ct)" '+%a %b %e %H:%M:%S %Y')
[ "$stamp" = "$commit_time" ] || fail "scrapvault.exe is stamped '$stamp', not the commit's time '$commit_time'"
! grep -aqF "$root" "$exe" || fail "scrapvault.exe holds the build path $root"
for part in 'level="asInvoker"' 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
  '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' \
  '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>'; do
  grep -aqF "$part" "$exe" || fail "scrapvault.exe's manifest lacks $part"
done
while read -r dll; do
  grep -Eqix '(advapi32|comctl32|gdi32|kernel32|msvcrt|shell32|user32)\.dll' <<<"$dll" || fail "scrapvault.exe imports $dll"
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")

[ "$status" -eq 0 ] && echo "check-release: dist/ passed (scrapvault.exe $(wc -c <"$exe") bytes)"
exit "$status"

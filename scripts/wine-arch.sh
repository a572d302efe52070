#!/usr/bin/env bash
# Prints the Wine architecture the Windows-side tests run under on this machine:
#   win32  when Wine's 32-bit loader runs here (the product's own architecture);
#   win64  when it cannot, e.g. a kernel without 32-bit emulation
#          ("32-bit emulation disabled" in dmesg): Wine's 32-bit loader is an
#          i386 Linux program and such a kernel refuses to start it. Also when
#          i386 programs only run through a CPU emulator registered with
#          binfmt_misc (qemu-i386): Wine works there, but far too slowly for tests.
# SCRAPVAULT_WINE_ARCH=win32|win64 overrides the choice.
set -euo pipefail

case "${SCRAPVAULT_WINE_ARCH:-}" in
  win32|win64) echo "$SCRAPVAULT_WINE_ARCH"; exit 0 ;;
  "") ;;
  *) echo "wine-arch: SCRAPVAULT_WINE_ARCH must be win32 or win64" >&2; exit 2 ;;
esac

i386_emulated() {
  local entry
  for entry in /proc/sys/fs/binfmt_misc/*; do
    [ -f "$entry" ] || continue
    if grep -qx enabled "$entry" 2>/dev/null \
       && grep -q '^magic 7f454c4601010100000000000000000002000300' "$entry" 2>/dev/null; then
      return 0
    fi
  done
  return 1
}

if ! i386_emulated && [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo win32
else
  echo win64
fi

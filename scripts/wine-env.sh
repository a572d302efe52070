# Sourced by the Wine scripts: picks the Wine loader for the architecture that
# scripts/wine-arch.sh reports and exports it as SCRAPVAULT_WINE_LOADER.
# /usr/bin/wine always prefers the 32-bit loader when it is installed, even where
# the kernel cannot run it, so the 64-bit loader is called by its own path.

SCRAPVAULT_WINE_ARCH=$("$(dirname "${BASH_SOURCE[0]}")/wine-arch.sh")
export SCRAPVAULT_WINE_ARCH
if [ "$SCRAPVAULT_WINE_ARCH" = win64 ]; then
  SCRAPVAULT_WINE_LOADER=/usr/lib/wine/wine64
  # Processes that a Windows program starts are started by this loader as well.
  export WINELOADER=$SCRAPVAULT_WINE_LOADER
else
  SCRAPVAULT_WINE_LOADER=wine
fi
export SCRAPVAULT_WINE_LOADER

# Debian's Wine leaves new prefixes without the Marlett font, which draws the caption
# buttons (minimise, maximise, close) and the scroll bar arrows: without it they show as
# letters. Copies Wine's own Marlett into the prefix's Fonts folder.
#   provide_marlett PREFIX
provide_marlett() {
  local fonts="$1/drive_c/windows/Fonts"
  local marlett=/usr/share/wine/fonts/marlett.ttf
  [ -f "$marlett" ] || return 0
  mkdir -p "$fonts"
  [ -f "$fonts/marlett.ttf" ] || cp "$marlett" "$fonts/"
}

# Debian's Wine draws the dialogs' font ("MS Shell Dlg") with Liberation Sans, which has no Chinese,
# Japanese or Korean characters: they would show as empty boxes. Links WenQuanYi Micro Hei
# (fonts-wqy-microhei, which Wine finds through fontconfig) to that face, as Windows links its
# fallback fonts to the dialog font. Run in a prefix that wineboot has made.
#   link_cjk_font
link_cjk_font() {
  "$SCRAPVAULT_WINE_LOADER" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v 'Liberation Sans' /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
}

#!/usr/bin/env bash
# Installs what building, testing and running Scrapvault needs on Debian 12, and only
# what is missing; with everything present it changes nothing and asks no registry.
#
#   scripts/install-deps.sh [EXTRA_PACKAGE...]
#
# Runs as root, or through sudo when that is available.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev googletest   # host build and GoogleTest (sources for MinGW)
  mingw-w64                                # cross compilers for i686 and x86_64, windres
  wine wine64 wine32:i386                  # 64-bit Wine always runs here; 32-bit where the kernel allows
  xvfb xauth x11-utils xclip               # a headless X display, xdpyinfo, X clipboard access
  fonts-wqy-microhei                       # Chinese, Japanese and Korean characters, linked in the Wine prefixes
  clang-format git                         # the tree checks (format, layers) over the tracked files
  nsis zip unzip                           # the release: its installer and its zip, and their checks
  "$@"
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "install-deps: must run as root (or with sudo) to install: ${missing[*]}" >&2
    exit 1
  fi
}

installed() {
  [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]
}

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
for package in "${missing[@]}"; do
  if [[ $package == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    break
  fi
done
as_root apt-get update -q
as_root apt-get install -y -q "${missing[@]}"

#!/usr/bin/env bash
# Builds the release from the checked-out commit into dist/:
#   Scrapvault-<version>-win32.zip    scrapvault.exe, README.txt, LICENSE.txt: unzip and run;
#   Scrapvault-<version>-setup.exe    the per-user installer (installer/scrapvault.nsi);
#   SHA256SUMS                        of both.
# The same commit gives the same bytes in any folder at any time: the program is built in
# Release mode without debug information or build paths, every recorded time is the commit's
# (SOURCE_DATE_EPOCH), and the zip's order, times and attributes are fixed.
#
#   scripts/release.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

scripts/install-deps.sh

SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C
umask 022
version=$(sed -n 's/^!define VERSION "\(.*\)"$/\1/p' installer/scrapvault.nsi)
build=build/release
stage=$build/stage

echo "== release $version: build the program ($build)"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DSCRAPVAULT_WINDOWS_TESTS=OFF -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$root=." -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s
cmake --build "$build" --target scrapvault -j "${SCRAPVAULT_BUILD_JOBS:-2}"

echo "== release $version: package into dist/"
rm -rf dist
mkdir dist
scripts/make-installer.sh "$build/scrapvault.exe" "$stage" "dist/Scrapvault-$version-setup.exe" x86-unicode
(cd "$stage" && zip -q -X -D "$root/dist/Scrapvault-$version-win32.zip" LICENSE.txt README.txt scrapvault.exe)
(cd dist && sha256sum "Scrapvault-$version-win32.zip" "Scrapvault-$version-setup.exe" >SHA256SUMS && cat SHA256SUMS)

#!/usr/bin/env bash
# Stages what a user receives (scrapvault.exe, README.txt and LICENSE.txt with Windows line ends)
# and builds the installer around it from installer/scrapvault.nsi.
#
#   scripts/make-installer.sh EXE STAGE_DIR SETUP_EXE [x86-unicode|amd64-unicode]
#
# The staged files take their time from SOURCE_DATE_EPOCH (else the last commit's), since the
# installer records it: the same inputs give the same installer bytes.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$1 stage=$2 setup=$3 target=${4:-x86-unicode}
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)}

rm -rf "$stage"
mkdir -p "$stage" "$(dirname "$setup")"
cp "$exe" "$stage/scrapvault.exe"
sed 's/$/\r/' "$root/installer/README.txt" >"$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
chmod 644 "$stage"/*
touch -d "@$epoch" "$stage"/*

makensis -V2 -DTARGET="$target" -DSTAGE="$(realpath "$stage")" -DOUTFILE="$(realpath -m "$setup")" \
  "$root/installer/scrapvault.nsi"

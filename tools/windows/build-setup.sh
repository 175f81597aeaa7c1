#!/usr/bin/env bash
# The setup program (packaging/windows/zivek-vuvev.nsi) from a folder holding both
# Windows programs, with NSIS; warnings are errors.
# Usage: build-setup.sh FOLDER ICON SETUP.EXE
set -euo pipefail
cd "$(dirname "$0")/../.."
version="$(sed -nE 's/^project\(zivek-vuvev VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)"
makensis -V2 -WX -DVERSION="$version" -DSTAGE="$(realpath "$1")" -DICON="$(realpath "$2")" \
    -DOUTFILE="$(realpath -m "$3")" packaging/windows/zivek-vuvev.nsi

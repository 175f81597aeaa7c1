#!/usr/bin/env bash
# The Windows programs used as a person would, under wine on a virtual display, driven
# with xdotool: the main menu, a click on İÇ ÇAP TORNALAMA, "G KOD" with the default
# values. Checks that C:\ALANTEMIZLEME.TXT and C:\A.BAT in wine's C: hold the bytes the
# Linux program writes and that zivek-backplot.exe opened the program; then, with a
# folder standing at C:\ALANTEMIZLEME.TXT, that the press writes to the profile folder
# instead; and that the wizard without the viewer beside it says so in a message box.
# Keeps screenshots in shots/windows/ (or $ZIVEK_SHOTS) for looking at.
# Usage: tools/windows/screenshots.sh [folder of the .exe files] (default build-windows/app/bin)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
bin="$(realpath "${1:-build-windows/app/bin}")"
work="$root/build-windows/drive"
out="${ZIVEK_SHOTS:-$root/shots/windows}"
mkdir -p "$work" "$out"

source tools/windows/wine-prefix.sh
zivek_wine_prefix "$work/wine"
zivek_virtual_display "$work"
trap 'wineserver -k 2>/dev/null || true; kill "$zivek_xvfb" 2>/dev/null || true' EXIT
drive="$WINEPREFIX/drive_c"
profile="$drive/users/$(id -un)"
rm -rf "$drive/ALANTEMIZLEME.TXT" "$drive/A.BAT" "$profile/ALANTEMIZLEME.TXT" "$profile/A.BAT"

source tools/windows/wine-drive.sh

pressGKod "$bin/zivek-vuvev.exe" root
waitFor "$drive/ALANTEMIZLEME.TXT"
checkFiles "$drive"
checkViewer ALANTEMIZLEME.TXT root-form4-program
wineserver -k || true
sleep 1

# The root of C: refusing the program file: both files go to the profile folder, quietly.
rm -f "$drive/ALANTEMIZLEME.TXT"
mkdir "$drive/ALANTEMIZLEME.TXT"
pressGKod "$bin/zivek-vuvev.exe" profile
waitFor "$profile/ALANTEMIZLEME.TXT"
checkFiles "$profile"
checkViewer ALANTEMIZLEME.TXT profile-form4-program
rmdir "$drive/ALANTEMIZLEME.TXT"
wineserver -k || true
sleep 1

# The wizard alone, as from a zip unpacked in pieces: the program is still written, and
# a message box says that the viewer is missing and where it belongs.
alone="$work/yalnız sihirbaz"
rm -rf "$alone"
mkdir -p "$alone"
cp "$bin/zivek-vuvev.exe" "$alone/"
rm -f "$drive/ALANTEMIZLEME.TXT"
pressGKod "$alone/zivek-vuvev.exe" alone
waitFor "$drive/ALANTEMIZLEME.TXT"
[[ -n "$(window '^ZIVEK_TORNA$')" ]] || fail "no message box about the missing viewer"
sleep 1
shot alone-viewer-missing
! pgrep -f 'zivek-backplot.exe' >/dev/null || fail "a viewer started without being there"
echo "ok: the wizard alone says the viewer is missing"
ls "$out"

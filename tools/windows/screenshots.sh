#!/usr/bin/env bash
# The Windows programs used as a person would, under wine on a virtual display, driven
# with xdotool: the main menu, a click on İÇ ÇAP TORNALAMA, "G KOD" with the default
# values. Checks that C:\ALANTEMIZLEME.TXT and C:\A.BAT in wine's C: hold the bytes the
# Linux program writes and that zivek-backplot.exe opened the program; then, with a
# folder standing at C:\ALANTEMIZLEME.TXT, that the press writes to the profile folder
# instead. Keeps screenshots in shots/windows/ for looking at.
# Usage: tools/windows/screenshots.sh [folder of the .exe files] (default build-windows/app/bin)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
bin="$(realpath "${1:-build-windows/app/bin}")"
work="$root/build-windows/drive"
out="$root/shots/windows"
mkdir -p "$work" "$out"

source tools/windows/wine-prefix.sh
zivek_wine_prefix "$work/wine"
zivek_virtual_display "$work"
trap 'wineserver -k 2>/dev/null || true; kill "$zivek_xvfb" 2>/dev/null || true' EXIT
drive="$WINEPREFIX/drive_c"
profile="$drive/users/$USER"
rm -rf "$drive/ALANTEMIZLEME.TXT" "$drive/A.BAT" "$profile/ALANTEMIZLEME.TXT" "$profile/A.BAT"

fail() {
    echo "FAILED: $*" >&2
    exit 1
}
shot() { import -window root "$out/$1.png"; }
window() { timeout 60 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
# A click at a point of a window's client area, in pixels. Wine frames the client
# itself when no window manager does: the frame is as wide on each side as at the bottom.
click() {
    local id=$1 clientWidth=$2 clientHeight=$3 x=$4 y=$5 WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(WIDTH|HEIGHT)=')"
    local side=$(((WIDTH - clientWidth) / 2))
    local top=$((HEIGHT - clientHeight - side))
    xdotool mousemove --window "$id" $((side + x)) $((top + y)) click 1
}
waitFor() {
    for _ in $(seq 100); do
        [[ -s "$1" ]] && return 0
        sleep 0.2
    done
    fail "$1 was not written"
}

# The default internal diameter program and the batch file, as the Linux program writes
# them: CR LF line ends, one empty line after the program.
expectedProgram() {
    printf '%s\r\n' M08 M03 S6 G54 G0X0Y0
    for depth in $(seq 11); do printf '%s\r\n' "G0U$depth" G1W-60F111 "G0U-${depth}W60"; done
    printf '%s\r\n' G0U12 G1W-60F111 U-12F55.5 G0W60 M05 M30 % ''
}
expectedBatch() {
    printf '%s\r\n' Cls 'CD\' Cls 'cd\' C: 'cd Program Files' 'cd NCPlot v2.05' \
        NCPlot.exe/ALANTEMIZLEME.TXT
}
checkFiles() {
    cmp <(expectedProgram) "$1/ALANTEMIZLEME.TXT" || fail "program bytes in $1"
    cmp <(expectedBatch) "$1/A.BAT" || fail "batch file bytes in $1"
    echo "ok: $1/ALANTEMIZLEME.TXT ($(stat -c %s "$1/ALANTEMIZLEME.TXT") bytes) and A.BAT"
}
pressGKod() {
    local menu form
    wine "$bin/zivek-vuvev.exe" >/dev/null 2>&1 &
    menu=$(window '^ZIVEK-VUVEV V1.0$')
    [[ -n "$menu" ]] || fail "no main menu"
    sleep 2
    shot "$1-menu"
    click "$menu" 537 497 267 108 # ICCAP, 2760 120 2505 3000 twips
    form=$(window 'İÇ ÇAP TORNALAMA')
    [[ -n "$form" ]] || fail "no İÇ ÇAP TORNALAMA window"
    sleep 2
    shot "$1-form4-opened"
    click "$form" 986 441 856 404 # KOD, 12120 5760 1455 615 twips
}
checkViewer() {
    [[ -n "$(window 'ALANTEMIZLEME.TXT — Takım yolu')" ]] || fail "zivek-backplot.exe did not open"
    pgrep -f 'zivek-backplot.exe' >/dev/null || fail "no zivek-backplot.exe process"
    sleep 2
    shot "$1-form4-program"
    echo "ok: zivek-backplot.exe opened the program"
}

pressGKod root
waitFor "$drive/ALANTEMIZLEME.TXT"
checkFiles "$drive"
checkViewer root
wineserver -k || true
sleep 1

# The root of C: refusing the program file: both files go to the profile folder, quietly.
rm -f "$drive/ALANTEMIZLEME.TXT"
mkdir "$drive/ALANTEMIZLEME.TXT"
pressGKod profile
waitFor "$profile/ALANTEMIZLEME.TXT"
checkFiles "$profile"
checkViewer profile
rmdir "$drive/ALANTEMIZLEME.TXT"
ls "$out"

# shellcheck shell=bash
# Sourced by the scripts that use the Windows programs as a person would, under wine on
# a virtual display, driven with xdotool. The caller sets $out, the folder of the
# screenshots.

fail() {
    echo "FAILED: $*" >&2
    exit 1
}
shot() { import -window root "$out/$1.png"; }
# The first visible window whose title matches, waiting up to a minute. Wine makes and
# drops helper windows meanwhile, so a search that trips over one is tried again.
window() {
    local id
    for _ in $(seq 120); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [[ -n "$id" ]] && break
        sleep 0.5
    done
    echo "$id"
}
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
# pressGKod WIZARD SHOT: the wizard (a Windows or a Unix path) from its main menu into
# İÇ ÇAP TORNALAMA, and "G KOD" with the default values.
pressGKod() {
    local menu form
    wine "$1" >/dev/null 2>&1 &
    menu=$(window '^ZIVEK-VUVEV V1.0$')
    [[ -n "$menu" ]] || fail "no main menu"
    sleep 2
    shot "$2-menu"
    click "$menu" 537 497 267 108 # ICCAP, 2760 120 2505 3000 twips
    form=$(window 'İÇ ÇAP TORNALAMA')
    [[ -n "$form" ]] || fail "no İÇ ÇAP TORNALAMA window"
    sleep 2
    shot "$2-form4-opened"
    click "$form" 986 441 856 404 # KOD, 12120 5760 1455 615 twips
}
# checkViewer FILE SHOT: zivek-backplot.exe shows FILE (its name in the title).
checkViewer() {
    [[ -n "$(window "$1 — Takım yolu")" ]] || fail "zivek-backplot.exe did not open $1"
    pgrep -f 'zivek-backplot.exe' >/dev/null || fail "no zivek-backplot.exe process"
    sleep 2
    shot "$2"
    echo "ok: zivek-backplot.exe opened $1"
}

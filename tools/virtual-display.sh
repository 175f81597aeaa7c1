# shellcheck shell=bash
# Sourced by the scripts that run the programs on a display of their own.
# zivek_virtual_display FOLDER [WIDTHxHEIGHT]: starts Xvfb on a free display number (a
# 1280x800 screen unless told), exports DISPLAY and sets zivek_xvfb to its process id
# (the caller stops it). FOLDER keeps the number.
zivek_virtual_display() {
    local numberFile="$1/xvfb-display"
    rm -f "$numberFile"
    Xvfb -displayfd 3 -screen 0 "${2:-1280x800}x24" -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
    zivek_xvfb=$!
    for _ in $(seq 50); do
        [[ -s "$numberFile" ]] && break
        sleep 0.2
    done
    export DISPLAY=":$(cat "$numberFile")"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

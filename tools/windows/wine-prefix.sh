# Sourced by the Windows scripts. zivek_wine_prefix FOLDER: a wine prefix of its own in
# FOLDER, quiet, with no offer to install Mono or Gecko, and with DejaVu Sans standing in
# for the Windows interface fonts (without them wine falls back to a serif), so that the
# programs look as on Linux.
zivek_wine_prefix() {
    export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    [[ -f "$WINEPREFIX/.zivek-fonts" ]] && return 0
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    cat >"$WINEPREFIX/fonts.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Tahoma"="DejaVu Sans"
"Segoe UI"="DejaVu Sans"
"MS Shell Dlg"="DejaVu Sans"
"MS Shell Dlg 2"="DejaVu Sans"
"MS Sans Serif"="DejaVu Sans"
"Microsoft Sans Serif"="DejaVu Sans"
"Arial"="DejaVu Sans"
"Courier New"="DejaVu Sans Mono"
REG
    wine regedit /S "$(winepath -w "$WINEPREFIX/fonts.reg")" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.zivek-fonts"
}

# zivek_virtual_display FOLDER: starts Xvfb on a free display number, exports DISPLAY
# and sets zivek_xvfb to its process id (the caller stops it).
zivek_virtual_display() {
    local numberFile="$1/xvfb-display"
    rm -f "$numberFile"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
    zivek_xvfb=$!
    for _ in $(seq 50); do
        [[ -s "$numberFile" ]] && break
        sleep 0.2
    done
    export DISPLAY=":$(cat "$numberFile")"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# shellcheck shell=bash
# (With zivek_virtual_display, which runs the programs on a display of their own.)
source "$(dirname "${BASH_SOURCE[0]}")/../virtual-display.sh"

# Sourced by the Windows scripts. zivek_wine_prefix FOLDER: a wine prefix of its own in
# FOLDER, quiet, with no offer to install Mono or Gecko, no menu entries or file types
# copied to this host's desktop, and with DejaVu Sans standing in
# for the Windows interface fonts (without them wine falls back to a serif), so that the
# programs look as on Linux.
zivek_wine_prefix() {
    export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
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

#!/usr/bin/env bash
# The setup program under wine, in a fresh prefix on a virtual display, as an IT
# department and a machinist would use it: a silent install; the wizard started from its
# Start menu shortcut's target writes its files and starts the viewer; a .nc file opened
# from "Explorer" starts the viewer on it; a type another program owns stays its own; a
# silent uninstall leaves no file, shortcut or registry key of ours while the user's
# files and the viewer's settings stay. The same for one user without administrator
# rights (/CurrentUser). Then the setup's and the uninstaller's pages, clicked through,
# as screenshots, with the Start menu entries and the Apps entry as text beside them.
# Usage: tools/windows/test-setup.sh SETUP.EXE
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
setup="$(realpath "$1")"
work="$root/build-windows/setup-test"
out="${ZIVEK_SHOTS:-$root/shots/windows}/setup"
rm -rf "$work" "$out"
mkdir -p "$work" "$out"

source tools/windows/wine-prefix.sh
zivek_wine_prefix "$work/wine"
zivek_virtual_display "$work"
trap 'wineserver -k 2>/dev/null || true; kill "$zivek_xvfb" 2>/dev/null || true' EXIT
source tools/windows/wine-drive.sh
drive="$WINEPREFIX/drive_c"
profile="$drive/users/$(id -un)"
# (Not the profile's Documents: wine links it to this host's home.)
documents="$drive/İş parçaları"
entry='Software\Microsoft\Windows\CurrentVersion\Uninstall\ZIVEK-VUVEV'

# The keys of wine's registry that name us, but for the viewer's settings (the user's).
# Wine writes its registry files when its server ends.
ourKeys() {
    wineserver -k 2>/dev/null || true
    wineserver -w
    awk 'BEGIN { IGNORECASE = 1 }
         /^\[/ { key = $0; mine = (key ~ /zivek/ && key !~ /^\[Software\\\\zivek\\\\/) }
         mine && !seen[key]++ { print key }
         !/^\[/ && /zivek/ && key !~ /^\[Software\\\\zivek\\\\/ && !seen[key]++ { print key }' \
        "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg"
}
regValue() { # KEY VALUE ("" for the default)
    local name=(/v "$2")
    [[ -z "$2" ]] && name=(/ve)
    wine reg query "$1" "${name[@]}" 2>/dev/null | sed -n 's/.*REG_[A-Z_]*[[:space:]]*//p' | tr -d '\r'
}
same() { [[ "$1" == "$2" ]] || fail "$3: '$1', not '$2'"; }

[[ -z "$(ourKeys)" ]] || fail "the fresh prefix already names us"
# Another program owns .tap already; its files must stay its own.
wine reg add 'HKLM\Software\Classes\.tap' /ve /d Baska.Program /f >/dev/null

# installed FOLDER MENU HIVE: what a silent install must leave.
installed() {
    local folder=$1 menu=$2 hive=$3 file
    for file in zivek-vuvev.exe zivek-backplot.exe uninstall.exe; do
        [[ -f "$folder/$file" ]] || fail "$file not installed in $folder"
    done
    [[ -f "$menu/ZIVEK-VUVEV.lnk" && -f "$menu/ZIVEK-VUVEV takım yolu.lnk" ]] ||
        fail "no Start menu shortcuts in $menu"
    for value in DisplayName DisplayVersion Publisher DisplayIcon EstimatedSize \
        UninstallString QuietUninstallString; do
        [[ -n "$(regValue "$hive\\$entry" "$value")" ]] || fail "the Apps entry has no $value"
    done
    # (Wine's HKEY_CLASSES_ROOT shows the machine's types only, not the user's.)
    same "$(regValue "$hive\Software\Classes\.nc" '')" ZIVEK-VUVEV.GKodu ".nc, which had no program,"
    same "$(regValue 'HKCR\.tap' '')" Baska.Program ".tap, another program's,"
    [[ -n "$(wine reg query "$hive\Software\Classes\.tap\OpenWithProgids" /v ZIVEK-VUVEV.GKodu 2>/dev/null)" ]] ||
        fail ".tap does not offer the viewer under Open with"
    echo "ok: installed in $folder"
}
# removed FOLDER MENU: what a silent uninstall must leave.
removed() {
    [[ ! -e "$1" ]] || fail "$1 is still there: $(ls -A "$1")"
    [[ ! -e "$2" ]] || fail "$2 is still there"
    [[ -z "$(find "$drive" -iname 'ZIVEK-VUVEV*.lnk')" ]] || fail "a shortcut is still there"
    local keys
    keys="$(ourKeys)"
    [[ -z "$keys" ]] || fail "registry keys of ours are still there: $keys"
    same "$(regValue 'HKCR\.tap' '')" Baska.Program ".tap after the uninstall"
    for file in "$drive/ALANTEMIZLEME.TXT" "$drive/A.BAT" "$documents/mil 1.nc"; do
        [[ -f "$file" ]] || fail "the uninstall removed the user's $file"
    done
    same "$(regValue 'HKCU\Software\zivek\zivek-backplot' kalsin)" evet "the viewer's settings"
    echo "ok: removed from $1; the user's files and settings stay"
}
# A Windows command line as the Apps entry holds it: a quoted program and its options.
runCommand() {
    local program="${1#\"}"
    program="${program%%\"*}"
    local options="${1#\"$program\"}"
    # shellcheck disable=SC2086 # the options are words
    wine "$program" $options
}
# The target of a shortcut, as Windows reads it from the link's local path.
target() { strings -a "$1" | grep -m 1 -iE '^[A-Z]:\\.*\.exe$'; }
timed() { # WHAT COMMAND...: runs it to its end, its wine processes too, and notes the time
    local what=$1 start=$SECONDS
    shift
    "$@"
    wineserver -w
    echo "$what: $((SECONDS - start)) s" >>"$out/times.txt"
}

# For every user, as administrator.
programs="$drive/Program Files/ZIVEK-VUVEV"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/ZIVEK-VUVEV"
timed "silent install for every user" wine "$setup" /S /DESKTOP
installed "$programs" "$menu" HKLM
[[ -f "$drive/users/Public/Desktop/ZIVEK-VUVEV.lnk" ]] || fail "no desktop shortcut with /DESKTOP"
(cd "$menu/.." && find ZIVEK-VUVEV | sort) >"$out/start-menu.txt"
wine reg query "HKLM\\$entry" | tr -d '\r' >"$out/apps-entry.txt"
cat "$out/start-menu.txt" "$out/apps-entry.txt"

wizard="$(target "$menu/ZIVEK-VUVEV.lnk")"
same "$wizard" 'C:\Program Files\ZIVEK-VUVEV\zivek-vuvev.exe' "the wizard's shortcut"
same "$(target "$menu/ZIVEK-VUVEV takım yolu.lnk")" \
    'C:\Program Files\ZIVEK-VUVEV\zivek-backplot.exe' "the viewer's shortcut"
pressGKod "$wizard" installed
waitFor "$drive/ALANTEMIZLEME.TXT"
checkFiles "$drive"
checkViewer ALANTEMIZLEME.TXT installed-viewer
wineserver -k || true
sleep 1

# A G-code file opened from Explorer: the shell's own way to a type's program.
command='"C:\Program Files\ZIVEK-VUVEV\zivek-backplot.exe" "%1"'
same "$(regValue 'HKCR\Applications\zivek-backplot.exe\shell\open\command' '')" "$command" \
    "Open with's command"
same "$(regValue 'HKCR\ZIVEK-VUVEV.GKodu\shell\open\command' '')" "$command" "the type's command"
mkdir -p "$documents"
cp "$drive/ALANTEMIZLEME.TXT" "$documents/mil 1.nc"
wine start "C:\\İş parçaları\\mil 1.nc"
checkViewer 'mil 1.nc' open-with-viewer
wineserver -k || true
# The viewer's settings, as it keeps them (the user's, not the setup's).
wine reg add 'HKCU\Software\zivek\zivek-backplot' /v kalsin /d evet /f >/dev/null

quiet="$(regValue "HKLM\\$entry" QuietUninstallString)"
timed "silent uninstall" runCommand "$quiet"
removed "$programs" "$menu"

# For this user only.
programs="$profile/AppData/Local/Programs/ZIVEK-VUVEV"
menu="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/ZIVEK-VUVEV"
timed "silent install for this user" wine "$setup" /S /CurrentUser
installed "$programs" "$menu" HKCU
! wine reg query "HKLM\\$entry" >/dev/null 2>&1 || fail "a per-user install wrote HKLM"
runCommand "$(regValue "HKCU\\$entry" QuietUninstallString)"
wineserver -w
removed "$programs" "$menu"

# The pages, in Turkish, clicked through with the keyboard: the setup's with its
# defaults, then the uninstaller's.
pages() { # TITLE COUNT PREFIX
    local id
    for page in $(seq "$2"); do
        id="$(window "$1")"
        [[ -n "$id" ]] || fail "no window '$1' for page $page"
        sleep 2
        import -window "$id" "$out/$3-$page.png"
        xdotool windowfocus --sync "$id" key Return
    done
}
wine "$setup" &
pages 'ZIVEK-VUVEV 1.0' 5 setup
wineserver -w
wine "C:\\Program Files\\ZIVEK-VUVEV\\uninstall.exe" &
pages 'ZIVEK-VUVEV 1.0' 2 uninstall
wineserver -w
removed "$drive/Program Files/ZIVEK-VUVEV" \
    "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/ZIVEK-VUVEV"
cat "$out/times.txt"
ls "$out"

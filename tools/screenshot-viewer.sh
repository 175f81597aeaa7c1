#!/usr/bin/env bash
# Screenshots of the backplot viewer under a virtual X server, for looking at by eye.
# Usage: tools/screenshot-viewer.sh [build dir]   (default: build-viewer)
# Writes shots/viewer-*.png; shots/ is not tracked.
set -euo pipefail
bash "$(dirname "$0")/install-deps.sh" screenshots >/dev/null

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-viewer"}
viewer="$build/bin/zivek-backplot"
programs="$root/tests/programs"
out="$root/shots"

[ -x "$viewer" ] || { echo "no viewer at $viewer; build the zivek-backplot target" >&2; exit 1; }
mkdir -p "$out"

source "$root/tools/virtual-display.sh"
zivek_virtual_display "$out"
trap 'kill "$zivek_xvfb" 2>/dev/null || true' EXIT INT TERM

shot() {  # shot <name> <viewer argument>
    QT_QPA_PLATFORM=xcb "$viewer" "$2" >/dev/null 2>&1 &
    pid=$!
    sleep 2
    import -window root "$out/viewer-$1.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "$out/viewer-$1.png"
}

shot internal-diameter "$programs/internal_diameter.nc"
shot external-taper "$programs/external_taper.nc"
shot three-tools "$programs/fanuc/three_tools.nc"
shot missing-file "$programs/no-such-program.nc"

# A hand-edited program of the kind a machinist brings from elsewhere.
printf '%s\r\n' '%' 'O0001 (DIS CAP)' 'N10 G54 T0101' 'N20 G0 X0 Z0' 'N30 G1 U-2 F.2' \
    'n40 w-20 ; kaba' 'N50 G2 U2 W-2 R2' 'N60 G0 U5 Q7' 'N70 G0 X0 Z0' 'N80 M30' '%' \
    > "$out/hand-edited.nc"
shot hand-edited "$out/hand-edited.nc"

#!/usr/bin/env bash
# Screenshots of the program under a virtual X server, for looking at by eye:
# the main menu, and each operation window as opened, after "G KOD", with a
# refusal's message box open and with a hint showing; then the same walk on a
# 1366x768 laptop at 200 % (683x384 logical pixels), where every window is drawn smaller.
# Usage: tools/screenshots.sh [build dir]   (default: build; built if needed)
# Writes shots/*.png and shots/laptop-200/*.png; shots/ is not tracked.
set -euo pipefail
bash "$(dirname "$0")/install-deps.sh" screenshots >/dev/null

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
out="$root/shots"

[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target zivek-screenshots zivek-vuvev | grep -v "^\[" || true
[ -x "$build/bin/zivek-screenshots" ] || { echo "build failed" >&2; exit 1; }
mkdir -p "$out"

source "$root/tools/virtual-display.sh"
zivek_virtual_display "$out"
trap 'kill "$zivek_xvfb" 2>/dev/null || true' EXIT INT TERM

QT_QPA_PLATFORM=xcb "$build/bin/zivek-screenshots" "$out"

# The program itself as it starts, captured from outside as a cross-check.
QT_QPA_PLATFORM=xcb "$build/bin/zivek-vuvev" >/dev/null 2>&1 &
app=$!
sleep 2
import -window root "$out/start-screen.png"
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
echo "$out/start-screen.png"
kill "$zivek_xvfb" 2>/dev/null || true

zivek_virtual_display "$out" 1366x768
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 "$build/bin/zivek-screenshots" "$out/laptop-200"

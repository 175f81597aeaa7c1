#!/bin/sh
# Screenshots of the program under a virtual X server, for looking at by eye:
# the main menu, and each operation window as opened, after "G KOD", with a
# refusal's message box open and with a hint showing.
# Usage: tools/screenshots.sh [build dir]   (default: build; built if needed)
# Writes shots/*.png; shots/ is not tracked.
set -eu
bash "$(dirname "$0")/install-deps.sh" screenshots >/dev/null

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
out="$root/shots"
display=:${ZIVEK_SHOT_DISPLAY:-58}

[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target zivek-screenshots zivek-vuvev | grep -v "^\[" || true
[ -x "$build/bin/zivek-screenshots" ] || { echo "build failed" >&2; exit 1; }
mkdir -p "$out"

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT INT TERM
sleep 1

DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/bin/zivek-screenshots" "$out"

# The program itself as it starts, captured from outside as a cross-check.
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/bin/zivek-vuvev" >/dev/null 2>&1 &
app=$!
sleep 2
DISPLAY=$display import -window root "$out/start-screen.png"
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
echo "$out/start-screen.png"

#!/usr/bin/env bash
# Cross-builds the Qt-free core, the program reader and the workpiece with their
# GoogleTest tests for 64-bit Windows and runs them under wine, without a display: the
# reader's subroutine files are read from real folders with Turkish names there too.
# Usage: test-core.sh [build folder] (default build-windows/core).
# Needs g++-mingw-w64-x86-64-posix, googletest and wine (tools/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$(realpath -m "${1:-build-windows/core}")"
tests=(output_tests cycle_tests geometry_tests gcode_tests workpiece_tests)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/tools/windows/mingw-w64.cmake" \
    -DZIVEK_BUILD_GUI=OFF -DZIVEK_BUILD_BENCH=OFF \
    -DZIVEK_GTEST_SOURCE=/usr/src/googletest \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST
cmake --build "$build" --target "${tests[@]}"

# A prefix of its own, no display, and no offer to install Mono or Gecko.
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
trap 'wineserver -k 2>/dev/null || true' EXIT
status=0
for test in "${tests[@]}"; do
    wine "$build/bin/$test.exe" --gtest_brief=1 || status=1
done
exit "$status"

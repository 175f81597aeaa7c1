#!/usr/bin/env bash
# Cross-builds both programs statically for 64-bit Windows with their tests, against the
# static Qt for Windows (tools/windows/build-qt.sh), and runs every test under wine on a
# virtual display: the core's, the viewer's, and the windows' own (Qt Test, on the
# Windows platform plugin, in real windows).
# Usage: test-app.sh QT_PREFIX [build folder] (default build-windows/app)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
qt="$1"
build="$(realpath -m "${2:-build-windows/app}")"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/tools/windows/mingw-w64.cmake" \
    -DZIVEK_BUILD_BENCH=OFF \
    -DZIVEK_GTEST_SOURCE=/usr/src/googletest \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST
cmake --build "$build"

source tools/windows/wine-prefix.sh
zivek_wine_prefix "$build/wine"
zivek_virtual_display "$build"
trap 'wineserver -k 2>/dev/null || true; kill "$zivek_xvfb" 2>/dev/null || true' EXIT
# Every test program of the build: all but the two programs, the screenshot driver, the
# stand-in viewer of the launch test and the move dumper the comparison with rs274 runs.
mapfile -t tests < <(cd "$build/bin" && ls -- *.exe | sed 's/\.exe$//' |
    grep -vxE 'zivek-vuvev|zivek-backplot|zivek-screenshots|viewer_stand_in|dump_moves')
# Test functions that fail under wine only, seen first when CI began to run the Windows
# programs' window tests and not yet understood; they pass on Linux. They still run and
# are printed, and any other failure of their program still fails the step.
known_under_wine=(
    "tst_window_layout WindowLayoutTest::renderedPicturesAreKeptWhole"
    "viewer_units_window_test UnitsWindowTest::pointerReadsBothXs"
    "viewer_window_test MainWindowTest::diameterProgramsShowTheirXAxis"
)
only_known_failures() {  # test program, its Qt Test log
    local function
    while read -r function; do
        [[ " ${known_under_wine[*]} " == *" $1 $function "* ]] || return 1
    done < <(grep -aoE '^FAIL!  : [A-Za-z_:]+' "$2" | sed 's/^FAIL!  : //')
    grep -aqE '^Totals' "$2"  # the program ran to its end
}
failed=()
for test in "${tests[@]}"; do
    printf '\n--- %s\n' "$test"
    if [[ "$test" == *_tests ]]; then  # GoogleTest
        wine "$build/bin/$test.exe" --gtest_brief=1 || failed+=("$test")
    else  # Qt Test, whose report under wine reaches only a file
        log="$build/$test.txt"
        if ! wine "$build/bin/$test.exe" -o "$(winepath -w "$log"),txt"; then
            if only_known_failures "$test" "$log"; then
                echo "(known under wine, not counted)"
            else
                failed+=("$test")
            fi
        fi
        grep -aE '^(FAIL|SKIP|Totals)' "$log" || true
    fi
done
if ((${#failed[@]})); then
    echo "failed under wine: ${failed[*]}" >&2
    exit 1
fi

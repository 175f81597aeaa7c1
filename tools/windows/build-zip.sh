#!/usr/bin/env bash
# The Windows zip from one command on Debian 12, as root: installs what is missing, builds
# Qt base for Windows once into its cache (tools/windows/build-qt.sh), cross-builds both
# programs statically with their tests, runs every test under wine on a virtual display,
# packs build-windows/zivek-vuvev-1.0-win64.zip, and drives the programs in it under wine
# (tools/windows/screenshots.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build="$root/build-windows/app"
zip="$root/build-windows/zivek-vuvev-1.0-win64.zip"

bash tools/install-deps.sh windows
qt="$(bash tools/windows/build-qt.sh | tail -n 1)"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/tools/windows/mingw-w64.cmake" \
    -DZIVEK_BUILD_BENCH=OFF \
    -DZIVEK_GTEST_SOURCE=/usr/src/googletest \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST
cmake --build "$build"

# Every test, each a Windows program, under wine on a virtual display: the core's, the
# viewer's, and the windows' own (Qt Test, on the Windows platform plugin, in real
# windows).
source tools/windows/wine-prefix.sh
zivek_wine_prefix "$build/wine"
zivek_virtual_display "$build"
trap 'wineserver -k 2>/dev/null || true; kill "$zivek_xvfb" 2>/dev/null || true' EXIT
# Every test program of the build: all but the two programs, the screenshot driver and
# the stand-in viewer of the launch test.
mapfile -t tests < <(cd "$build/bin" && ls -- *.exe | sed 's/\.exe$//' |
    grep -vxE 'zivek-vuvev|zivek-backplot|zivek-screenshots|viewer_stand_in')
failed=()
for test in "${tests[@]}"; do
    printf '\n--- %s\n' "$test"
    if [[ "$test" == *_tests ]]; then  # GoogleTest
        wine "$build/bin/$test.exe" --gtest_brief=1 || failed+=("$test")
    else  # Qt Test, whose report under wine reaches only a file
        log="$build/$test.txt"
        wine "$build/bin/$test.exe" -o "$(winepath -w "$log"),txt" || failed+=("$test")
        grep -aE '^(FAIL|SKIP|Totals)' "$log" || true
    fi
done
if ((${#failed[@]})); then
    echo "failed under wine: ${failed[*]}" >&2
    exit 1
fi

# Both programs, stripped, in one folder of the zip.
stage="$root/build-windows/zivek-vuvev-1.0-win64"
rm -rf "$stage" "$zip"
mkdir -p "$stage"
for program in zivek-vuvev zivek-backplot; do
    x86_64-w64-mingw32-strip -o "$stage/$program.exe" "$build/bin/$program.exe"
done
(cd "$root/build-windows" && cmake -E tar cf "$zip" --format=zip zivek-vuvev-1.0-win64)
ls -l "$stage" "$zip"

# What is in the zip, used as a person would: a program written to C: and the viewer on it.
bash tools/windows/screenshots.sh "$stage"
echo "$zip"

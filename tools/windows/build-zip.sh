#!/usr/bin/env bash
# The Windows zip from one command on Debian 12, as root: installs what is missing, builds
# Qt base for Windows once into its cache (tools/windows/build-qt.sh), cross-builds both
# programs statically with their tests, runs every test under wine on a virtual display,
# and packs build-windows/zivek-vuvev-1.0-win64.zip.
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
# viewer's, and the windows' own (Qt Test, on the Windows platform plugin).
source tools/windows/wine-prefix.sh
zivek_wine_prefix "$build/wine"
zivek_virtual_display "$build"
trap 'wineserver -k 2>/dev/null || true; kill "$zivek_xvfb" 2>/dev/null || true' EXIT
failed=()
for test in output_tests cycle_tests geometry_tests viewer_tests \
    tst_window_layout tst_generate tst_output_box tst_navigation viewer_window_test; do
    printf '\n--- %s\n' "$test"
    wine "$build/bin/$test.exe" || failed+=("$test")
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
echo "$zip"

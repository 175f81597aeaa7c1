#!/usr/bin/env bash
# The Windows zip and setup program from one command on Debian 12, as root: installs what
# is missing, builds Qt base for Windows once into its cache (tools/windows/build-qt.sh),
# cross-builds both programs statically with their tests and runs every test under wine
# (tools/windows/test-app.sh), packs build-windows/zivek-vuvev-1.0-win64.zip and
# build-windows/zivek-vuvev-1.0-setup.exe, drives the programs of the zip unpacked into
# a folder of its own under wine (tools/windows/screenshots.sh), and installs, uses and
# uninstalls the setup program under wine (tools/windows/test-setup.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build="$root/build-windows/app"
version="$(sed -nE 's/^project\(zivek-vuvev VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)"
zip="$root/build-windows/zivek-vuvev-$version-win64.zip"
setup="$root/build-windows/zivek-vuvev-$version-setup.exe"

bash tools/install-deps.sh windows
qt="$(bash tools/windows/build-qt.sh | tail -n 1)"
bash tools/windows/test-app.sh "$qt" "$build"

# Both programs, stripped, in one folder of the zip.
stage="$root/build-windows/zivek-vuvev-$version-win64"
rm -rf "$stage" "$zip"
mkdir -p "$stage"
for program in zivek-vuvev zivek-backplot; do
    x86_64-w64-mingw32-strip -o "$stage/$program.exe" "$build/bin/$program.exe"
done
(cd "$root/build-windows" && cmake -E tar cf "$zip" --format=zip "${stage##*/}")
# The same two programs in the setup program, with the programs' own icon.
bash tools/windows/build-setup.sh "$stage" "$build/app/zivek-vuvev-resource/icon.ico" "$setup"
ls -l "$stage" "$zip" "$setup"

# The zip as a person would use it: unpacked into a folder of any name, here one with
# blanks and Turkish letters, a program written to C: and the viewer on it.
unpacked="$root/build-windows/İndirilen dosyalar"
rm -rf "$unpacked"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
bash tools/windows/screenshots.sh "$unpacked/${stage##*/}"
bash tools/windows/test-setup.sh "$setup"
echo "$zip"
echo "$setup"

#!/usr/bin/env bash
# Installs what building, running, testing and packaging need on Debian 12, as root
# (git lists the sources the format step checks);
# skips the package lists when everything is already there. The virtual X server runs
# the tests that need a real display (the Linux selection); Qt's private headers let a
# test switch accessibility on as a running screen reader does. With "screenshots", also
# what the screenshot scripts need (an image grabber); with "windows", what the Windows
# zip needs. LinuxCNC's standalone interpreter (rs274, about 48 MB of downloads) is the
# reference the program reader is compared with, move by move. poppler-utils reads the
# viewer's setup sheet back in its test.
set -euo pipefail
packages=(
    cmake ninja-build g++ pkg-config git
    qt6-base-dev qt6-base-private-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
    qt6-translations-l10n
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    fonts-dejavu-core
    xvfb xauth
    poppler-utils
    dpkg-dev file desktop-file-utils appstream
    g++-mingw-w64-x86-64-posix googletest wine
    linuxcnc-uspace
)
if [[ "${1:-}" == screenshots ]]; then
    packages+=(imagemagick librsvg2-bin)
fi
# The Windows zip and setup: Qt base from Debian's source with Debian's host tools (kept
# as a .tar.zst), the pictures and icon rendered on this host, NSIS for the setup program,
# and a virtual display to run and drive the programs on.
if [[ "${1:-}" == windows ]]; then
    packages+=(qt6-base-dev-tools perl librsvg2-bin icoutils xdotool imagemagick nsis zstd)
fi
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

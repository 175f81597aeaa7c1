#!/usr/bin/env bash
# Builds Qt 6.4.2 base for 64-bit Windows as static libraries, from Debian's own source
# package, once: later runs find the finished cache and return at once. The cache folder
# is the Qt prefix the Windows build uses ($ZIVEK_QT_WIN, by default under ~/.cache).
# Host tools (moc, rcc, uic) come from Debian's qt6-base-dev-tools. Run as root on
# Debian 12; prints the prefix on its last line.
# The finished Qt is also kept as a .tar.zst beside the cache folder
# ($ZIVEK_QT_ARCHIVE, by default qt-6.4.2-win64-static.tar.zst), and taken from there
# when the cache folder is missing; copy that file to another machine to skip the build.
# With --present-only, nothing is built: prints the prefix when a finished Qt is in the
# cache or in the archive, else fails.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cache="${ZIVEK_QT_WIN:-${XDG_CACHE_HOME:-$HOME/.cache}/zivek-vuvev/qt-6.4.2-win64-static}"
src="$cache/src"
prefix="$cache/qt"
# What the programs and their window tests link: the modules (Network for the local
# socket on which a running viewer takes a press's request), the Windows platform
# plugin, the native style, the icon reader and Network's stand-in for TLS (no TLS is
# needed); PrintSupport prints the viewer's setup sheet (its Windows print engine is
# inside the module). Their bundled libraries, resource and plugin initialiser objects
# are found by name in the configured build.
targets=(Core Gui Widgets OpenGL Network PrintSupport Test EntryPointImplementation
    QWindowsIntegrationPlugin QWindowsVistaStylePlugin QICOPlugin QTlsBackendCertOnlyPlugin)
stamp="$prefix/.zivek-complete"
archive="${ZIVEK_QT_ARCHIVE:-$cache.tar.zst}"
# shellcheck source=tools/windows/qt-archive.sh
source "$here/qt-archive.sh"

finished() { [[ -f "$stamp" && "$(cat "$stamp")" == "${targets[*]}" ]]; }
if ! finished && [[ -f "$archive" && ! -f "$prefix/build.ninja" ]]; then
    zivek_qt_unpack "$archive"
fi
if finished; then
    [[ -f "$archive" || "${1:-}" == --present-only ]] || zivek_qt_pack "$archive"
    echo "$prefix"
    exit 0
fi
if [[ "${1:-}" == --present-only ]]; then
    echo "no Qt for Windows in $cache or $archive" >&2
    exit 1
fi

bash "$here/../install-deps.sh" windows >&2

# The source package of the installed Qt: apt needs a deb-src entry for the same suite.
if [[ ! -d "$src" ]]; then
    if ! apt-get indextargets --format '$(TARGET_OF)' 2>/dev/null | grep -qx deb-src; then
        cat >/etc/apt/sources.list.d/zivek-bookworm-src.sources <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
        apt-get update
    fi
    version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
    rm -rf "$cache/download"
    mkdir -p "$cache/download"
    (cd "$cache/download" && apt-get source --only-source "qt6-base=$version")
    mv "$cache/download"/qt6-base-*/ "$src"
    rm -rf "$cache/download"
fi

# The build folder is the prefix itself (Qt's non-installing build), so only the targets
# above need building.
# A build configured before printing was wanted is configured again, in place.
if [[ ! -f "$prefix/build.ninja" ]] ||
    grep -q '^FEATURE_printsupport:BOOL=OFF' "$prefix/CMakeCache.txt" 2>/dev/null; then
    start=$SECONDS
    cmake -S "$src" -B "$prefix" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_SHARED_LIBS=OFF \
        -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DFEATURE_tabletevent=OFF \
        -DFEATURE_sql=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_ssl=OFF -DFEATURE_schannel=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_vulkan=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
    echo "Qt configure: $((SECONDS - start)) s"
fi

pattern="$(IFS='|'; echo "${targets[*]}")"
mapfile -t parts < <(ninja -C "$prefix" -t targets all |
    grep -oE "^(Bundled[A-Za-z0-9]+|($pattern)_(init|resources_[0-9]+)): phony" | sed 's/: phony//' | sort -u)
start=$SECONDS
cmake --build "$prefix" --parallel "${ZIVEK_QT_JOBS:-$(nproc)}" --target "${targets[@]}" "${parts[@]}"
echo "Qt build: $((SECONDS - start)) s"
echo "${targets[*]}" >"$stamp"
zivek_qt_pack "$archive"
echo "$prefix"

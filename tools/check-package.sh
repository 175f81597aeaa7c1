#!/usr/bin/env bash
# Makes the Debian package from a finished build and proves it as a user would meet it:
# validates the desktop entries and the software-centre metadata, installs the package
# with apt, checks what it put where, asks the installed programs for their version (with
# no display) and removes the package again, so the machine stays as it was.
# Usage: tools/check-package.sh [build dir]   (default: build). As root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
package="$build/zivek-vuvev_${version}_$(dpkg --print-architecture).deb"
fail() { echo "check-package: $*" >&2; exit 1; }

rm -f "$package"
(cd "$build" && cpack -G DEB) | { grep -v '^CPack: -' || true; }
[ -f "$package" ] || fail "no package at $package"

desktop-file-validate "$root"/packaging/*.desktop
# The desktop entry's name, zivek-vuvev.desktop, is the name users and menus know, and
# the software-centre id follows it; so the id is not in reverse-DNS form. That one
# remark is shown but let through; every other warning fails.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
    "$root/packaging/zivek-vuvev.metainfo.xml"

# Exactly these files and nothing else: no test, benchmark or fuzz target ships.
expected="/usr/bin/zivek-backplot
/usr/bin/zivek-vuvev
/usr/share/applications/zivek-backplot.desktop
/usr/share/applications/zivek-vuvev.desktop
/usr/share/icons/hicolor/scalable/apps/zivek-vuvev.svg
/usr/share/metainfo/zivek-vuvev.metainfo.xml"
shipped=$(dpkg-deb -c "$package" | awk '$1 !~ /^d/ {sub(/^\./, "", $6); print $6}' | sort)
[ "$shipped" = "$expected" ] || fail "the package holds:
$shipped"

if dpkg-query -W -f='${Status}' zivek-vuvev 2>/dev/null | grep -q "install ok installed"; then
    fail "zivek-vuvev is installed already; remove it first (apt-get purge zivek-vuvev)"
fi
# Waits for another apt that holds the lock rather than failing at once.
quiet_apt() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -y -qq "$@" >/dev/null; }
trap "quiet_apt purge zivek-vuvev" EXIT
quiet_apt install --no-install-recommends "$package"

for program in zivek-vuvev zivek-backplot; do
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "/usr/bin/$program" --version)
    [ "$answer" = "$program $version" ] || fail "$program --version said: $answer"
    echo "$answer"
done
for entry in /usr/share/applications/zivek-vuvev.desktop \
    /usr/share/applications/zivek-backplot.desktop; do
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -f "/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$entry: no icon $icon"
    command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    [ -x "/usr/bin/$command" ] || fail "$entry: no program $command"
done
echo "package $(basename "$package"), $(stat -c %s "$package") bytes:" \
    "$(dpkg-deb -f "$package" Depends)"

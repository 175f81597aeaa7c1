#!/usr/bin/env bash
# CI's Windows step (tools/test-all.sh), runnable alone: with a static Qt for Windows on
# the machine, cross-builds both programs with every test and runs them all under wine;
# without one, the core, the reader and the workpiece only. The Qt is the cache's, or
# the archive in $ZIVEK_QT_ARCHIVE, by default the prebuilt one in the shared folder
# beside the project (../shared/windows-qt/, README), unpacked into the cache once.
set -euo pipefail
cd "$(dirname "$0")/../.."
shared_qt="$PWD/../shared/windows-qt/qt-6.4.2-win64-static.tar.zst"
if [[ -z "${ZIVEK_QT_ARCHIVE:-}" && -f "$shared_qt" ]]; then
    export ZIVEK_QT_ARCHIVE="$shared_qt"
fi
# Building Qt is an hour that CI does not start: only a finished one counts.
if qt="$(bash tools/windows/build-qt.sh --present-only | tail -n 1)"; then
    echo "Qt for Windows in $qt: both programs and every test."
    bash tools/install-deps.sh windows
    bash tools/windows/test-app.sh "$qt" build-windows/app
else
    echo "No Qt for Windows on this machine (README, Windows): the Windows programs are" \
        "not built; only the core's tests run under wine."
    bash tools/windows/test-core.sh build-windows/core
fi

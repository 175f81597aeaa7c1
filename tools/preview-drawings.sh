#!/usr/bin/env bash
# Renders the SVG pictures of resources/ to PNG files in shots/drawings/
# so that they can be looked at:
#   NAME.png          rendered by rsvg-convert
#   NAME.qt.png       rendered by Qt's SVG renderer (QtSvg), as the program
#                     will show it (skipped when Qt 6 development files or a
#                     C++ compiler are missing)
#   NAME.x4.png       the icon, enlarged four times
# The drawings with their boxes on them are the windows themselves:
# tools/screenshots.sh shows them from the windows' own tables.
# Usage: tools/preview-drawings.sh   (from anywhere inside the repository)
set -euo pipefail
bash "$(dirname "$0")/install-deps.sh" screenshots >/dev/null

root="$(cd "$(dirname "$0")/.." && pwd)"
res="$root/resources"
out="$root/shots/drawings"
mkdir -p "$out"

# --- rsvg-convert -----------------------------------------------------------
for svg in "$res"/*.svg; do
    name="$(basename "$svg" .svg)"
    rsvg-convert -o "$out/$name.png" "$svg"
done

# --- QtSvg ------------------------------------------------------------------
qtbin=""
if command -v g++ >/dev/null && pkg-config --exists Qt6Svg Qt6Gui 2>/dev/null; then
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    cat >"$work/render.cpp" <<'EOF'
// Renders each SVG given on the command line at its own size with QtSvg.
// Arguments: pairs of input.svg output.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    int rc = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        QSvgRenderer r(QString::fromLocal8Bit(argv[i]));
        if (!r.isValid()) { std::fprintf(stderr, "invalid: %s\n", argv[i]); rc = 1; continue; }
        QImage img(r.defaultSize(), QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        r.render(&p);
        p.end();
        img.save(QString::fromLocal8Bit(argv[i + 1]));
    }
    return rc;
}
EOF
    # shellcheck disable=SC2046
    if g++ -std=c++17 -fPIC -o "$work/render" "$work/render.cpp" \
            $(pkg-config --cflags --libs Qt6Svg Qt6Gui) 2>"$work/cc.log"; then
        qtbin="$work/render"
    else
        echo "Qt renderer not built (see compiler output below); rsvg only" >&2
        cat "$work/cc.log" >&2
    fi
fi
if [ -n "$qtbin" ]; then
    args=()
    for svg in "$res"/*.svg; do
        name="$(basename "$svg" .svg)"
        args+=("$svg" "$out/$name.qt.png")
    done
    QT_QPA_PLATFORM=offscreen "$qtbin" "${args[@]}" 2> >(grep -v '^QStandardPaths' >&2 || true)
fi

# --- icon enlarged ----------------------------------------------------------
if [ -f "$out/icon.png" ]; then
    convert "$out/icon.png" -filter point -resize 400% "$out/icon.x4.png"
fi

echo "PNG files written to $out"

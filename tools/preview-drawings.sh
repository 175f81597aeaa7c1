#!/usr/bin/env bash
# Renders the SVG pictures of resources/ to PNG files in shots/drawings/
# so that they can be looked at:
#   NAME.png          rendered by rsvg-convert
#   NAME.qt.png       rendered by Qt's SVG renderer (QtSvg), as the program
#                     will show it (skipped when Qt 6 development files or a
#                     C++ compiler are missing)
#   NAME.overlay.png  operation drawings only: the Qt (or rsvg) rendering
#                     with the parameter boxes of the window drawn on top at
#                     their positions, showing their default texts
#   NAME.x4.png       the icon, enlarged four times
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

# --- overlays of the parameter boxes ---------------------------------------
# Box geometry in twips as the windows define it (left top width height),
# measured from the drawing's top-left corner; 15 twips = 1 pixel.
overlay() {
    local name="$1"; shift
    local src="$out/$name.qt.png"
    [ -f "$src" ] || src="$out/$name.png"
    [ -f "$src" ] || return 0
    local draw=()
    while [ $# -gt 0 ]; do
        local l=$(( $1 / 15 )) t=$(( $2 / 15 )) w=$(( $3 / 15 )) h=$(( $4 / 15 )) text="$5"
        shift 5
        draw+=(-fill white -stroke black -strokewidth 1
               -draw "rectangle $l,$t $((l + w - 1)),$((t + h - 1))"
               -fill black -stroke none
               -draw "text $((l + 4)),$((t + h / 2 + 5)) '$text'")
    done
    convert "$src" -font DejaVu-Sans -pointsize 12 "${draw[@]}" "$out/$name.overlay.png"
}

#                       Text2                    Text3                    Text4                  Text5                   Text6
overlay drawing_form11  4800 2280 975 375 60     6000  360 975 405 12     1200 2040 855 375 1    600 4440 975 375 111
overlay drawing_form4   3960 2400 975 375 60     5880  480 975 375 12     1200 2040 975 405 1    1800 4560 855 375 111
overlay drawing_form2   6120  360 855 375 60     3960 1800 855 375 12      360 4200 615 405 1    2280 2760 615 375 111
overlay drawing_form3   8640 2400 855 375 30     6240  240 975 375 100    1320 2160 735 405 1     600 4560 735 405 111   6360 960 855 375 50
overlay drawing_form5   8760 2400 855 375 30     6360  360 855 375 100     120 2880 735 405 1    1920 4200 735 405 111   6360 960 855 375 50

echo "PNG files written to $out"

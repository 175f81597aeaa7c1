# shellcheck shell=bash
# Sourced by build-qt.sh. The finished Qt for Windows as one .tar.zst beside its cache
# folder, for another machine or a cleaned cache: what building the programs needs (the
# static libraries, the generated and forwarding headers, CMake packages, mkspecs, the
# resource and plugin initialiser objects, and the headers of the source tree the
# forwarding headers point into), without the rest of the build (objects already in the
# libraries, generated sources, precompiled headers, Ninja's files). Qt's CMake files name the folder they
# were built in; an archive unpacked elsewhere has that name rewritten.
# Needs: $cache (the cache folder), $prefix, $stamp.

zivek_qt_pack() { # ARCHIVE
    local start=$SECONDS
    echo "$cache" >"$prefix/.zivek-origin"
    (
        cd "$cache" || exit
        {
            find qt -type f ! -path '*/CMakeFiles/*' ! -name '.ninja_*' ! -name '*.ninja' \
                ! -name '*.cpp' ! -path 'qt/config.tests/*'
            find qt -type f -path '*/CMakeFiles/*' -name '*.obj' \
                \( -path '*_init.dir/*' -o -path '*_resources_*.dir/*' \)
            find src/src -type f -name '*.h'
            find src/mkspecs -type f
        } | LC_ALL=C sort | tar -cf - --files-from=- | zstd -q -T0 -12 -o "$1.part"
    )
    mv "$1.part" "$1"
    echo "Qt archive: $(du -h "$1" | cut -f1) in $((SECONDS - start)) s: $1" >&2
}

zivek_qt_unpack() { # ARCHIVE
    local start=$SECONDS origin
    mkdir -p "$cache"
    zstd -q -dc "$1" | tar -xf - -C "$cache"
    origin="$(cat "$prefix/.zivek-origin")"
    if [[ "$origin" != "$cache" ]]; then
        grep -rlIF "$origin" "$prefix" | while IFS= read -r file; do
            sed -i "s|$origin|$cache|g" "$file"
        done
        echo "$cache" >"$prefix/.zivek-origin"
    fi
    echo "Qt archive unpacked in $((SECONDS - start)) s: $1" >&2
}

#!/usr/bin/env bash
# Prints the C++ sources of the tree, each ended by a NUL: the tracked ones in a git
# checkout, and in an unpacked archive (no .git, or no git) every one outside the build
# folders and hidden folders.
set -euo pipefail
cd "$(dirname "$0")/.."
if command -v git >/dev/null 2>&1 && git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z '*.cpp' '*.h'
else
    find . \( -path './build*' -o -path './.*' \) -prune -o \
        -type f \( -name '*.cpp' -o -name '*.h' \) -printf '%P\0' | sort -z
fi

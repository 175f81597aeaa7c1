#!/usr/bin/env bash
# Random LinuxCNC lathe programs compared with rs274 move by move for SECONDS (default 60),
# seeded (SEED, default 1) and reproducible. Uses the reader of the build in "build" (made
# there, without the Qt programs, when there is none); a failing program is left in
# build/random-failures/ to be kept as a test.
#   bash tools/compare-random.sh 60         # every feature: parameters, state, nose
#                                           # compensation, G7x, units, G90.1, G76,
#                                           # coordinate systems, full circles, G43
#   bash tools/compare-random.sh 600 7 --count  # ten minutes, differences counted by kind
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
seed="${2:-1}"
shift $(($# > 2 ? 2 : $#))
if ! command -v rs274 >/dev/null; then
    echo "SKIPPED: rs274 not found (Debian's linuxcnc-uspace)"
    exit 0
fi
if [[ ! -f build/CMakeCache.txt ]]; then
    cmake -S . -B build -G Ninja -DZIVEK_BUILD_GUI=OFF -DZIVEK_BUILD_BENCH=OFF >/dev/null
fi
cmake --build build --target dump_moves -j 2 >/dev/null
python3 tests/differential/random_programs.py --dump build/bin/dump_moves \
    --rs274 "$(command -v rs274)" --seconds "$seconds" --seed "$seed" \
    --keep build/random-failures --with params,state,nose,cycles,units,centres,threads,offsets,circles,tools "$@"

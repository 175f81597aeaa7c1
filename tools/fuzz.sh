#!/usr/bin/env bash
# Fuzzes the press for SECONDS (default 60) with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer. Builds in build-fuzz, runs on a copy of the seed corpus
# there (the committed corpus never grows) and exits non-zero on any crash, leak,
# hang or broken property; the failing input is left in build-fuzz/fuzz-artifacts/.
#   bash tools/fuzz.sh          # one minute
#   bash tools/fuzz.sh 3600     # one hour
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

bash tools/install-deps.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZIVEK_BUILD_FUZZ=ON \
    -DZIVEK_BUILD_GUI=OFF -DZIVEK_BUILD_BENCH=OFF
cmake --build build-fuzz --target press_fuzzer -j 2

work=build-fuzz/fuzz-corpus
artifacts=build-fuzz/fuzz-artifacts
mkdir -p "$work" "$artifacts"
for seed in tests/fuzz/corpus/*; do
    [[ -e "$work/$(basename "$seed")" ]] || cp "$seed" "$work/"
done

# Texts far longer than any box needs still run through the reading rule; 4096 bytes
# keeps each run quick enough to explore.
build-fuzz/bin/press_fuzzer "$work" \
    -dict=tests/fuzz/press.dict \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=4096 \
    -artifact_prefix="$artifacts/" -print_final_stats=1

#!/usr/bin/env bash
# Fuzzes the viewer's reading of program files for SECONDS (default 60) with libFuzzer
# under AddressSanitizer and UndefinedBehaviorSanitizer, as tools/fuzz.sh does the press.
# Builds in build-fuzz, runs on a copy of the seed corpus and exits non-zero on any
# crash, leak, hang or broken property; the failing input is left in
# build-fuzz/viewer-fuzz-artifacts/. "build" only builds both fuzzers.
#   bash tools/fuzz-viewer.sh          # one minute
#   bash tools/fuzz-viewer.sh 3600     # one hour
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

bash tools/install-deps.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZIVEK_BUILD_FUZZ=ON \
    -DZIVEK_BUILD_GUI=OFF -DZIVEK_BUILD_BENCH=OFF
if [[ "$seconds" == build ]]; then
    cmake --build build-fuzz --target press_fuzzer viewer_fuzzer -j 2
    exit 0
fi
cmake --build build-fuzz --target viewer_fuzzer -j 2

work=build-fuzz/viewer-fuzz-corpus
artifacts=build-fuzz/viewer-fuzz-artifacts
mkdir -p "$work" "$artifacts"
for seed in tests/fuzz/viewer-corpus/*; do
    [[ -e "$work/$(basename "$seed")" ]] || cp "$seed" "$work/"
done

# 8 KB programs hold every cycle, call and arc several times over and still run quickly.
build-fuzz/bin/viewer_fuzzer "$work" \
    -dict=tests/fuzz/viewer.dict \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=8192 \
    -artifact_prefix="$artifacts/" -print_final_stats=1

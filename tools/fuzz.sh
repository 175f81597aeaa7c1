#!/usr/bin/env bash
# Runs every fuzzer below for SECONDS (default 60), side by side, with libFuzzer under
# AddressSanitizer and UndefinedBehaviorSanitizer. Builds in build-fuzz, runs each on a
# copy of its seed corpus there (the committed corpus never grows) and exits non-zero
# on any crash, leak, hang or broken property; the failing input is left in
# build-fuzz/fuzz-artifacts/<fuzzer>/.
#   bash tools/fuzz.sh          # one minute each
#   bash tools/fuzz.sh 3600     # one hour each
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

# One line per fuzzer: its target, its seed corpus, its dictionary ("-" for none).
fuzzers=(
    "press_fuzzer tests/fuzz/corpus/press tests/fuzz/press.dict"
    "viewer_fuzzer tests/fuzz/corpus/viewer tests/fuzz/viewer.dict"
)

bash tools/install-deps.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZIVEK_BUILD_FUZZ=ON \
    -DZIVEK_BUILD_GUI=OFF -DZIVEK_BUILD_BENCH=OFF
targets=()
for fuzzer in "${fuzzers[@]}"; do targets+=("${fuzzer%% *}"); done
cmake --build build-fuzz --target "${targets[@]}" -j 2

# The fuzzers run side by side, one a core, so CI waits SECONDS once, not once each.
pids=()
for fuzzer in "${fuzzers[@]}"; do
    read -r target seeds dictionary <<<"$fuzzer"
    work="build-fuzz/fuzz-corpus/$target"
    artifacts="build-fuzz/fuzz-artifacts/$target"
    mkdir -p "$work" "$artifacts"
    for seed in "$seeds"/*; do
        [[ -e "$work/$(basename "$seed")" ]] || cp "$seed" "$work/"
    done
    options=()
    [[ "$dictionary" == - ]] || options+=(-dict="$dictionary")
    # Texts far longer than any box needs still run through the reading rule; 4096
    # bytes keeps each run quick enough to explore, and holds a program with every
    # cycle, call and arc several times over.
    "build-fuzz/bin/$target" "$work" "${options[@]}" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
        -artifact_prefix="$artifacts/" -print_final_stats=1 >"build-fuzz/$target.log" 2>&1 &
    pids+=($!)
done
failed=0
for i in "${!pids[@]}"; do
    target="${fuzzers[$i]%% *}"
    if wait "${pids[$i]}"; then
        echo "$target: no fault found"
        tail -n 7 "build-fuzz/$target.log"
    else
        echo "$target: FAILED"
        tail -n 60 "build-fuzz/$target.log"
        failed=1
    fi
done
exit "$failed"

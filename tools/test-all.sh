#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the README's test command and
# what CI runs on a clean clone. Each step stops the run on its first failure and says
# how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."

started=$SECONDS
step() {
    if [[ -n "${current:-}" ]]; then printf '=== %s: %ss\n' "$current" $((SECONDS - started)); fi
    current="$*"
    started=$SECONDS
    printf '\n=== %s\n' "$current"
}
trap 'printf "=== %s: %ss\n" "$current" $((SECONDS - started))' EXIT

step "install what is missing"
bash tools/install-deps.sh

step "format of every tracked source"
bash tools/list-sources.sh | xargs -0 clang-format --dry-run -Werror

# Optimised as far as a release is (-O3, whose analysis finds warnings -O2 does not),
# without debug information: the tests do not need it, and it is a fifth of the build.
step "build with warnings as errors and test"
cmake -S . -B build -G Ninja -DZIVEK_WARNINGS_AS_ERRORS=ON -DCMAKE_BUILD_TYPE=Release
cmake --build build
ctest --test-dir build --output-on-failure -j 2

# Every test again with AddressSanitizer and UndefinedBehaviorSanitizer, in a folder of
# its own; the benchmarks are left out. Optimised a little and without debug
# information, which keeps the build short while reports still name their functions.
step "build with sanitizers and test"
cmake -S . -B build-sanitize -G Ninja -DZIVEK_SANITIZE=ON -DZIVEK_WARNINGS_AS_ERRORS=ON \
    -DZIVEK_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_CXX_FLAGS_SANITIZE=-O1
cmake --build build-sanitize
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
    ctest --test-dir build-sanitize --output-on-failure -j 2

step "Debian package: build, validate, install, run, remove"
bash tools/check-package.sh build

# Both programs and every test when a static Qt for Windows is in the cache or its
# archive (the shared folder's by default), else the core only: tools/windows/test-windows.sh.
step "Windows: cross-built and run under wine"
bash tools/windows/test-windows.sh

# Random programs against LinuxCNC's interpreter run beside the fuzzers, for the same minute.
step "fuzz the press and the viewer, and random programs against rs274, side by side"
bash tools/compare-random.sh 60 &
random=$!
bash tools/fuzz.sh 60
wait "$random"

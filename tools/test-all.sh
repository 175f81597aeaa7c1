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

# Without debug information: the tests do not need it, and it is a fifth of the build.
step "build with warnings as errors and test"
cmake -S . -B build -G Ninja -DZIVEK_WARNINGS_AS_ERRORS=ON \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG"
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

# The Qt programs for Windows need the static Qt for Windows, an hour's build that CI does
# not start: they are built and their tests run when a finished one is in the cache or
# in its .tar.zst (tools/windows/build-qt.sh, README); without it, the core only.
step "Windows: cross-built and run under wine"
if qt="$(bash tools/windows/build-qt.sh --present-only | tail -n 1)"; then
    echo "Qt for Windows in $qt: both programs and every test."
    bash tools/install-deps.sh windows
    bash tools/windows/test-app.sh "$qt" build-windows/app
else
    echo "No Qt for Windows on this machine (README, Windows): the Windows programs are" \
        "not built; only the core's tests run under wine."
    bash tools/windows/test-core.sh build-windows/core
fi

# Random programs against LinuxCNC's interpreter run beside the fuzzers, for the same minute.
step "fuzz the press and the viewer, and random programs against rs274, side by side"
bash tools/compare-random.sh 60 &
random=$!
bash tools/fuzz.sh 60
wait "$random"

#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the README's test command and
# what CI runs on a clean clone. Each step stops the run on its first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

step() { printf '\n=== %s\n' "$*"; }

step "install what is missing"
bash tools/install-deps.sh

step "build and test"
cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure

step "Debian package: build, validate, install, run, remove"
bash tools/check-package.sh build

step "fuzz the press"
bash tools/fuzz.sh 60

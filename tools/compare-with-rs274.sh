#!/usr/bin/env bash
# Compares the reader of a build with LinuxCNC's interpreter (rs274) move by move and
# prints one result a program. With no PROGRAM, the committed corpus (LinuxCNC's shipped
# lathe programs and tests/programs/linuxcnc/*.ngc), expected failures marked.
#   tools/compare-with-rs274.sh build                      # the corpus
#   tools/compare-with-rs274.sh build my.ngc other.ngc     # any programs
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:?usage: compare-with-rs274.sh BUILD_DIR [PROGRAM...]}"
shift
cmake --build "$build" --target dump_moves >/dev/null
args=(--dump "$build/bin/dump_moves")
if (($#)); then args+=("$@"); else args+=(--corpus); fi
exec python3 "$root/tests/differential/compare.py" "${args[@]}"

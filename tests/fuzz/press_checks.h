#pragma once

// The properties every press must keep, checked after each fuzzed press. Built
// without coverage instrumentation, so that the fuzzer's guidance and time go to the
// core rather than to the checks.

#include "cycles/cycles.h"
#include "geometry/program_shapes.h"
#include "output/press.h"

namespace zivek::fuzz {

// The folder of every press: created once per process, removed when it ends normally.
const OutputPlace& place();

// Fills both files with a marker, so that a refusal which touched either shows.
void markFilesUntouched();

// Traps on the first broken property of this press.
void checkPress(testing::Operation operation, const BoxTexts& boxes, const PressResult& result);

}  // namespace zivek::fuzz

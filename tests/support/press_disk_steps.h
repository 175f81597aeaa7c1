#pragma once

#include <array>

#include "support/memory_disk.h"

namespace zivek::testing {

// What a file holds once a press has stopped at a fault. Before the press the output
// file holds an earlier program and the batch file earlier bytes.
enum class Holds { Earlier, Absent, Empty, BatchLines, RawProgram, Program };

enum class Which { Output, Batch };

// Every file operation of a successful press in its order, and what a fault at that
// operation leaves: whether the output box was already emptied, and what each file
// holds. A program of one block is written in one write.
struct PressDiskStep {
    DiskStep step;
    Which file;
    bool boxCleared;
    Holds output;
    Holds batch;
};

inline constexpr std::array<PressDiskStep, 14> pressDiskSteps = {{
    {DiskStep::Create, Which::Output, false, Holds::Earlier, Holds::Earlier},
    {DiskStep::Close, Which::Output, false, Holds::Empty, Holds::Earlier},
    {DiskStep::Create, Which::Batch, false, Holds::Empty, Holds::Earlier},
    {DiskStep::Write, Which::Batch, false, Holds::Empty, Holds::Empty},
    {DiskStep::Close, Which::Batch, false, Holds::Empty, Holds::BatchLines},
    {DiskStep::Remove, Which::Output, false, Holds::Empty, Holds::BatchLines},
    {DiskStep::Create, Which::Output, true, Holds::Absent, Holds::BatchLines},
    {DiskStep::Write, Which::Output, true, Holds::Empty, Holds::BatchLines},
    {DiskStep::Close, Which::Output, true, Holds::RawProgram, Holds::BatchLines},
    {DiskStep::Read, Which::Output, true, Holds::RawProgram, Holds::BatchLines},
    {DiskStep::Remove, Which::Output, true, Holds::RawProgram, Holds::BatchLines},
    {DiskStep::Create, Which::Output, true, Holds::Absent, Holds::BatchLines},
    {DiskStep::Write, Which::Output, true, Holds::Empty, Holds::BatchLines},
    {DiskStep::Close, Which::Output, true, Holds::Program, Holds::BatchLines},
}};

}  // namespace zivek::testing

#include "output/press.h"

#include <array>
#include <cstdint>
#include <span>

#include "output/batch_file.h"
#include "output/control_names.h"
#include "output/line_writer.h"
#include "output/reading_rule.h"
#include "output/shared_checks.h"

namespace zivek {
namespace {

constexpr std::array<Box, 3> sharedBoxes = {{
    {control::Text14, &Parameters::coolantCommand},
    {control::Text12, &Parameters::spindleCommand},
    {control::Text13, &Parameters::spindleSpeed},
}};

void readInto(Parameters& values, std::span<const Box> boxList, const BoxTexts& boxes) {
    for (const Box& box : boxList) {
        const auto text = boxes.find(box.name);
        values.*box.parameter = text == boxes.end() ? 0.0 : readNumber(text->second);
    }
}

Parameters readBoxes(const Cycle& cycle, const BoxTexts& boxes) {
    Parameters values;
    readInto(values, cycle.boxes, boxes);
    if (cycle.derive != nullptr) cycle.derive(values);
    readInto(values, sharedBoxes, boxes);
    return values;
}

void writeBatchFile(Disk& disk, const std::filesystem::path& batchFile) {
    const auto file = disk.create(batchFile);
    LineWriter lines(*file);
    for (const std::string_view line : batchFileLines) lines.word(line).endLine();
    lines.flush();
    file->close();
}

// The output file exists, empty, and the batch file holds its lines: the state in which
// the box is cleared and the program begins.
void prepareOutput(Disk& disk, const OutputPlace& place) {
    disk.create(place.outputFile())->close();
    writeBatchFile(disk, place.batchFile());
    disk.remove(place.outputFile());
}

void writeProgram(const Cycle& cycle, const Parameters& values, LineWriter& lines) {
    lines.word(values.coolantCommand == 1 ? "M08" : "M09").endLine();
    lines.word(values.spindleCommand == 0 ? "M03" : "M04").endLine();
    lines.word("S").number(values.spindleSpeed).endLine();
    const PassPlan plan = cycle.prepare(values);
    lines.word("G54").endLine();
    lines.word("G0").word("X").zero().word("Y").zero().endLine();
    cycle.writePasses(values, plan, lines);
    lines.word("M05").endLine();
    lines.word("M30").endLine();
    lines.word("%").endLine();
}

// The program's lines in their raw text, blanks included; returns the bytes written.
std::uint64_t writeRawProgram(Disk& disk, const Cycle& cycle, const Parameters& values,
                              const std::filesystem::path& outputFile) {
    const auto file = disk.create(outputFile);
    LineWriter lines(*file);
    writeProgram(cycle, values, lines);
    lines.flush();
    file->close();
    return lines.written();
}

void appendWithoutBlanks(std::string& out, std::string_view block) {
    const std::size_t start = out.size();
    out.resize(start + block.size());
    char* to = out.data() + start;
    // Branch-free: blanks stand every few characters, so a test per character would
    // mispredict all the time.
    for (const char c : block) {
        *to = c;
        to += (c != ' ');
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
}

// The output box text: the file read back with every blank removed. Removing them once
// over the whole text gives what removing them line by line would.
std::string readWithoutBlanks(Disk& disk, const std::filesystem::path& outputFile,
                              std::uint64_t rawSize) {
    std::string program;
    program.reserve(static_cast<std::size_t>(rawSize));
    disk.read(outputFile, [&](std::string_view block) { appendWithoutBlanks(program, block); });
    return program;
}

// The file becomes the box text and one more line end. It replaces the raw text in a
// new file rather than in the cut old one: the same bytes at the same path, without
// the forced early write-out that some file systems give a file cut to zero right
// after it was written.
void rewriteProgram(Disk& disk, const std::filesystem::path& outputFile,
                    const std::string& program) {
    disk.remove(outputFile);
    const auto file = disk.create(outputFile);
    LineWriter lines(*file);
    lines.text(program).endLine();
    lines.flush();
    file->close();
}

// Both files at one place. The output box, once cleared by an earlier attempt, stays
// cleared.
void writeFiles(Disk& disk, const Cycle& cycle, const Parameters& values, const OutputPlace& place,
                PressResult& result) {
    try {
        prepareOutput(disk, place);
        result.outputBoxCleared = true;
        const std::uint64_t rawSize = writeRawProgram(disk, cycle, values, place.outputFile());
        result.programText = readWithoutBlanks(disk, place.outputFile(), rawSize);
        rewriteProgram(disk, place.outputFile(), result.programText);
        result.outcome = PressResult::Outcome::Written;
    } catch (const FileFault& fault) {
        result.outcome = PressResult::Outcome::FileFault;
        result.faultyFile = fault.file;
        result.programText.clear();
    }
}

}  // namespace

std::string PressResult::message() const {
    switch (outcome) {
        case Outcome::Refused:
            return std::string(messageText(refusal));
        case Outcome::FileFault:
            return fileFaultText(faultyFile);
        case Outcome::Written:
            break;
    }
    return {};
}

PressResult press(const Cycle& cycle, const BoxTexts& boxes, const OutputPlace& place,
                  ViewerLauncher& viewer, Disk& disk) {
    PressResult result;
    const Parameters values = readBoxes(cycle, boxes);
    if (const auto refusal = firstRefusal(cycle, values)) {
        result.refusal = *refusal;
        return result;
    }
    std::filesystem::path folder = place.folder;
    writeFiles(disk, cycle, values, OutputPlace{folder}, result);
    if (!result.written() && !place.fallbackFolder.empty()) {
        // Quietly, both files at the other place; only its fault is worth telling.
        folder = place.fallbackFolder;
        writeFiles(disk, cycle, values, OutputPlace{folder}, result);
    }
    if (result.written()) {
        const OutputPlace used{folder};
        viewer.start(used.batchFile(), used.outputFile(),
                     cycle.workpiece != nullptr ? cycle.workpiece(values) : Workpiece{});
    }
    return result;
}

}  // namespace zivek

#include "output/press.h"

#include <array>
#include <cstdint>
#include <span>

#include "output/batch_file.h"
#include "output/blank_removal.h"
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

// A guess at the raw text of a pass, on the large side: three lines of a dozen
// characters and more, the blanks around the numbers included. Room made and never
// used costs only address space.
constexpr std::size_t rawBytesPerPass = 64;

// The program's lines in their raw text, blanks included, in one write; returns them.
std::string writeRawProgram(Disk& disk, const Cycle& cycle, const Parameters& values,
                            std::uint64_t passes, const std::filesystem::path& outputFile) {
    const auto file = disk.create(outputFile);
    LineWriter lines(*file, static_cast<std::size_t>(passes + 3) * rawBytesPerPass);
    writeProgram(cycle, values, lines);
    lines.flush();
    file->close();
    return lines.release();
}

// The output box text: the file read back, into the memory of the raw lines, with
// every blank removed in place. Removing them once over the whole text gives what
// removing them line by line would.
void readWithoutBlanks(Disk& disk, const std::filesystem::path& outputFile, std::string& program) {
    disk.read(outputFile, program);
    program.resize(copyWithoutBlanks(program, program.data()));
}

// The file becomes the box text and one more line end, in one write: the line end
// stands for a moment in the room the blanks left. It replaces
// the raw text in a new file rather than in the cut old one: the same bytes at the
// same path, without the forced early write-out that some file systems give a file cut
// to zero right after it was written.
void rewriteProgram(Disk& disk, const std::filesystem::path& outputFile, std::string& program) {
    disk.remove(outputFile);
    const auto file = disk.create(outputFile);
    program.append(lineEnd);
    file->write(program);
    program.resize(program.size() - lineEnd.size());
    file->close();
}

// Both files at one place. The output box, once cleared by an earlier attempt, stays
// cleared.
void writeFiles(Disk& disk, const Cycle& cycle, const Parameters& values, std::uint64_t passes,
                const OutputPlace& place, PressResult& result) {
    try {
        prepareOutput(disk, place);
        result.outputBoxCleared = true;
        result.programText = writeRawProgram(disk, cycle, values, passes, place.outputFile());
        readWithoutBlanks(disk, place.outputFile(), result.programText);
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
    std::uint64_t passes = 0;
    if (const auto refusal = firstRefusal(cycle, values, &passes)) {
        result.refusal = *refusal;
        return result;
    }
    std::filesystem::path folder = place.folder;
    writeFiles(disk, cycle, values, passes, OutputPlace{folder}, result);
    if (!result.written() && !place.fallbackFolder.empty()) {
        // Quietly, both files at the other place; only its fault is worth telling.
        folder = place.fallbackFolder;
        writeFiles(disk, cycle, values, passes, OutputPlace{folder}, result);
    }
    if (result.written()) {
        const OutputPlace used{folder};
        viewer.start(used.batchFile(), used.outputFile(),
                     cycle.workpiece != nullptr ? cycle.workpiece(values) : Workpiece{});
    }
    return result;
}

}  // namespace zivek

#include "output/press.h"

#include <algorithm>

#include "output/line_writer.h"
#include "output/output_file.h"
#include "output/reading_rule.h"
#include "output/shared_checks.h"

namespace zivek {
namespace {

Parameters readBoxes(const Cycle& cycle, const BoxTexts& boxes) {
    Parameters values;
    for (const Box& box : cycle.boxes) {
        const auto text = boxes.find(box.name);
        values.*box.parameter = text == boxes.end() ? 0.0 : readNumber(text->second);
    }
    if (cycle.derive != nullptr) cycle.derive(values);
    return values;
}

// The viewer's folder and command; the same 89 bytes at every press.
void writeBatchFile(const std::filesystem::path& batchFile) {
    OutputFile file(batchFile);
    LineWriter lines(file);
    for (const char* line : {"Cls", "CD\\", "Cls", "cd\\", "C:", "cd Program Files",
                             "cd NCPlot v2.05", "NCPlot.exe/ALANTEMIZLEME.TXT"})
        lines.word(line).endLine();
    lines.flush();
    file.close();
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

}  // namespace

std::string PressResult::message() const {
    switch (outcome) {
        case Outcome::Refused: return std::string(messageText(refusal));
        case Outcome::FileFault: return fileFaultText(faultyFile);
        case Outcome::Written: break;
    }
    return {};
}

Verdict checkBoxes(const Cycle& cycle, const BoxTexts& boxes) {
    const auto refusal = firstRefusal(cycle, readBoxes(cycle, boxes));
    return refusal ? Verdict{true, *refusal} : Verdict{};
}

PressResult press(const Cycle& cycle, const BoxTexts& boxes, const OutputPlace& place,
                  ViewerLauncher& viewer) {
    PressResult result;
    const Parameters values = readBoxes(cycle, boxes);
    if (const auto refusal = firstRefusal(cycle, values)) {
        result.refusal = *refusal;
        return result;
    }
    const auto outputFile = place.outputFile();
    const auto batchFile = place.batchFile();
    try {
        OutputFile::truncate(outputFile);
        writeBatchFile(batchFile);
        OutputFile::remove(outputFile);
        result.outputBoxCleared = true;
        {
            OutputFile file(outputFile);
            LineWriter lines(file);
            writeProgram(cycle, values, lines);
            lines.flush();
            file.close();
        }
        // The box shows the program without blanks; removing them once over the whole
        // text gives what removing them line by line would.
        std::string program = OutputFile::readAll(outputFile);
        std::erase(program, ' ');
        {
            OutputFile file(outputFile);
            LineWriter lines(file);
            lines.text(program).endLine();
            lines.flush();
            file.close();
        }
        result.outcome = PressResult::Outcome::Written;
        result.programText = std::move(program);
    } catch (const FileFault& fault) {
        result.outcome = PressResult::Outcome::FileFault;
        result.faultyFile = fault.file;
        return result;
    }
    viewer.start(batchFile, outputFile);
    return result;
}

}  // namespace zivek

// Subroutines that live in files of their own, as LinuxCNC finds them on its subroutine
// path: "o<turning> call" runs "o<turning> sub" ... "o<turning> endsub" of turning.ngc
// from the first folder that has that file. What such a file draws belongs to the
// program's line that called it, for the viewer shows the program, not the file.

#include <algorithm>
#include <system_error>

#include "gcode/interpreter.h"
#include "zivek/gcode/program_file.h"

namespace zivek::gcode {
namespace {

// The file a subroutine name is looked for in: "<Turning>" and "<tur ning>" are both
// turning.ngc, as LinuxCNC reads a name in lower case without blanks. A name that would
// lead out of the folder is none.
std::string fileNameOf(std::string_view name) {
    std::string file;
    for (const char c : name) {
        if (c == '<' || c == '>' || c == ' ' || c == '\t') continue;
        if (c == '/' || c == '\\' || c == ':' || c == '\0') return {};
        file += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    if (file.empty() || file == "." || file == "..") return {};
    return file + ".ngc";
}

}  // namespace

Interpreter::SourceFile* Interpreter::subroutineFile(std::string_view name) {
    const std::string file = fileNameOf(name);
    if (file.empty() || folders_.empty()) return nullptr;
    const auto known = files_.find(file);
    if (known != files_.end()) return known->second.get();
    std::unique_ptr<SourceFile>& slot = files_[file];
    for (const std::filesystem::path& folder : folders_) {
        std::error_code ec;
        // The name is UTF-8 whatever the system's code page (Windows reads narrow
        // names in its own).
        const std::filesystem::path path = folder / std::u8string(file.begin(), file.end());
        if (!std::filesystem::is_regular_file(path, ec)) continue;
        LoadedProgram loaded = loadProgramFile(path);
        if (loaded.status != LoadStatus::Ok) continue;
        // Reading a file is work like running its lines: a program that calls files
        // without end stops at the budget as a loop does.
        if (!spend(loaded.text.size() / 16 + 1)) return nullptr;
        slot = std::make_unique<SourceFile>();
        slot->text = std::move(loaded.text);
        slot->view = slot->text;
        slot->starts = lineStarts(slot->text);
        break;
    }
    return slot.get();
}

void Interpreter::exchangeSource(SourceFile& f) {
    std::swap(text_, f.view);
    std::swap(starts_, f.starts);
    std::swap(numbers_, f.numbers);
    std::swap(numbersBuilt_, f.numbersBuilt);
    std::swap(subs_, f.subs);
    std::swap(subsBuilt_, f.subsBuilt);
    std::swap(flowLines_, f.flowLines);
    std::swap(flowBuilt_, f.flowBuilt);
}

bool Interpreter::inSubroutineFile(std::string_view name,
                                   const std::function<void(const Sub&)>& body) {
    SourceFile* file = subroutineFile(name);
    if (file == nullptr) {
        const std::string shown = fileNameOf(name);
        if (!stop_)
            warn(Warning::SubroutineFileMissing, shown.empty() ? "o" + std::string(name) : shown);
        return false;
    }
    // A file that calls itself again, directly or through another, reads from a copy of
    // its text's lines: its own slot holds the source that first called it.
    SourceFile again;
    SourceFile& source = file->running ? again : *file;
    if (file->running) {
        again.view = file->text;
        again.starts = lineStarts(file->text);
    }
    const bool wasRunning = file->running;
    file->running = true;
    const std::uint32_t callLine = fileDepth_ == 0 ? line_ : fileCallLine_;
    exchangeSource(source);
    const Sub* sub = findSub(name);
    if (sub != nullptr) {
        const std::uint32_t outerCallLine = fileCallLine_;
        fileCallLine_ = callLine;
        ++fileDepth_;
        body(*sub);
        --fileDepth_;
        fileCallLine_ = outerCallLine;
    }
    exchangeSource(source);
    file->running = wasRunning;
    if (sub == nullptr)
        warn(Warning::SubroutineFileMissing, fileNameOf(name) + ": o" + std::string(name));
    return sub != nullptr;
}

}  // namespace zivek::gcode

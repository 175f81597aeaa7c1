// Subroutines that live in files of their own, as LinuxCNC finds them on its subroutine
// path: "o<turning> call" runs "o<turning> sub" ... "o<turning> endsub" of turning.ngc,
// which the options' subroutine source gives. What such a file draws belongs to the
// program's line that called it, for the viewer shows the program, not the file.

#include <utility>

#include "gcode/interpreter.h"
#include "gcode/subroutine_folders.h"

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

std::shared_ptr<const SubroutineSource> Interpreter::subroutinesOf(const ReadOptions& options) {
    if (options.subroutines != nullptr || options.subroutineFolders.empty())
        return options.subroutines;
    return std::make_shared<SubroutineFolders>(options.subroutineFolders);
}

ProgramSource* Interpreter::subroutineFile(std::string_view name) {
    const std::string file = fileNameOf(name);
    if (file.empty() || subroutines_ == nullptr) return nullptr;
    const auto known = files_.find(file);
    if (known != files_.end()) return known->second.get();
    std::unique_ptr<ProgramSource>& slot = files_[file];
    std::optional<std::string> text = subroutines_->read(file);
    if (!text) return nullptr;
    // Reading a file is work like running its lines: a program that calls files without
    // end stops at the budget as a loop does.
    if (!spend(text->size() / 16 + 1)) return nullptr;
    slot = std::make_unique<ProgramSource>(std::move(*text));
    return slot.get();
}

bool Interpreter::inSubroutineFile(std::string_view name,
                                   const std::function<void(const Sub&)>& body) {
    ProgramSource* file = subroutineFile(name);
    if (file == nullptr) {
        const std::string shown = fileNameOf(name);
        if (!flow_.stopped())
            warn(Warning::SubroutineFileMissing,
                 shown.empty() ? std::string("o").append(name) : shown);
        return false;
    }
    const Sub* sub = file->findSub(name);
    if (sub == nullptr) {
        warn(Warning::SubroutineFileMissing, fileNameOf(name) + ": o" + std::string(name));
        return false;
    }
    // A file that calls itself again, directly or through another, is on the stack twice:
    // nothing of its own changes while it runs.
    if (!readingFile()) fileCallLine_ = line_;
    sources_.push_back(top_ = file);
    body(*sub);
    sources_.pop_back();
    top_ = sources_.back();
    return true;
}

}  // namespace zivek::gcode

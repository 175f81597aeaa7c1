// Prints the reader's moves of one program in the line format the comparison with
// LinuxCNC's interpreter reads, one move a line:
//   <line> <G0|G1|G2|G3> <from z> <from x> <z> <x> [<centre z> <centre x>]
// and on standard error each move LinuxCNC refuses under nose compensation and each
// cycle the reader could not expand (where LinuxCNC stops the program):
//   refused <line> <why>
//   incomplete <line>
// X is a radius (true geometry), as LinuxCNC's canonical calls give it under G7 too.
// The program is read as LinuxCNC reads it: its dialect is given, not guessed, and
// o<name> calls find name.ngc in the program's folder, then in the folders of
// --subroutine-path (separated as in PATH, as LinuxCNC's SUBROUTINE_PATH is); G43 takes
// its offsets from the tool table --tools names.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "zivek/gcode/tool_table.h"
#include "zivek/gcode/toolpath.h"

namespace {

using zivek::gcode::MoveKind;

const char* codeOf(const zivek::gcode::Move& m, const zivek::gcode::Arc* arc) {
    if (arc) return arc->ccw ? "G3" : "G2";
    return m.kind == MoveKind::Rapid ? "G0" : "G1";
}

#ifdef _WIN32
constexpr char kListSeparator = ';';
#else
constexpr char kListSeparator = ':';
#endif

void addFolders(std::string_view list, std::vector<std::filesystem::path>& folders) {
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(kListSeparator), list.size());
        if (end > 0) folders.emplace_back(std::string(list.substr(0, end)));
        list.remove_prefix(std::min(end + 1, list.size()));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* folders = nullptr;
    const char* tools = nullptr;
    int arg = 1;
    for (; arg + 1 < argc; arg += 2) {
        if (std::strcmp(argv[arg], "--subroutine-path") == 0) {
            folders = argv[arg + 1];
        } else if (std::strcmp(argv[arg], "--tools") == 0) {
            tools = argv[arg + 1];
        } else {
            break;
        }
    }
    if (arg != argc - 1) {
        std::fprintf(stderr, "usage: %s [--subroutine-path FOLDERS] [--tools TABLE] PROGRAM\n",
                     argv[0]);
        return 2;
    }
    const char* program = argv[arg];
    std::ifstream in(program, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", program);
        return 2;
    }
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    zivek::gcode::ReadOptions options;
    options.autoDialect = false;
    options.dialect = zivek::gcode::Dialect::LinuxCnc;
    options.subroutineFolders.push_back(std::filesystem::absolute(program).parent_path());
    if (folders != nullptr) addFolders(folders, options.subroutineFolders);
    if (tools != nullptr) {
        auto table = zivek::gcode::readToolTableFile(tools);
        for (const auto& fault : table.faults)
            std::fprintf(stderr, "table %zu %s\n", fault.line, fault.word.c_str());
        options.tools = std::make_shared<const zivek::gcode::ToolTable>(std::move(table.table));
    }
    const auto path = zivek::gcode::interpret(text, options);
    for (std::size_t i = 0; i < path.moves.size(); ++i) {
        const auto& m = path.moves[i];
        const auto* arc = path.arcOf(i);
        std::printf("%u %s %.9f %.9f %.9f %.9f", m.line + 1, codeOf(m, arc), m.from.z, m.from.x,
                    m.to.z, m.to.x);
        if (arc) std::printf(" %.9f %.9f", arc->center.z, arc->center.x);
        std::printf("\n");
    }
    for (const auto& w : path.warnings) {
        if (w.code == zivek::gcode::Warning::CompensationRefused)
            std::fprintf(stderr, "refused %u %s\n", w.line + 1, zivek::gcode::faultKey(w.fault));
        if (w.code == zivek::gcode::Warning::CycleIncomplete)
            std::fprintf(stderr, "incomplete %u\n", w.line + 1);
    }
    return 0;
}

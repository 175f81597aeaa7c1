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
// --subroutine-path (separated as in PATH, as LinuxCNC's SUBROUTINE_PATH is).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "zivek/gcode/toolpath.h"

namespace {

using zivek::backplot::MoveKind;

const char* codeOf(const zivek::backplot::Move& m, const zivek::backplot::Arc* arc) {
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
    const bool withPath = argc == 4 && std::strcmp(argv[1], "--subroutine-path") == 0;
    if (argc != 2 && !withPath) {
        std::fprintf(stderr, "usage: %s [--subroutine-path FOLDERS] PROGRAM\n", argv[0]);
        return 2;
    }
    const char* program = argv[argc - 1];
    std::ifstream in(program, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", program);
        return 2;
    }
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    zivek::backplot::ReadOptions options;
    options.autoDialect = false;
    options.dialect = zivek::backplot::Dialect::LinuxCnc;
    options.subroutineFolders.push_back(std::filesystem::absolute(program).parent_path());
    if (withPath) addFolders(argv[2], options.subroutineFolders);
    const auto path = zivek::backplot::interpret(text, options);
    for (std::size_t i = 0; i < path.moves.size(); ++i) {
        const auto& m = path.moves[i];
        const auto* arc = path.arcOf(i);
        std::printf("%u %s %.9f %.9f %.9f %.9f", m.line + 1, codeOf(m, arc), m.from.z, m.from.x,
                    m.to.z, m.to.x);
        if (arc) std::printf(" %.9f %.9f", arc->center.z, arc->center.x);
        std::printf("\n");
    }
    for (const auto& w : path.warnings) {
        if (w.code == zivek::backplot::Warning::CompensationRefused)
            std::fprintf(stderr, "refused %u %s\n", w.line + 1, w.word.c_str());
        if (w.code == zivek::backplot::Warning::CycleIncomplete)
            std::fprintf(stderr, "incomplete %u\n", w.line + 1);
    }
    return 0;
}

// Prints the reader's moves of one program in the line format the comparison with
// LinuxCNC's interpreter reads, one move a line:
//   <line> <G0|G1|G2|G3> <from z> <from x> <z> <x> [<centre z> <centre x>]
// X is a radius (true geometry), as LinuxCNC's canonical calls give it under G7 too.
// The program is read as LinuxCNC reads it: its dialect is given, not guessed.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "gcode/toolpath.h"

namespace {

using zivek::backplot::MoveKind;

const char* codeOf(const zivek::backplot::Move& m, const zivek::backplot::Arc* arc) {
    if (arc) return arc->ccw ? "G3" : "G2";
    return m.kind == MoveKind::Rapid ? "G0" : "G1";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    zivek::backplot::ReadOptions options;
    options.autoDialect = false;
    options.dialect = zivek::backplot::Dialect::LinuxCnc;
    const auto path = zivek::backplot::interpret(text, options);
    for (std::size_t i = 0; i < path.moves.size(); ++i) {
        const auto& m = path.moves[i];
        const auto* arc = path.arcOf(i);
        std::printf("%u %s %.9f %.9f %.9f %.9f", m.line + 1, codeOf(m, arc), m.from.z, m.from.x,
                    m.to.z, m.to.x);
        if (arc) std::printf(" %.9f %.9f", arc->center.z, arc->center.x);
        std::printf("\n");
    }
    return 0;
}

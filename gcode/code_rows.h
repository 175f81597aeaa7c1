#pragma once

#include "gcode/internal.h"

// A row of the G or the M table: a code's number, its modal group (which also says when
// it runs within its block), the words it takes as its own, and what it does. The tables
// are gcode_table.cpp and mcode_table.cpp.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gcode/gcodes.h"

namespace zivek::gcode {

class Interpreter;

// Letters as a mask, one bit per letter from A.
constexpr std::uint32_t letters(std::string_view s) {
    std::uint32_t bits = 0;
    for (const char c : s) bits |= std::uint32_t(1) << (c - 'A');
    return bits;
}

// The codes that the controls read differently. A dialect's row says, for each, when the
// code takes its other meaning (the second row the table gives it).
enum class Ambiguous : std::uint8_t {
    None,
    G50,           // not a LinuxCNC code, or Fanuc's position and rpm limit
    G90,           // absolute, or Fanuc's turning cycle
    G92,           // a coordinate offset, or Fanuc's threading cycle
    G94,           // feed per minute, or Fanuc's facing cycle
    G98G99,        // the drilling cycle's return, or Fanuc's feed modes
    LatheRepeats,  // G73 drills, G74 and G75 are not drawn, or Fanuc's G73-G75 cycles
    Drilling,      // G73, G81-G89 drill along Z, or are not drawn
    G10,           // LinuxCNC's coordinate system setting (L2, L20), or not drawn
};
inline constexpr std::size_t kAmbiguities = std::size_t(Ambiguous::G10) + 1;

// One G-code: what it sets when its block's modes are set, and what it does in place of
// the block's move. Either may be absent: a code with neither is a setting that leaves
// the drawn path as it is.
struct GCodeRow {
    int tenths;  // the number ×10: 331 for G33.1
    GCode code;
    ModalGroup group;
    std::uint32_t words;  // the letters it takes, besides the axes and F, S, T
    void (Interpreter::*set)(const GCodeRow&);
    void (Interpreter::*run)(const GCodeRow&);
    Motion motion = Motion::None;  // the motion it selects, where it selects one
    Ambiguous ambiguous = Ambiguous::None;
    const GCodeRow* other = nullptr;  // its row where it means something else
};

// One M-code: what it does at its group's turn in the block, and what it does in place
// of the block's move.
struct MCodeRow {
    int tenths;
    MCode code;
    ModalGroup group;
    std::uint32_t words;
    void (Interpreter::*act)(const MCodeRow&);
    void (Interpreter::*run)(const MCodeRow&) = nullptr;
};

// The row of a G word's number; nullptr for a code the reader does not know.
const GCodeRow* gCodeRow(double number);
// What stands for a G-code the reader does not know: its words are its own, not a move.
const GCodeRow& unknownGCode();
// The row of an M word's number; nullptr for a code the reader leaves alone.
const MCodeRow* mCodeRow(double number);

// One code of a block, in the order the block runs them; an empty one stands for the
// block's F, S and T.
struct BlockCode {
    ModalGroup group;
    const GCodeRow* g = nullptr;
    const MCodeRow* m = nullptr;
};

// A block's codes in the order they run, and what running the block asks of them, found
// once as they are ordered.
struct BlockCodes {
    // At most one code a group, one for the codes the reader does not know and one for
    // F, S and T: room for all in place, as every block is ordered.
    class Order {
      public:
        void clear() { size_ = 0; }
        void push_back(BlockCode c) { codes_[size_++] = c; }
        std::size_t size() const { return size_; }
        BlockCode& operator[](std::size_t i) { return codes_[i]; }
        const BlockCode* begin() const { return codes_.data(); }
        const BlockCode* end() const { return codes_.data() + size_; }

      private:
        std::array<BlockCode, kModalGroups + 2> codes_{};
        std::size_t size_ = 0;
    };
    Order order;
    std::uint32_t taken = 0;         // the letters its codes take as their own
    const MCodeRow* call = nullptr;  // what runs in place of the move (M98)
    const MCodeRow* stop = nullptr;  // what stops the program after the move
};

}  // namespace zivek::gcode

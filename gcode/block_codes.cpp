// A block's codes run in their groups' order (gcodes.h), whatever order the block
// writes them in, each in the meaning the dialect gives it; F, S and T among them, the
// move in the middle, the stop after it.

#include <array>
#include <cstdio>
#include <utility>

#include "gcode/interpreter.h"

namespace zivek::gcode {
namespace {

std::string codeName(const BlockCode& c) {
    return c.g != nullptr ? nameOf(c.g->code) : nameOf(c.m->code);
}

}  // namespace

// The row a code is read by in this dialect.
const GCodeRow& Interpreter::meaningOf(const GCodeRow& row) const {
    if (row.other == nullptr) return row;
    switch (rules_->otherMeaning[std::size_t(row.ambiguous)]) {
        case OtherMeaning::Never:
            break;
        case OtherMeaning::Always:
            return *row.other;
        case OtherMeaning::WithAxesAlone:
            return hasAxis() && !motionOnLine() ? *row.other : row;
        case OtherMeaning::WithLead:
            return b_.has('F') ? *row.other : row;
    }
    return row;
}

// The block's codes in the order they run, one per group. A second code of a group is
// warned: the dialect keeps the last one or refuses the line, which then does nothing.
void Interpreter::orderCodes() {
    codes_.order.clear();
    codes_.taken = 0;
    codes_.call = codes_.stop = nullptr;
    // Most blocks name one G-code or none: they need no sorting and no group check.
    if (b_.mCodes.empty() && b_.gCodes.size() <= 1) {
        const GCodeRow* row = b_.gCodes.empty() ? nullptr : gCodeRow(b_.gCodes[0]);
        if (b_.gCodes.empty() || row != nullptr) {
            const BlockCode after{kFeedSpeedToolAfter};
            if (row == nullptr) {
                codes_.order.push_back(after);
                return;
            }
            const GCodeRow& meant = meaningOf(*row);
            const BlockCode code{meant.group, &meant};
            codes_.taken = meant.words;
            // Stable: the feed, speed and tool come after the codes of their own group.
            if (after.group < code.group) codes_.order.push_back(after);
            codes_.order.push_back(code);
            if (!(after.group < code.group)) codes_.order.push_back(after);
            return;
        }
    }
    // Every block asks: a byte a group keeps the table small to clear.
    constexpr std::uint8_t kNoSlot = 0xFF;
    std::array<std::uint8_t, kModalGroups> slot;
    slot.fill(kNoSlot);
    bool refused = false;
    bool unknown = false;
    const auto place = [&](BlockCode code) {
        std::uint8_t& at = slot[std::size_t(code.group)];
        if (at == kNoSlot) {
            at = std::uint8_t(codes_.order.size());
            codes_.order.push_back(code);
            return;
        }
        warn(Warning::SameGroupTwice, codeName(codes_.order[at]) + " " + codeName(code));
        refused = refused || rules_->twoOfOneGroup == TwoOfOneGroup::LineRefused;
        codes_.order[at] = code;
    };
    for (const double g : b_.gCodes) {
        if (const GCodeRow* row = gCodeRow(g)) {
            const GCodeRow& meant = meaningOf(*row);
            place({meant.group, &meant});
            continue;
        }
        // Codes that move the tool in ways not drawn (G84, G12 ...).
        char buf[32];
        std::snprintf(buf, sizeof buf, "G%g", g);
        warn(Warning::UnsupportedG, buf);
        // One stands for them all: each makes the block's words its own.
        if (!unknown) codes_.order.push_back({ModalGroup::NonModal, &unknownGCode()});
        unknown = true;
    }
    for (const double m : b_.mCodes)
        if (const MCodeRow* row = mCodeRow(m)) place({row->group, nullptr, row});
    if (refused) {
        // As if the line were empty.
        codes_.order.clear();
        b_.present = b_.lost = 0;
        b_.gCodes.clear();
        b_.mCodes.clear();
        return;
    }
    codes_.order.push_back({kFeedSpeedToolAfter});  // after the group's codes: the sort is stable
    // A few codes: sorted in place, keeping the written order within a group.
    for (std::size_t i = 1; i < codes_.order.size(); ++i)
        for (std::size_t j = i; j > 0 && codes_.order[j].group < codes_.order[j - 1].group; --j)
            std::swap(codes_.order[j], codes_.order[j - 1]);
    for (const BlockCode& c : codes_.order) {
        codes_.taken |= c.g ? c.g->words : c.m ? c.m->words : 0;
        if (c.m != nullptr && c.group == ModalGroup::Stop) codes_.stop = c.m;
        if (c.m != nullptr && c.m->run != nullptr) codes_.call = c.m;
    }
}

// F, S and T, after the units, spindle and feed modes the block sets.
void Interpreter::takeFeedSpeedTool(std::uint32_t taken) {
    // Once a block places the tool, the path's units are settled.
    if (hasAxis()) pathUnits_.fixed = true;
    if (b_.has('F')) m_.feed = b_.length('F');
    if (b_.has('S') && !(taken & Block::bit('S'))) {
        m_.speed = b_.get('S');
        // In the units of its block, though the path may settle on other units later.
        m_.surfaceUnit = m_.inch ? 12 * 25.4 : 1000.0;
    }
    if (b_.has('T')) {
        const double t = b_.get('T');
        // The new tool's tip stands elsewhere; the move that follows starts afresh.
        if (t != m_.tool) tool_.forget();
        m_.tool = t;
        selectTool(t);
    }
}

void Interpreter::applyModes() {
    oneShot_ = nullptr;
    cycles_.drill.motionBefore = m_.motion;
    orderCodes();
    b_.used |= codes_.taken;
    for (const BlockCode& c : codes_.order) {
        if (c.group >= ModalGroup::Stop) break;
        if (c.g != nullptr) {
            if (c.g->set != nullptr) (this->*c.g->set)(*c.g);
            if (c.g->run != nullptr) oneShot_ = c.g;
        } else if (c.m != nullptr) {
            if (c.m->act != nullptr) (this->*c.m->act)(*c.m);
        } else {
            takeFeedSpeedTool(codes_.taken);
        }
    }
}

// The block's stop comes after its move; a call in the move reads other blocks.
void Interpreter::execute() {
    const MCodeRow* stop = codes_.stop;
    const MCodeRow* call = codes_.call;
    if (call != nullptr) {
        (this->*call->run)(*call);
    } else {
        move();
    }
    if (stop != nullptr && stop->act != nullptr) (this->*stop->act)(*stop);
}

// The block's move: what a code does in place of it, or the move of the motion in force.
void Interpreter::move() {
    if (oneShot_ != nullptr) {
        (this->*oneShot_->run)(*oneShot_);
        return;
    }
    if (!hasAxis() && !fullCircle()) return;
    Point to;
    bool kz = false, kx = false;
    if (!target(to, kz, kx)) return;
    switch (m_.motion) {
        case Motion::None:
            warn(Warning::NoMotionMode);
            m_.motion = Motion::Rapid;
            moveTo(MoveKind::Rapid, to, kz, kx);
            return;
        case Motion::Rapid:
            moveTo(MoveKind::Rapid, to, kz, kx);
            return;
        case Motion::Feed:
            moveTo(MoveKind::Feed, to, kz, kx);
            return;
        case Motion::ArcClockwise:
        case Motion::ArcCounterClockwise:
            arc(m_.motion == Motion::ArcCounterClockwise, to, kz, kx);
            return;
        case Motion::Thread: {
            const double lead = threadLead();
            if (!(lead > 0)) warn(Warning::ThreadWithoutLead);
            moveTo(MoveKind::Feed, to, kz, kx, kThread, lead);
            return;
        }
        case Motion::TurningCycle:
        case Motion::ThreadingCycle:
        case Motion::FacingCycle:
            singleCycle(m_.motion, to);
            return;
        case Motion::PeckDrill:
        case Motion::Drill:
        case Motion::DrillDwell:
        case Motion::DeepPeckDrill:
        case Motion::Bore:
        case Motion::BoreDwell:
            drillCycle();
    }
}

}  // namespace zivek::gcode

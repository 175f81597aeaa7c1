// What one block sets and what it does: G and M codes, feed, speed and tool, then the
// move, cycle or machine position the block commands.

#include <cmath>
#include <cstdio>

#include "gcode/interpreter.h"

namespace zivek::backplot {
namespace {

int tenths(double v) {
    const double t = std::round(v * 10);
    return std::abs(v * 10 - t) < 1e-6 && std::abs(t) < 1e6 ? int(t) : -1;
}

}  // namespace

bool Interpreter::hasAxis() const {
    const std::uint32_t axes =
        Block::bit('X') | Block::bit('Z') | Block::bit('U') | Block::bit('W');
    return ((b_.present | b_.lost) & axes) != 0;
}

void Interpreter::applyModes() {
    nonModal_ = 0;
    drill_.motionBefore = m_.motion;
    const bool fanuc = out_.dialect == Dialect::Fanuc;
    const bool linux = out_.dialect == Dialect::LinuxCnc;
    const bool motionOnLine = b_.hasG(0) || b_.hasG(1) || b_.hasG(2) || b_.hasG(3);
    for (const double g : b_.gCodes) {
        switch (tenths(g)) {
            case 0:
            case 10:
            case 20:
            case 30:
                m_.motion = tenths(g) / 10;
                break;
            case 320:
                m_.motion = 32;
                break;
            case 330:
                m_.motion = 33;
                break;
            case 331:
                nonModal_ = 331;
                break;
            case 40:
                nonModal_ = 4;
                break;
            case 70:
            case 80:
                m_.diameter = tenths(g) == 70;
                // The program's own X mode is the one its moves begin in.
                if (out_.moves.empty()) out_.diameterMode = m_.diameter;
                break;
            case 200:
            case 210:
                m_.inch = tenths(g) == 200;
                break;
            case 280:
            case 300:
            case 530:
                nonModal_ = tenths(g) / 10;
                break;
            case 500:
                if (linux) {
                    warn(Warning::UnsupportedG, "G50");
                } else {
                    nonModal_ = 50;
                }
                break;
            case 700:
            case 710:
            case 711:
            case 712:
            case 720:
            case 721:
            case 722:
            case 760:
                nonModal_ = tenths(g) / 10;
                break;
            case 900:
                // Fanuc's G-code system A: G90 with axis words is the turning cycle.
                if (fanuc && hasAxis() && !motionOnLine) {
                    m_.motion = 90;
                    cycleEnd_ = pos_;
                    cycleTaper_ = 0;
                } else {
                    m_.incremental = false;
                }
                break;
            case 910:
                m_.incremental = true;
                break;
            case 920:
                if (fanuc || (!linux && b_.has('F'))) {
                    m_.motion = 92;  // the threading cycle
                    cycleEnd_ = pos_;
                    cycleTaper_ = 0;
                } else {
                    nonModal_ = 92;  // a coordinate offset
                }
                break;
            case 921:
            case 922:
                knownZ_ = knownX_ = false;  // offsets dropped: the work zero moves
                break;
            case 940:
                if (fanuc && hasAxis() && !motionOnLine) {
                    m_.motion = 94;  // the facing cycle
                    cycleEnd_ = pos_;
                    cycleTaper_ = 0;
                } else {
                    m_.perRevolution = false;
                }
                break;
            case 950:
                m_.perRevolution = true;
                break;
            case 960:
                m_.constantSurface = true;
                if (linux && b_.has('D')) m_.rpmLimit = b_.use('D');
                break;
            case 970:
                m_.constantSurface = false;
                break;
            case 980:
            case 990:
                // LinuxCNC: where drilling cycles retract to; elsewhere the feed mode.
                if (linux) {
                    drill_.retractToStart = tenths(g) == 980;
                } else {
                    m_.perRevolution = tenths(g) == 990;
                }
                break;
            case 800:
                if (isDrillCycle(m_.motion)) m_.motion = -1;
                break;
            // Settings that leave the path as it is: planes, compensation, offsets,
            // exact stop, cancel of drilling cycles, arc centre modes, inverse time.
            case 170:
            case 180:
            case 190:
            case 400:
            case 410:
            case 420:
            case 411:
            case 421:
            case 430:
            case 431:
            case 490:
            case 540:
            case 550:
            case 560:
            case 570:
            case 580:
            case 590:
            case 591:
            case 592:
            case 593:
            case 541:
            case 610:
            case 611:
            case 640:
            case 901:
            case 911:
            case 923:
            case 930:
            case 281:
            case 301:
            case 150:
            case 160:
                break;
            case 730:
            case 810:
            case 820:
            case 830:
            case 850:
            case 890:
                if (linux) {
                    m_.motion = tenths(g) / 10;  // drilling along Z, drawn
                    break;
                }
                [[fallthrough]];
            default: {
                // Codes that move the tool in ways not drawn (G73-G75, drilling ...).
                char buf[32];
                std::snprintf(buf, sizeof buf, "G%g", g);
                warn(Warning::UnsupportedG, buf);
                nonModal_ = -1;  // its words are its own parameters, not a move
            }
        }
    }
    if (b_.has('F')) m_.feed = b_.get('F');
    if (b_.has('S')) {
        if (nonModal_ == 50) {
            m_.rpmLimit = b_.get('S');
        } else {
            m_.speed = b_.get('S');
        }
    }
    if (b_.has('T')) {
        const double t = b_.get('T');
        // The new tool's tip stands elsewhere; the move that follows starts afresh.
        if (t != m_.tool) knownZ_ = knownX_ = false;
        m_.tool = t;
    }
    for (const double mc : b_.mCodes) {
        const int code = tenths(mc);
        if (code == 60) knownZ_ = knownX_ = false;
        // LinuxCNC's M73: the subroutine's modes are undone when it returns.
        if (code == 730 && depth_ > 0 && linux) savedModes_[depth_] = m_;
        if (code == 20 || code == 300) {
            if (capture_ != nullptr) {
                returning_ = true;
            } else {
                stop_ = true;
            }
        }
        if (code == 990) {
            if (depth_ > 0) {
                returning_ = true;
            } else {
                stop_ = true;
            }
        }
    }
}

void Interpreter::execute() {
    for (const double mc : b_.mCodes) {
        if (tenths(mc) != 980) continue;
        // M98 P1000 L2 (or P21000: twice program 1000).
        double p = b_.has('P') ? b_.use('P') : -1;
        double times = b_.has('L') ? b_.use('L') : b_.has('K') ? b_.use('K') : 1;
        if (p >= 10000 && !b_.has('L') && !b_.has('K')) {
            times = std::floor(p / 10000);
            p = std::fmod(p, 10000);
        }
        const Sub* s = p >= 0 && p < 1e9 ? findSub(std::to_string(long(p))) : nullptr;
        if (s == nullptr) {
            warn(Warning::UnsupportedM, "M98");
        } else if (times >= 1 && times < 1e6) {
            callLines(s->begin, s->end, std::size_t(times));
        }
        return;
    }
    switch (nonModal_) {
        case -1:
            b_.used = b_.present;
            return;
        case 4:  // dwell: P, X or U give its time, nothing moves
            for (const char c : {'P', 'X', 'U'})
                if (b_.has(c)) b_.use(c);
            return;
        case 28:
        case 30:
        case 53:
            machineMove(nonModal_);
            return;
        case 50:
        case 92:
            setPosition();
            return;
        case 70:
            finishCycle();
            return;
        case 71:
        case 72:
            roughCycle(nonModal_ == 72);
            return;
        case 76:
            if (out_.dialect == Dialect::LinuxCnc || b_.has('I') || b_.has('J')) {
                linuxG76();
            } else {
                fanucG76();
            }
            return;
        default:
            break;
    }
    if (!hasAxis()) return;
    Point to;
    bool kz = false, kx = false;
    if (!target(to, kz, kx)) return;
    if (nonModal_ == 331) {
        // Rigid tapping: in to the depth and back out along the same line.
        const Point back = pos_;
        const bool bz = knownZ_, bx = knownX_;
        const double lead = threadLead();
        moveTo(MoveKind::Feed, to, kz, kx, kThread, lead);
        moveTo(MoveKind::Feed, back, bz, bx, kThread, lead);
        return;
    }
    switch (m_.motion) {
        case -1:
            warn(Warning::NoMotionMode);
            m_.motion = 0;
            moveTo(MoveKind::Rapid, to, kz, kx);
            return;
        case 0:
            moveTo(MoveKind::Rapid, to, kz, kx);
            return;
        case 1:
            moveTo(MoveKind::Feed, to, kz, kx);
            return;
        case 2:
        case 3:
            arc(m_.motion == 3, to, kz, kx);
            return;
        case 73:
        case 81:
        case 82:
        case 83:
        case 85:
        case 89:
            drillCycle();
            return;
        case 32:
        case 33: {
            const double lead = threadLead();
            if (!(lead > 0)) warn(Warning::ThreadWithoutLead);
            moveTo(MoveKind::Feed, to, kz, kx, kThread, lead);
            return;
        }
        default:
            singleCycle(m_.motion, to);
    }
}

double Interpreter::threadLead() {
    if (m_.motion == 33 || out_.dialect == Dialect::LinuxCnc) {
        if (b_.has('K')) m_.lead = b_.use('K');
        return m_.lead;
    }
    return m_.feed;
}

}  // namespace zivek::backplot

#include "output_box/edit_history.h"

#include <utility>

namespace zivek::windows {

void EditHistory::record(Edit edit, bool typing) {
    undone_.clear();
    if (typing && typingOpen_ && edit.removed.empty()) {
        Edit& last = done_.back();
        if (last.at + last.inserted.size() == edit.at) {
            last.inserted += edit.inserted;
            return;
        }
    }
    done_.push_back(std::move(edit));
    typingOpen_ = typing;
}

void EditHistory::clear() {
    done_.clear();
    undone_.clear();
    typingOpen_ = false;
}

const Edit& EditHistory::undo() {
    typingOpen_ = false;
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return undone_.back();
}

const Edit& EditHistory::redo() {
    typingOpen_ = false;
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return done_.back();
}

}  // namespace zivek::windows

#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zivek::windows {

// One change of a text: at byte `at`, `removed` gave way to `inserted`; the caret
// and the other end of the selection as they were before it.
struct Edit {
    std::size_t at = 0;
    std::string removed;
    std::string inserted;
    std::size_t caretBefore = 0;
    std::size_t anchorBefore = 0;
};

// Undo and redo: the edits done and undone. Letters typed one after another make
// one edit, so that an undo takes back a typed word rather than a letter.
class EditHistory {
  public:
    void record(Edit edit, bool typing);
    // The next edit starts an entry of its own, as after a move of the caret.
    void seal() { typingOpen_ = false; }
    void clear();

    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    // The edit to take back or to do again; it moves to the other stack.
    const Edit& undo();
    const Edit& redo();

  private:
    std::vector<Edit> done_;
    std::vector<Edit> undone_;
    bool typingOpen_ = false;
};

}  // namespace zivek::windows

// The caret, the selection and the edits of the output box.
#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethod>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>

#include "output_box/output_box.h"
#include "output_box/output_box_accessible.h"

namespace zivek::windows {

std::pair<std::size_t, std::size_t> OutputBox::selection() const {
    return std::minmax(caret_, anchor_);
}

std::size_t OutputBox::target(Step step) const {
    const int line = text_.lineOf(caret_);
    int rows = 0;
    switch (step) {
        case Step::NextChar:
            return text_.nextChar(caret_);
        case Step::PreviousChar:
            return text_.previousChar(caret_);
        case Step::NextWord:
            return text_.nextWord(caret_);
        case Step::PreviousWord:
            return text_.previousWord(caret_);
        case Step::LineStart:
            return text_.lineStart(line);
        case Step::LineEnd:
            return text_.lineEnd(line);
        case Step::DocumentStart:
            return 0;
        case Step::DocumentEnd:
            return text_.size();
        case Step::NextLine:
            rows = 1;
            break;
        case Step::PreviousLine:
            rows = -1;
            break;
        case Step::NextPage:
            rows = visibleLines();
            break;
        case Step::PreviousPage:
            rows = -visibleLines();
            break;
    }
    const int to = std::clamp(line + rows, 0, lineCount() - 1);
    if (to == line) return rows > 0 ? text_.lineEnd(line) : text_.lineStart(line);
    QTextLayout layout;
    layOut(layout, to);
    const int column = layout.lineAt(0).xToCursor(goalX_ >= 0 ? goalX_ : caretX(caret_));
    return text_.lineStart(to) + byteOffsetOfUtf16(text_.line(to), column);
}

void OutputBox::moveCaret(std::size_t pos, bool extend) {
    caret_ = std::min(pos, text_.size());
    if (!extend) anchor_ = caret_;
    goalX_ = -1;
    history_.seal();
    ensureCaretVisible();
    caretChanged();
}

void OutputBox::select(std::size_t anchor, std::size_t caret) {
    anchor_ = std::min(anchor, text_.size());
    moveCaret(caret, true);
}

void OutputBox::replace(std::size_t from, std::size_t to, std::string_view with) {
    std::string bytes(with);
    normaliseLineEnds(bytes);
    to = std::min(to, text_.size());
    from = std::min(from, to);
    if (from != to || !bytes.empty()) edit(from, to, bytes, false);
}

void OutputBox::step(Step step, bool extend) {
    const auto [from, to] = selection();
    if (!extend && from != to && (step == Step::NextChar || step == Step::PreviousChar)) {
        moveCaret(step == Step::NextChar ? to : from, false);  // the selection collapses
        return;
    }
    const bool vertical = step == Step::NextLine || step == Step::PreviousLine ||
                          step == Step::NextPage || step == Step::PreviousPage;
    const int goal = vertical ? (goalX_ >= 0 ? goalX_ : caretX(caret_)) : -1;
    // A page key moves the view with the caret, as far as the caret goes.
    QScrollBar* bar = verticalScrollBar();
    if (step == Step::NextPage) bar->setValue(bar->value() + visibleLines());
    if (step == Step::PreviousPage) bar->setValue(bar->value() - visibleLines());
    moveCaret(target(step), extend);
    goalX_ = goal;
}

void OutputBox::edit(std::size_t from, std::size_t to, std::string_view with, bool typing) {
    history_.record(
        {from, text_.bytes().substr(from, to - from), std::string(with), caret_, anchor_}, typing);
    replaceBytes(from, to, with);
    caret_ = anchor_ = from + with.size();
    afterChange();
}

void OutputBox::replaceSelection(std::string_view with, bool typing) {
    const auto [from, to] = selection();
    if (from == to && with.empty()) return;
    edit(from, to, with, typing);
}

void OutputBox::deleteTo(Step step) {
    const auto [from, to] = selection();
    if (from != to) {
        edit(from, to, {}, false);
        return;
    }
    const std::size_t other = target(step);
    if (other != caret_) edit(std::min(other, caret_), std::max(other, caret_), {}, false);
}

void OutputBox::afterChange() {
    goalX_ = -1;
    updateScrollBars();
    ensureCaretVisible();
    caretChanged();
}

void OutputBox::replaceBytes(std::size_t from, std::size_t to, std::string_view with) {
    if (!QAccessible::isActive()) {
        text_.replace(from, to, with);
        return;
    }
    const int at = text_.utf16Offset(from);
    const std::string_view removed = std::string_view(text_.bytes()).substr(from, to - from);
    const QString before =
        QString::fromUtf8(removed.data(), static_cast<qsizetype>(removed.size()));
    text_.replace(from, to, with);
    tellReplaced(this, at, before,
                 QString::fromUtf8(with.data(), static_cast<qsizetype>(with.size())));
}

void OutputBox::caretChanged() {
    restartBlink();
    if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
    const auto [from, to] = selection();
    const auto [toldFrom, toldTo] = std::minmax(toldCaret_, toldAnchor_);
    const bool caretMoved = caret_ != toldCaret_;
    const bool selectionChanged = from != toldFrom || to != toldTo;
    toldCaret_ = caret_;
    toldAnchor_ = anchor_;
    // A selection made with the keyboard is finished at once; one made with the
    // mouse when the button is let go.
    if (selectionChanged && from != to && drag_ == Drag::None) setPrimarySelection();
    if (!QAccessible::isActive()) return;
    const int caret = text_.utf16Offset(caret_);
    if (selectionChanged)
        tellSelection(this, text_.utf16Offset(from), text_.utf16Offset(to), caret);
    if (caretMoved) tellCaret(this, caret);
}

void OutputBox::setPrimarySelection() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto [from, to] = selection();
    if (from == to || !clipboard->supportsSelection()) return;
    const std::string_view bytes = std::string_view(text_.bytes()).substr(from, to - from);
    clipboard->setText(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())),
                       QClipboard::Selection);
}

void OutputBox::insertText(const QString& text, bool typing) {
    std::string bytes = text.toStdString();
    normaliseLineEnds(bytes);
    if (bytes.empty()) return;
    replaceSelection(bytes, typing && bytes.find('\n') == std::string::npos);
}

void OutputBox::undo() {
    if (!history_.canUndo()) return;
    const Edit& undone = history_.undo();
    replaceBytes(undone.at, undone.at + undone.inserted.size(), undone.removed);
    caret_ = undone.caretBefore;
    anchor_ = undone.anchorBefore;
    afterChange();
}

void OutputBox::redo() {
    if (!history_.canRedo()) return;
    const Edit& redone = history_.redo();
    replaceBytes(redone.at, redone.at + redone.removed.size(), redone.inserted);
    caret_ = anchor_ = redone.at + redone.inserted.size();
    afterChange();
}

void OutputBox::copy() {
    const auto [from, to] = selection();
    if (from == to) return;
    const std::string_view bytes = std::string_view(text_.bytes()).substr(from, to - from);
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void OutputBox::cut() {
    copy();
    replaceSelection({}, false);
}

void OutputBox::paste() {
    insertText(QGuiApplication::clipboard()->text(), false);
}

void OutputBox::deleteSelection() {
    replaceSelection({}, false);
}

void OutputBox::selectAll() {
    anchor_ = 0;
    caret_ = text_.size();
    goalX_ = -1;
    history_.seal();
    caretChanged();
}

}  // namespace zivek::windows

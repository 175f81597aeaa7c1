// Keys, the wheel and the context menu of the output box.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>

#include "output_box/output_box.h"

namespace zivek::windows {
namespace {

// Printable text without Control, or with Control and Alt together, which is how
// AltGr letters arrive on some platforms.
bool isTyping(const QKeyEvent* event) {
    const QString text = event->text();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool command =
        (mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier);
    return !text.isEmpty() && !command &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

}  // namespace

bool OutputBox::handleKey(QKeyEvent* event, bool act) {
    struct Motion {
        QKeySequence::StandardKey move;
        QKeySequence::StandardKey select;
        Step step;
    };
    static constexpr Motion motions[] = {
        {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, Step::NextChar},
        {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, Step::PreviousChar},
        {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, Step::NextWord},
        {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, Step::PreviousWord},
        {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, Step::NextLine},
        {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, Step::PreviousLine},
        {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, Step::NextPage},
        {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, Step::PreviousPage},
        {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, Step::LineStart},
        {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, Step::LineEnd},
        {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument,
         Step::DocumentStart},
        {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, Step::DocumentEnd},
    };
    for (const Motion& motion : motions) {
        const bool extend = event->matches(motion.select);
        if (!extend && !event->matches(motion.move)) continue;
        if (act) step(motion.step, extend);
        return true;
    }

    using Command = void (*)(OutputBox&);
    struct Binding {
        QKeySequence::StandardKey key;
        Command command;
    };
    static constexpr Binding bindings[] = {
        {QKeySequence::Undo, [](OutputBox& box) { box.undo(); }},
        {QKeySequence::Redo, [](OutputBox& box) { box.redo(); }},
        {QKeySequence::Cut, [](OutputBox& box) { box.cut(); }},
        {QKeySequence::Copy, [](OutputBox& box) { box.copy(); }},
        {QKeySequence::Paste, [](OutputBox& box) { box.paste(); }},
        {QKeySequence::SelectAll, [](OutputBox& box) { box.selectAll(); }},
        {QKeySequence::Delete, [](OutputBox& box) { box.deleteTo(Step::NextChar); }},
        {QKeySequence::DeleteEndOfWord, [](OutputBox& box) { box.deleteTo(Step::NextWord); }},
        {QKeySequence::DeleteStartOfWord, [](OutputBox& box) { box.deleteTo(Step::PreviousWord); }},
        {QKeySequence::InsertParagraphSeparator,
         [](OutputBox& box) { box.replaceSelection("\n", false); }},
        {QKeySequence::InsertLineSeparator,
         [](OutputBox& box) { box.replaceSelection("\n", false); }},
    };
    for (const Binding& binding : bindings) {
        if (!event->matches(binding.key)) continue;
        if (act) binding.command(*this);
        return true;
    }

    // Keys that not every platform's list names: both redo keys, and Backspace, with
    // or without Shift.
    const QKeyCombination combination = event->keyCombination();
    if (combination == (Qt::CTRL | Qt::Key_Y) ||
        combination == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z)) {
        if (act) redo();
        return true;
    }
    if (combination == QKeyCombination(Qt::Key_Backspace) ||
        combination == (Qt::SHIFT | Qt::Key_Backspace)) {
        if (act) deleteTo(Step::PreviousChar);
        return true;
    }
    if (isTyping(event)) {
        if (act) insertText(event->text(), true);
        return true;
    }
    return false;
}

// The box's own keys win over the window's shortcuts, as in any text box.
bool OutputBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        handleKey(static_cast<QKeyEvent*>(event), false)) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void OutputBox::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event, true)) event->ignore();
}

// Lines by the system's wheel setting; sideways with Shift or a sideways wheel.
void OutputBox::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const bool sideways =
        (event->modifiers() & Qt::ShiftModifier) || std::abs(delta.x()) > std::abs(delta.y());
    if (sideways) {
        QScrollBar* bar = horizontalScrollBar();
        const int turn = delta.x() != 0 ? delta.x() : delta.y();
        bar->setValue(bar->value() - turn * bar->singleStep() * 3 / 120);
    } else {
        wheelRest_ += delta.y() * QApplication::wheelScrollLines();
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(bar->value() - wheelRest_ / 120);
        wheelRest_ %= 120;
    }
    event->accept();
}

void OutputBox::contextMenuEvent(QContextMenuEvent* event) {
    const bool selected = caret_ != anchor_;
    QMenu menu(this);
    const auto add = [&](const char* text, QKeySequence::StandardKey key, bool enabled,
                         void (OutputBox::*command)()) {
        const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
        QAction* action = menu.addAction(QString::fromUtf8(text) + QLatin1Char('\t') + shortcut);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, command);
    };
    add("Geri Al", QKeySequence::Undo, history_.canUndo(), &OutputBox::undo);
    add("Yinele", QKeySequence::Redo, history_.canRedo(), &OutputBox::redo);
    menu.addSeparator();
    add("Kes", QKeySequence::Cut, selected, &OutputBox::cut);
    add("Kopyala", QKeySequence::Copy, selected, &OutputBox::copy);
    add("Yapıştır", QKeySequence::Paste, !QGuiApplication::clipboard()->text().isEmpty(),
        &OutputBox::paste);
    add("Sil", QKeySequence::Delete, selected, &OutputBox::deleteSelection);
    menu.addSeparator();
    add("Tümünü Seç", QKeySequence::SelectAll, text_.size() > 0, &OutputBox::selectAll);
    menu.exec(event->globalPos());
}

}  // namespace zivek::windows

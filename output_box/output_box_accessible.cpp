#include "output_box/output_box_accessible.h"

#include <algorithm>
#include <utility>

#include "output_box/output_box.h"

namespace zivek::windows {
namespace {

QAccessibleInterface* boxInterface(const QString& key, QObject* object) {
    if (key == QLatin1String(OutputBox::staticMetaObject.className()))
        if (auto* box = qobject_cast<OutputBox*>(object)) return new OutputBoxAccessible(box);
    return nullptr;
}

QString decoded(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A few lines of the box as a text of their own, for Qt's own word, sentence and
// character rules, which otherwise would copy the whole text at every question.
class TextPiece : public QAccessibleTextInterface {
  public:
    explicit TextPiece(QString text) : text_(std::move(text)) {}
    QString text(int startOffset, int endOffset) const override {
        return text_.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(text_.size()); }

    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        return {};
    }

  private:
    QString text_;
};

}  // namespace

OutputBoxAccessible::OutputBoxAccessible(OutputBox* box)
    : QAccessibleWidget(box, QAccessible::EditableText) {}

OutputBox* OutputBoxAccessible::box() const {
    return static_cast<OutputBox*>(widget());
}

std::size_t OutputBoxAccessible::position(int offset) const {
    return box()->text().positionOfUtf16(offset);
}

void* OutputBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State OutputBoxAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.multiLine = true;
    state.selectableText = true;
    state.focusable = true;
    return state;
}

QString OutputBoxAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value) return box()->toPlainText();
    return QAccessibleWidget::text(kind);
}

void OutputBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    const auto [from, to] = box()->selection();
    if (selectionIndex != 0 || from == to) return;
    *startOffset = box()->text().utf16Offset(from);
    *endOffset = box()->text().utf16Offset(to);
}

int OutputBoxAccessible::selectionCount() const {
    const auto [from, to] = box()->selection();
    return from == to ? 0 : 1;
}

void OutputBoxAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void OutputBoxAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex != 0) return;
    const std::size_t caret = box()->caretPosition();
    box()->select(caret, caret);
}

void OutputBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0) return;
    box()->select(position(startOffset), position(endOffset));
}

int OutputBoxAccessible::cursorPosition() const {
    return box()->text().utf16Offset(box()->caretPosition());
}

void OutputBoxAccessible::setCursorPosition(int offset) {
    const std::size_t at = position(offset);
    box()->select(at, at);
}

QString OutputBoxAccessible::text(int startOffset, int endOffset) const {
    const std::size_t from = position(startOffset);
    const std::size_t to = std::max(from, position(endOffset));
    return decoded(std::string_view(box()->text().bytes()).substr(from, to - from));
}

int OutputBoxAccessible::characterCount() const {
    return box()->text().utf16Size();
}

// A line with its line end, as Qt's own text widgets give it.
QString OutputBoxAccessible::lineText(int line, int* startOffset, int* endOffset) const {
    const OutputText& content = box()->text();
    const std::size_t from = content.lineStart(line);
    const std::size_t to =
        line + 1 < content.lineCount() ? content.lineStart(line + 1) : content.size();
    *startOffset = content.utf16Offset(from);
    *endOffset = content.utf16Offset(to);
    return decoded(std::string_view(content.bytes()).substr(from, to - from));
}

QString OutputBoxAccessible::textAround(int offset, QAccessible::TextBoundaryType boundaryType,
                                        Side side, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = -1;
    const OutputText& content = box()->text();
    const int count = characterCount();
    if (offset == -1) offset = count;
    if (offset < 0 || offset > count) return {};
    const int line = content.lineOf(position(offset));

    switch (boundaryType) {
        case QAccessible::LineBoundary:
        case QAccessible::ParagraphBoundary: {
            const int wanted = line + (side == Side::Before ? -1 : side == Side::After ? 1 : 0);
            if (wanted < 0 || wanted >= content.lineCount()) return {};
            return lineText(wanted, startOffset, endOffset);
        }
        case QAccessible::NoBoundary:
            if (side != Side::At) return {};
            *startOffset = 0;
            *endOffset = count;
            return content.lineCount() > 0 ? box()->toPlainText() : QString();
        case QAccessible::CharBoundary:
        case QAccessible::WordBoundary:
        case QAccessible::SentenceBoundary:
            break;
    }
    // Words and sentences of a program do not run past a line end: the line with its
    // neighbours holds every answer.
    const int first = std::max(0, line - 1);
    const int last = std::min(content.lineCount() - 1, line + 1);
    int pieceStart = 0;
    int pieceEnd = 0;
    int ignored = 0;
    lineText(first, &pieceStart, &ignored);
    lineText(last, &ignored, &pieceEnd);
    const TextPiece piece(text(pieceStart, pieceEnd));
    const int within = offset - pieceStart;
    QString answer;
    switch (side) {
        case Side::Before:
            answer = piece.textBeforeOffset(within, boundaryType, startOffset, endOffset);
            break;
        case Side::At:
            answer = piece.textAtOffset(within, boundaryType, startOffset, endOffset);
            break;
        case Side::After:
            answer = piece.textAfterOffset(within, boundaryType, startOffset, endOffset);
            break;
    }
    if (*startOffset >= 0) *startOffset += pieceStart;
    if (*endOffset >= 0) *endOffset += pieceStart;
    return answer;
}

QString OutputBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType type,
                                              int* startOffset, int* endOffset) const {
    return textAround(offset, type, Side::Before, startOffset, endOffset);
}

QString OutputBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType type,
                                             int* startOffset, int* endOffset) const {
    return textAround(offset, type, Side::After, startOffset, endOffset);
}

QString OutputBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType type,
                                          int* startOffset, int* endOffset) const {
    return textAround(offset, type, Side::At, startOffset, endOffset);
}

QRect OutputBoxAccessible::characterRect(int offset) const {
    const QRect inViewport = box()->characterRect(position(offset));
    return {box()->viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size()};
}

int OutputBoxAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint inViewport = box()->viewport()->mapFromGlobal(point);
    if (!box()->viewport()->rect().contains(inViewport)) return -1;
    return box()->text().utf16Offset(box()->positionAt(inViewport));
}

void OutputBoxAccessible::scrollToSubstring(int startIndex, int endIndex) {
    box()->scrollTo(position(endIndex));
    box()->scrollTo(position(startIndex));
}

QString OutputBoxAccessible::attributes(int, int* startOffset, int* endOffset) const {
    // One font and one colour throughout.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void OutputBoxAccessible::deleteText(int startOffset, int endOffset) {
    box()->replace(position(startOffset), position(endOffset), {});
}

void OutputBoxAccessible::insertText(int offset, const QString& text) {
    const std::size_t at = position(offset);
    box()->replace(at, at, text.toStdString());
}

void OutputBoxAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    box()->replace(position(startOffset), position(endOffset), text.toStdString());
}

void installOutputBoxAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&boxInterface);
        return true;
    }();
    (void)installed;
}

void tellReplaced(QObject* box, int at, const QString& removed, const QString& inserted) {
    if (!QAccessible::isActive() || (removed.isEmpty() && inserted.isEmpty())) return;
    if (removed.isEmpty()) {
        QAccessibleTextInsertEvent event(box, at, inserted);
        QAccessible::updateAccessibility(&event);
    } else if (inserted.isEmpty()) {
        QAccessibleTextRemoveEvent event(box, at, removed);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextUpdateEvent event(box, at, removed, inserted);
        QAccessible::updateAccessibility(&event);
    }
}

void tellSelection(QObject* box, int from, int to, int caret) {
    if (!QAccessible::isActive()) return;
    QAccessibleTextSelectionEvent event(box, from, to);
    event.setCursorPosition(caret);
    QAccessible::updateAccessibility(&event);
}

void tellCaret(QObject* box, int caret) {
    if (!QAccessible::isActive()) return;
    QAccessibleTextCursorEvent event(box, caret);
    QAccessible::updateAccessibility(&event);
}

}  // namespace zivek::windows

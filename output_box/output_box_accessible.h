#pragma once

#include <QAccessibleWidget>
#include <QString>

class QObject;

namespace zivek::windows {

class OutputBox;

// Makes the output box known to assistive tools as an editable text. Called by each
// box; installs once.
void installOutputBoxAccessibility();

// What the output box tells assistive tools, offsets in UTF-16 units. Each sends
// nothing unless a tool listens.
void tellReplaced(QObject* box, int at, const QString& removed, const QString& inserted);
void tellSelection(QObject* box, int from, int to, int caret);
void tellCaret(QObject* box, int caret);

// The output box as a screen reader sees it: an editable multi-line text with its
// caret and selection, read line by line. Offsets are UTF-16 units, as everywhere
// in Qt's accessibility layer. Every answer costs about the line it concerns, so a
// program of 300,000 lines is read as quickly as a short one; only the whole text
// (Value, NoBoundary) is copied out whole.
class OutputBoxAccessible : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
  public:
    explicit OutputBoxAccessible(OutputBox* box);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

  private:
    enum class Side { Before, At, After };
    OutputBox* box() const;
    std::size_t position(int offset) const;
    QString lineText(int line, int* startOffset, int* endOffset) const;
    QString textAround(int offset, QAccessible::TextBoundaryType boundaryType, Side side,
                       int* startOffset, int* endOffset) const;
};

}  // namespace zivek::windows

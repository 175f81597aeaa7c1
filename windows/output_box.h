#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QString>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "windows/edit_history.h"
#include "windows/output_text.h"

class QTextLayout;

namespace zivek::windows {

// The multi-line output box: an editable text box without wrapping that keeps its
// text as UTF-8 bytes with their line starts and lays out only the lines in view, so
// that a program of 300,000 lines costs little more than its own bytes.
class OutputBox : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit OutputBox(QWidget* parent = nullptr);

    // Shows the text with the caret at its start; takes the bytes over.
    void setProgram(std::string text);
    void setPlainText(const QString& text);
    void clear();
    QString toPlainText() const;  // lines joined with "\n"
    int lineCount() const { return text_.lineCount(); }

    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void deleteSelection();
    void selectAll();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // Where a key takes the caret.
    enum class Step {
        NextChar,
        PreviousChar,
        NextWord,
        PreviousWord,
        NextLine,
        PreviousLine,
        NextPage,
        PreviousPage,
        LineStart,
        LineEnd,
        DocumentStart,
        DocumentEnd,
    };

    // Geometry and drawing (output_box.cpp).
    void layOut(QTextLayout& layout, int line) const;
    int caretX(std::size_t pos) const;  // from the line's left edge
    std::size_t positionAt(QPoint viewportPoint) const;
    QRect caretRect() const;  // in the viewport
    int visibleLines() const;
    void measureFont();
    void updateScrollBars();
    void ensureCaretVisible();
    void restartBlink();

    // Caret and edits (output_box_editing.cpp).
    std::pair<std::size_t, std::size_t> selection() const;
    std::size_t target(Step step) const;
    void moveCaret(std::size_t pos, bool extend);
    void step(Step step, bool extend);
    void edit(std::size_t from, std::size_t to, std::string_view with, bool typing);
    void replaceSelection(std::string_view with, bool typing);
    void deleteTo(Step step);
    void afterChange();
    // Typed letters join the typing before them into one edit to undo.
    void insertText(const QString& text, bool typing);

    // Keys (output_box_input.cpp): whether the box acts on a key, and acting on it.
    bool handleKey(QKeyEvent* event, bool act);

    OutputText text_;
    EditHistory history_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    int goalX_ = -1;  // the column an up or down move aims at, in pixels
    bool caretShown_ = false;
    QBasicTimer blink_;
    int lineHeight_ = 1;
    int wheelRest_ = 0;  // a wheel turn too small for a whole line yet
};

}  // namespace zivek::windows

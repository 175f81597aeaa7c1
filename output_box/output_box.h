#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QClipboard>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTextLayout>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "output_box/edit_history.h"
#include "output_box/output_text.h"

namespace zivek::windows {

// The multi-line output box: an editable text box without wrapping that keeps its
// text as UTF-8 bytes with their line starts and lays out only the lines in view, so
// that a program of 300,000 lines costs little more than its own bytes.
//
// Why not QPlainTextEdit: it builds a text block and a layout for every line it is
// given, and for the largest program its setPlainText alone is many times a whole
// "G KOD" press at the window with this box (bench/windows: window_press_bench and
// press_memory; the figures are in the README). What the standard box brings for free
// is built here: the keys, the clipboard and the Linux selection, input methods, and
// the accessibility interface (output_box_accessible.cpp).
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

    // For the accessibility interface: the text, the caret and the selection as byte
    // offsets into it, and the edits an assistive tool asks for.
    const OutputText& text() const { return text_; }
    std::size_t caretPosition() const { return caret_; }
    std::pair<std::size_t, std::size_t> selection() const;
    void select(std::size_t anchor, std::size_t caret);
    void replace(std::size_t from, std::size_t to, std::string_view with);
    QRect characterRect(std::size_t pos) const;  // in the viewport
    std::size_t positionAt(QPoint viewportPoint) const;
    void scrollTo(std::size_t pos);

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

    // Geometry and drawing (output_box.cpp). The caret's line carries the input
    // method's preedit text, laid out at the caret.
    void layOut(QTextLayout& layout, int line) const;
    int columnOf(std::size_t pos) const;  // UTF-16 units from its line's start
    int caretX(std::size_t pos) const;    // from the line's left edge
    QRect caretRect() const;              // in the viewport, at the preedit's own caret
    int visibleLines() const;
    int lastRowBottom() const;  // the last whole line in view, in the viewport
    void measureFont();
    void updateScrollBars();
    void ensureCaretVisible();
    void restartBlink();

    // Caret and edits (output_box_editing.cpp).
    std::size_t target(Step step) const;
    void moveCaret(std::size_t pos, bool extend);
    void step(Step step, bool extend);
    void edit(std::size_t from, std::size_t to, std::string_view with, bool typing);
    void replaceSelection(std::string_view with, bool typing);
    void deleteTo(Step step);
    void afterChange();
    // Replaces bytes of the text and tells assistive tools what changed.
    void replaceBytes(std::size_t from, std::size_t to, std::string_view with);
    // Tells assistive tools and the input method where the caret and selection are
    // now, and sets the Linux selection from a finished selection.
    void caretChanged();
    void setPrimarySelection();
    // Typed letters join the typing before them into one edit to undo.
    void insertText(const QString& text, bool typing);

    // Keys (output_box_input.cpp): whether the box acts on a key, and acting on it.
    bool handleKey(QKeyEvent* event, bool act);

    // The mouse (output_box_mouse.cpp): a drag past an edge scrolls on a timer.
    void extendDrag();
    void autoScroll();
    void pastePrimarySelection(QPoint viewportPoint);

    OutputText text_;
    EditHistory history_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    int goalX_ = -1;  // the column an up or down move aims at, in pixels
    bool caretShown_ = false;
    QBasicTimer blink_;
    int lineHeight_ = 1;
    int wheelRest_ = 0;  // a wheel turn too small for a whole line yet

    // The caret and selection last told to assistive tools.
    std::size_t toldCaret_ = 0;
    std::size_t toldAnchor_ = 0;

    // The mouse: a selection being dragged, by characters or (after a triple click)
    // by whole lines, and the last double click, for telling a triple one.
    enum class Drag { None, Characters, Lines } drag_ = Drag::None;
    std::size_t dragLineAnchor_ = 0;  // the line a line drag started on
    QBasicTimer autoScroll_;
    QPoint dragPoint_;  // the pointer in the viewport during a drag
    QElapsedTimer sinceDoubleClick_;
    QPoint doubleClickPoint_;

    // The input method's text being composed at the caret, its caret and its looks.
    QString preedit_;
    int preeditCaret_ = 0;
    QList<QTextLayout::FormatRange> preeditFormats_;
};

}  // namespace zivek::windows

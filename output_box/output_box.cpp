#include "output_box/output_box.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QInputMethod>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "output_box/output_box_accessible.h"

namespace zivek::windows {
namespace {

// The blank around the text, as the standard multi-line box leaves it.
constexpr int margin = 4;
// A tab stands where the standard text layout puts its first tab stop.
constexpr int tabWidth = 80;
// The caret after the widest line stays in view.
constexpr int caretRoom = 2;
// The width a line is laid out in; lines never wrap, so it only has to be wide.
constexpr int lineRoom = 1 << 22;

QString decoded(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

OutputBox::OutputBox(QWidget* parent) : QAbstractScrollArea(parent) {
    installOutputBoxAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setInputMethodHints(Qt::ImhMultiLine);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::IBeamCursor);
    measureFont();
}

void OutputBox::setProgram(std::string text) {
    // Assistive tools hear of the whole change; the copies it takes are made only
    // while one listens.
    QString before;
    if (QAccessible::isActive()) before = toPlainText();
    text_.assign(std::move(text));
    if (QAccessible::isActive()) tellReplaced(this, 0, before, toPlainText());
    history_.clear();
    caret_ = anchor_ = 0;
    goalX_ = -1;
    if (!preedit_.isEmpty() && hasFocus()) QGuiApplication::inputMethod()->reset();
    preedit_.clear();
    preeditFormats_.clear();
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    caretChanged();
}

void OutputBox::setPlainText(const QString& text) {
    setProgram(text.toStdString());
}

void OutputBox::clear() {
    setProgram({});
}

QString OutputBox::toPlainText() const {
    return decoded(text_.bytes());
}

int OutputBox::columnOf(std::size_t pos) const {
    const int line = text_.lineOf(pos);
    return utf16Length(text_.line(line).substr(0, pos - text_.lineStart(line)));
}

void OutputBox::layOut(QTextLayout& layout, int line) const {
    layout.setText(decoded(text_.line(line)));
    if (!preedit_.isEmpty() && line == text_.lineOf(caret_))
        layout.setPreeditArea(columnOf(caret_), preedit_);
    layout.setFont(font());
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine row = layout.createLine();
    if (row.isValid()) row.setLineWidth(lineRoom);
    layout.endLayout();
}

int OutputBox::caretX(std::size_t pos) const {
    QTextLayout layout;
    layOut(layout, text_.lineOf(pos));
    const int preedit = pos == caret_ ? preeditCaret_ : 0;
    return static_cast<int>(std::lround(layout.lineAt(0).cursorToX(columnOf(pos) + preedit)));
}

std::size_t OutputBox::positionAt(QPoint viewportPoint) const {
    const double row = std::floor(double(viewportPoint.y() - margin) / lineHeight_);
    const int line = static_cast<int>(
        std::clamp(verticalScrollBar()->value() + row, 0.0, double(lineCount() - 1)));
    QTextLayout layout;
    layOut(layout, line);
    const int x = viewportPoint.x() - margin + horizontalScrollBar()->value();
    const int column = layout.lineAt(0).xToCursor(x);
    return text_.lineStart(line) + byteOffsetOfUtf16(text_.line(line), column);
}

QRect OutputBox::caretRect() const {
    const int row = text_.lineOf(caret_) - verticalScrollBar()->value();
    const int x = margin - horizontalScrollBar()->value() + caretX(caret_);
    return {x, margin + row * lineHeight_, 2, lineHeight_};
}

QRect OutputBox::characterRect(std::size_t pos) const {
    pos = std::min(pos, text_.size());
    const int line = text_.lineOf(pos);
    QTextLayout layout;
    layOut(layout, line);
    const QTextLine row = layout.lineAt(0);
    const int column = columnOf(pos);
    const bool atLineEnd = pos == text_.lineEnd(line);
    const qreal left = row.cursorToX(column);
    const qreal right = atLineEnd ? left + QFontMetrics(font()).averageCharWidth()
                                  : row.cursorToX(columnOf(text_.nextChar(pos)));
    const int x = margin - horizontalScrollBar()->value() + static_cast<int>(std::lround(left));
    const int y = margin + (line - verticalScrollBar()->value()) * lineHeight_;
    return {x, y, std::max(1, static_cast<int>(std::lround(right - left))), lineHeight_};
}

void OutputBox::scrollTo(std::size_t pos) {
    const std::size_t caret = caret_;
    caret_ = std::min(pos, text_.size());  // borrowed for the measure only
    ensureCaretVisible();
    caret_ = caret;
}

int OutputBox::visibleLines() const {
    return std::max(1, (viewport()->height() - margin) / lineHeight_);
}

int OutputBox::lastRowBottom() const {
    return margin + visibleLines() * lineHeight_ - 1;
}

void OutputBox::measureFont() {
    const QFontMetricsF metrics(font());
    lineHeight_ = std::max(1, QFontMetrics(font()).height());
    const auto sixtyFourths = [](qreal pixels) {
        return static_cast<int>(std::lround(pixels * 64));
    };
    LineMeasure measure;
    for (int c = 0; c < 128; ++c)
        measure.ascii[c] = sixtyFourths(metrics.horizontalAdvance(QChar(c)));
    measure.ascii['\t'] = tabWidth * 64;
    measure.other = [metrics, sixtyFourths](std::string_view line) {
        return sixtyFourths(metrics.horizontalAdvance(decoded(line)));
    };
    text_.setMeasure(std::move(measure));
    updateScrollBars();
}

void OutputBox::updateScrollBars() {
    const int rows = visibleLines();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, lineCount() - rows));
    vertical->setPageStep(rows);
    vertical->setSingleStep(1);
    const int width = text_.widestLine() + 2 * margin + caretRoom;
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, width - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(std::max(1, QFontMetrics(font()).averageCharWidth() * 2));
}

void OutputBox::ensureCaretVisible() {
    QScrollBar* vertical = verticalScrollBar();
    const int line = text_.lineOf(caret_);
    const int rows = visibleLines();
    if (line < vertical->value())
        vertical->setValue(line);
    else if (line >= vertical->value() + rows)
        vertical->setValue(line - rows + 1);

    QScrollBar* horizontal = horizontalScrollBar();
    const int x = caretX(caret_);
    const int room = viewport()->width() - 2 * margin - caretRoom;
    if (x < horizontal->value())
        horizontal->setValue(x);
    else if (x > horizontal->value() + room)
        horizontal->setValue(x - room);
}

void OutputBox::restartBlink() {
    caretShown_ = hasFocus();
    const int flashTime = QApplication::cursorFlashTime();
    if (hasFocus() && flashTime > 0)
        blink_.start(flashTime / 2, this);
    else
        blink_.stop();
    viewport()->update();
}

void OutputBox::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& colours = palette();
    painter.setPen(colours.color(QPalette::Text));
    const int first = verticalScrollBar()->value();
    const int last = std::min(lineCount(), first + viewport()->height() / lineHeight_ + 2);
    const qreal left = margin - horizontalScrollBar()->value();
    const auto [from, to] = selection();
    const int caretLine = caretShown_ ? text_.lineOf(caret_) : -1;
    const int caretWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    const int blankWidth = QFontMetrics(font()).horizontalAdvance(QLatin1Char(' '));

    for (int line = first; line < last; ++line) {
        const QPointF at(left, margin + (line - first) * lineHeight_);
        const std::size_t start = text_.lineStart(line);
        const std::size_t end = text_.lineEnd(line);
        const std::string_view bytes = text_.line(line);
        QTextLayout layout;
        layOut(layout, line);
        QList<QTextLayout::FormatRange> selected;
        if (from < to && from <= end && to > start) {
            const std::size_t a = std::max(from, start);
            const std::size_t b = std::min(to, end);
            QTextLayout::FormatRange range;
            range.start = utf16Length(bytes.substr(0, a - start));
            range.length = utf16Length(bytes.substr(a - start, b - a));
            range.format.setBackground(colours.brush(QPalette::Highlight));
            range.format.setForeground(colours.brush(QPalette::HighlightedText));
            selected.append(range);
            if (to > end) {  // the line end is selected too: a blank's width shows it
                const QRectF mark(at.x() + layout.lineAt(0).naturalTextWidth(), at.y(), blankWidth,
                                  lineHeight_);
                painter.fillRect(mark, colours.brush(QPalette::Highlight));
            }
        }
        const bool composing = !preedit_.isEmpty() && line == text_.lineOf(caret_);
        const int column = composing ? utf16Length(bytes.substr(0, caret_ - start)) : 0;
        if (composing) {
            for (QTextLayout::FormatRange range : preeditFormats_) {
                range.start += column;
                selected.append(range);
            }
        }
        layout.draw(&painter, at, selected);
        if (line == caretLine)
            layout.drawCursor(&painter, at,
                              utf16Length(bytes.substr(0, caret_ - start)) + preeditCaret_,
                              caretWidth);
    }
}

void OutputBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void OutputBox::scrollContentsBy(int, int) {
    viewport()->update();
}

void OutputBox::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measureFont();
        viewport()->update();
    }
}

void OutputBox::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
}

void OutputBox::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    restartBlink();
}

void OutputBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() == autoScroll_.timerId()) {
        autoScroll();
        return;
    }
    if (event->timerId() != blink_.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    caretShown_ = !caretShown_;
    viewport()->update(caretRect().adjusted(-2, 0, 2, 0));
}

}  // namespace zivek::windows

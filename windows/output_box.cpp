#include "windows/output_box.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <utility>

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
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::IBeamCursor);
    measureFont();
}

void OutputBox::setProgram(std::string text) {
    text_.assign(std::move(text));
    history_.clear();
    caret_ = anchor_ = 0;
    goalX_ = -1;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    restartBlink();
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

void OutputBox::layOut(QTextLayout& layout, int line) const {
    layout.setText(decoded(text_.line(line)));
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
    const int line = text_.lineOf(pos);
    QTextLayout layout;
    layOut(layout, line);
    const auto column = utf16Length(text_.line(line).substr(0, pos - text_.lineStart(line)));
    return static_cast<int>(std::lround(layout.lineAt(0).cursorToX(column)));
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

int OutputBox::visibleLines() const {
    return std::max(1, (viewport()->height() - margin) / lineHeight_);
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
        layout.draw(&painter, at, selected);
        if (line == caretLine)
            layout.drawCursor(&painter, at, utf16Length(bytes.substr(0, caret_ - start)),
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
    if (event->timerId() != blink_.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    caretShown_ = !caretShown_;
    viewport()->update(caretRect().adjusted(-2, 0, 2, 0));
}

}  // namespace zivek::windows

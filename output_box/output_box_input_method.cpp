// Input methods on the output box: the text being composed is shown at the caret,
// a commit may replace text around the caret, and the queries are answered as
// Qt's own text boxes answer them. The text an input method sees around the caret
// is the caret's line.
#include <QInputMethodEvent>
#include <QTextCharFormat>
#include <algorithm>

#include "output_box/output_box.h"

namespace zivek::windows {
namespace {

QString decoded(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

void OutputBox::inputMethodEvent(QInputMethodEvent* event) {
    const QString& commit = event->commitString();
    // What is typed takes the place of the selection, as a key would.
    if ((!commit.isEmpty() || !event->preeditString().isEmpty()) && caret_ != anchor_)
        replaceSelection({}, true);

    const int line = text_.lineOf(caret_);
    const std::size_t lineStart = text_.lineStart(line);
    const std::string_view bytes = text_.line(line);
    const int column = columnOf(caret_);
    if (!commit.isEmpty() || event->replacementLength() > 0) {
        // The replacement range counts UTF-16 units from the caret, within its line.
        const int lineUnits = utf16Length(bytes);
        const int first = std::clamp(column + event->replacementStart(), 0, lineUnits);
        const int last = std::clamp(first + event->replacementLength(), first, lineUnits);
        const std::size_t from = lineStart + byteOffsetOfUtf16(bytes, first);
        const std::size_t to = lineStart + byteOffsetOfUtf16(bytes, last);
        std::string with = commit.toStdString();
        normaliseLineEnds(with);
        // After a commit the caret follows it; a bare removal takes away only what
        // stood before the caret.
        const std::size_t after = !with.empty()
                                      ? from + with.size()
                                      : caret_ - (std::min(caret_, to) - std::min(caret_, from));
        if (from != to || !with.empty()) edit(from, to, with, with.find('\n') == std::string::npos);
        caret_ = anchor_ = std::min(after, text_.size());
    }

    preedit_ = event->preeditString();
    preeditCaret_ = static_cast<int>(preedit_.size());
    preeditFormats_.clear();
    const int caretLine = text_.lineOf(caret_);
    const std::size_t caretLineStart = text_.lineStart(caretLine);
    for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
        switch (attribute.type) {
            case QInputMethodEvent::Cursor:
                preeditCaret_ = std::clamp(attribute.start, 0, static_cast<int>(preedit_.size()));
                break;
            case QInputMethodEvent::TextFormat: {
                const QTextCharFormat format = attribute.value.value<QTextFormat>().toCharFormat();
                if (format.isValid() && attribute.length > 0)
                    preeditFormats_.append({attribute.start, attribute.length, format});
                break;
            }
            case QInputMethodEvent::Selection: {
                // Positions in the caret's line, as the surrounding text gave them.
                const std::string_view text = text_.line(caretLine);
                anchor_ = caretLineStart + byteOffsetOfUtf16(text, attribute.start);
                caret_ =
                    caretLineStart + byteOffsetOfUtf16(text, attribute.start + attribute.length);
                break;
            }
            default:
                break;
        }
    }
    if (preedit_.isEmpty()) preeditCaret_ = 0;
    if (!preedit_.isEmpty() && preeditFormats_.isEmpty()) {
        QTextCharFormat underlined;
        underlined.setFontUnderline(true);
        preeditFormats_.append({0, static_cast<int>(preedit_.size()), underlined});
    }
    updateScrollBars();
    ensureCaretVisible();
    caretChanged();
    event->accept();
}

QVariant OutputBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    const int line = text_.lineOf(caret_);
    const std::size_t start = text_.lineStart(line);
    const std::string_view bytes = text_.line(line);
    const auto column = [&](std::size_t pos) {
        pos = std::clamp(pos, start, text_.lineEnd(line));
        return utf16Length(bytes.substr(0, pos - start));
    };
    switch (query) {
        case Qt::ImEnabled:
            return true;
        case Qt::ImReadOnly:
            return false;
        case Qt::ImHints:
            return int(inputMethodHints());
        case Qt::ImFont:
            return font();
        case Qt::ImCursorRectangle:
            return caretRect().translated(viewport()->pos());
        case Qt::ImAnchorRectangle:
            return characterRect(anchor_).translated(viewport()->pos());
        case Qt::ImSurroundingText:
            return decoded(bytes);
        case Qt::ImCursorPosition:
            return column(caret_);
        case Qt::ImAnchorPosition:
            return column(anchor_);
        case Qt::ImAbsolutePosition:
            return text_.utf16Offset(caret_);
        case Qt::ImTextBeforeCursor:
            return decoded(bytes.substr(0, caret_ - start));
        case Qt::ImTextAfterCursor:
            return decoded(bytes.substr(caret_ - start));
        case Qt::ImCurrentSelection: {
            const auto [from, to] = selection();
            return decoded(std::string_view(text_.bytes()).substr(from, to - from));
        }
        case Qt::ImMaximumTextLength:
            return QVariant();  // no limit, as the box has none
        default:
            return QAbstractScrollArea::inputMethodQuery(query);
    }
}

}  // namespace zivek::windows

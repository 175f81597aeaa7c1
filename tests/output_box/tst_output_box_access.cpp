// The output box for those who do not read it off the screen: a screen reader asking
// the accessibility interface for lines, the caret and the selection, and hearing
// of changes; an input method composing text at the caret and committing it.
#include <QtTest/qtestaccessible.h>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <QAccessible>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextCharFormat>
#include <memory>

#include "output_box/output_box.h"
#include "shown_output_box.h"

using zivek::windows::OutputBox;

namespace {

QAccessibleTextInterface* textOf(QWidget* box) {
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(box);
    return reader ? reader->textInterface() : nullptr;
}

// What an input method asks of the focused box, as the platform asks it.
QVariant ask(QWidget& box, Qt::InputMethodQuery query) {
    QInputMethodQueryEvent event(query);
    QApplication::sendEvent(&box, &event);
    return event.value(query);
}

struct Span {
    QString text;
    int start = -1;
    int end = -1;
    bool operator==(const Span&) const = default;
};

QDebug operator<<(QDebug debug, const Span& span) {
    return debug << span.text << span.start << span.end;
}

Span at(QAccessibleTextInterface* text, int offset, QAccessible::TextBoundaryType type) {
    Span span;
    span.text = text->textAtOffset(offset, type, &span.start, &span.end);
    return span;
}
Span before(QAccessibleTextInterface* text, int offset, QAccessible::TextBoundaryType type) {
    Span span;
    span.text = text->textBeforeOffset(offset, type, &span.start, &span.end);
    return span;
}
Span after(QAccessibleTextInterface* text, int offset, QAccessible::TextBoundaryType type) {
    Span span;
    span.text = text->textAfterOffset(offset, type, &span.start, &span.end);
    return span;
}

}  // namespace

class OutputBoxAccessTest : public QObject {
    Q_OBJECT

    std::unique_ptr<OutputBox> box_;

    OutputBox& shownBox(const QString& text) {
        box_ = zivek::testing::shownOutputBox(text);
        forgetEvents();
        return *box_;
    }

    // The recorder owns the copies it keeps, and its own clearEvents() only forgets them.
    static void forgetEvents() {
        qDeleteAll(QTestAccessibility::events());
        QTestAccessibility::clearEvents();
    }

    static void key(QWidget* box, QKeyCombination combination) {
        QTest::keyClick(box, combination.key(), combination.keyboardModifiers());
    }

  private slots:
    // As when a screen reader is running: the platform's accessibility is switched on
    // and every event is recorded.
    void initTestCase() {
        QPlatformAccessibility* platform =
            QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(platform);
        platform->setActive(true);
        QTestAccessibility::initialize();
        QVERIFY(QAccessible::isActive());
    }

    void cleanup() {
        box_.reset();
        forgetEvents();
    }

    // An editable multi-line text, read a line at a time even in the largest program;
    // offsets count UTF-16 units, so Turkish letters count one each.
    void readsLineByLine() {
        QString program = "İŞ MİLİ DEVİRİ\n";
        for (int pass = 1; pass <= 100'000; ++pass)
            program += QString("G0U%1\nG1W-60F111\nG0U-%1W60\n").arg(pass);
        program += "M30\n%\n";
        OutputBox& box = shownBox(program);
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&box);
        QVERIFY(reader);
        QCOMPARE(reader->role(), QAccessible::EditableText);
        QVERIFY(reader->state().editable);
        QVERIFY(reader->state().multiLine);
        QVERIFY(reader->editableTextInterface());
        QAccessibleTextInterface* text = reader->textInterface();
        QVERIFY(text);
        QCOMPARE(text->characterCount(), program.size());

        const int line150001 = static_cast<int>(program.indexOf("G0U50001\n"));
        QCOMPARE(at(text, line150001 + 3, QAccessible::LineBoundary),
                 (Span{"G0U50001\n", line150001, line150001 + 9}));
        QCOMPARE(before(text, line150001 + 3, QAccessible::LineBoundary).text,
                 QString("G0U-50000W60\n"));
        QCOMPARE(after(text, line150001, QAccessible::LineBoundary),
                 (Span{"G1W-60F111\n", line150001 + 9, line150001 + 20}));
        QCOMPARE(at(text, line150001 + 1, QAccessible::CharBoundary),
                 (Span{"0", line150001 + 1, line150001 + 2}));
        QCOMPARE(at(text, 4, QAccessible::WordBoundary), (Span{"MİLİ", 3, 7}));
        QCOMPARE(at(text, 0, QAccessible::LineBoundary), (Span{"İŞ MİLİ DEVİRİ\n", 0, 15}));
        QCOMPARE(before(text, 0, QAccessible::LineBoundary).text, QString());
        // The last line is the empty one after the final line end.
        const int end = text->characterCount();
        QCOMPARE(at(text, end, QAccessible::LineBoundary), (Span{"", end, end}));
        QCOMPARE(before(text, end, QAccessible::LineBoundary), (Span{"%\n", end - 2, end}));
        QCOMPARE(after(text, end, QAccessible::LineBoundary).text, QString());
        QCOMPARE(text->text(line150001, line150001 + 8), QString("G0U50001"));
        QCOMPARE(at(text, -1, QAccessible::LineBoundary).start, end);
        QCOMPARE(at(text, end + 1, QAccessible::LineBoundary).start, -1);

        // Where a line stands on the screen, and which offset stands at a point.
        text->scrollToSubstring(line150001, line150001 + 8);
        const QRect shown = text->characterRect(line150001);
        QVERIFY(box.viewport()->rect().contains(box.viewport()->mapFromGlobal(shown.center())));
        QCOMPARE(text->offsetAtPoint(shown.center()), line150001);
    }

    // The caret and the selection, read and set by the reader as by the keys.
    void caretAndSelection() {
        OutputBox& box = shownBox("M08\nM03\nS6\n");
        QAccessibleTextInterface* text = textOf(&box);
        QCOMPARE(text->cursorPosition(), 0);
        QCOMPARE(text->selectionCount(), 0);
        key(&box, Qt::Key_Down);
        key(&box, Qt::SHIFT | Qt::Key_End);
        QCOMPARE(text->cursorPosition(), 7);
        QCOMPARE(text->selectionCount(), 1);
        int start = 0;
        int end = 0;
        text->selection(0, &start, &end);
        QCOMPARE(QPair(start, end), QPair(4, 7));

        text->setSelection(0, 9, 8);
        text->selection(0, &start, &end);
        QCOMPARE(QPair(start, end), QPair(8, 9));
        QCOMPARE(text->cursorPosition(), 8);
        text->removeSelection(0);
        QCOMPARE(text->selectionCount(), 0);
        text->setCursorPosition(2);
        key(&box, Qt::SHIFT | Qt::Key_Right);
        text->selection(0, &start, &end);
        QCOMPARE(QPair(start, end), QPair(2, 3));
    }

    // The reader edits through its own interface as a user would with keys.
    void editsThroughTheReader() {
        OutputBox& box = shownBox("G0U1\nM30\n");
        QAccessibleEditableTextInterface* edit =
            QAccessible::queryAccessibleInterface(&box)->editableTextInterface();
        edit->insertText(5, "G54\n");
        QCOMPARE(box.toPlainText(), QString("G0U1\nG54\nM30\n"));
        edit->replaceText(3, 4, "12");
        QCOMPARE(box.toPlainText(), QString("G0U12\nG54\nM30\n"));
        edit->deleteText(6, 10);
        QCOMPARE(box.toPlainText(), QString("G0U12\nM30\n"));
        key(&box, Qt::CTRL | Qt::Key_Z);
        QCOMPARE(box.toPlainText(), QString("G0U12\nG54\nM30\n"));
    }

    // What changes is told: typed and deleted text, a new program, the caret and the
    // selection.
    void changesAreTold() {
        OutputBox& box = shownBox("AB\nCD");
        key(&box, Qt::Key_End);
        QTest::keyClicks(&box, "Ç");
        QAccessibleTextCursorEvent movedToEnd(&box, 2);
        QAccessibleTextInsertEvent typed(&box, 2, "Ç");
        QAccessibleTextCursorEvent afterTyped(&box, 3);
        QVERIFY(QTestAccessibility::containsEvent(&movedToEnd));
        QVERIFY(QTestAccessibility::containsEvent(&typed));
        QVERIFY(QTestAccessibility::containsEvent(&afterTyped));

        key(&box, Qt::Key_Backspace);
        QAccessibleTextRemoveEvent removed(&box, 2, "Ç");
        QVERIFY(QTestAccessibility::containsEvent(&removed));

        key(&box, Qt::SHIFT | Qt::Key_Home);
        QAccessibleTextSelectionEvent selected(&box, 0, 2);
        selected.setCursorPosition(0);
        QVERIFY(QTestAccessibility::containsEvent(&selected));
        QTest::keyClicks(&box, "X");
        QAccessibleTextUpdateEvent replaced(&box, 0, "AB", "X");
        QVERIFY(QTestAccessibility::containsEvent(&replaced));

        forgetEvents();
        box.setPlainText("M30");
        QAccessibleTextUpdateEvent program(&box, 0, "X\nCD", "M30");
        QVERIFY(QTestAccessibility::containsEvent(&program));
    }

    // An input method composes at the caret: the preedit shows there, with its own
    // caret, and is not yet text; its commit replaces the range it names.
    void inputMethodComposesAndCommits() {
        OutputBox& box = shownBox("G0U12\nG1W-60\n");
        key(&box, Qt::Key_End);
        const QImage plain = box.viewport()->grab().toImage();
        // Where the input method is told the caret is, in the widget; the pictures
        // below are of the viewport.
        const QPoint viewport = box.viewport()->pos();
        const QRect caretBefore = ask(box, Qt::ImCursorRectangle).toRect().translated(-viewport);

        QTextCharFormat underlined;
        underlined.setFontUnderline(true);
        QInputMethodEvent composing("ab", {{QInputMethodEvent::Cursor, 1, 1, {}},
                                           {QInputMethodEvent::TextFormat, 0, 2,
                                            QVariant::fromValue<QTextFormat>(underlined)}});
        QApplication::sendEvent(&box, &composing);
        QCOMPARE(box.toPlainText(), QString("G0U12\nG1W-60\n"));
        QCOMPARE(ask(box, Qt::ImSurroundingText).toString(), QString("G0U12"));
        // The preedit's caret stands after its first letter.
        const QRect caretComposing = ask(box, Qt::ImCursorRectangle).toRect();
        const int advance = caretComposing.x() - caretBefore.x();
        QVERIFY(std::abs(advance - box.fontMetrics().horizontalAdvance('a')) <= 1);
        // The preedit is drawn right of the caret's old place, and only on its line.
        const QImage shown = box.viewport()->grab().toImage();
        QRect changed;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != plain.pixel(x, y)) changed |= QRect(x, y, 1, 1);
        QVERIFY(!changed.isEmpty());
        QVERIFY(changed.left() >= caretBefore.left() - 2);
        QVERIFY(changed.bottom() < caretBefore.bottom() + 2);

        // The commit replaces the two digits before the caret.
        QInputMethodEvent commit;
        commit.setCommitString("34", -2, 2);
        QApplication::sendEvent(&box, &commit);
        QCOMPARE(box.toPlainText(), QString("G0U34\nG1W-60\n"));
        QCOMPARE(ask(box, Qt::ImCursorPosition).toInt(), 5);
        // No preedit is left: right of the caret the line shows only the ground.
        const QImage committed = box.viewport()->grab().toImage();
        const QRect caretAfter = ask(box, Qt::ImCursorRectangle).toRect().translated(-viewport);
        const QColor ground = box.viewport()->palette().color(QPalette::Base);
        for (int y = caretAfter.top(); y <= caretAfter.bottom(); ++y)
            for (int x = caretAfter.right() + 3; x < committed.width(); ++x)
                QCOMPARE(committed.pixelColor(x, y), ground);
        // Replacing after the caret leaves the caret where it was.
        key(&box, Qt::Key_Home);
        QInputMethodEvent ahead;
        ahead.setCommitString("", 1, 2);
        QApplication::sendEvent(&box, &ahead);
        QCOMPARE(box.toPlainText(), QString("G34\nG1W-60\n"));
        QCOMPARE(ask(box, Qt::ImCursorPosition).toInt(), 0);
    }

    // The queries that Qt's own text boxes answer, answered alike.
    void inputMethodQueries() {
        OutputBox& box = shownBox("M08\nG0U12W-60\n");
        key(&box, Qt::Key_Down);
        key(&box, Qt::Key_Right);
        key(&box, Qt::Key_Right);
        key(&box, Qt::SHIFT | Qt::Key_Right);
        QVERIFY(box.testAttribute(Qt::WA_InputMethodEnabled));
        QCOMPARE(ask(box, Qt::ImEnabled).toBool(), true);
        QCOMPARE(ask(box, Qt::ImSurroundingText).toString(), QString("G0U12W-60"));
        QCOMPARE(ask(box, Qt::ImCursorPosition).toInt(), 3);
        QCOMPARE(ask(box, Qt::ImAnchorPosition).toInt(), 2);
        QCOMPARE(ask(box, Qt::ImCurrentSelection).toString(), QString("U"));
        QCOMPARE(ask(box, Qt::ImTextBeforeCursor).toString(), QString("G0U"));
        QCOMPARE(ask(box, Qt::ImTextAfterCursor).toString(), QString("12W-60"));
        QCOMPARE(ask(box, Qt::ImAbsolutePosition).toInt(), 7);
        QVERIFY(ask(box, Qt::ImHints).toInt() & Qt::ImhMultiLine);
        QCOMPARE(ask(box, Qt::ImFont).value<QFont>(), box.font());
        QVERIFY(!ask(box, Qt::ImMaximumTextLength).isValid());  // no limit
        const QRect caret = ask(box, Qt::ImCursorRectangle).toRect();
        QVERIFY(box.rect().contains(caret));
        QVERIFY(caret.top() > box.fontMetrics().height() / 2);  // on the second line
    }
};

QTEST_MAIN(OutputBoxAccessTest)
#include "tst_output_box_access.moc"

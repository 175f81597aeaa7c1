// The output box under the mouse as on a Linux desktop: a drag past an edge scrolls
// on, a triple click takes a line, and the primary selection is set by selecting
// and pasted with the middle button. Runs on the xcb platform under a virtual X
// server, since the offscreen platform has no primary selection.
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "output_box/output_box.h"
#include "shown_output_box.h"

using zivek::windows::OutputBox;

class OutputBoxMouseTest : public QObject {
    Q_OBJECT

    std::unique_ptr<OutputBox> box_;

    OutputBox& shownBox(const QString& text) {
        box_ = zivek::testing::shownOutputBox(text);
        return *box_;
    }

    // The middle of a line on the screen, a few letters in.
    QPoint atLine(int line) const {
        const int height = box_->fontMetrics().height();
        return {6 + box_->fontMetrics().horizontalAdvance("G0"), 4 + line * height + height / 2};
    }

    // As the platform delivers it: press, release, the double click, release.
    static void doubleClick(QWidget* view, QPoint at) {
        QTest::mouseClick(view, Qt::LeftButton, {}, at);
        QTest::mouseDClick(view, Qt::LeftButton, {}, at);
        QTest::mouseRelease(view, Qt::LeftButton, {}, at);
    }

    static QString primary() { return QGuiApplication::clipboard()->text(QClipboard::Selection); }

  private slots:
    void initTestCase() {
        if (!QGuiApplication::clipboard()->supportsSelection())
            QSKIP("this platform has no primary selection; run it on xcb under Xvfb");
    }

    void cleanup() { box_.reset(); }

    // A triple click takes the whole line with its line end; dragging on from there
    // takes whole lines.
    void tripleClickSelectsLines() {
        OutputBox& box = shownBox("G0U1\nG1W-60F111\nG0U-1W60\nM30\n");
        QWidget* view = box.viewport();
        doubleClick(view, atLine(1));
        QTest::mouseClick(view, Qt::LeftButton, {}, atLine(1));
        QCOMPARE(primary(), QString("G1W-60F111\n"));

        doubleClick(view, atLine(1));
        QTest::mousePress(view, Qt::LeftButton, {}, atLine(1));
        QTest::mouseMove(view, atLine(2));
        QTest::mouseRelease(view, Qt::LeftButton, {}, atLine(2));
        QCOMPARE(primary(), QString("G1W-60F111\nG0U-1W60\n"));
        QTest::keyClicks(&box, "X");
        QCOMPARE(box.toPlainText(), QString("G0U1\nXM30\n"));
    }

    // Held below the box, the pointer keeps the view scrolling and the selection
    // growing, without another move of the mouse.
    void dragPastTheEdgeScrolls() {
        QStringList lines;
        for (int line = 0; line < 500; ++line) lines << QString("G1W-%1").arg(line);
        OutputBox& box = shownBox(lines.join('\n'));
        QWidget* view = box.viewport();
        QScrollBar* bar = box.verticalScrollBar();
        QTest::mousePress(view, Qt::LeftButton, {}, atLine(0));
        QTest::mouseMove(view, QPoint(atLine(0).x(), view->height() + 20));
        const int firstScroll = bar->value();
        QTRY_VERIFY(bar->value() > firstScroll + 5);
        const int scrolled = bar->value();
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(atLine(0).x(), view->height() + 20));
        QTest::qWait(200);
        QCOMPARE(bar->value(), scrolled);  // the scrolling ends with the drag
        // The selection reached the last line in view.
        const QString selected = primary();
        QVERIFY(selected.startsWith("W-0\nG1W-1\n"));
        QVERIFY(selected.count('\n') >= scrolled);
    }

    // Selecting with the mouse or the keys sets the primary selection; the middle
    // button pastes it where the pointer is.
    void primarySelectionIsSetAndPasted() {
        OutputBox& box = shownBox("G0U12\nG1W-60F111\nM30\n");
        QWidget* view = box.viewport();
        doubleClick(view, atLine(1));
        QCOMPARE(primary(), QString("G1W"));

        QTest::keyClick(&box, Qt::Key_Home);
        QTest::keyClick(&box, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(primary(), QString("G1W-60F111"));

        // From another program: what it selected goes in at the pointer.
        QGuiApplication::clipboard()->setText("M08", QClipboard::Selection);
        QTest::mouseClick(view, Qt::MiddleButton, {}, QPoint(4 + 1, atLine(2).y()));
        QCOMPARE(box.toPlainText(), QString("G0U12\nG1W-60F111\nM08M30\n"));
        QCOMPARE(primary(), QString("M08"));  // pasting leaves it as it was
    }
};

QTEST_MAIN(OutputBoxMouseTest)
#include "tst_output_box_mouse.moc"

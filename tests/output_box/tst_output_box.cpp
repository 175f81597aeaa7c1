// The output box as a machinist uses it: programs with either line end, typing and
// deleting across line ends and Turkish letters, the clipboard, undo, the mouse, the
// focus, and a program of 300,000 lines.
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <string>

#include "output_box/output_box.h"
#include "output_box/output_text.h"
#include "shown_output_box.h"

using zivek::windows::OutputBox;
using zivek::windows::OutputText;

namespace {

// Actions on the box: "=text" types each letter as a key would, "~text" commits it
// from an input method, anything else is a key such as "Ctrl+Shift+End".
void perform(OutputBox& box, const QStringList& actions) {
    for (const QString& action : actions) {
        if (action.startsWith('=')) {
            for (QChar letter : action.mid(1)) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letter));
                QApplication::sendEvent(&box, &press);
            }
        } else if (action.startsWith('~')) {
            QInputMethodEvent commit;
            commit.setCommitString(action.mid(1));
            QApplication::sendEvent(&box, &commit);
        } else {
            const QKeyCombination key = QKeySequence::fromString(action)[0];
            QTest::keyClick(&box, key.key(), key.keyboardModifiers());
        }
    }
}

QStringList split(const char* actions) {
    return QString::fromUtf8(actions).split(' ', Qt::SkipEmptyParts);
}

// Every byte counts one pixel, so widths are line lengths.
zivek::windows::LineMeasure byteWidths() {
    zivek::windows::LineMeasure measure;
    measure.ascii.fill(64);
    measure.other = [](std::string_view line) { return static_cast<int>(line.size()) * 64; };
    return measure;
}

}  // namespace

class OutputBoxTest : public QObject {
    Q_OBJECT

    std::unique_ptr<OutputBox> box_;

    OutputBox& shownBox(const QString& text) {
        box_ = zivek::testing::shownOutputBox(text);
        return *box_;
    }

    QPoint atLine(int line, bool right) const {
        const int x = right ? box_->viewport()->width() - 5 : 6;
        return {x, 4 + line * box_->fontMetrics().height() + box_->fontMetrics().height() / 2};
    }

  private slots:
    void lineEnds_data() {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR LF, ended")
            << QByteArray("M08\r\nM03\r\n%\r\n\r\n") << 5 << "M08\nM03\n%\n\n";
        QTest::newRow("LF") << QByteArray("G54\nG0X0Y0") << 2 << "G54\nG0X0Y0";
        QTest::newRow("lone CR") << QByteArray("A\rB") << 2 << "A\nB";
        QTest::newRow("lone CR before CR LF") << QByteArray("A\r\r\nB\r") << 4 << "A\n\nB\n";
        QTest::newRow("lone CRs after CR LF")
            << QByteArray("AB\r\nCD\rEF\rG\r\nH") << 5 << "AB\nCD\nEF\nG\nH";
        QTest::newRow("lone CR, Turkish") << QByteArray("Ş\r\nİ\rÇ") << 3 << "Ş\nİ\nÇ";
        // A line wider than the box: its CR must not count in the width scrolled to.
        QTest::newRow("CR LF after a wide line")
            << QByteArray(300, 'X') + "\r\nY" << 2 << QString(300, u'X') + "\nY";
        QTest::newRow("empty") << QByteArray() << 1 << "";
        QTest::newRow("Turkish") << QByteArray("İŞ\r\nÇAP") << 2 << "İŞ\nÇAP";
    }

    void lineEnds() {
        QFETCH(QByteArray, program);
        QFETCH(int, lines);
        QFETCH(QString, shown);
        OutputBox box;
        box.setProgram(program.toStdString());
        QCOMPARE(box.lineCount(), lines);
        QCOMPARE(box.toPlainText(), shown);
        const int scrollWidth = box.horizontalScrollBar()->maximum();
        box.setPlainText(shown);  // the shown text reads back unchanged
        QCOMPARE(box.toPlainText(), shown);
        QCOMPARE(box.lineCount(), lines);
        QCOMPARE(box.horizontalScrollBar()->maximum(), scrollWidth);
    }

    // Keys on a shown box, with the clipboard before and after.
    void edits_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clipboardBefore");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("clipboardAfter");
        const auto row = [](const char* name, const char* text, const char* actions,
                            const char* expected, const char* clipBefore = "",
                            const char* clipAfter = "") {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(clipBefore)
                                << split(actions) << QString::fromUtf8(expected)
                                << QString::fromUtf8(clipAfter);
        };
        row("type at the end", "AB\nCD", "Ctrl+End =İŞ", "AB\nCDİŞ");
        row("input method letter", "AB", "End ~Ç", "ABÇ");
        row("Backspace joins lines", "AB\nCD", "Down Home Backspace", "ABCD");
        row("Delete joins lines", "AB\nCD", "End Del", "ABCD");
        row("Enter splits a line", "ABCD", "Right Right Return", "AB\nCD");
        row("Backspace takes a whole letter", "AİŞ", "End Backspace", "Aİ");
        row("Delete takes a whole letter", "İŞB", "Del", "ŞB");
        row("Right steps over a letter", "İŞ", "Right =x", "İxŞ");
        row("Down keeps the column", "AAAA\nAAAA", "Right Right Down =x", "AAAA\nAAxAA");
        row("Up at the top goes to the start", "AB", "End Up =x", "xAB");
        row("Home and End", "AB\nCD", "Ctrl+End Home =x Up End =y", "ABy\nxCD");
        row("Ctrl+Home", "AB\nCD", "Ctrl+End Ctrl+Home =x", "xAB\nCD");
        row("word right", "G0 X10 Y5", "Ctrl+Right =|", "G0 |X10 Y5");
        row("word left", "G0 X10", "End Ctrl+Left =|", "G0 |X10");
        row("Ctrl+Backspace takes a word", "G0 X10", "End Ctrl+Backspace", "G0 ");
        row("typing replaces the selection", "ABCD", "Right Shift+End =x", "Ax");
        row("Left ends the selection at its start", "ABCD", "Right Shift+End Left =x", "AxBCD");
        row("selection over lines", "AB\nAB\nAB", "Right Shift+Down Shift+Down Backspace", "AB");
        row("Ctrl+A", "AB\nCD", "Ctrl+A =x", "x");
        row("copy and paste", "AB\nCD", "Shift+End Ctrl+C End Ctrl+V", "ABAB\nCD", "", "AB");
        row("cut over lines", "AB\nCD", "Right Ctrl+Shift+End Ctrl+X", "A", "", "B\nCD");
        row("paste CR LF", "X", "End Ctrl+V", "X1\n2", "1\r\n2", "1\r\n2");
        row("undo a typed word", "AB", "End =CD Ctrl+Z", "AB");
        row("redo with Ctrl+Y", "AB", "End =CD Ctrl+Z Ctrl+Y", "ABCD");
        row("redo with Ctrl+Shift+Z", "AB", "End =CD Ctrl+Z Ctrl+Shift+Z", "ABCD");
        row("undo step by step", "AB", "End Backspace =X Ctrl+Z", "A");
        row("undo all the way", "AB", "End Backspace =X Ctrl+Z Ctrl+Z", "AB");
        row("a moved caret starts a new step", "AB", "End =C Home =D Ctrl+Z", "ABC");
        row("undo a paste over lines", "X", "End Ctrl+V Ctrl+Z", "X", "1\n2", "1\n2");
        row("undo a cut", "AB\nCD", "Ctrl+A Ctrl+X Ctrl+Z", "AB\nCD", "", "AB\nCD");
        row("typing drops the redo", "AB", "End =C Ctrl+Z =D Ctrl+Y", "ABD");
        row("Tab types nothing", "AB", "End Tab", "AB");
    }

    void edits() {
        QFETCH(QString, text);
        QFETCH(QString, clipboardBefore);
        QFETCH(QStringList, actions);
        QFETCH(QString, expected);
        QFETCH(QString, clipboardAfter);
        QGuiApplication::clipboard()->setText(clipboardBefore);
        OutputBox& box = shownBox(text);
        perform(box, actions);
        QCOMPARE(box.toPlainText(), expected);
        QCOMPARE(box.lineCount(), static_cast<int>(expected.count('\n')) + 1);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboardAfter);
    }

    // An edit moves the later line starts and keeps the widest line as a fresh build
    // of the same text would.
    void linesAfterAnEdit_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QByteArray>("with");
        QTest::newRow("join lines") << QByteArray("AB\nCD\nEF") << 1 << 4 << QByteArray();
        QTest::newRow("split a line") << QByteArray("ABCD\nEF") << 2 << 2 << QByteArray("\n\n");
        QTest::newRow("lines for lines")
            << QByteArray("A\nBB\nCCC\nD") << 2 << 8 << QByteArray("X\nY");
        QTest::newRow("shorten the widest")
            << QByteArray("AAAA\nBB\nC") << 0 << 4 << QByteArray("A");
        QTest::newRow("one of two widest") << QByteArray("AAA\nBBB\nC") << 0 << 1 << QByteArray();
        QTest::newRow("widen a line") << QByteArray("A\nB") << 2 << 2 << QByteArray("ŞŞŞ");
        QTest::newRow("at the very end") << QByteArray("A\nB\n") << 4 << 4 << QByteArray("C\n");
        QTest::newRow("everything") << QByteArray("A\nB") << 0 << 3 << QByteArray();
    }

    void linesAfterAnEdit() {
        QFETCH(QByteArray, text);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QByteArray, with);
        OutputText edited;
        edited.setMeasure(byteWidths());
        edited.assign(text.toStdString());
        edited.replace(from, to, with.toStdString());

        std::string expected = text.toStdString();
        expected.replace(from, to - from, with.toStdString());
        OutputText fresh;
        fresh.setMeasure(byteWidths());
        fresh.assign(expected);

        QCOMPARE(edited.bytes(), expected);
        QCOMPARE(edited.lineCount(), fresh.lineCount());
        for (int line = 0; line < fresh.lineCount(); ++line)
            QCOMPARE(edited.lineStart(line), fresh.lineStart(line));
        QCOMPARE(edited.widestLine(), fresh.widestLine());
    }

    void mouse_data() {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<QString>("expected");  // after typing "x"
        QTest::newRow("click past a line end") << "click"
                                               << "G0X0Y0 M08\nCDx\nEF";
        QTest::newRow("drag over lines") << "drag"
                                         << "x\nEF";
        QTest::newRow("Shift+click extends") << "shift"
                                             << "x\nEF";
        QTest::newRow("double-click a word") << "double"
                                             << "x M08\nCD\nEF";
    }

    void mouse() {
        QFETCH(QString, gesture);
        QFETCH(QString, expected);
        OutputBox& box = shownBox("G0X0Y0 M08\nCD\nEF");
        QWidget* view = box.viewport();
        const QPoint start = atLine(0, false) - QPoint(3, 0);  // before the first letter
        const QPoint end = atLine(1, true);
        if (gesture == "click") {
            QTest::mouseClick(view, Qt::LeftButton, {}, end);
        } else if (gesture == "drag") {
            QTest::mousePress(view, Qt::LeftButton, {}, start);
            QTest::mouseMove(view, end);
            QTest::mouseRelease(view, Qt::LeftButton, {}, end);
        } else if (gesture == "shift") {
            QTest::mouseClick(view, Qt::LeftButton, {}, start);
            QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, end);
        } else {
            QTest::mouseDClick(view, Qt::LeftButton, {}, atLine(0, false));
        }
        perform(box, {"=x"});
        QCOMPARE(box.toPlainText(), expected);
    }

    // Tab and Shift+Tab move the focus on and back; neither types anything.
    void tabMovesTheFocus() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* before = new QLineEdit(&window);
        auto* box = new OutputBox(&window);
        auto* after = new QLineEdit(&window);
        layout->addWidget(before);
        layout->addWidget(box);
        layout->addWidget(after);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(box->focusPolicy(), Qt::StrongFocus);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), after);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), before);
        QVERIFY(box->toPlainText().isEmpty());
    }

    // Both bars stand even when empty; the vertical one reaches every line of the
    // largest program, and the view follows the caret to the end and back.
    void largestProgram() {
        OutputBox& box = shownBox({});
        QVERIFY(box.verticalScrollBar()->isVisible());
        QVERIFY(box.horizontalScrollBar()->isVisible());

        std::string program;
        for (int i = 0; i < 300'000; ++i) program += "G1W-60F111\r\n";
        box.setProgram(std::move(program));
        QCOMPARE(box.lineCount(), 300'001);
        QScrollBar* bar = box.verticalScrollBar();
        QVERIFY(bar->maximum() + bar->pageStep() >= box.lineCount());
        QVERIFY(bar->maximum() < box.lineCount());

        perform(box, {"Ctrl+End"});
        QCOMPARE(bar->value(), bar->maximum());
        perform(box, {"=M30", "Return", "=%"});
        QCOMPARE(box.lineCount(), 300'002);
        QVERIFY(box.toPlainText().endsWith("G1W-60F111\nM30\n%"));
        QCOMPARE(bar->value(), bar->maximum());
        perform(box, {"Ctrl+Home"});
        QCOMPARE(bar->value(), 0);
        perform(box, {"PgDown"});
        QCOMPARE(bar->value(), bar->pageStep());
    }

    // The wheel scrolls down, and sideways with Shift or a sideways wheel.
    void wheel_data() {
        QTest::addColumn<QPoint>("turn");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("sideways");
        QTest::newRow("down") << QPoint(0, -120) << Qt::KeyboardModifiers() << false;
        QTest::newRow("Shift") << QPoint(0, -120) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                               << true;
        QTest::newRow("sideways wheel") << QPoint(-120, 0) << Qt::KeyboardModifiers() << true;
    }

    void wheel() {
        QFETCH(QPoint, turn);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, sideways);
        QStringList lines(100, QString(300, 'W'));
        OutputBox& box = shownBox(lines.join('\n'));
        const QPointF at(20, 20);
        QWheelEvent event(at, box.viewport()->mapToGlobal(at), {}, turn, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(box.viewport(), &event);
        QCOMPARE(box.horizontalScrollBar()->value() > 0, sideways);
        QCOMPARE(box.verticalScrollBar()->value() > 0, !sideways);
    }

    // The sideways range follows the widest line as lines come and go.
    void sidewaysRange() {
        OutputBox& box = shownBox("A\n" + QString(300, 'W') + "\nB");
        QScrollBar* bar = box.horizontalScrollBar();
        QVERIFY(bar->maximum() > 0);
        perform(box, {"Down", "Shift+Down", "Del"});
        QCOMPARE(box.toPlainText(), QString("A\nB"));
        QCOMPARE(bar->maximum(), 0);
        perform(box, {"Ctrl+Z"});
        QVERIFY(bar->maximum() > 0);
        perform(box, {"Up", "End"});
        // The caret at the far end is in view; the range may round up a pixel.
        QVERIFY(bar->value() >= bar->maximum() - 1);
    }
};

QTEST_MAIN(OutputBoxTest)
#include "tst_output_box.moc"

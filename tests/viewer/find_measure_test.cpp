// Finding in the program, going to a line, a cycle's contour shown from its lines, and
// measuring on the plot, all through the real window.

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "viewer/find_bar.h"
#include "viewer/go_to_line_bar.h"
#include "viewer/main_window.h"
#include "viewer/measure_tool.h"
#include "viewer/plot_widget.h"

using namespace zivek::backplot;

class FindMeasureTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void findCountsAndSteps();
    void goToLineSaysWhereItWent();
    void contourLinesShowTheCyclesMovesAlongThem();
    void measuresBetweenSnappedPoints_data();
    void measuresBetweenSnappedPoints();

  private:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(dir_.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
    // Shown and active, so that the window's keys reach it.
    static void show(MainWindow& window) {
        window.resize(1100, 700);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    static int row(const MainWindow& window) { return window.lines()->currentIndex().row(); }
    static QPoint at(const PlotWidget* plot, zivek::gcode::Point p, QPoint off = {}) {
        const ScreenPoint s = plot->viewport().toScreen(p);
        return QPoint(int(std::lround(s.x)), int(std::lround(s.y))) + off;
    }
    QTemporaryDir dir_;
};

void FindMeasureTest::findCountsAndSteps() {
    MainWindow window;
    window.openFile(write("find.nc",
                          "G0 X10 Z2\ng1 Z-20 F100\n(DIŞ ÇAP)\nG1 X12\nG0 Z5\n"
                          "G1 Z-10\nM30\n"));
    show(window);
    FindBar* find = window.findBar();
    QVERIFY(!find->isVisible());
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(find->isVisible());
    QVERIFY(find->field()->hasFocus());

    // Any case; the first line found is chosen at once.
    QTest::keyClicks(find->field(), "G1");
    QCOMPARE(find->found(), (std::vector<std::uint32_t>{1, 3, 5}));
    QCOMPARE(row(window), 1);
    QCOMPARE(find->count()->text(), QStringLiteral("1/3"));
    // Enter goes on, Shift+Enter back, both round the end.
    for (const auto& [key, modifiers, line, said] :
         {std::tuple{Qt::Key_Return, Qt::NoModifier, 3, "2/3"},
          std::tuple{Qt::Key_Return, Qt::NoModifier, 5, "3/3"},
          std::tuple{Qt::Key_Enter, Qt::NoModifier, 1, "1/3"},
          std::tuple{Qt::Key_Return, Qt::ShiftModifier, 5, "3/3"}}) {
        QTest::keyClick(find->field(), key, modifiers);
        QCOMPARE(row(window), line);
        QCOMPARE(find->count()->text(), QString::fromUtf8(said));
    }
    // F3 wherever the focus is; a line chosen in between is where the next is looked for.
    window.lines()->setCurrentIndex(window.lines()->model()->index(2, 0));
    window.plot()->setFocus();
    QTest::keyClick(&window, Qt::Key_F3);
    QCOMPARE(row(window), 3);
    QTest::keyClick(&window, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(row(window), 1);

    find->field()->setText(QStringLiteral("dış çap"));  // QTest types ASCII only
    QCOMPARE(row(window), 2);
    find->field()->setText(QStringLiteral("G71"));
    QCOMPARE(find->count()->text(), QStringLiteral("Bulunamadı"));
    QCOMPARE(row(window), 2);  // nothing found: the line stays

    // A letter typed in the list opens the find bar with it.
    QTest::keyClick(find->field(), Qt::Key_Escape);
    QVERIFY(!find->isVisible());
    QVERIFY(window.lines()->hasFocus());
    QTest::keyClick(window.lines(), Qt::Key_M);
    QVERIFY(find->isVisible());
    QCOMPARE(find->field()->text(), QStringLiteral("m"));
    QCOMPARE(row(window), 6);
}

void FindMeasureTest::goToLineSaysWhereItWent() {
    MainWindow window;
    QByteArray text;
    for (int i = 1; i <= 40; ++i) text += "G1 Z-" + QByteArray::number(i) + " F100\n";
    window.openFile(write("lines.nc", text));
    show(window);
    GoToLineBar* goTo = window.goToLineBar();
    QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier);
    QVERIFY(goTo->isVisible());
    QCOMPARE(goTo->field()->placeholderText(), QStringLiteral("1–40"));
    for (const auto& [typed, line, answer] : {std::tuple{"25", 24, "Satır 25 / 40"},
                                              std::tuple{"41", 24, "41. satır yok: program 1–40"},
                                              std::tuple{"0", 24, "0. satır yok: program 1–40"},
                                              std::tuple{"40", 39, "Satır 40 / 40"}}) {
        goTo->field()->selectAll();
        QTest::keyClicks(goTo->field(), typed);
        QTest::keyClick(goTo->field(), Qt::Key_Return);
        QCOMPARE(row(window), line);
        QCOMPARE(goTo->answer()->text(), QString::fromUtf8(answer));
    }
    // A number typed in the list goes the same way, and says so.
    QTest::keyClick(goTo->field(), Qt::Key_Escape);
    QVERIFY(window.lines()->hasFocus());
    QTest::keyClicks(window.lines(), "1");
    QVERIFY(goTo->isVisible());
    QTest::keyClicks(goTo->field(), "2");
    QTest::keyClick(goTo->field(), Qt::Key_Enter);
    QCOMPARE(row(window), 11);
    QCOMPARE(goTo->answer()->text(), QStringLiteral("Satır 12 / 40"));
}

void FindMeasureTest::contourLinesShowTheCyclesMovesAlongThem() {
    MainWindow window;
    window.openFile(QStringLiteral(ZIVEK_TEST_PROGRAMS "/fanuc/shaft_mm.nc"));
    show(window);
    PlotWidget* plot = window.plot();
    const Toolpath& path = *plot->toolpath();
    // G71 on line 9 and G70 on line 19 both read N100 to N200, lines 10 to 18.
    const auto choose = [&](int line) {
        window.lines()->setCurrentIndex(window.lines()->model()->index(line, 0));
    };
    choose(12);
    QCOMPARE(plot->chosenContours().size(), std::size_t(2));
    QCOMPARE(path.contours[plot->chosenContours()[0]].cycleLine, 8u);
    QCOMPARE(path.contours[plot->chosenContours()[1]].cycleLine, 18u);
    QVERIFY2(window.selectionText().contains(QStringLiteral("9. ve 19. satırlardaki")),
             qPrintable(window.selectionText()));
    // The G70 pass's feed along Z-25 to Z-50 at X15, marked: yellow over the blue path.
    const CycleContour& finishing = path.contours[plot->chosenContours()[1]];
    std::optional<std::size_t> along;
    for (std::size_t m = finishing.firstMove; m < finishing.endMove; ++m)
        if (path.moves[m].to == zivek::gcode::Point{-50, 15}) along = m;
    QVERIFY(along);
    const Move& m = path.moves[*along];
    const QPoint middle = at(plot, {(m.from.z + m.to.z) / 2, (m.from.x + m.to.x) / 2});
    const auto colourAt = [&] { return plot->grab().toImage().pixelColor(middle); };
    const QColor marked = colourAt();
    QVERIFY2(marked.red() > marked.blue(), qPrintable(marked.name()));
    // Another line clears the mark; the path is its own blue there again.
    choose(19);
    QVERIFY(plot->chosenContours().empty());
    const QColor plain = colourAt();
    QVERIFY2(plain.blue() > plain.red(), qPrintable(plain.name()));
}

void FindMeasureTest::measuresBetweenSnappedPoints_data() {
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("feedLine");  // the line of the feed along Z-20 at X20
    // From X20 Z2 to X25 Z-20 as radii; the arc's centre at X25 Z-25.
    QTest::newRow("diameter") << QByteArray(
                                     "T0101\nG0 X40 Z2\nG1 Z-20 F0.2\nX50\n"
                                     "G2 X40 Z-25 I0 K-5\nM30\n")
                              << "Mesafe 22.561 mm   ΔZ -22 mm   ΔX 10 mm (çapta)" << 2;
    QTest::newRow("radius") << QByteArray("G0 X20 Z2\nG1 Z-20 F100\nX25\nG2 X20 Z-25 I0 K-5\n")
                            << "Mesafe 22.561 mm   ΔZ -22 mm   ΔX 5 mm (yarıçapta)" << 1;
}

void FindMeasureTest::measuresBetweenSnappedPoints() {
    QFETCH(QByteArray, program);
    QFETCH(QString, result);
    QFETCH(int, feedLine);
    MainWindow window;
    window.openFile(write("measure.nc", program));
    show(window);
    PlotWidget* plot = window.plot();
    MeasureTool* measure = window.measureTool();
    auto* button = window.findChild<QPushButton*>(QStringLiteral("measure"));
    QVERIFY(button);
    QTest::keyClick(plot, Qt::Key_M);
    QVERIFY(measure->active());
    QVERIFY(button->isChecked());
    const int lineBefore = row(window);

    // Near, not on: each point snaps to the move end within a few pixels.
    QTest::mouseClick(plot, Qt::LeftButton, {}, at(plot, {2, 20}, {3, -2}));
    QCOMPARE(measure->first(), std::optional<zivek::gcode::Point>({2, 20}));
    QCOMPARE(window.selectionText(),
             QStringLiteral("Ölçme: ikinci noktayı tıklayın (Esc bırakır)"));
    QTest::mouseClick(plot, Qt::LeftButton, {}, at(plot, {-20, 25}, {-2, 3}));
    QCOMPARE(measure->second(), std::optional<zivek::gcode::Point>({-20, 25}));
    QCOMPARE(window.selectionText(), result);
    QCOMPARE(row(window), lineBefore);  // measuring chose no line

    // An arc's centre is a point to measure from too; empty paper is none.
    const std::optional<zivek::gcode::Point> centre = measure->snap(at(plot, {-25, 25}, {2, 2}));
    QCOMPARE(centre, std::optional<zivek::gcode::Point>({-25, 25}));
    QCOMPARE(measure->snap(at(plot, {-10, 5})), std::nullopt);

    // Esc leaves measuring: the marks go and clicks choose lines again.
    QTest::keyClick(plot, Qt::Key_Escape);
    QVERIFY(!measure->active());
    QVERIFY(!button->isChecked());
    QVERIFY(!window.selectionText().startsWith(QStringLiteral("Mesafe")));
    QTest::mouseClick(plot, Qt::LeftButton, {}, at(plot, {-10, 20}));
    QCOMPARE(row(window), feedLine);
}

QTEST_MAIN(FindMeasureTest)
#include "find_measure_test.moc"

// The window in a program's own units and at the part's true shape: inch and millimetre
// programs, the rapid rate typed into its box, the pointer's read-out and the sheet's plot.
// Settings go to a folder of the test's own.

#include <QLabel>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <numbers>

#include "viewer/main_window.h"
#include "viewer/plot_widget.h"
#include "viewer/rapid_rate_box.h"
#include "viewer/screen_segments.h"
#include "viewer/setup_sheet.h"

using namespace zivek::backplot;

namespace {

// One shaft written in millimetres and in inches: a 45° chamfer, then an arc out.
constexpr char kMillimetres[] =
    "%\nO1001\nG21 G99\nT0101\nG97 S1000 M3\nG0 X30. Z2.\nG1 Z0. F0.15\nX40. Z-5.\nZ-20.\n"
    "G2 X50. Z-25. R5.\nG1 X60.\nG0 X100. Z50.\nM30\n%\n";
constexpr char kInches[] =
    "%\nO2002\nG20 G99\nT0101\nG97 S1000 M3\nG0 X1.2 Z0.1\nG1 Z0. F0.006\nX1.5 Z-0.15\n"
    "Z-1.\nG2 X2. Z-1.25 R0.25\nG1 X2.5\nG0 X4. Z2.\nM30\n%\n";

QString statusText(const MainWindow& window) {
    QStringList texts;
    for (const QLabel* l : window.statusBar()->findChildren<QLabel*>())
        texts << l->text() + QStringLiteral(" {") + l->toolTip() + u'}';
    return texts.join(u'|');
}

QString totalTime(const MainWindow& window) {
    for (const QLabel* l : window.statusBar()->findChildren<QLabel*>())
        if (l->text().startsWith(QStringLiteral("Toplam süre"))) return l->text();
    return {};
}

double degrees(const ScreenSegment& s) {
    return std::atan2(std::abs(s.y2 - s.y1), std::abs(s.x2 - s.x1)) * 180 / std::numbers::pi;
}

}  // namespace

class UnitsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(settings_.isValid());
        QVERIFY(programs_.isValid());
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
    }
    void init() {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("zivek"),
                  QStringLiteral("zivek-backplot"))
            .clear();
    }
    void totalsAxesAndRateAreInTheProgramsUnits_data();
    void totalsAxesAndRateAreInTheProgramsUnits();
    void rapidRateIsTypedAndKept();
    void pointerReadsBothXs();
    void sheetDrawsTheTrueShape();

  private:
    QString write(const QString& name, const char* text) {
        const QString path = programs_.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(text);
        return path;
    }
    QTemporaryDir settings_;
    QTemporaryDir programs_;
};

void UnitsWindowTest::totalsAxesAndRateAreInTheProgramsUnits_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("feedLength");
    QTest::addColumn<QString>("axes");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<double>("shownRate");
    QTest::newRow("mm") << write("mm.nc", kMillimetres) << "İlerleme boyu: 36,925 mm"
                        << "Z (mm)|X çap (mm)"
                        << "mm/dk" << 10000.0;
    // The same machine: 10000 mm/min is 393.7 in/min, not 10000 in/min.
    QTest::newRow("inch") << write("inch.nc", kInches) << "İlerleme boyu: 1,805 inç"
                          << "Z (inç)|X çap (inç)"
                          << "inç/dk" << 10000 / 25.4;
}

void UnitsWindowTest::totalsAxesAndRateAreInTheProgramsUnits() {
    QFETCH(QString, program);
    QFETCH(QString, feedLength);
    QFETCH(QString, axes);
    QFETCH(QString, rate);
    QFETCH(double, shownRate);
    MainWindow window;
    window.openFile(program);
    const QString status = statusText(window);
    QVERIFY2(status.contains(feedLength), qPrintable(status));
    QVERIFY2(status.contains(rate + QStringLiteral(" ile")), qPrintable(status));
    const AxisNames names = window.plot()->axisNames();
    QCOMPARE(names.z + u'|' + names.x, axes);
    auto* box = window.findChild<RapidRateBox*>();
    QVERIFY(box->suffix().endsWith(rate));
    QVERIFY2(std::abs(box->value() - shownRate) < 0.05, qPrintable(QString::number(box->value())));
    QCOMPARE(box->millimetresPerMinute(), 10000.0);
}

// Digits typed into the box take effect when Enter ends them, and are kept.
void UnitsWindowTest::rapidRateIsTypedAndKept() {
    {
        MainWindow window;
        window.openFile(write("mm.nc", kMillimetres));
        auto* box = window.findChild<RapidRateBox*>();
        QVERIFY(box->focusPolicy() & Qt::TabFocus);
        const QString before = totalTime(window);
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("500"));
        QTest::keyClick(box, Qt::Key_Enter);
        QCOMPARE(box->value(), 500.0);
        QVERIFY2(totalTime(window) != before, qPrintable(totalTime(window)));
        // 77.621 mm of rapids at 500 mm/min, after 0.246 min of cutting.
        QVERIFY2(totalTime(window).startsWith(QStringLiteral("Toplam süre: 0,401 dk")),
                 qPrintable(totalTime(window)));
        // An inch program: the same machine rate, in inches; typed inches are kept as mm.
        window.openFile(write("inch.nc", kInches));
        QVERIFY2(std::abs(box->value() - 500 / 25.4) < 0.05, qPrintable(box->text()));
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("100"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->millimetresPerMinute(), 2540.0);
    }
    MainWindow again;
    QCOMPARE(again.findChild<RapidRateBox*>()->millimetresPerMinute(), 2540.0);
}

// A diameter program's X under the pointer as the diameter and as the radius.
void UnitsWindowTest::pointerReadsBothXs() {
    MainWindow window;
    window.resize(900, 600);
    window.openFile(write("mm.nc", kMillimetres));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PlotWidget* plot = window.plot();
    const ScreenPoint at = plot->viewport().toScreen({-5, 20});
    QTest::mouseMove(plot, QPoint(int(at.x), int(at.y)));
    QString read;
    for (const QLabel* l : window.statusBar()->findChildren<QLabel*>())
        if (l->text().startsWith(QStringLiteral("Z "))) read = l->text();
    const QRegularExpression both(
        QStringLiteral("^Z (-?\\d+\\.\\d{3})  X Ø(\\d+\\.\\d{3}) \\(r (\\d+\\.\\d{3})\\)$"));
    const auto match = both.match(read);
    QVERIFY2(match.hasMatch(), qPrintable(read));
    QVERIFY(std::abs(match.captured(1).toDouble() + 5) < 1);
    QVERIFY(std::abs(match.captured(2).toDouble() - 40) < 2);
    // Each rounded to a thousandth on its own.
    QVERIFY(std::abs(match.captured(2).toDouble() - 2 * match.captured(3).toDouble()) < 0.0015);
}

// The sheet shows the window's view again in its own box: the chamfer still at 45°, the
// arc still round, standing or turned.
void UnitsWindowTest::sheetDrawsTheTrueShape() {
    MainWindow window;
    window.resize(900, 600);
    window.openFile(write("mm.nc", kMillimetres));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const bool upright : {false, true}) {
        window.plot()->setUpright(upright);
        const SheetContent c = window.sheetContent();
        const Viewport view = sheetPlotView(c.view, QSizeF(700, 420));
        ScreenSegments drawn;
        drawn.build(*c.path, view);
        // Feed moves: Z0, the chamfer, Z-20, the arc's chords, the shoulder.
        const auto& feed = drawn.feed();
        QVERIFY(feed.size() > 5);
        QVERIFY2(std::abs(degrees(feed[1]) - 45) < 0.5,
                 qPrintable(QString::number(degrees(feed[1]))));
        const ScreenPoint centre = view.toScreen(c.path->arcOf(4)->center);
        for (std::size_t i = 3; i + 1 < feed.size(); ++i) {
            const double r = std::hypot(feed[i].x1 - centre.x, feed[i].y1 - centre.y);
            QVERIFY2(std::abs(r - 5 * view.scale()) < 0.5, qPrintable(QString::number(r)));
        }
    }
}

QTEST_MAIN(UnitsWindowTest)
#include "units_window_test.moc"

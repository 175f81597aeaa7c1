// The viewer that follows its file: presses answered over the local socket, changes on
// disk, reloads that keep the view or keep nothing stale; the workpiece stepped through;
// saving the program as read; programs near the double range.

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <atomic>
#include <thread>

#include "app/process_viewer.h"
#include "viewer/file_claim.h"
#include "viewer/main_window.h"
#include "viewer/plot_painter.h"
#include "viewer/plot_widget.h"
#include "viewer/program_follower.h"
#include "viewer/program_list_view.h"
#include "viewer/step_bar.h"
#include "viewer/texts.h"
#include "viewer/workpiece_layer.h"
#include "zivek/workpiece/workpiece_cut.h"

using namespace zivek::backplot;

namespace {

// The default internal diameter program as the wizard writes it, and its workpiece.
QByteArray defaultProgram(int depth = 12) {
    QByteArray text = "M08\r\nM03\r\nS6\r\nG54\r\nG0X0Y0\r\n";
    for (int d = 1; d < depth; ++d)
        text +=
            QByteArray("G0U%1\r\nG1W-60F111\r\nG0U-%1W60\r\n").replace("%1", QByteArray::number(d));
    text += QByteArray("G0U%1\r\nG1W-60F111\r\nU-%1F55.5\r\nG0W60\r\nM05\r\nM30\r\n%\r\n\r\n")
                .replace("%1", QByteArray::number(depth));
    return text;
}

zivek::Workpiece defaultWorkpiece(double depth = 12) {
    return {{{{0, 0}, {0, depth}, {-60, depth}, {-60, 0}}},
            {{{0, depth}, {0, depth + 30}, {-60, depth + 30}, {-60, depth}}},
            {{0, 0}, {0, -1.001}, {1.001, -1.001}, {1.001, 0}}};
}

QString statusText(const MainWindow& window) {
    QStringList texts;
    for (const QLabel* l : window.statusBar()->findChildren<QLabel*>()) texts << l->text();
    return texts.join(u'|');
}

}  // namespace

class FollowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QStandardPaths::setTestModeEnabled(true);  // the settings of the test, not the user's
    }
    void reloadKeepsTheViewOnlyWhileTheExtentStays();
    void failedReloadKeepsNothingStale();
    void fileWrittenAnewIsShownAnew();
    void pressReachesTheRunningViewer();
    void stepsShowTheWorkpieceAfterEachLine();
    void editedProgramShowsItsWarnings();
    void aloneShowsAGuessedBar();
    void wizardsViewerGuessesEachFile();
    void secondViewerReadsAsItsCommandLineSaid();
    void savesTheBytesAsRead();
    void extremeValuesReadTooLargeAndFit();
    void uprightViewIsKeptForTheNextStart();

  private:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile::remove(path);  // as the press does: a new file at the same path
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir_;
};

void FollowTest::reloadKeepsTheViewOnlyWhileTheExtentStays() {
    MainWindow window;
    const QString path = write("kal.nc", defaultProgram());
    window.openFile(path);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PlotWidget* plot = window.plot();
    const QPointF at(300, 200);
    QWheelEvent wheel(at, plot->mapToGlobal(at), {}, QPoint(0, 240), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &wheel);
    const Viewport zoomed = plot->viewport();

    // Another feed, the same extent: the machinist keeps looking where he was.
    write("kal.nc", QByteArray(defaultProgram()).replace("F111", "F90"));
    window.reload();
    QVERIFY(plot->viewport() == zoomed);
    // A deeper cut: the view fits the new program.
    write("kal.nc", defaultProgram(15));
    window.reload();
    QVERIFY(!(plot->viewport() == zoomed));
    QTest::keyClick(plot, Qt::Key_F);
    const Viewport fitted = plot->viewport();
    write("kal.nc", defaultProgram(18));
    window.reload();
    QVERIFY(!(plot->viewport() == fitted));
}

void FollowTest::failedReloadKeepsNothingStale() {
    MainWindow window;
    window.setWorkpiece(defaultWorkpiece());
    const QString path = write("gider.nc", defaultProgram());
    window.openFile(path);
    QVERIFY(window.message().isEmpty());
    for (const QByteArray& bad : {QByteArray(), QByteArray("\x7F"
                                                           "ELF\0\1",
                                                           6)}) {
        write("gider.nc", bad);
        window.reload();
        QVERIFY(!window.message().isEmpty());
        QCOMPARE(window.lines()->model()->rowCount(), 0);
        QVERIFY(!window.workpieceCut());
        QVERIFY(!statusText(window).contains(QStringLiteral("Hareket")));
        QVERIFY(!window.saveProgramAs(dir_.filePath("kopya.nc")));
    }
    QFile::remove(path);
    window.reload();
    QVERIFY(window.message().startsWith(QStringLiteral("Dosya okunamadı")));
    // Back again, with the workpiece it had.
    write("gider.nc", defaultProgram());
    window.reload();
    QVERIFY(window.message().isEmpty());
    QVERIFY(window.workpieceCut() && window.workpieceCut()->warnings().empty());
}

void FollowTest::fileWrittenAnewIsShownAnew() {
    MainWindow window;
    const QString path = write("izle.nc", defaultProgram());
    window.openFile(path);
    QCOMPARE(window.lines()->model()->rowCount(), 46);
    // The press empties the file, deletes it and writes it anew, in steps.
    write("izle.nc", "");
    QFile::remove(path);
    write("izle.nc", defaultProgram(5));
    QTRY_COMPARE_WITH_TIMEOUT(window.lines()->model()->rowCount(), 25, 5000);
    write("izle.nc", defaultProgram(7));
    QTRY_COMPARE_WITH_TIMEOUT(window.lines()->model()->rowCount(), 31, 5000);
}

void FollowTest::pressReachesTheRunningViewer() {
    MainWindow window;
    const QString path = write("basis.nc", defaultProgram());
    window.openFile(path);
    QVERIFY(window.follower()->listening());
    QVERIFY(window.stockInUse().has_value());  // a guessed bar until the press hands its own
    write("basis.nc", defaultProgram(6));
    // The press waits for the answer; the viewer answers from this thread's events.
    std::atomic<bool> done = false;
    std::thread press([&] {
        zivek::app::ProcessViewer launcher;
        launcher.start(dir_.filePath("A.BAT").toStdString(), path.toStdString(),
                       defaultWorkpiece(6));
        done = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(done.load(), 5000);
    press.join();
    QCOMPARE(window.lines()->model()->rowCount(), 28);
    QVERIFY(window.workpieceCut() && !window.workpieceCut()->empty());
    QVERIFY(window.workpieceCut()->warnings().empty());
    QVERIFY(!window.stockInUse().has_value());
    QVERIFY(window.stockLine()->text().isEmpty());
}

void FollowTest::stepsShowTheWorkpieceAfterEachLine() {
    MainWindow window;
    window.setWorkpiece(defaultWorkpiece());
    window.openFile(write("adim.nc", defaultProgram()));
    const WorkpieceLayer& layer = window.workpieceLayer();
    StepBar* steps = window.stepBar();
    // The end state first: every move run, nothing left.
    QCOMPARE(layer.shownMoves(), std::size_t(38));
    QVERIFY(layer.materialShown().empty());
    QCOMPARE(steps->linesRun(), 46);
    // Line 7, the first feed: the first layer is off, the rest still there.
    window.lines()->setCurrentIndex(window.lines()->model()->index(6, 0));
    QCOMPARE(steps->linesRun(), 7);
    QCOMPARE(layer.shownMoves(), std::size_t(3));
    QCOMPARE(layer.materialShown().size(), std::size_t(1));
    QCOMPARE(layer.materialShown()[0].low.x, 1.0);
    // The slider steps on and selects the line in the list.
    steps->slider()->triggerAction(QSlider::SliderSingleStepAdd);
    QCOMPARE(window.lines()->currentIndex().row(), 7);
    steps->slider()->triggerAction(QSlider::SliderToMaximum);
    QCOMPARE(layer.shownMoves(), std::size_t(38));
}

void FollowTest::editedProgramShowsItsWarnings() {
    MainWindow window;
    window.setWorkpiece(defaultWorkpiece());
    // The second pass's feed made a rapid: it sweeps the layer still there.
    QByteArray text = defaultProgram();
    text.replace("G0U2\r\nG1W-60F111", "G0U2\r\nG0W-60");
    window.openFile(write("el.nc", text));
    const QAbstractItemModel* lines = window.lines()->model();
    QVERIFY2(lines->index(9, 0)
                 .data(Qt::ToolTipRole)
                 .toString()
                 .contains(QStringLiteral("Hızlı hareket kesilmemiş malzemeye giriyor")),
             qPrintable(lines->index(9, 0).data(Qt::ToolTipRole).toString()));
    QVERIFY(statusText(window).contains(QStringLiteral("İş parçası uyarısı")));
    // What the later passes and the finishing pass's feed out did not reach.
    const QString end = lines->index(41, 0).data(Qt::ToolTipRole).toString();
    QVERIFY2(end.contains(QStringLiteral("kesilmemiş malzeme: Z -58.999 … 0, X 1 … 1.999")),
             qPrintable(end));
}

// Without the wizard's workpiece its program is cut from a bar guessed from its cuts,
// said to be guessed; a guessed bar gives no warning of its own.
void FollowTest::aloneShowsAGuessedBar() {
    MainWindow window;
    window.openFile(write("yalniz.nc", defaultProgram()));
    QVERIFY(window.workpieceCut());
    QVERIFY(window.stockInUse().has_value());
    QCOMPARE(window.stockInUse()->source, StockSource::Guessed);
    QVERIFY(window.stockLine()->text().contains(QStringLiteral("tahmin")));
    QVERIFY(!statusText(window).contains(QStringLiteral("İş parçası")));
}

// The viewer the wizard started holds no dialect of its own: another program opened there
// is read as its control, and the wizard's program again in the wizard's form.
void FollowTest::wizardsViewerGuessesEachFile() {
    MainWindow window;
    const QString wizard = write("sihirbaz.nc", defaultProgram());
    window.openFile(wizard);
    // The wizard's press hands over its program with the workpiece, as it does when it
    // started the viewer.
    std::atomic<bool> done = false;
    std::thread press([&] {
        zivek::app::ProcessViewer launcher;
        launcher.start(dir_.filePath("A.BAT").toStdString(), wizard.toStdString(),
                       defaultWorkpiece());
        done = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(done.load(), 5000);
    press.join();
    QVERIFY(window.workpieceCut() && !window.workpieceCut()->empty());
    QCOMPARE(window.sheetContent().path->dialect, Dialect::Generic);
    // R5 from X40 to X50: an arc only when X is a diameter.
    QVERIFY(window.openOther(write("fanuc.nc",
                                   "%\nO1000\nG50 S2000\nT0101\nG0 X40 Z2\n"
                                   "G1 Z-20 F0.2\nG2 X50 Z-25 R5\nM30\n%\n")));
    QCOMPARE(window.sheetContent().path->dialect, Dialect::Fanuc);
    QVERIFY(window.sheetContent().path->warnings.empty());
    // Back to the wizard's program: its own form again, by its opening.
    QVERIFY(window.openOther(wizard));
    QCOMPARE(window.sheetContent().path->dialect, Dialect::Generic);
}

// "zivek-backplot --dialect fanuc --rapid 12000 FILE" while a viewer shows FILE: that
// viewer reads it as Fanuc and times it at 12000 mm/min, as a first start would have.
void FollowTest::secondViewerReadsAsItsCommandLineSaid() {
    MainWindow window;
    const QString path = write("secim.nc", defaultProgram());
    window.openFile(path);
    QCOMPARE(window.sheetContent().path->dialect, Dialect::Generic);
    std::atomic<bool> done = false;
    bool handedOver = false;
    std::thread second([&] {
        handedOver = FileClaim(path, QString(), {QStringLiteral("fanuc"), QStringLiteral("12000")})
                         .handedOver();
        done = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(done.load(), 5000);
    second.join();
    QVERIFY(handedOver);
    QCOMPARE(window.sheetContent().path->dialect, Dialect::Fanuc);
    QVERIFY(window.sheetContent().path->dialectChoice.chosenByHand);
    QCOMPARE(window.sheetContent().rapidRate, 12000.0);
}

void FollowTest::savesTheBytesAsRead() {
    MainWindow window;
    const QByteArray bytes("G0X0Y0\r\nG1 W-10 F1  \n\tU2\r\r\n%\r\n\r\n");
    window.openFile(write("kaynak.nc", bytes));
    const QString copy = dir_.filePath("kopya.txt");
    QVERIFY(window.saveProgramAs(copy));
    QFile saved(copy);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), bytes);
    QVERIFY(!window.saveProgramAs(dir_.filePath("yok/klasor/kopya.txt")));
}

void FollowTest::extremeValuesReadTooLargeAndFit() {
    MainWindow window;
    window.openFile(write("uc.nc",
                          "G0X0Y0\r\nG0U-1.79769313486232E+308\r\n"
                          "G1U1.79769313486232E+308W-1.79769313486232E+308F111\r\n"
                          "G0X0Z0\r\nG1U1.79769313486232E+308F1E-300\r\n"));
    QVERIFY(window.message().isEmpty());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString status = statusText(window);
    QVERIFY2(!status.contains(QStringLiteral("inf")) && !status.contains(QStringLiteral("nan")),
             qPrintable(status));
    QVERIFY2(status.contains(QStringLiteral("Kesme süresi: çok büyük")), qPrintable(status));
    QVERIFY2(status.contains(QStringLiteral("İlerleme boyu: çok büyük")), qPrintable(status));
    // Fit shows every point of the program inside the plot.
    const PlotWidget* plot = window.plot();
    for (const Point p : {Point{0, -1.7976931348623157e308}, Point{-1.7976931348623157e308, 0},
                          Point{0, 1.7976931348623157e308}}) {
        const ScreenPoint s = plot->viewport().toScreen(p);
        QVERIFY2(s.x >= 0 && s.x <= plot->width() && s.y >= 0 && s.y <= plot->height(),
                 qPrintable(QStringLiteral("%1 %2").arg(s.x).arg(s.y)));
    }
    QCOMPARE(number(std::numeric_limits<double>::infinity()), QStringLiteral("çok büyük"));
}

void FollowTest::uprightViewIsKeptForTheNextStart() {
    QSettings(QStringLiteral("zivek"), QStringLiteral("zivek-backplot")).clear();
    const QString path = write("dik.nc", defaultProgram());
    {
        MainWindow window;
        window.openFile(path);
        const Viewport& view = window.plot()->viewport();
        // Lying: the chuck (Z-60) to the left of the zero.
        QVERIFY(view.toScreen({-60, 0}).x < view.toScreen({0, 0}).x);
        window.findChild<QPushButton*>(QStringLiteral("upright"))->click();
        // Upright as the drawings: the chuck below, X growing to the left, all in sight.
        QVERIFY(view.toScreen({-60, 0}).y > view.toScreen({0, 0}).y);
        QVERIFY(view.toScreen({0, 12}).x < view.toScreen({0, 0}).x);
        const ScreenPoint deep = view.toScreen({-60, 12});
        QVERIFY(deep.x > kRulerWidth && deep.y < window.plot()->height() - kRulerHeight);
    }
    MainWindow next;
    next.openFile(path);
    QVERIFY(next.findChild<QPushButton*>(QStringLiteral("upright"))->isChecked());
    QVERIFY(next.plot()->viewport().upright());
}

QTEST_MAIN(FollowTest)
#include "follow_test.moc"

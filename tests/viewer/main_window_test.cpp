// The viewer window on good and bad files, and the link between the list and the plot.

#include "viewer/main_window.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTreeWidget>
#include <QWheelEvent>
#include <filesystem>

#include "viewer/plot_widget.h"
#include "viewer/program_list_view.h"
#include "viewer/texts.h"
#include "viewer/warning_panel.h"

using namespace zivek::backplot;

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void badFileShowsMessageAndKeepsRunning_data();
    void badFileShowsMessageAndKeepsRunning();
    void programShowsLinesAndTotals();
    void unknownWordsAreListedOnTheirLine();
    void listAndPlotSelectEachOther();
    void fitRestoresTheViewAfterZoomAndPan();
    void numbersKeepThePointInATurkishLocale();
    void extremeValuesStillDraw();
    void warningsAreGroupedAndStepped();
    void diameterProgramsShowTheirXAxis();
    void savesTheBytesOfAnyEncoding();
    void fitShowsTheCutsWhenRetractsAreFar();
    void rapidRateTimesTheRapidsAndIsKept();
    void subroutineFilesBesideTheProgramAndOnTheFolders();
    void dialectLineSaysWhyAndHandChoiceHoldsForItsFile();

  private:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(dir_.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
    static QString program(const char* name) {
        return QStringLiteral(ZIVEK_TEST_PROGRAMS "/") + QLatin1String(name);
    }
    QTemporaryDir dir_;
};

void MainWindowTest::badFileShowsMessageAndKeepsRunning_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << dir_.filePath("yok.nc") << "Dosya okunamadı";
    QTest::newRow("folder") << dir_.path() << "Dosya okunamadı";
    QTest::newRow("empty") << write("bos.nc", "") << "Dosya boş";
    QTest::newRow("binary") << write("ikili.nc", QByteArray("\x7F"
                                                            "ELF\0\0\1\2",
                                                            8))
                            << "Dosya metin değil";
}

void MainWindowTest::badFileShowsMessageAndKeepsRunning() {
    QFETCH(QString, path);
    QFETCH(QString, message);
    MainWindow window;
    window.openFile(path);
    QVERIFY2(window.message().startsWith(message), qPrintable(window.message()));
    QVERIFY(window.message().contains(path));
    QVERIFY(window.windowTitle().contains(QFileInfo(path).fileName()));
    // The same window then shows a good program.
    window.openFile(program("internal_diameter.nc"));
    QVERIFY(window.message().isEmpty());
    QCOMPARE(window.lines()->model()->rowCount(), 46);
}

void MainWindowTest::programShowsLinesAndTotals() {
    MainWindow window;
    window.openFile(program("internal_diameter.nc"));
    QVERIFY(window.windowTitle().contains(QStringLiteral("internal_diameter.nc")));
    const QString status = [&] {
        QStringList texts;
        for (const QLabel* l : window.statusBar()->findChildren<QLabel*>()) texts << l->text();
        return texts.join(u'|');
    }();
    for (const char* part : {"Hareket: 38 (hızlı 25, ilerleme 13)|", "|İlerleme boyu: 732 mm|",
                             "|Hızlı boyu: 802,194 mm|", "|Kesme süresi: 6,703 dk (6 dk 42 sn)|"})
        QVERIFY2(status.contains(QString::fromUtf8(part)), qPrintable(status));
    const QModelIndex row = window.lines()->model()->index(40, 0);
    QCOMPARE(row.data().toString().trimmed(), QStringLiteral("41  U-12F55.5"));
}

void MainWindowTest::unknownWordsAreListedOnTheirLine() {
    MainWindow window;
    window.openFile(write("el.nc", "G0X0Y0\r\nG0 U1 Q5\r\nG1W-60F111\r\n"));
    QVERIFY(window.message().isEmpty());
    const QAbstractItemModel* lines = window.lines()->model();
    QCOMPARE(lines->index(1, 0).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Bilinmeyen sözcük: Q5"));
    QVERIFY(lines->index(2, 0).data(Qt::ToolTipRole).isNull());
    const auto labels = window.statusBar()->findChildren<QLabel*>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel* l) {
        return l->text() == QStringLiteral("Uyarılı satır: 1");
    }));
}

void MainWindowTest::listAndPlotSelectEachOther() {
    MainWindow window;
    window.openFile(program("internal_diameter.nc"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PlotWidget* plot = window.plot();

    // A line with a move highlights that move; a line without one highlights nothing.
    window.lines()->setCurrentIndex(window.lines()->model()->index(6, 0));
    QCOMPARE(plot->selectedMove(), std::optional<std::size_t>(2));
    window.lines()->setCurrentIndex(window.lines()->model()->index(0, 0));
    QCOMPARE(plot->selectedMove(), std::nullopt);

    // The feed of the second pass at Z-45 X2: no rapid of any pass crosses there.
    const ScreenPoint s = plot->viewport().toScreen({-45, 2});
    QTest::mouseClick(plot, Qt::LeftButton, {},
                      QPoint(int(std::lround(s.x)), int(std::lround(s.y))));
    QCOMPARE(window.lines()->currentIndex().row(), 9);
    QCOMPARE(plot->selectedMove(), std::optional<std::size_t>(5));

    // Far from every move a click selects nothing new.
    const ScreenPoint empty = plot->viewport().toScreen({-30, -8});
    QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(int(empty.x), int(empty.y)));
    QCOMPARE(window.lines()->currentIndex().row(), 9);
}

void MainWindowTest::fitRestoresTheViewAfterZoomAndPan() {
    MainWindow window;
    window.openFile(program("external_taper.nc"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PlotWidget* plot = window.plot();
    const Viewport fitted = plot->viewport();

    const QPointF at(100, 120);
    QWheelEvent wheel(at, plot->mapToGlobal(at), {}, QPoint(0, 240), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &wheel);
    QVERIFY(plot->viewport().scale() > fitted.scale() * 1.5);
    QTest::keyClick(plot, Qt::Key_F);
    QVERIFY(plot->viewport() == fitted);

    QTest::mousePress(plot, Qt::LeftButton, {}, QPoint(200, 200));
    QTest::mouseMove(plot, QPoint(260, 230));
    QTest::mouseRelease(plot, Qt::LeftButton, {}, QPoint(260, 230));
    QVERIFY(!(plot->viewport() == fitted));
    QPushButton* button = nullptr;
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Sığdır")) button = b;
    QVERIFY(button != nullptr);
    button->click();
    QVERIFY(plot->viewport() == fitted);
}

void MainWindowTest::numbersKeepThePointInATurkishLocale() {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QCOMPARE(number(55.5), QStringLiteral("55.5"));
    QCOMPARE(number(-0.0004), QStringLiteral("0"));
    QCOMPARE(number(1200), QStringLiteral("1200"));
    QLocale::setDefault(saved);
}

// Exponent-form values of typed extremes: zooming deep into them must not hang the drawing.
void MainWindowTest::extremeValuesStillDraw() {
    MainWindow window;
    window.openFile(write("uc.nc", "G0X0Y0\r\nG1U1.5E+15W-1E-05F1\r\nG0U-1.5E+15\r\n"));
    QVERIFY(window.message().isEmpty());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PlotWidget* plot = window.plot();
    window.lines()->setCurrentIndex(window.lines()->model()->index(1, 0));
    const ScreenPoint far = plot->viewport().toScreen({0, 1.5e15});
    const QPointF at(far.x, far.y + 1);
    for (int i = 0; i < 60; ++i) {
        QWheelEvent wheel(at, plot->mapToGlobal(at), {}, QPoint(0, 1200), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot, &wheel);
        plot->repaint();
    }
    QVERIFY(plot->viewport().scale() > 1);
}

void MainWindowTest::warningsAreGroupedAndStepped() {
    MainWindow window;
    window.openFile(write("uyari.nc", "G0X0Z0\nG0 U1 Q5\nG1 W-1 F10\nG84 R1\nG0 U1 Q6\n"));
    const QTreeWidget* tree = window.warningPanel()->tree();
    QCOMPARE(tree->topLevelItemCount(), 2);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Bilinmeyen sözcük (2)"));
    QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("Desteklenmeyen G kodu (1)"));
    QCOMPARE(tree->topLevelItem(1)->child(0)->text(0),
             QStringLiteral("Satır 4: Desteklenmeyen G kodu: G84 (hareketleri çizilmedi)"));
    // Next and previous go from warned line to warned line, round at the ends.
    for (const int expected : {1, 3, 4, 1}) {
        window.stepWarning(+1);
        QCOMPARE(window.lines()->currentIndex().row(), expected);
    }
    window.stepWarning(-1);
    QCOMPARE(window.lines()->currentIndex().row(), 4);
}

void MainWindowTest::subroutineFilesBesideTheProgramAndOnTheFolders() {
    MainWindow window;
    const auto status = [&] {
        QStringList texts;
        for (const QLabel* l : window.statusBar()->findChildren<QLabel*>()) texts << l->text();
        return texts.join(u'|');
    };
    window.openFile(write("makro.ngc", "G18 G8 G0 X10 Z0\no<oluk> call [3]\nG0 X10\n"));
    QCOMPARE(window.lines()->model()->index(1, 0).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Alt program dosyası bulunamadı ya da okunamadı: oluk.ngc (programın "
                            "klasörüne ve alt program klasörlerine bakıldı; çağrı çizilmedi)"));
    // On a folder the user gives: drawn at once.
    QTemporaryDir folder;
    QFile sub(folder.filePath(QStringLiteral("oluk.ngc")));
    QVERIFY(sub.open(QIODevice::WriteOnly));
    sub.write("o<oluk> sub\nG1 X[10-#1] F50\nG0 X10\no<oluk> endsub\n");
    sub.close();
    window.setSubroutineFolders({std::filesystem::path(folder.path().toStdU16String())});
    QVERIFY(window.lines()->model()->index(1, 0).data(Qt::ToolTipRole).isNull());
    QVERIFY2(status().contains(QStringLiteral("Hareket: 4 (hızlı 3, ilerleme 1)")),
             qPrintable(status()));
    // One beside the program comes first.
    write("oluk.ngc", "o<oluk> sub\nG0 X[20+#1]\no<oluk> endsub\n");
    window.reload();
    QVERIFY2(status().contains(QStringLiteral("Hareket: 3 (hızlı 3, ilerleme 0)")),
             qPrintable(status()));
    QVERIFY2(status().contains(QStringLiteral("Hızlı boyu: 26")), qPrintable(status()));
}

void MainWindowTest::diameterProgramsShowTheirXAxis() {
    MainWindow window;
    window.openFile(program("internal_diameter.nc"));
    QCOMPARE(window.plot()->axisNames().x, QStringLiteral("X yarıçap (mm)"));
    QCOMPARE(window.plot()->viewport().xLabelScale(), 1.0);
    window.openFile(write("fanuc.nc", "T0101\nG0 X40 Z2\nG1 Z-20 F0.2\nX50\n"));
    PlotWidget* plot = window.plot();
    QCOMPARE(plot->axisNames().x, QStringLiteral("X çap (mm)"));
    // The dialect box says what the program was read as.
    QCOMPARE(window.findChild<QComboBox*>()->currentText(),
             QStringLiteral("Lehçe: programdan (Fanuc)"));
    // Drawn at its true size, its X values named as diameters.
    QCOMPARE(plot->viewport().xLabelScale(), 2.0);
    const Viewport& view = plot->viewport();
    QCOMPARE(view.toScreen({-20, 25}).y - view.toScreen({-20, 20}).y, -5 * view.scale());
    // The mirrored half under the axis is in the picture, unless the half-section alone is.
    window.resize(1000, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    plot->fitToPath();
    const auto mirrorShown = [&] {
        const double y = plot->viewport().toScreen({-20, -25}).y;
        return y > 0 && y < plot->viewport().height();
    };
    QVERIFY(mirrorShown());
    plot->setHalfSection(true);
    QVERIFY(!mirrorShown());
    QCOMPARE(plot->axisNames().x, QStringLiteral("X çap (mm)"));
}

// Shown as UTF-8, saved as it came: a Windows-1254 file with a Turkish comment, and a
// UTF-8 file with a byte order mark.
void MainWindowTest::savesTheBytesOfAnyEncoding() {
    for (const QByteArray& bytes :
         {QByteArray("G0X0Z0\r\n(\xDE\xDDR\xDDN)\r\n"), QByteArray("\xEF\xBB\xBFG0X0Z0\n")}) {
        MainWindow window;
        window.openFile(write("kaynak.nc", bytes));
        QVERIFY(window.message().isEmpty());
        QVERIFY(window.saveProgramAs(dir_.filePath("kopya.nc")));
        QFile saved(dir_.filePath("kopya.nc"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), bytes);
    }
}

// A tool change position 500 away would shrink a 22-long cut, and the bar guessed under
// it, to a corner.
void MainWindowTest::fitShowsTheCutsWhenRetractsAreFar() {
    MainWindow window;
    window.openFile(write("uzak.nc", "G0 X0 Z0\nG0 X40 Z2\nG1 Z-20 F0.2\nX50\nG0 X500 Z500\n"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const Viewport& view = window.plot()->viewport();
    // X 0 ... 50: the bar of 80 under the cut up to the retract to X50.
    QVERIFY2(50 * view.scale() > view.height() / 2, qPrintable(QString::number(view.scale())));
    const ScreenPoint cut = view.toScreen({-20, 40});
    QVERIFY(cut.x > 0 && cut.x < view.width() && cut.y > 0 && cut.y < view.height());
}

// 6.7027 minutes of cutting and 802.194 of rapids at 5000 a minute: 6.8631 minutes.
void MainWindowTest::rapidRateTimesTheRapidsAndIsKept() {
    auto total = [](const MainWindow& w) {
        for (const QLabel* l : w.statusBar()->findChildren<QLabel*>())
            if (l->text().startsWith(QStringLiteral("Toplam süre"))) return l->text();
        return QString();
    };
    double saved = 0;
    {
        MainWindow window;
        auto* rate = window.findChild<QDoubleSpinBox*>();
        saved = rate->value();
        window.openFile(program("internal_diameter.nc"));
        rate->setValue(5000);
        QCOMPARE(total(window), QStringLiteral("Toplam süre: 6,863 dk (6 dk 52 sn)"));
    }
    MainWindow again;
    auto* rate = again.findChild<QDoubleSpinBox*>();
    QCOMPARE(rate->value(), 5000.0);
    rate->setValue(saved);
}

QTEST_MAIN(MainWindowTest)
// The line under the reading choices: which control, from which signs, and whether that
// is sure; its link opens the dialect box. A dialect chosen there holds for its file only.
void MainWindowTest::dialectLineSaysWhyAndHandChoiceHoldsForItsFile() {
    MainWindow window;
    auto* box = window.findChild<QComboBox*>();
    auto line = [&] {
        for (const QLabel* l : window.findChildren<QLabel*>())
            if (l->text().contains(QStringLiteral("olarak okundu")))
                return QTextDocumentFragment::fromHtml(l->text()).toPlainText();
        return QString();
    };
    auto dialect = [&] { return window.sheetContent().path->dialect; };
    const QString fanuc = program("fanuc/o1200_cam.nc");
    window.openFile(fanuc);
    QVERIFY2(line().startsWith(QStringLiteral("Fanuc olarak okundu: O numarası, G50/G92 S")),
             qPrintable(line()));
    QVERIFY2(line().contains(QStringLiteral("X çap")), qPrintable(line()));
    QVERIFY(!line().contains(QStringLiteral("emin değil")));

    const QString plain = write("isaretsiz.nc", "G0 X10 Z5\nG1 Z-10 F100\n");
    window.openFile(plain);
    QVERIFY2(line().startsWith(QStringLiteral("Genel olarak okundu: işaret yok (emin değil)")),
             qPrintable(line()));
    // One click on the line opens the box.
    for (QLabel* l : window.findChildren<QLabel*>())
        if (l->text().contains(QStringLiteral("olarak okundu"))) emit l->linkActivated("lehce");
    QTRY_VERIFY(box->view()->isVisible());
    box->hidePopup();

    // Chosen by hand: held through a reload of the same file.
    box->setCurrentIndex(1 + int(Dialect::Fanuc));
    QCOMPARE(dialect(), Dialect::Fanuc);
    QVERIFY2(line().startsWith(QStringLiteral("Fanuc olarak okundu: elle seçildi")),
             qPrintable(line()));
    window.reload();
    QCOMPARE(dialect(), Dialect::Fanuc);
    // Another file is guessed again, and so is the first one opened anew after it.
    window.openFile(program("internal_diameter.nc"));
    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(dialect(), Dialect::Generic);
    QVERIFY(window.openOther(plain));
    QCOMPARE(dialect(), Dialect::Generic);
    // As the command line gives it: for its file only.
    window.chooseDialect(Dialect::LinuxCnc, plain);
    QCOMPARE(dialect(), Dialect::LinuxCnc);
    QVERIFY(window.openOther(fanuc));
    QCOMPARE(dialect(), Dialect::Fanuc);
}

#include "main_window_test.moc"

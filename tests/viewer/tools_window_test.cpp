// The program's tools in the real window: their colours on the plot, their list, and the
// window's smaller matters met beside them (the file menu, the open filter, why a save
// failed, where the sheet is proposed, how times and lengths read).

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "viewer/program_list_view.h"

#ifdef ZIVEK_HAS_PRINT_SUPPORT
#include <QPrinter>
#include <QPrinterInfo>
#endif

#include "viewer/main_window.h"
#include "viewer/plot_widget.h"
#include "viewer/sheet_commands.h"
#include "viewer/texts.h"
#include "viewer/tool_colours.h"
#include "viewer/tool_list.h"

using namespace zivek::backplot;

namespace {

QString program(const char* name) {
    return QStringLiteral(ZIVEK_TEST_PROGRAMS "/") + QLatin1String(name);
}

// Pixels of the plot near `colour`: antialiased lines keep their colour at their middle.
int pixelsOf(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) <
                24)
                ++n;
        }
    return n;
}

QImage plotImage(MainWindow& window) {
    window.resize(1240, 760);
    window.show();
    QTest::qWait(20);
    return window.plot()->grab().toImage();
}

}  // namespace

class ToolsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void eachToolInItsColourAndListed();
    void wizardProgramKeepsOneColourAndNoList();
    void choosingAToolChoosesItsLine();
    void fileMenuPrintsAndExits();
    void openFilterShowsEveryProgramFile_data();
    void openFilterShowsEveryProgramFile();
    void failedSaveSaysWhy();
    void sheetIsProposedBesideTheProgram();
    void timesAndLengthsReadInTurkish_data();
    void timesAndLengthsReadInTurkish();

  private:
    QTemporaryDir dir_;
};

void ToolsWindowTest::eachToolInItsColourAndListed() {
    MainWindow window;
    window.openFile(program("fanuc/three_tools.nc"));
    QTreeWidget* list = window.toolList();
    QCOMPARE(list->topLevelItemCount(), 3);
    const QStringList names{QStringLiteral("T1"), QStringLiteral("T2"), QStringLiteral("T3")};
    const QStringList descriptions{QStringLiteral("KABA DIS 0.8R"),
                                   QStringLiteral("FINIS DIS 0.4R"), QStringLiteral("KANAL 3 MM")};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(list->topLevelItem(i)->text(0), names[i]);
        QCOMPARE(list->topLevelItem(i)->text(4), descriptions[i]);
        QVERIFY2(list->topLevelItem(i)->text(1).contains(QStringLiteral(" sn")),
                 qPrintable(list->topLevelItem(i)->text(1)));
    }
    const QImage image = plotImage(window);
    QVERIFY(list->isVisible());
    // Three tools, three colours on the plot, each its own.
    for (ToolShade shade : {ToolShade(1), ToolShade(2), ToolShade(3)})
        QVERIFY2(pixelsOf(image, shadeColour(shade)) > 20, qPrintable(shadeColour(shade).name()));
    QVERIFY(shadeColour(1) != shadeColour(2) && shadeColour(2) != shadeColour(3));
}

void ToolsWindowTest::wizardProgramKeepsOneColourAndNoList() {
    MainWindow window;
    window.openFile(program("external_diameter.nc"));
    const QImage image = plotImage(window);
    QVERIFY(!window.toolList()->isVisible());
    QVERIFY(pixelsOf(image, shadeColour(0)) > 20);
    QCOMPARE(pixelsOf(image, shadeColour(2)), 0);
}

void ToolsWindowTest::choosingAToolChoosesItsLine() {
    MainWindow window;
    window.openFile(program("fanuc/three_tools.nc"));
    plotImage(window);
    QTreeWidget* list = window.toolList();
    const QRect second = list->visualItemRect(list->topLevelItem(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(window.lines()->currentIndex().row(), 25);  // T0202's line
}

void ToolsWindowTest::fileMenuPrintsAndExits() {
    MainWindow window;
    QMenu* file = window.menuBar()->findChild<QMenu*>();
    QVERIFY(file != nullptr);
    QStringList texts;
    for (QAction* a : file->actions()) texts << a->text().remove(u'&');
#ifdef ZIVEK_HAS_PRINT_SUPPORT
    QVERIFY2(texts.contains(QStringLiteral("Yazdır…")), qPrintable(texts.join(u'|')));
#endif
    QVERIFY2(texts.last() == QStringLiteral("Çıkış"), qPrintable(texts.join(u'|')));
    window.show();
    file->actions().last()->trigger();
    QVERIFY(!window.isVisible());
}

void ToolsWindowTest::openFilterShowsEveryProgramFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("shown");
    QTest::newRow("cnc") << "MIL.cnc" << true;
    QTest::newRow("upper tap") << "PARCA.TAP" << true;
    QTest::newRow("nc") << "a.nc" << true;
    QTest::newRow("ngc") << "b.ngc" << true;
    QTest::newRow("fanuc number") << "O1234" << true;
    QTest::newRow("picture") << "resim.png" << false;
}

void ToolsWindowTest::openFilterShowsEveryProgramFile() {
    QFETCH(QString, name);
    QFETCH(bool, shown);
    const QStringList filters = programFilesFilter().split(QStringLiteral(";;"));
    QVERIFY(filters.last().contains(QStringLiteral("(*)")));  // "all files" stays a choice
    const QString first = filters.first();
    const QString inside = first.mid(first.indexOf(u'(') + 1).chopped(1);
    bool matched = false;
    for (const QString& pattern : inside.split(u' ', Qt::SkipEmptyParts))
        matched =
            matched || QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
                           .match(name)
                           .hasMatch();
    QCOMPARE(matched, shown);
}

void ToolsWindowTest::failedSaveSaysWhy() {
    MainWindow window;
    window.openFile(program("fanuc/three_tools.nc"));
    QString why;
    QVERIFY(!window.saveProgramAs(dir_.filePath(QStringLiteral("yok/kopya.nc")), &why));
    QVERIFY2(why.contains(QStringLiteral("klasör yok")), qPrintable(why));
    QVERIFY(window.saveProgramAs(dir_.filePath(QStringLiteral("kopya.nc")), &why));
}

void ToolsWindowTest::sheetIsProposedBesideTheProgram() {
    const QString proposed = sheetFileFor(dir_.filePath(QStringLiteral("O1300.nc")));
    QCOMPARE(proposed, dir_.filePath(QStringLiteral("O1300-kurulum.pdf")));
    QVERIFY(!QFileInfo(proposed).fileName().contains(u':'));
#ifdef ZIVEK_HAS_PRINT_SUPPORT
    QPrinter printer(QPrinter::ScreenResolution);
    nameSheetPrint(printer, dir_.filePath(QStringLiteral("O1300.nc")));
    QCOMPARE(printer.docName(), QStringLiteral("O1300-kurulum"));
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        QCOMPARE(printer.outputFileName(), proposed);
#endif
}

void ToolsWindowTest::timesAndLengthsReadInTurkish_data() {
    QTest::addColumn<double>("minutes");
    QTest::addColumn<QString>("text");
    QTest::newRow("under a minute") << 0.25 << "0,25 dk (15 sn)";
    QTest::newRow("minutes") << 6.703 << "6,703 dk (6 dk 42 sn)";
    QTest::newRow("hours") << 75.5 << "75,5 dk (1 sa 15 dk)";
    QTest::newRow("nothing") << 0.0 << "0 dk";
}

void ToolsWindowTest::timesAndLengthsReadInTurkish() {
    QFETCH(double, minutes);
    QFETCH(QString, text);
    QCOMPARE(minutesText(minutes), text);
}

QTEST_MAIN(ToolsWindowTest)
#include "tools_window_test.moc"

// The bar in the real window: the "Ham parça" dialog and what it keeps for the file, the
// bar a program's comment names, and the warnings of a cut with the shop's inserts in
// the one panel, on their lines. Settings go to a folder of the test's own.

#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "viewer/main_window.h"
#include "viewer/program_list_view.h"
#include "viewer/stock_dialog.h"
#include "viewer/tool_table_dialog.h"
#include "viewer/warning_panel.h"

using namespace zivek::backplot;

namespace {

// A shaft from a bar of 20 held 30 from its face (X a radius): a 35 degree insert turns
// it and then copies down a flank at 60 degrees (line 6), steeper than its trailing edge
// allows; the last pass runs into the jaws (line 10) and comes out past them (line 11).
constexpr char kShaft[] =
    "(STOCK D20 L40 J30)\nG18 G21 G8\nT1 M6\nG0 X12 Z2\nG1 X8 F0.2\nZ-5\nX6 Z-6.1547\n"
    "G1 X12\nG0 Z2\nG1 X9\nZ-35\nG1 X12\n";

bool answerNextDialog(const std::function<void()>& action,
                      const std::function<void(QDialog*)>& answer) {
    auto came = std::make_shared<bool>(false);
    QTimer::singleShot(0, [came, answer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        *came = true;
        answer(dialog);
    });
    action();
    return *came;
}

void setBoxes(QDialog* dialog, const std::array<double, 5>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        dialog->findChild<QDoubleSpinBox*>(QLatin1String(kStockBoxNames[i]))->setValue(values[i]);
}

}  // namespace

class StockWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(settings_.isValid());
        QVERIFY(programs_.isValid());
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
        // The test mode's configuration folder outlives other tests: start without a table.
        QFile::remove(toolTableFile());
    }
    void init() {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("zivek"),
                  QStringLiteral("zivek-backplot"))
            .clear();
    }
    void dialogGivesTheBarAndKeepsItForTheFile();
    void commentNamesTheBar();
    void insertWarningsAreInThePanelOnTheirLines();
    void missingToolsAreSaid();

  private:
    QString write(const QString& name, const QByteArray& text) {
        QFile file(programs_.filePath(name));
        if (!file.open(QIODevice::WriteOnly)) return {};
        file.write(text);
        return file.fileName();
    }
    QTemporaryDir settings_;
    QTemporaryDir programs_;
};

void StockWindowTest::dialogGivesTheBarAndKeepsItForTheFile() {
    const QString path = write("elle.nc", "G18 G21 G7\nG0 X40 Z2\nG1 X36 F0.2\nZ-20\nX40\n");
    {
        MainWindow window;
        window.openFile(path);
        QCOMPARE(window.stockInUse()->source, StockSource::Guessed);
        QVERIFY(window.stockLine()->text().contains(QStringLiteral("tahmin")));
        QVERIFY(answerNextDialog([&] { window.stockButton()->click(); },
                                 [](QDialog* dialog) {
                                     setBoxes(dialog, {45, 60, 0, 1, 40});
                                     dialog->accept();
                                 }));
        QCOMPARE(window.stockInUse()->source, StockSource::Given);
        QCOMPARE(window.stockInUse()->stock, (Stock{45, 60, 0, 1, 40}));
        QVERIFY(window.stockLine()->text().contains(QStringLiteral("Ø45 × 60")));
        QVERIFY(window.stockLine()->text().contains(QStringLiteral("girilen")));
    }
    {
        // Another window, later: the file's bar is still the one given.
        MainWindow window;
        window.openFile(path);
        QCOMPARE(window.stockInUse()->stock, (Stock{45, 60, 0, 1, 40}));
        // A bore as wide as the bar makes no bar: the dialog stays open on it.
        QVERIFY(answerNextDialog(
            [&] { window.stockButton()->click(); },
            [](QDialog* dialog) {
                setBoxes(dialog, {45, 60, 45, 0, 0});
                dialog->accept();
                QVERIFY(dialog->isVisible());
                // Left to the program again.
                dialog->findChild<QPushButton*>(QLatin1String(kStockForgetButton))->click();
            }));
        QCOMPARE(window.stockInUse()->source, StockSource::Guessed);
    }
    MainWindow window;
    window.openFile(path);
    QCOMPARE(window.stockInUse()->source, StockSource::Guessed);
}

void StockWindowTest::commentNamesTheBar() {
    MainWindow window;
    window.openFile(write("yorum.nc", kShaft));
    QCOMPARE(window.stockInUse()->source, StockSource::Comment);
    QCOMPARE(window.stockInUse()->stock, (Stock{20, 40, 0, 0, 30}));
    QVERIFY(window.stockLine()->text().contains(QStringLiteral("açıklamadan")));
    // The command line's bar is over the comment's, for its file only.
    window.giveStock(programs_.filePath("yorum.nc"), Stock{25, 50, 0, 0, 0});
    QCOMPARE(window.stockInUse()->source, StockSource::Given);
    window.openFile(write("baska.nc", kShaft));
    QCOMPARE(window.stockInUse()->source, StockSource::Comment);
}

void StockWindowTest::insertWarningsAreInThePanelOnTheirLines() {
    MainWindow window;
    auto table = readToolTable("T1 VNMG160404 Q2\n").table;
    window.setToolTable(std::make_shared<const ToolTable>(std::move(table)));
    window.openFile(write("mil.nc", kShaft));
    const WorkpieceCut* cut = window.workpieceCut();
    QVERIFY(cut);
    std::vector<std::pair<std::uint32_t, CutCheck>> found;
    for (const CutWarning& w : cut->warnings()) found.emplace_back(w.line, w.check);
    const std::vector<std::pair<std::uint32_t, CutCheck>> expected{
        {6, CutCheck::BackEdgeRubs}, {10, CutCheck::IntoJaws}, {11, CutCheck::IntoJaws}};
    QCOMPARE(found, expected);
    QTreeWidget* tree = window.warningPanel()->tree();
    QStringList groups;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) groups << tree->topLevelItem(i)->text(0);
    QVERIFY2(groups.join(u'|').contains(QStringLiteral("Arka kenar sürtünmesi (1)")),
             qPrintable(groups.join(u'|')));
    QVERIFY2(groups.join(u'|').contains(QStringLiteral("Ayna çenesine giriş (2)")),
             qPrintable(groups.join(u'|')));
    const QString tip = window.lines()->model()->index(6, 0).data(Qt::ToolTipRole).toString();
    QVERIFY2(tip.contains(QStringLiteral("arka kenarı")), qPrintable(tip));
}

void StockWindowTest::missingToolsAreSaid() {
    MainWindow window;
    window.openFile(write("tablosuz.nc", kShaft));
    QVERIFY2(window.stockLine()->text().contains(QStringLiteral("Takım tablosu yok")),
             qPrintable(window.stockLine()->text()));
    auto table = readToolTable("T2 DNMG150604 Q2\n").table;
    window.setToolTable(std::make_shared<const ToolTable>(std::move(table)));
    QVERIFY2(window.stockLine()->text().contains(QStringLiteral("Tabloda olmayan T1")),
             qPrintable(window.stockLine()->text()));
}

QTEST_MAIN(StockWindowTest)
#include "stock_window_test.moc"

// The setup sheet from the window: its button, Ctrl+P through the save dialog to a PDF on
// disk, and the print dialog, as a machinist reaches them.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "viewer/main_window.h"
#include "viewer/sheet_facts.h"
#include "viewer/sheet_plot.h"
#include "viewer/texts.h"

using namespace zivek::backplot;

namespace {

// Answers the next modal dialog of type D with `answer` once it shows; returns at once.
template <typename D>
void whenShown(std::function<void(D*)> answer, QString* title) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer, title] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        *title = dialog->windowTitle();
        answer(dialog);
    });
    poll->start(20);
}

QString program(const char* name) {
    return QStringLiteral(ZIVEK_TEST_PROGRAMS "/") + QLatin1String(name);
}

}  // namespace

class SheetWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void buttonOffersPdfAndPrint() {
        MainWindow window;
        auto* button = window.findChild<QPushButton*>(QStringLiteral("setupSheet"));
        QVERIFY(button);
        QCOMPARE(button->text(), sheetButtonText());
        QVERIFY(button->menu());
        auto* save = window.findChild<QAction*>(QStringLiteral("saveSheet"));
        QVERIFY(save);
        QCOMPARE(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        QVERIFY(button->menu()->actions().contains(save));
#ifdef ZIVEK_HAS_PRINT_SUPPORT
        QVERIFY(window.findChild<QAction*>(QStringLiteral("printSheet")));
#endif
    }

    // Ctrl+P offers the file beside the program, named after it, and writes a PDF there.
    void ctrlPWritesThePdfChosenInTheDialog() {
        const QString source = dir_.filePath(QStringLiteral("DIS ÇAP.nc"));
        QFile::remove(source);
        QVERIFY(QFile::copy(program("external_diameter.nc"), source));
        MainWindow window;
        window.openFile(source);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString pdf = dir_.filePath(QStringLiteral("föy.pdf"));
        QString offered;
        QString title;
        whenShown<QFileDialog>(
            [&](QFileDialog* dialog) {
                auto* name = dialog->findChild<QLineEdit*>();
                offered = name->text();
                // Typed, as a user does: selectFile() races the dialog's folder listing.
                name->setText(pdf);
                static_cast<QDialog*>(dialog)->accept();  // as its "Kaydet" button does
            },
            &title);
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(title, sheetSaveDialogTitle());
        QCOMPARE(offered, QStringLiteral("DIS ÇAP-kurulum.pdf"));
        QFile written(pdf);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.read(5) == "%PDF-");
        QVERIFY(written.size() > 5000);
        // It says where the sheet went, and offers its folder, without holding the window.
        auto* saved = window.findChild<QMessageBox*>(QStringLiteral("sheetSaved"));
        QVERIFY(saved && saved->isVisible() && !saved->isModal());
        QVERIFY2(saved->text().contains(QDir::toNativeSeparators(pdf)), qPrintable(saved->text()));
        auto* folder = saved->findChild<QPushButton*>(QStringLiteral("openSheetFolder"));
        QVERIFY(folder);
        QCOMPARE(folder->text(), sheetOpenFolderText());
        saved->close();
    }

    // A shop's Fanuc program: its number and name, the notes at its top, the offset it
    // selects, the spindle limit and surface speeds; the plot fitted to the part while the
    // tool-change point far out stands at the plot's edge.
    void fanucShopProgramOnTheSheet() {
        const QString source = dir_.filePath(QStringLiteral("O4100.nc"));
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(
            "%\nO4100 (FLANS - ON YUZ)\n(MALZEME: C45 D60)\n(BAGLAMA: AYNA 40 MM)\n"
            "G21 G40 G99\nG50 S2500\nG54\n"
            "T0101 (KABA DIS)\nG96 S180 M03\nG0 X62. Z2.\nG1 X-1.6 Z0 F0.2\n"
            "G0 X56. Z2.\nG1 Z-30. F0.25\nG0 X300. Z250.\n"
            "T0202 (FINIS DIS)\nG96 S240 M03\nG0 X54. Z2.\nG1 Z-30. F0.1\n"
            "G0 X300. Z250.\n"
            "T0303 (KANAL 3 MM)\nG97 S800 M03\nG0 X60. Z-20.\nG1 X48. F0.05\n"
            "G0 X60.\nG0 X300. Z250.\nM30\n%\n");
        file.close();
        MainWindow window;
        window.openFile(source);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const SheetContent content = window.sheetContent();
        const SheetFacts facts = sheetFacts(content);
        QCOMPARE(facts.title, QStringLiteral("O4100  FLANS - ON YUZ"));
        QCOMPARE(facts.notes, QStringList({QStringLiteral("MALZEME: C45 D60"),
                                           QStringLiteral("BAGLAMA: AYNA 40 MM")}));
        const QString setup = facts.setup.join(u'|');
        for (const QString& want :
             {QStringLiteral("Birim: mm (G21)"), QStringLiteral("İş sıfırı: G54"),
              QStringLiteral("Devir sınırı: 2500 dev/dk"),
              QStringLiteral("Sabit kesme hızı (G96): 180, 240 m/dk")})
            QVERIFY2(setup.contains(want), qPrintable(setup));
        QVERIFY(facts.operation.isEmpty());
        QCOMPARE(content.path->tools.size(), std::size_t(3));
        // The part fills the plot: the tool-change point at Z250 is outside it.
        const Viewport view = sheetPartView(content, QSizeF(700, 330));
        const ScreenPoint far = view.toScreen(Point{250, 150});
        QVERIFY(!plotArea(view).contains(QPointF(far.x, far.y)));
        const ScreenPoint part = view.toScreen(Point{-30, 28});
        QVERIFY(plotArea(view).contains(QPointF(part.x, part.y)));
    }

    // This system's own program: the operation and the values typed into its window, read
    // back from the lines it wrote.
    void wizardProgramNamesItsOperation_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QStringList>("typed");
        const QStringList shared{QStringLiteral("İŞ MİLİ YÖNÜ: 0 (M03)"),
                                 QStringLiteral("İŞ MİLİ DEVİRİ: 6"),
                                 QStringLiteral("SU AÇ: 1 (M08)")};
        QTest::newRow("external diameter")
            << "external_diameter.nc"
            << "DIŞ ÇAP TORNALAMA"
            << QStringList{"TORNALAMA DERİNLİĞİ: 12", "TORNALAMA BOYU: 60", "DALMA MİKTARI: 1",
                           "İLERLEME: 111"} +
                   shared;
        QTest::newRow("internal diameter")
            << "internal_diameter.nc"
            << "İÇ ÇAP TORNALAMA"
            << QStringList{"TORNALAMA DERİNLİĞİ: 12", "TORNALAMA BOYU: 60", "DALMA MİKTARI: 1",
                           "İLERLEME: 111"} +
                   shared;
        QTest::newRow("facing") << "facing.nc"
                                << "ALIN TORNALAMA"
                                << QStringList{"TORNALAMA DERİNLİĞİ: 12", "TORNALAMA BOYU: 60",
                                               "DALMA MİKTARI: 1", "İLERLEME: 111"} +
                                       shared;
        QTest::newRow("external taper")
            << "external_taper.nc"
            << "DIŞ KONİK TORNALAMA"
            << QStringList{"BÜYÜK ÇAP − KÜÇÜK ÇAP: 50", "TORNALAMA BOYU: 30", "DALMA MİKTARI: 1",
                           "İLERLEME: 111"} +
                   shared;
        QTest::newRow("internal taper")
            << "internal_taper.nc"
            << "İÇ KONİK TORNALAMA"
            << QStringList{"BÜYÜK ÇAP − KÜÇÜK ÇAP: 50", "TORNALAMA BOYU: 30", "DALMA MİKTARI: 1",
                           "İLERLEME: 111"} +
                   shared;
    }

    void wizardProgramNamesItsOperation() {
        QFETCH(QString, file);
        QFETCH(QString, operation);
        QFETCH(QStringList, typed);
        MainWindow window;
        window.setWorkpiece(zivek::Workpiece{{{{0, 0}, {0, 12}, {-60, 12}, {-60, 0}}},
                                             {{{0, 12}, {0, 42}, {-60, 42}, {-60, 12}}},
                                             {{0, 0}, {0, -1}, {1, -1}, {1, 0}}});
        window.openFile(program(qPrintable(file)));
        const SheetFacts facts = sheetFacts(window.sheetContent());
        QCOMPARE(facts.operation, operation);
        QCOMPARE(facts.typed, typed);
        QVERIFY(facts.setup.join(u'|').contains(QStringLiteral("İş sıfırı: G54")));
        // The material block the wizard handed over is the stock.
        QCOMPARE(facts.stockTitle, sheetStockTitle(true));
        QCOMPARE(facts.stock.size(), 2);
    }

    // With no program shown there is nothing to put on paper: no dialog opens.
    void ctrlPWithoutAProgramAsksNothing() {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        bool asked = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                asked = true;
                modal->close();
            }
        });
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QTest::qWait(50);
        QVERIFY(!asked);
    }

#ifdef ZIVEK_HAS_PRINT_SUPPORT
    void ctrlShiftPOpensThePrintDialog() {
#ifdef Q_OS_WIN
        QSKIP("Windows' print dialog is the system's own, not a window the test can answer");
#endif
        MainWindow window;
        window.openFile(program("external_diameter.nc"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QString title;
        whenShown<QDialog>([](QDialog* dialog) { dialog->reject(); }, &title);
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(title, sheetPrintDialogTitle());
    }
#endif

  private:
    QTemporaryDir dir_;
};

int main(int argc, char* argv[]) {
    // Qt's own file dialog, which the test can answer, on every platform.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    SheetWindowTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "sheet_window_test.moc"

// The setup sheet from the window: its button, Ctrl+P through the save dialog to a PDF on
// disk, and the print dialog, as a machinist reaches them.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "viewer/main_window.h"
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

// The Takımlar dialog through the real window, in a settings and configuration folder of
// the test's own: the menu opens it on the table in use, a saved table is the file the
// settings remember, and the program shown is read again with the nose it gives.

#include "viewer/tool_table_dialog.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "viewer/main_window.h"

using namespace zivek::backplot;

namespace {

QAction* toolTableAction(const MainWindow& window) {
    for (QAction* menu : window.menuBar()->actions())
        if (menu->menu() != nullptr)
            for (QAction* a : menu->menu()->actions())
                if (a->text().contains(QStringLiteral("Takımlar"))) return a;
    return nullptr;
}

bool compensationNotDrawn(const MainWindow& window) {
    for (const auto& w : window.sheetContent().path->warnings)
        if (w.code == Warning::CompensationNotDrawn) return true;
    return false;
}

// Runs `work` on the dialog the action opens, once it is up.
void onDialog(QAction* action, const std::function<void(ToolTableDialog&)>& work) {
    QTimer::singleShot(0, [work] {
        auto* dialog = qobject_cast<ToolTableDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        work(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    action->trigger();
}

}  // namespace

class ToolTableDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
        // The test mode's configuration folder outlives the test: start without a table.
        QFile::remove(toolTableFile());
    }
    // Nor leave one for the other window tests, which share that folder.
    void cleanupTestCase() { QFile::remove(toolTableFile()); }
    void savedTableIsKeptAndTheProgramReadAgain();
    void wrongRowIsRefused();

  private:
    QString program() {
        const QString path = files_.filePath(QStringLiteral("perdah.nc"));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(
                "%\nO1000\nT0303\nG0 X30 Z5\nG42 G0 X14 Z1\nG1 X20 Z-2 F0.1\nZ-10\n"
                "G40 G0 X40 Z5\nM30\n%\n");
        return path;
    }
    QTemporaryDir settings_;
    QTemporaryDir files_;
};

void ToolTableDialogTest::savedTableIsKeptAndTheProgramReadAgain() {
    MainWindow window;
    window.openFile(program());
    QVERIFY(window.message().isEmpty());
    QVERIFY(compensationNotDrawn(window));  // no table yet
    QAction* action = toolTableAction(window);
    QVERIFY(action != nullptr);
    onDialog(action, [](ToolTableDialog& dialog) {
        QTableWidget* rows = dialog.rows();
        QCOMPARE(rows->rowCount(), 0);
        QCOMPARE(rows->columnCount(), 5);
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->text().contains(QStringLiteral("ekle"))) b->click();
        QCOMPARE(rows->rowCount(), 1);
        QCOMPARE(rows->item(0, 0)->text(), QStringLiteral("1"));
        rows->item(0, 0)->setText(QStringLiteral("3"));
        rows->item(0, 1)->setText(QStringLiteral("DNMG150608"));
        rows->item(0, 2)->setText(QStringLiteral("0.8"));
        rows->item(0, 3)->setText(QStringLiteral("3"));
        rows->item(0, 4)->setText(QStringLiteral("PERDAH"));
        QVERIFY(dialog.save());
    });
    // In the user's configuration folder, remembered, and read back as written.
    const QString kept = toolTableFile();
    QVERIFY(kept.endsWith(QStringLiteral("zivek/takimlar.tbl")));
    QVERIFY(QFile::exists(kept));
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("zivek"),
                             QStringLiteral("zivek-backplot"));
    QCOMPARE(settings.value(QStringLiteral("tools/file")).toString(), kept);
    const auto table = loadToolTable(kept);
    QVERIFY(table != nullptr);
    QCOMPARE(int(table->tools.size()), 1);
    QCOMPARE(table->tools[0].number, 3);
    QCOMPARE(table->tools[0].noseRadius, 0.8);
    QCOMPARE(table->tools[0].tip, 3);
    QCOMPARE(table->tools[0].description, std::string("PERDAH"));
    // The program was read again: G42 is drawn with the nose.
    QVERIFY(!compensationNotDrawn(window));
    QCOMPARE(window.sheetContent().path->noses.size(), std::size_t(1));

    // Opened again, the dialog shows the row kept.
    onDialog(action, [](ToolTableDialog& dialog) {
        QCOMPARE(dialog.rows()->rowCount(), 1);
        QCOMPARE(dialog.rows()->item(0, 2)->text(), QStringLiteral("0.8"));
        QCOMPARE(dialog.rows()->item(0, 1)->text(), QStringLiteral("DNMG150608"));
    });
}

// A tip beyond 9 is refused with a message; nothing is written.
void ToolTableDialogTest::wrongRowIsRefused() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("t.tbl"));
    ToolTableDialog dialog(nullptr, path);
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text().contains(QStringLiteral("ekle"))) b->click();
    dialog.rows()->item(0, 3)->setText(QStringLiteral("12"));
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box != nullptr);
        QTest::keyClick(box, Qt::Key_Enter);
    });
    QVERIFY(!dialog.save());
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(ToolTableDialogTest)
#include "tool_table_dialog_test.moc"

// The viewer's settings from one window to the next, in a settings folder of the test's
// own: the user's settings stay untouched.

#include <QDoubleSpinBox>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "viewer/main_window.h"
#include "viewer/open_commands.h"
#include "viewer/plot_widget.h"

using namespace zivek::backplot;

namespace {

QDoubleSpinBox* rapidRate(const MainWindow& window) {
    return window.findChild<QDoubleSpinBox*>();
}

QPushButton* upright(const MainWindow& window) {
    return window.findChild<QPushButton*>(QStringLiteral("upright"));
}

QStringList recentNames(const MainWindow& window) {
    QMenu* recent = window.openCommands()->recentMenu();
    emit recent->aboutToShow();
    QStringList names;
    for (const QAction* a : recent->actions()) names << a->text();
    return names;
}

// As the viewer keeps them: in files here, the registry on Windows left alone.
QSettings kept() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("zivek"),
                     QStringLiteral("zivek-backplot"));
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(settings_.isValid());
        QVERIFY(programs_.isValid());
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
    }
    void init() { kept().clear(); }
    void choicesAreThereInTheNextWindow();
    void viewersSideBySideKeepEachOthersChoices();
    void settingsKeptByEarlierViewersAreRead();

  private:
    QString write(const QString& name) {
        const QString path = programs_.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write("G0 X0 Z0\nG1 W-10 F100\n");
        return path;
    }
    QTemporaryDir settings_;
    QTemporaryDir programs_;
};

void SettingsTest::choicesAreThereInTheNextWindow() {
    const QRect place(30, 40, 640, 520);
    {
        MainWindow window;
        QVERIFY(!upright(window)->isChecked());
        window.openFile(write("ilk.nc"));
        window.openFile(write("son.nc"));
        rapidRate(window)->setValue(4321);
        upright(window)->click();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.setGeometry(place);
        QTRY_COMPARE(window.geometry(), place);
        window.close();
    }
    MainWindow next;
    QCOMPARE(rapidRate(next)->value(), 4321.0);
    QVERIFY(upright(next)->isChecked());
    QVERIFY(next.plot()->viewport().upright());
    QCOMPARE(recentNames(next), QStringList({"&1  son.nc", "&2  ilk.nc"}));
    QCOMPARE(next.geometry(), place);
}

// Each keeps what it changes, and what the other one kept stays.
void SettingsTest::viewersSideBySideKeepEachOthersChoices() {
    {
        MainWindow first;
        MainWindow second;
        rapidRate(first)->setValue(2500);
        second.openFile(write("ikinci.nc"));
        upright(first)->click();
        first.openFile(write("birinci.nc"));
        rapidRate(second)->setValue(3000);
    }
    MainWindow next;
    QCOMPARE(rapidRate(next)->value(), 3000.0);
    QVERIFY(upright(next)->isChecked());
    QCOMPARE(recentNames(next), QStringList({"&1  birinci.nc", "&2  ikinci.nc"}));
}

// Users' settings from before, under the names they were kept by.
void SettingsTest::settingsKeptByEarlierViewersAreRead() {
    const QString program = write("onceki.nc");
    {
        QSettings earlier = kept();
        earlier.setValue(QStringLiteral("time/rapidRate"), 7500);
        earlier.setValue(QStringLiteral("view/upright"), true);
        earlier.setValue(QStringLiteral("files/recent"), QStringList{program});
    }
    MainWindow window;
    QCOMPARE(rapidRate(window)->value(), 7500.0);
    QVERIFY(upright(window)->isChecked());
    QCOMPARE(recentNames(window), QStringList({"&1  onceki.nc"}));
}

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"

// The focus on the wizard's push buttons shows as plainly as on its picture buttons: a
// frame at least two pixels wide along every side, from the moment the window opens
// (when the program, not Tab, put the focus there), in the styles of both platforms.
#include <QApplication>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "app/navigator.h"
#include "windows/focus_style.h"

namespace {

// Pixels that differ at a glance, not by a shade.
bool plainlyDifferent(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) >
           90;
}

// The widest run of changed pixels met going inward from the middle of each side; the
// narrowest of the four sides counts.
int narrowestFocusLine(const QImage& focused, const QImage& unfocused) {
    const int w = focused.width();
    const int h = focused.height();
    const QPoint starts[] = {{w / 2, 0}, {w / 2, h - 1}, {0, h / 2}, {w - 1, h / 2}};
    const QPoint steps[] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
    int narrowest = std::numeric_limits<int>::max();
    for (int side = 0; side < 4; ++side) {
        int widest = 0;
        int run = 0;
        for (QPoint p = starts[side]; (p - starts[side]).manhattanLength() < std::min(w, h) / 2;
             p += steps[side]) {
            run = plainlyDifferent(focused.pixelColor(p), unfocused.pixelColor(p)) ? run + 1 : 0;
            widest = std::max(widest, run);
        }
        narrowest = std::min(narrowest, widest);
    }
    return narrowest;
}

}  // namespace

class FocusVisibleTest : public QObject {
    Q_OBJECT

  private slots:
    void pushButtonFocusShowsAsAFrame_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("menuButton");  // a picture button opening the window
        QTest::addColumn<QString>("button");
        for (const char* style : {"fusion", "windows"}) {
            QTest::addRow("%s, ÇIKIŞ at start", style) << style << QString() << "Command1";
            QTest::addRow("%s, G KOD", style) << style << "DISCAP"
                                              << "KOD";
            QTest::addRow("%s, ANA MENÜ", style) << style << "ALINTORNA"
                                                 << "ANAMENU";
        }
    }

    void pushButtonFocusShowsAsAFrame() {
        QFETCH(QString, style);
        QFETCH(QString, menuButton);
        QFETCH(QString, button);
        QApplication::setStyle(QStyleFactory::create(style));
        QApplication::setStyle(zivek::windows::plainFocusStyle());
        QTemporaryDir home;
        zivek::NoViewer noViewer;
        zivek::app::Navigator navigator({{home.path().toStdString()}, &noViewer});
        navigator.openMainMenu();
        if (!menuButton.isEmpty())
            QTest::mouseClick(navigator.current()->findChild<QWidget*>(menuButton), Qt::LeftButton);
        QWidget* window = navigator.current();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* pushButton = window->findChild<QPushButton*>(button);
        QVERIFY(pushButton);
        // As the program leaves it: the menu's own focus, or a setFocus from code.
        if (menuButton.isEmpty()) QCOMPARE(QApplication::focusWidget(), pushButton);
        pushButton->setFocus(Qt::OtherFocusReason);
        QVERIFY(pushButton->hasFocus());
        const QImage focused = pushButton->grab().toImage();
        window->setFocus();
        QVERIFY(!pushButton->hasFocus());
        const QImage unfocused = pushButton->grab().toImage();
        QVERIFY2(narrowestFocusLine(focused, unfocused) >= 2,
                 qPrintable(QString::number(narrowestFocusLine(focused, unfocused))));
    }
};

QTEST_MAIN(FocusVisibleTest)
#include "tst_focus_visible.moc"

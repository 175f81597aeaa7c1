// Walks the program as a machinist would and saves a picture of the screen at
// each step: the menu (also with the focus on a picture button), each operation window as opened,
// after "G KOD", with a refusal's message box open, and with a hint showing. Run under a real X
// server (tools/screenshots.sh starts one). Argument: the folder for the PNG files.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <cstdio>

#include "app/navigator.h"
#include "common/qt_translation.h"
#include "output/control_names.h"
#include "windows/focus_style.h"
#include "windows/pictures.h"

namespace control = zivek::control;

namespace {

QDir out;

void letPaint() {
    QTest::qWait(400);
}  // lets the X server paint

// The screen region around the open windows, so the message box shows over its window.
void shoot(const QString& name) {
    QRect region;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) region |= w->frameGeometry();
    QScreen* screen = QGuiApplication::primaryScreen();
    region = region.adjusted(-8, -8, 8, 8) & screen->geometry();
    const QString file = out.filePath(name + ".png");
    screen->grabWindow(0, region.x(), region.y(), region.width(), region.height()).save(file);
    std::printf("%s\n", qPrintable(file));
}

void click(QWidget* window, const char* control) {
    QTest::mouseClick(window->findChild<QWidget*>(control), Qt::LeftButton);
    letPaint();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setStyle(zivek::windows::plainFocusStyle());  // as the program does
    QApplication::setWindowIcon(zivek::windows::applicationIcon());
    zivek::app::installQtTranslation();
    out = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots"));
    out.mkpath(".");

    QTemporaryDir home;
    zivek::NoViewer noViewer;
    zivek::app::Navigator navigator({{home.path().toStdString()}, &noViewer});
    navigator.openMainMenu();
    letPaint();
    shoot("form1-menu");
    // The keyboard's way in: Tab from "ÇIKIŞ" to the second picture button.
    navigator.current()->activateWindow();
    if (!QTest::qWaitForWindowActive(navigator.current()))
        std::fprintf(stderr, "menu not active\n");
    letPaint();
    shoot("form1-menu-exit-focus");  // the focus where the menu puts it: on "ÇIKIŞ"
    for (int tab = 0; tab < 2; ++tab) QTest::keyClick(navigator.current(), Qt::Key_Tab);
    letPaint();
    shoot("form1-menu-focus");

    const std::pair<const char*, const char*> windows[] = {
        {"DISCAP", "form11"},  {"ICCAP", "form4"},   {"ALINTORNA", "form2"},
        {"DISKONIK", "form3"}, {"ICKONIK", "form5"},
    };
    for (const auto& [button, name] : windows) {
        click(navigator.current(), button);
        const QString base = QString::fromLatin1(name);
        shoot(base + "-opened");
        // A push button with the focus, as Tab leaves it on "G KOD".
        navigator.current()->activateWindow();  // no window manager does it here
        if (!QTest::qWaitForWindowActive(navigator.current()))
            std::fprintf(stderr, "%s not active\n", name);
        navigator.current()->findChild<QWidget*>("KOD")->setFocus(Qt::TabFocusReason);
        letPaint();
        shoot(base + "-kod-focus");
        click(navigator.current(), "KOD");
        shoot(base + "-program");

        // A refusal: no plunge. The box is photographed and closed from a timer
        // because it holds the press until it is closed.
        navigator.current()->findChild<QLineEdit*>(control::Text4)->setText("0");
        QTimer::singleShot(600, [base] {
            shoot(base + "-message");
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
        });
        click(navigator.current(), "KOD");

        // A hint, as it shows while the pointer rests on the speed box.
        auto* speed = navigator.current()->findChild<QWidget*>(control::Text13);
        QToolTip::showText(speed->mapToGlobal(QPoint(10, 10)), speed->toolTip(), speed);
        letPaint();
        shoot(base + "-hint");
        QToolTip::hideText();
        click(navigator.current(), "ANAMENU");
    }
    return 0;
}

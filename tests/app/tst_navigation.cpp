// The shell as a machinist meets it: the menu at start, the moves between windows
// by mouse, and the ways the application ends.
#include <QAccessible>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "app/navigator.h"
#include "output/control_names.h"
#include "output_box/output_box.h"
#include "test_support.h"
#include "windows/framed_picture.h"

using zivek::app::Navigator;

namespace control = zivek::control;

namespace {

QStringList visibleWindows() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) names << w->objectName();
    return names;
}

// Lets the windows that were closed actually go.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void click(QWidget* window, const char* control) {
    auto* widget = window->findChild<QWidget*>(control);
    QVERIFY2(widget, control);
    QTest::mouseClick(widget, Qt::LeftButton);
}

bool isCentred(QWidget* window) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    return (window->frameGeometry().center() - available.center()).manhattanLength() <= 1;
}

// Sees the request to end the application, wherever it comes from.
class QuitWatcher : public QObject {
  public:
    QuitWatcher() { qApp->installEventFilter(this); }
    ~QuitWatcher() override { qApp->removeEventFilter(this); }
    bool seen = false;

  protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (target == qApp && event->type() == QEvent::Quit) seen = true;
        return false;
    }
};

// Runs the event loop around action and tells whether the application ended. If
// it did not, the loop is stopped once everything the action set going has run.
bool endsApplication(const std::function<void()>& action) {
    QuitWatcher watcher;
    // The watcher is the timers' context: a timer still waiting when the loop has
    // ended dies with it rather than firing into the next loop.
    QTimer::singleShot(0, &watcher, [&] {
        action();
        QTimer::singleShot(0, &watcher, [&] {
            if (!watcher.seen) QCoreApplication::exit(1);
        });
    });
    const int code = QApplication::exec();
    return watcher.seen && code == 0;
}

}  // namespace

class NavigationTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home_;
    zivek::testing::RecordingViewer viewer_;
    std::unique_ptr<Navigator> navigator_;

    QWidget* current() const { return navigator_->current(); }

  private slots:
    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        navigator_ = std::make_unique<Navigator>(
            zivek::windows::Surroundings{{home_->path().toStdString()}, &viewer_});
        navigator_->openMainMenu();
        QVERIFY(QTest::qWaitForWindowActive(current()));
    }

    void cleanup() {
        navigator_.reset();
        settle();
    }

    void startShowsOnlyTheMenu() {
        QCOMPARE(visibleWindows(), QStringList{"Form1"});
        QWidget* menu = current();
        QCOMPARE(menu->windowTitle(), QString("ZIVEK-VUVEV V1.0"));
        QCOMPARE(menu->size(), QSize(537, 497));
        QCOMPARE(menu->minimumSize(), menu->maximumSize());
        QVERIFY(!(menu->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(menu->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(zivek::testing::showsADrawing(menu->windowIcon().pixmap(32, 32)));
        QVERIFY(isCentred(menu));
        QCOMPARE(menu->grab().toImage().pixelColor(530, 490), QColor(0xC0, 0xFF, 0xFF));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command1"));
    }

    // Form1's controls, copied by hand from its table in pixels.
    void menuControls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QSize>("picture");
        QTest::newRow("DISCAP") << "DISCAP" << QRect(8, 8, 166, 198) << QSize(162, 194);
        QTest::newRow("ICCAP") << "ICCAP" << QRect(184, 8, 167, 200) << QSize(163, 196);
        QTest::newRow("ALINTORNA") << "ALINTORNA" << QRect(360, 8, 169, 201) << QSize(162, 195);
        QTest::newRow("DISKONIK") << "DISKONIK" << QRect(8, 216, 169, 201) << QSize(162, 196);
        QTest::newRow("ICKONIK") << "ICKONIK" << QRect(184, 216, 169, 201) << QSize(161, 192);
        QTest::newRow("Command1") << "Command1" << QRect(184, 432, 161, 33) << QSize();
    }

    void menuControls() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QSize, picture);
        auto* control = current()->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget(), current());
        QCOMPARE(control->geometry(), geometry);
        if (picture.isValid()) {
            auto* framed = qobject_cast<zivek::windows::FramedPicture*>(control);
            QVERIFY(framed);
            QVERIFY(zivek::testing::showsADrawing(framed->picture()));
            QCOMPARE(framed->contentsRect().topLeft(), QPoint(2, 2));
            // The picture fills the frame: the drawn bitmap's last column and row stand at
            // the border, and no ground of the control shows there.
            QCOMPARE(framed->picture().deviceIndependentSize().toSize(),
                     framed->contentsRect().size());
            QVERIFY(framed->contentsRect().width() >= picture.width());
            const QImage shown = framed->grab().toImage();
            const QColor ground = framed->palette().color(QPalette::Button);
            const QRect inner = framed->contentsRect();
            for (int x = inner.left(); x <= inner.right(); ++x)
                QVERIFY(shown.pixelColor(x, inner.bottom()) != ground &&
                        shown.pixelColor(x, inner.bottom()) != QColor(Qt::white));
            for (int y = inner.top(); y <= inner.bottom(); ++y)
                QVERIFY(shown.pixelColor(inner.right(), y) != ground &&
                        shown.pixelColor(inner.right(), y) != QColor(Qt::white));
        } else {
            auto* button = qobject_cast<QPushButton*>(control);
            QVERIFY(button);
            QCOMPARE(button->text(), QString("ÇIKIŞ"));
            QCOMPARE(button->palette().color(QPalette::Button), QColor(0xFF, 0x80, 0x80));
        }
    }

    void menuTabOrder() {
        QStringList visited;
        for (int i = 0; i < 7; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, (QStringList{"Command1", "DISCAP", "ICCAP", "ALINTORNA", "DISKONIK",
                                       "ICKONIK", "Command1"}));
    }

    void pictureButtonsOpenTheirWindow_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::newRow("DISCAP") << "DISCAP"
                                << "Form11"
                                << "DIŞ ÇAP TORNALAMA";
        QTest::newRow("ICCAP") << "ICCAP"
                               << "Form4"
                               << "İÇ ÇAP TORNALAMA";
        QTest::newRow("ALINTORNA") << "ALINTORNA"
                                   << "Form2"
                                   << "ALIN TORNALAMA";
        QTest::newRow("DISKONIK") << "DISKONIK"
                                  << "Form3"
                                  << "DIŞ KONİK TORNALAMA";
        QTest::newRow("ICKONIK") << "ICKONIK"
                                 << "Form5"
                                 << "İÇ KONİK TORNALAMA";
    }

    void pictureButtonsOpenTheirWindow() {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QPointer<QWidget> menu = current();
        click(menu, qPrintable(button));
        settle();
        QVERIFY(menu.isNull());
        QCOMPARE(visibleWindows(), QStringList{window});
        QCOMPARE(current()->windowTitle(), caption);
        // Every operation window but Form5 opens centred.
        if (window != "Form5") QVERIFY(isCentred(current()));
    }

    // From the keyboard: Tab reaches a picture button, whose focus shows inside its
    // border, and Enter or Space opens its window as a click does.
    void pictureButtonsOpenFromTheKeyboard_data() {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("DISCAP Return") << 1 << int(Qt::Key_Return) << "DISCAP"
                                       << "Form11";
        QTest::newRow("ICCAP Space") << 2 << int(Qt::Key_Space) << "ICCAP"
                                     << "Form4";
        QTest::newRow("ALINTORNA Enter") << 3 << int(Qt::Key_Enter) << "ALINTORNA"
                                         << "Form2";
        QTest::newRow("DISKONIK Space") << 4 << int(Qt::Key_Space) << "DISKONIK"
                                        << "Form3";
        QTest::newRow("ICKONIK Return") << 5 << int(Qt::Key_Return) << "ICKONIK"
                                        << "Form5";
    }

    void pictureButtonsOpenFromTheKeyboard() {
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(QString, button);
        QFETCH(QString, window);
        QPointer<QWidget> menu = current();
        auto* picture = menu->findChild<zivek::windows::FramedPicture*>(button);
        const QImage unfocused = picture->grab().toImage();
        for (int i = 0; i < tabs; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), picture);

        // The focus frame: drawn, and only inside the sunken border.
        const QImage focused = picture->grab().toImage();
        QRect changed;
        for (int y = 0; y < focused.height(); ++y)
            for (int x = 0; x < focused.width(); ++x)
                if (focused.pixel(x, y) != unfocused.pixel(x, y)) changed |= QRect(x, y, 1, 1);
        QVERIFY(!changed.isEmpty());
        QVERIFY(picture->contentsRect().contains(changed));

        // Other keys do nothing.
        for (Qt::Key other : {Qt::Key_Escape, Qt::Key_A, Qt::Key_Down})
            QTest::keyClick(picture, other);
        settle();
        QCOMPARE(visibleWindows(), QStringList{"Form1"});

        QTest::keyClick(picture, static_cast<Qt::Key>(key));
        settle();
        QVERIFY(menu.isNull());
        QCOMPARE(visibleWindows(), QStringList{window});
    }

    // What a screen reader finds on the menu: five buttons named by their pictures'
    // captions, each pressed by the reader's press action.
    void pictureButtonsAreNamedButtons_data() { pictureButtonsOpenTheirWindow_data(); }

    void pictureButtonsAreNamedButtons() {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QAccessibleInterface* reader =
            QAccessible::queryAccessibleInterface(current()->findChild<QWidget*>(button));
        QVERIFY(reader);
        QCOMPARE(reader->role(), QAccessible::Button);
        QCOMPARE(reader->text(QAccessible::Name), caption);
        QVERIFY(reader->state().focusable);
        QAccessibleActionInterface* actions = reader->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        settle();
        QCOMPARE(visibleWindows(), QStringList{window});
    }

    void mainMenuButtonBringsAFreshMenu() {
        QPointer<QWidget> firstMenu = current();
        click(current(), "DISCAP");
        QPointer<QWidget> operation = current();
        click(operation, "ANAMENU");
        settle();
        QVERIFY(operation.isNull());
        QVERIFY(firstMenu.isNull());
        QCOMPARE(visibleWindows(), QStringList{"Form1"});
        QVERIFY(isCentred(current()));
        QVERIFY(QTest::qWaitForWindowActive(current()));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command1"));
    }

    // Typed values and the shown program go with the window; the file stays.
    void leavingDiscardsWhatTheWindowHeld() {
        click(current(), "ICCAP");
        current()->findChild<QLineEdit*>(control::Text3)->setText("6");
        click(current(), "KOD");
        QVERIFY(!current()
                     ->findChild<zivek::windows::OutputBox*>(control::Text1)
                     ->toPlainText()
                     .isEmpty());
        click(current(), "ANAMENU");
        click(current(), "ICCAP");
        settle();
        QCOMPARE(current()->findChild<QLineEdit*>(control::Text3)->text(), QString("12"));
        QVERIFY(current()
                    ->findChild<zivek::windows::OutputBox*>(control::Text1)
                    ->toPlainText()
                    .isEmpty());
        QVERIFY(QFile(home_->filePath("ALANTEMIZLEME.TXT")).size() > 0);
    }

    void movingBetweenWindowsKeepsTheApplication() {
        QVERIFY(!endsApplication([this] {
            click(current(), "ALINTORNA");
            click(current(), "ANAMENU");
            click(current(), "ICKONIK");
        }));
        QCOMPARE(visibleWindows(), QStringList{"Form5"});
    }

    void exitButtonEndsTheApplication() {
        QVERIFY(endsApplication([this] { click(current(), "Command1"); }));
    }

    // At start the focus is on "ÇIKIŞ": the keyboard alone can end the program.
    void exitFromTheKeyboard_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Return") << int(Qt::Key_Return);
    }

    void exitFromTheKeyboard() {
        QFETCH(int, key);
        QVERIFY(endsApplication(
            [key] { QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key)); }));
    }

    void closingAnyWindowFromItsFrameEndsTheApplication_data() {
        QTest::addColumn<QString>("button");  // empty: the menu itself
        for (const char* button : {"", "DISCAP", "ICCAP", "ALINTORNA", "DISKONIK", "ICKONIK"})
            QTest::newRow(*button ? button : "Form1") << QString(button);
    }

    void closingAnyWindowFromItsFrameEndsTheApplication() {
        QFETCH(QString, button);
        if (!button.isEmpty()) click(current(), qPrintable(button));
        QVERIFY(endsApplication([this] { current()->windowHandle()->close(); }));
        settle();
        // Nothing came back in its place, not the menu either.
        QVERIFY(visibleWindows().isEmpty());
        QVERIFY(current() == nullptr);
    }
};

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"

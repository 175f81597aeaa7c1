// The six windows on the screen they are shown on: whole within its available area with
// their frames, every control within the client, no two controls overlapping that do not
// overlap at full size, text no smaller than legible where drawn smaller; and exactly as
// the tables where a window fits as designed. Run on a laptop's screen (1366 x 768) at
// 100 % and at 200 % (683 x 384 logical pixels, where no window fits at full size).
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <map>
#include <memory>

#include "app/main_menu.h"
#include "output/control_names.h"
#include "output_box/output_box.h"
#include "support/recording_viewer.h"
#include "test_support.h"
#include "windows/operation_window.h"
#include "windows/window_scale.h"

using zivek::windows::DesignedWindow;

namespace {

// Each control of the table, by name, at its place in the window's client area.
std::map<QString, QRect> placesOf(const DesignedWindow* window) {
    std::map<QString, QRect> places;
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        const QWidget* parent = control->parentWidget();
        const bool inTable =
            parent == window || (parent && parent->objectName() == QLatin1String("Picture1"));
        if (!inTable || control->objectName().isEmpty()) continue;
        places[control->objectName()] =
            QRect(control->mapTo(window, QPoint(0, 0)), control->size());
    }
    return places;
}

QString textOf(const QWidget* control) {
    if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<const QPushButton*>(control)) return button->text();
    if (auto* box = qobject_cast<const QLineEdit*>(control)) return box->text();
    return {};
}

QString describe(const QString& name, const QRect& r) {
    return QStringLiteral("%1 at %2,%3 %4x%5")
        .arg(name)
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

}  // namespace

class WindowFitTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    zivek::testing::RecordingViewer viewer_;

    std::unique_ptr<DesignedWindow> make(const QString& name) {
        if (name == "Form1") return std::make_unique<zivek::app::MainMenu>();
        return std::make_unique<zivek::windows::OperationWindow>(
            zivek::testing::definitionNamed(name),
            zivek::windows::Surroundings{{home_.path().toStdString()}, &viewer_});
    }

  private slots:
    void fitsItsScreen_data() {
        QTest::addColumn<QString>("window");
        for (const char* window : {"Form1", "Form2", "Form3", "Form4", "Form5", "Form11"})
            QTest::newRow(window) << QString(window);
    }

    void fitsItsScreen() {
        QFETCH(QString, window);
        auto w = make(window);
        // The window as its table draws it, on a screen that has room for anything.
        w->fitInto(QRect(0, 0, 100000, 100000), {}, 1.0);
        QCOMPARE(w->scale(), 1.0);
        const std::map<QString, QRect> full = placesOf(w.get());
        const QSize fullClient = w->size();

        w->open();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QRect available = w->screen()->availableGeometry();
        QVERIFY2(available.contains(w->frameGeometry()),
                 qPrintable(describe("frame", w->frameGeometry()) + " on " +
                            describe("screen", available)));

        const std::map<QString, QRect> now = placesOf(w.get());
        QCOMPARE(now.size(), full.size());
        for (const auto& [name, place] : now)
            QVERIFY2(w->rect().contains(place), qPrintable(describe(name, place)));
        if (auto* drawing = w->findChild<QWidget*>("Picture1"))
            for (const QWidget* box : drawing->findChildren<QLineEdit*>())
                QVERIFY2(drawing->contentsRect().contains(box->geometry()),
                         qPrintable(describe(box->objectName(), box->geometry())));
        for (auto a = full.begin(); a != full.end(); ++a)
            for (auto b = std::next(a); b != full.end(); ++b)
                if (!a->second.intersects(b->second))
                    QVERIFY2(!now.at(a->first).intersects(now.at(b->first)),
                             qPrintable(describe(a->first, now.at(a->first)) + " overlaps " +
                                        describe(b->first, now.at(b->first))));

        // A refusal's message box, drawn at the platform's size, stays on the screen too.
        if (auto* operation = qobject_cast<zivek::windows::OperationWindow*>(w.get())) {
            w->findChild<QLineEdit*>(zivek::control::Text4)->setText("0");
            QRect boxFrame;
            QTimer::singleShot(0, w.get(), [&boxFrame] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    boxFrame = box->frameGeometry();
                    box->button(QMessageBox::Ok)->click();
                }
            });
            operation->KOD_Click();
            QVERIFY(!boxFrame.isNull());
            QVERIFY2(available.contains(boxFrame), qPrintable(describe("message box", boxFrame)));
        }

        if (w->scale() == 1.0) {
            // Where the window fits, nothing of it changes.
            QCOMPARE(w->size(), fullClient);
            QCOMPARE(now, full);
            return;
        }
        QVERIFY(w->scale() < 1.0);
        QVERIFY(w->size().width() < fullClient.width());
        // Drawn smaller, text stays legible and whole: captions in their labels and
        // buttons, a line of a box in its box.
        const qreal ratio = w->screen()->devicePixelRatio();
        for (const QWidget* control : w->findChildren<QWidget*>()) {
            const bool showsText = qobject_cast<const QLabel*>(control) ||
                                   qobject_cast<const QPushButton*>(control) ||
                                   qobject_cast<const QLineEdit*>(control) ||
                                   qobject_cast<const zivek::windows::OutputBox*>(control);
            if (!showsText) continue;
            const QString name = control->objectName();
            QVERIFY2(
                QFontInfo(control->font()).pixelSize() * ratio >= zivek::windows::minimumTextPixels,
                qPrintable(name));
            const QFontMetrics metrics(control->font());
            QVERIFY2(metrics.horizontalAdvance(textOf(control)) <= control->width(),
                     qPrintable(name));
            QVERIFY2(metrics.height() <= control->height(), qPrintable(name));
        }
    }

    // The factor for a client in the room its screen leaves: the largest that fits,
    // never taking text below legible.
    void fittingScale_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QSize>("room");
        QTest::addColumn<int>("textPixels");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<double>("scale");
        QTest::newRow("fits as designed")
            << QSize(986, 441) << QSize(1366, 738) << 12 << 1.0 << 1.0;
        QTest::newRow("menu at 200 %, height bound")
            << QSize(537, 497) << QSize(683, 354) << 12 << 2.0 << 354.0 / 497;
        QTest::newRow("operation window at 200 %, width bound")
            << QSize(986, 441) << QSize(675, 354) << 12 << 2.0 << 675.0 / 986;
        QTest::newRow("small screen at 100 %, text bound")
            << QSize(986, 441) << QSize(640, 450) << 12 << 1.0 << 11.0 / 12;
        QTest::newRow("text already at the least")
            << QSize(986, 441) << QSize(640, 450) << 10 << 1.0 << 1.0;
        QTest::newRow("exactly fits") << QSize(537, 497) << QSize(537, 497) << 12 << 1.0 << 1.0;
    }

    void fittingScale() {
        QFETCH(QSize, client);
        QFETCH(QSize, room);
        QFETCH(int, textPixels);
        QFETCH(qreal, ratio);
        QFETCH(double, scale);
        QFont font;
        font.setPixelSize(textPixels);
        QVERIFY(qFuzzyCompare(zivek::windows::fittingScale(client, room, font, ratio), scale));
    }
};

QTEST_MAIN(WindowFitTest)
#include "tst_window_fit.moc"

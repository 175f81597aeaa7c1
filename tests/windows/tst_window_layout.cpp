// Each operation window against its tables, copied here by hand in pixels
// (twips / 15), so that a slip in the window data shows up as a difference.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "output/control_names.h"
#include "output_box/output_box.h"
#include "test_support.h"
#include "windows/framed_picture.h"
#include "windows/operation_window.h"
#include "windows/picture_cache.h"
#include "windows/pictures.h"

namespace control = zivek::control;

namespace {

struct Expected {
    const char* name;
    const char* kind;  // class the control must inherit
    QRect geometry;    // pixels, from the window or from Picture1's inner corner
    const char* text;
    const char* hint;
};

// The controls every operation window has; Text1's left edge differs per window.
std::vector<Expected> commonControls(int text1Left) {
    return {
        {"Picture1", "zivek::windows::FramedPicture", {8, 8, 697, 361}, "", ""},
        {control::Text1, "zivek::windows::OutputBox", {text1Left, 8, 257, 361}, "", ""},
        {"Shape3", "zivek::windows::OutlineFrame", {8, 376, 361, 57}, "", ""},
        {"Label2", "QLabel", {16, 384, 81, 17}, "İŞ MİLİ YÖNÜ", ""},
        {control::Text12, "QLineEdit", {104, 384, 73, 19}, "0", "0=SAĞ DÖN , 1=SOLA DÖN"},
        {"Label3", "QLabel", {16, 408, 81, 17}, "İŞ MİLİ DEVİRİ", ""},
        {control::Text13, "QLineEdit", {104, 408, 73, 19}, "6", "S = 100 ~ 2000"},
        {"Label4", "QLabel", {192, 384, 81, 17}, "SU AÇ", ""},
        {control::Text14, "QLineEdit", {280, 384, 73, 19}, "1", "1=SU AÇ"},
        {"ANAMENU", "QPushButton", {488, 384, 137, 41}, "ANA MENÜ", ""},
        {"KOD", "QPushButton", {808, 384, 97, 41}, "G KOD", ""},
    };
}

// Parameter boxes, placed from the drawing area's inner top-left corner.
std::vector<Expected> parameterBoxes(const QString& window) {
    if (window == "Form11")
        return {
            {control::Text2, "QLineEdit", {320, 152, 65, 25}, "60", "TORNALAMA BOYU"},
            {control::Text3, "QLineEdit", {400, 24, 65, 27}, "12", "TORNALAMA DERİNLİĞİ"},
            {control::Text4, "QLineEdit", {80, 136, 57, 25}, "1", "DALMA MİKTARI"},
            {control::Text5, "QLineEdit", {40, 296, 65, 25}, "111", "İLERLEME"},
        };
    if (window == "Form4")
        return {
            {control::Text2, "QLineEdit", {264, 160, 65, 25}, "60", "TORNALAMA BOYU"},
            {control::Text3, "QLineEdit", {392, 32, 65, 25}, "12", "TORNALAMA DERİNLİĞİ"},
            {control::Text4, "QLineEdit", {80, 136, 65, 27}, "1", "DALMA MİKTARI"},
            {control::Text5, "QLineEdit", {120, 304, 57, 25}, "111", "İLERLEME"},
        };
    if (window == "Form2")
        return {
            {control::Text2, "QLineEdit", {408, 24, 57, 25}, "60", "TORNALAMA BOYU"},
            {control::Text3, "QLineEdit", {264, 120, 57, 25}, "12", "TORNALAMA DERİNLİĞİ"},
            {control::Text4, "QLineEdit", {24, 280, 41, 27}, "1", "DALMA MİKTARI"},
            {control::Text5, "QLineEdit", {152, 184, 41, 25}, "111", "İLERLEME"},
        };
    if (window == "Form3")
        return {
            {control::Text2, "QLineEdit", {576, 160, 57, 25}, "30", "TORNALAMA BOYU"},
            {control::Text3, "QLineEdit", {416, 16, 65, 25}, "100", "BÜYÜK ÇAP"},
            {control::Text4, "QLineEdit", {88, 144, 49, 27}, "1", "DALMA MİKTARI"},
            {control::Text5, "QLineEdit", {40, 304, 49, 27}, "111", "İLERLEME"},
            {control::Text6, "QLineEdit", {424, 64, 57, 25}, "50", "KÜÇÜK ÇAP"},
        };
    return {
        // Form5
        {control::Text2, "QLineEdit", {584, 160, 57, 25}, "30", "TORNALAMA BOYU"},
        {control::Text3, "QLineEdit", {424, 24, 57, 25}, "100", "BÜYÜK ÇAP"},
        {control::Text4, "QLineEdit", {8, 192, 49, 27}, "1", "DALMA MİKTARI"},
        {control::Text5, "QLineEdit", {128, 280, 49, 27}, "111", "İLERLEME"},
        {control::Text6, "QLineEdit", {424, 64, 57, 25}, "50", "KÜÇÜK ÇAP"},
    };
}

QString textOf(const QWidget* widget) {
    if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    if (auto* box = qobject_cast<const zivek::windows::OutputBox*>(widget))
        return box->toPlainText();
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<const QPushButton*>(widget)) return button->text();
    return {};
}

QColor colourAt(QWidget* widget, QPoint at) {
    return widget->grab().toImage().pixelColor(at);
}

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    zivek::testing::RecordingViewer viewer_;

    std::unique_ptr<zivek::windows::OperationWindow> make(const QString& name) {
        return std::make_unique<zivek::windows::OperationWindow>(
            zivek::testing::definitionNamed(name),
            zivek::windows::Surroundings{{home_.path().toStdString()}, &viewer_});
    }

  private slots:
    void controls_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("text1Left");
        for (auto [window, left] : {std::pair{"Form2", 720},
                                    {"Form3", 712},
                                    {"Form4", 712},
                                    {"Form5", 712},
                                    {"Form11", 720}})
            QTest::newRow(window) << QString(window) << left;
    }

    void controls() {
        QFETCH(QString, window);
        QFETCH(int, text1Left);
        auto w = make(window);
        auto* picture = w->findChild<zivek::windows::FramedPicture*>("Picture1");
        QVERIFY(picture);
        // The drawing area's inner corner is where its children are measured from.
        QCOMPARE(picture->contentsRect(), QRect(2, 2, 693, 357));

        auto check = [&](const Expected& e, QWidget* parent, QPoint origin) {
            auto* control = w->findChild<QWidget*>(e.name);
            QVERIFY2(control, e.name);
            QCOMPARE(control->parentWidget(), parent);
            QVERIFY2(control->inherits(e.kind), e.name);
            QCOMPARE(control->geometry().translated(-origin), e.geometry);
            QCOMPARE(textOf(control), QString::fromUtf8(e.text));
            QCOMPARE(control->toolTip(), QString::fromUtf8(e.hint));
        };
        for (const Expected& e : commonControls(text1Left)) check(e, w.get(), {0, 0});
        for (const Expected& e : parameterBoxes(window)) check(e, picture, {2, 2});

        // Every caption is readable whole within its label.
        for (const QLabel* label : w->findChildren<QLabel*>()) {
            const QFontMetrics metrics(label->font());
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width(),
                     qPrintable(label->text()));
            QVERIFY2(metrics.height() <= label->contentsRect().height(), qPrintable(label->text()));
        }

        // No box beyond the table: a taper window has Text6, the others do not.
        const int boxes = static_cast<int>(picture->findChildren<QLineEdit*>().size());
        QCOMPARE(boxes, static_cast<int>(parameterBoxes(window).size()));
    }

    void windowProperties_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("fixedBorder");
        QTest::addColumn<QSize>("drawing");
        QTest::newRow("Form2") << "Form2"
                               << "ALIN TORNALAMA" << false << QSize(691, 357);
        QTest::newRow("Form3") << "Form3"
                               << "DIŞ KONİK TORNALAMA" << false << QSize(689, 353);
        QTest::newRow("Form4") << "Form4"
                               << "İÇ ÇAP TORNALAMA" << false << QSize(690, 355);
        QTest::newRow("Form5") << "Form5"
                               << "İÇ KONİK TORNALAMA" << false << QSize(691, 355);
        QTest::newRow("Form11") << "Form11"
                                << "DIŞ ÇAP TORNALAMA" << true << QSize(691, 356);
    }

    void windowProperties() {
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(bool, fixedBorder);
        QFETCH(QSize, drawing);
        auto w = make(window);
        QCOMPARE(w->objectName(), window);
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(w->size(), QSize(986, 441));
        QVERIFY(w->isWindow());

        const Qt::WindowFlags flags = w->windowFlags();
        if (fixedBorder) {
            QCOMPARE(w->minimumSize(), w->maximumSize());
            QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
            QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        } else {
            // A larger window shows more ground; no control moves or grows.
            auto* kod = w->findChild<QWidget*>("KOD");
            const QRect before = kod->geometry();
            w->resize(1200, 600);
            QCOMPARE(w->size(), QSize(1200, 600));
            QCOMPARE(kod->geometry(), before);
            w->resize(986, 441);
        }

        // Background: light yellow where no control stands (right of KOD, below Text1).
        QCOMPARE(colourAt(w.get(), {950, 420}), QColor(0xFF, 0xFF, 0x80));

        auto* picture = w->findChild<zivek::windows::FramedPicture*>("Picture1");
        QCOMPARE(picture->picture().size(), drawing);
        QVERIFY(zivek::testing::showsADrawing(picture->picture()));
        QVERIFY(zivek::testing::showsADrawing(w->windowIcon().pixmap(32, 32)));

        // Labels carry their ground colours; Shape3 is a black line.
        QCOMPARE(colourAt(w->findChild<QWidget*>("Label2"), {78, 14}), QColor(0xC0, 0xFF, 0xC0));
        QCOMPARE(colourAt(w->findChild<QWidget*>("Label4"), {78, 14}), QColor(0xC0, 0xFF, 0xFF));
        auto* shape = w->findChild<QWidget*>("Shape3");
        QCOMPARE(colourAt(shape, {100, 0}), QColor(Qt::black));
        QCOMPARE(colourAt(shape, {100, 1}), QColor(Qt::black));
        QCOMPARE(colourAt(shape, {0, 30}), QColor(Qt::black));
        QCOMPARE(colourAt(shape, {360, 56}), QColor(Qt::black));
    }

    void outputBox() {
        auto w = make("Form4");
        auto* text1 = w->findChild<zivek::windows::OutputBox*>(control::Text1);
        QCOMPARE(text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(text1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(text1->toolTip().isEmpty());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        // A long line does not wrap: the box scrolls sideways instead.
        text1->setPlainText(QString(400, QLatin1Char('W')));
        QCOMPARE(text1->lineCount(), 1);
        QVERIFY(text1->horizontalScrollBar()->maximum() > 0);
        text1->clear();
        // Editable, and Tab moves on rather than typing a tab; the caret starts here in Form4.
        QCOMPARE(QApplication::focusWidget(), text1);
        QTest::keyClick(text1, Qt::Key_A);
        QTest::keyClick(text1, Qt::Key_Tab);
        QCOMPARE(text1->toPlainText(), QString("a"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("KOD"));
    }

    // The focus starts at the lowest tab position that can take it, and Tab walks
    // the rest in rising order; labels and the frame are never visited.
    void tabOrder_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Form2") << "Form2"
                               << QStringList{"Picture1",      control::Text1, "ANAMENU",
                                              "KOD",           control::Text5, control::Text3,
                                              control::Text2,  control::Text4, control::Text14,
                                              control::Text13, control::Text12};
        QTest::newRow("Form3") << "Form3"
                               << QStringList{"Picture1",      "ANAMENU",       "KOD",
                                              control::Text1,  control::Text5,  control::Text3,
                                              control::Text2,  control::Text4,  control::Text6,
                                              control::Text14, control::Text13, control::Text12};
        QTest::newRow("Form4") << "Form4"
                               << QStringList{control::Text1,  "KOD",          "ANAMENU",
                                              "Picture1",      control::Text4, control::Text2,
                                              control::Text3,  control::Text5, control::Text14,
                                              control::Text13, control::Text12};
        QTest::newRow("Form5") << "Form5"
                               << QStringList{"Picture1",      control::Text1,  "ANAMENU",
                                              "KOD",           control::Text5,  control::Text3,
                                              control::Text2,  control::Text4,  control::Text6,
                                              control::Text14, control::Text13, control::Text12};
        QTest::newRow("Form11") << "Form11"
                                << QStringList{"KOD",           "ANAMENU",      control::Text1,
                                               "Picture1",      control::Text2, control::Text3,
                                               control::Text4,  control::Text5, control::Text12,
                                               control::Text13, control::Text14};
    }

    void tabOrder() {
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        auto w = make(window);
        w->open();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QStringList visited;
        for (int i = 0; i <= order.size(); ++i) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            visited << focus->objectName();
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        // Once round and back to the start.
        QCOMPARE(visited, order + QStringList{order.front()});
    }

    // The drawing area takes the focus but no key does anything there.
    void drawingAreaIgnoresKeys() {
        auto w = make("Form2");
        w->open();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        auto* picture = w->findChild<QWidget*>("Picture1");
        QCOMPARE(QApplication::focusWidget(), picture);
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A})
            QTest::keyClick(picture, static_cast<Qt::Key>(key));
        QVERIFY(w->isVisible());
        QVERIFY(w->findChild<zivek::windows::OutputBox*>(control::Text1)->toPlainText().isEmpty());
        QVERIFY(viewer_.starts.empty());
    }

    // On a screen at 150 % or 200 % a picture has as many device pixels as it covers
    // there, so that it is drawn sharp rather than enlarged; so has the icon.
    void picturesFollowTheScreenRatio_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("drawing");  // Form11's 691 x 356 drawing, device pixels
        QTest::newRow("100 %") << 1.0 << QSize(691, 356);
        QTest::newRow("150 %") << 1.5 << QSize(1037, 534);
        QTest::newRow("200 %") << 2.0 << QSize(1382, 712);
    }

    void picturesFollowTheScreenRatio() {
        QFETCH(qreal, ratio);
        QFETCH(QSize, drawing);
        const QPixmap picture =
            zivek::windows::renderPicture({":/drawing_form11.svg", 691, 356}, ratio);
        QCOMPARE(picture.size(), drawing);
        QCOMPARE(picture.devicePixelRatio(), ratio);
        QVERIFY(zivek::testing::showsADrawing(picture));
        const QPixmap icon = zivek::windows::applicationIcon().pixmap(QSize(32, 32), ratio);
        QCOMPARE(icon.size(), QSize(32, 32) * ratio);
        QVERIFY(zivek::testing::showsADrawing(icon));
    }

    // A picture kept once is found again with the same pixels, at its own device size
    // and for its own source only; a file cut short is drawn afresh, never shown torn.
    void renderedPicturesAreKeptWhole() {
        using zivek::windows::Picture;
        const QTemporaryDir folder;
        const zivek::windows::PictureCache cache(folder.path() + "/pictures");
        const Picture drawing{":/drawing_form11.svg", 691, 356};
        const QImage rendered =
            zivek::windows::renderPicture(drawing).toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(cache.find(drawing, rendered.size()).isNull());
        cache.keep(drawing, QPixmap::fromImage(rendered));
        QCOMPARE(
            cache.find(drawing, rendered.size()).toImage().convertToFormat(QImage::Format_RGB32),
            rendered);
        QVERIFY(cache.find(drawing, rendered.size() * 2).isNull());
        QVERIFY(cache.find(Picture{":/drawing_form4.svg", 691, 356}, rendered.size()).isNull());
        const QStringList kept = QDir(folder.path() + "/pictures").entryList(QDir::Files);
        QCOMPARE(kept.size(), 1);
        QVERIFY(QFile::resize(folder.path() + "/pictures/" + kept.front(), 1000));
        QVERIFY(cache.find(drawing, rendered.size()).isNull());
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "tst_window_layout.moc"

// The window on a 1366×768 laptop's screen, at the scale of the run (1 and 2): the plot
// keeps at least half the window's height, and no text is cut short: it fits, wraps, or
// stands whole elsewhere.

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>

#include "viewer/main_window.h"
#include "viewer/plot_widget.h"
#include "viewer/warning_panel.h"

using namespace zivek::backplot;

namespace {

QString plainText(const QLabel* label) {
    if (label->textFormat() != Qt::RichText && !Qt::mightBeRichText(label->text()))
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

// Where the label's text does not fit its box, the part that does not show.
QString cutPart(const QLabel* label) {
    const QString text = plainText(label);
    if (text.isEmpty() || !label->isVisibleTo(label->window())) return {};
    const QRect box = label->contentsRect();
    if (label->wordWrap()) {
        const int needed = label->heightForWidth(label->width());
        return needed > label->height() + 1 ? text : QString();
    }
    int widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    return widest > box.width() + 1 ? text : QString();
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT
  private slots:
    void plotKeepsHalfAndNoTextIsCut_data();
    void plotKeepsHalfAndNoTextIsCut();
};

void LayoutTest::plotKeepsHalfAndNoTextIsCut_data() {
    QTest::addColumn<bool>("withWorkpiece");
    QTest::newRow("the path alone") << false;
    // The steps through the workpiece take a row of their own, and its warnings show.
    QTest::newRow("with a workpiece") << true;
}

void LayoutTest::plotKeepsHalfAndNoTextIsCut() {
    QFETCH(bool, withWorkpiece);
    QTemporaryDir dir;
    QFile file(dir.filePath("uyarili.nc"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    // A Fanuc program with warnings long enough to need two rows in the panel.
    file.write(
        "%\nO0001 (DIS CAP)\nN10 G54 T0101\nN20 G0 X0 Z0\nN30 G1 U-2 F.2\n"
        "n40 w-20 ; kaba\nN50 G2 U2 W-2 R2\nN60 G0 U5 Q7 XYZZY ABCDEF\nN70 G0 X0 Z0\n"
        "N80 M30\n%\n");
    file.close();
    MainWindow window;
    if (withWorkpiece) {
        zivek::Workpiece w;
        w.material = {{{0, 0}, {0, 3}, {-25, 3}, {-25, 0}}};
        w.part = {{{0, 0}, {0, 0.5}, {-25, 0.5}, {-25, 0}}};
        w.insert = {{0, 0}, {0.8, 0.3}, {0.3, 0.8}};
        window.setWorkpiece(w);
    }
    window.openFile(file.fileName());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);  // the layouts settle

    QVERIFY2(
        window.plot()->height() * 2 >= window.height(),
        qPrintable(
            QStringLiteral("plot %1 of %2").arg(window.plot()->height()).arg(window.height())));
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        // The dialect line shows whole or not at all; the dialect box's tip says it then.
        if (label->objectName() == QStringLiteral("dialectLine")) {
            if (!cutPart(label).isEmpty()) {
                const QImage shown = const_cast<QLabel*>(label)->grab().toImage();
                for (int x = 0; x < shown.width(); ++x)
                    QCOMPARE(shown.pixel(x, shown.height() / 2), shown.pixel(0, 0));
                QVERIFY(window.findChild<QComboBox*>()->toolTip().contains(
                    QStringLiteral("olarak okundu")));
            }
            continue;
        }
        const QString cut = cutPart(label);
        QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("cut: ") + cut));
    }
    // Each warning's row holds its text wrapped to the panel's width.
    const QTreeWidget* tree = window.warningPanel()->tree();
    QVERIFY(window.warningPanel()->isVisible());
    // The style keeps this much free on either side of an item's text.
    const int margin = tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        for (int k = 0; k < tree->topLevelItem(i)->childCount(); ++k) {
            const QTreeWidgetItem* item = tree->topLevelItem(i)->child(k);
            const QRect row = tree->visualItemRect(item);
            const QRect needed = tree->fontMetrics().boundingRect(
                QRect(0, 0, row.width() - 2 * margin, 10000), Qt::TextWordWrap, item->text(0));
            QVERIFY2(row.height() >= needed.height(), qPrintable(QStringLiteral("%1: %2 < %3")
                                                                     .arg(item->text(0))
                                                                     .arg(row.height())
                                                                     .arg(needed.height())));
        }
    }
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"

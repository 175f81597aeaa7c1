// The viewer as a desktop program, on a real X display at the scale of the run: opening
// other programs (the dialog, a drop, the recent files), Qt's own texts in Turkish, every
// warning in one panel, a fit that holds the workpiece, the damage of a gouge, and a
// window that fits the screen and keeps its place.

#include <QApplication>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QWheelEvent>
#include <functional>
#include <memory>

#include "common/qt_translation.h"
#include "cycles/cycles.h"
#include "output/press.h"
#include "support/program_lines.h"
#include "viewer/main_window.h"
#include "viewer/open_commands.h"
#include "viewer/plot_painter.h"
#include "viewer/plot_widget.h"
#include "viewer/program_follower.h"
#include "viewer/program_list_view.h"
#include "viewer/warning_panel.h"
#include "viewer/window_place.h"
#include "viewer/workpiece_layer.h"
#include "zivek/workpiece/workpiece_cut.h"

using namespace zivek::backplot;

namespace {

// The wizard's five operations, in the order of the main menu's pictures.
enum class Operation { ExternalDiameter, InternalDiameter, Facing, ExternalTaper, InternalTaper };
constexpr Operation allOperations[] = {Operation::ExternalDiameter, Operation::InternalDiameter,
                                       Operation::Facing, Operation::ExternalTaper,
                                       Operation::InternalTaper};
const zivek::Cycle& cycleOf(Operation operation) {
    const zivek::Cycle* cycles[] = {&zivek::externalDiameterCycle(),
                                    &zivek::internalDiameterCycle(), &zivek::facingCycle(),
                                    &zivek::externalTaperCycle(), &zivek::internalTaperCycle()};
    return *cycles[int(operation)];
}
bool isStraight(Operation operation) {
    return operation < Operation::ExternalTaper;
}

// What the press hands to the viewer: the program and its workpiece.
struct HandOver final : zivek::ViewerLauncher {
    std::string workpiece;
    void start(const std::filesystem::path&, const std::filesystem::path&,
               const zivek::Workpiece& handed) override {
        workpiece = zivek::workpieceText(handed);
    }
};

struct WizardProgram {
    QByteArray text;
    zivek::Workpiece workpiece;
};

WizardProgram wizardProgram(Operation operation) {
    QTemporaryDir folder;
    HandOver viewer;
    const auto result = zivek::press(
        cycleOf(operation),
        isStraight(operation) ? zivek::testing::straightDefaults : zivek::testing::taperDefaults,
        zivek::OutputPlace{folder.path().toStdString()}, viewer);
    return {QByteArray::fromStdString(result.programText),
            zivek::readWorkpiece(viewer.workpiece).value()};
}

// Answers the next modal dialog with `answer` once it is open, and runs `action`, which
// opens it. Returns whether a dialog came.
bool answerNextDialog(const std::function<void()>& action,
                      const std::function<void(QDialog*)>& answer) {
    auto came = std::make_shared<bool>(false);
    QTimer::singleShot(0, [came, answer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        *came = true;
        answer(dialog);
    });
    action();
    return *came;
}

QString statusText(const MainWindow& window) {
    QStringList texts;
    for (const QLabel* l : window.statusBar()->findChildren<QLabel*>()) texts << l->text();
    return texts.join(u'|');
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QStandardPaths::setTestModeEnabled(true);  // the settings of the test, not the user's
        QSettings(QStringLiteral("zivek"), QStringLiteral("zivek-backplot")).clear();
        QVERIFY(zivek::app::installQtTranslation());
    }
    void opensAnotherProgramEveryWay();
    void refusedFilesKeepTheProgramShown_data();
    void refusedFilesKeepTheProgramShown();
    void recentFilesKeepTheLastEight();
    void dialogsSpeakTurkish();
    void warningPanelHoldsTheWorkpieceWarnings();
    void fitHoldsPathWorkpieceAndInsert_data();
    void fitHoldsPathWorkpieceAndInsert();
    void gougeIsCutOutOfThePartAndDrawnRed();
    void windowFitsTheScreenAndKeepsItsPlace();

  private:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(dir_.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return QFileInfo(f.fileName()).absoluteFilePath();
    }
    QTemporaryDir dir_;
};

void DesktopTest::opensAnotherProgramEveryWay() {
    const QString first = write("ilk.nc", "G0X0Z0\nG1 W-10 F100\n");
    const QString chosen = write("secilen.nc", "G0X0Z0\nG1 U-2 F100\nW-5\n");
    const QString dropped = write("birakilan.nc", "G0X0Z0\nG1 U-2 F100\nW-5\nU2\n");
    MainWindow window;
    window.setWorkpiece(wizardProgram(Operation::ExternalDiameter).workpiece);
    window.openFile(first);
    QVERIFY(!window.workpieceLayer().empty());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(window.follower()->path(), first);

    // Ctrl+O, through the dialog.
    QVERIFY(answerNextDialog([&] { QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier); },
                             [&](QDialog* dialog) {
                                 auto* files = qobject_cast<QFileDialog*>(dialog);
                                 QVERIFY(files != nullptr);
                                 // Typed, as a user does: selectFile() races the
                                 // dialog's folder listing.
                                 files->findChild<QLineEdit*>()->setText(chosen);
                                 dialog->accept();
                             }));
    QCOMPARE(window.lines()->model()->rowCount(), 3);
    QVERIFY(window.windowTitle().contains(QStringLiteral("secilen.nc")));
    QCOMPARE(window.follower()->path(), chosen);
    // The wizard's workpiece was the first program's, not this one's: this one is cut
    // from a bar of its own.
    QVERIFY(window.stockInUse().has_value());

    // A file dropped on the window; a drop of two files is not taken.
    const auto drop = [&](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = window.lines()->mapTo(&window, QPoint(10, 10));
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &event);
        return event.isAccepted();
    };
    QVERIFY(!drop({QUrl::fromLocalFile(first), QUrl::fromLocalFile(dropped)}));
    QCOMPARE(window.lines()->model()->rowCount(), 3);
    QVERIFY(drop({QUrl::fromLocalFile(dropped)}));
    QCOMPARE(window.lines()->model()->rowCount(), 4);
    QCOMPARE(window.follower()->path(), dropped);

    // The follower now watches the new file only.
    write("birakilan.nc", "G0X0Z0\nG1 U-2 F100\nW-5\nU2\nW5\n");
    QTRY_COMPARE(window.lines()->model()->rowCount(), 5);
    write("ilk.nc", "G0X0Z0\n");
    QTest::qWait(600);
    QCOMPARE(window.lines()->model()->rowCount(), 5);

    // The recent files, newest first; choosing one opens it.
    QMenu* recent = window.openCommands()->recentMenu();
    emit recent->aboutToShow();
    QStringList names;
    for (QAction* a : recent->actions()) names << a->text();
    QCOMPARE(names.mid(0, 3),
             QStringList({QStringLiteral("&1  birakilan.nc"), QStringLiteral("&2  secilen.nc"),
                          QStringLiteral("&3  ilk.nc")}));
    recent->actions().at(2)->trigger();
    QCOMPARE(window.follower()->path(), first);
    QCOMPARE(window.lines()->model()->rowCount(), 1);
}

void DesktopTest::refusedFilesKeepTheProgramShown_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << dir_.filePath("yok.nc") << "Dosya okunamadı";
    QTest::newRow("empty") << write("bos.nc", "") << "Dosya boş";
    QTest::newRow("binary") << write("ikili.nc", QByteArray("\x7F"
                                                            "ELF\0\0\1\2",
                                                            8))
                            << "Dosya metin değil";
}

void DesktopTest::refusedFilesKeepTheProgramShown() {
    QFETCH(QString, path);
    QFETCH(QString, message);
    const QString shown = write("gosterilen.nc", "G0X0Z0\nG1 W-10 F100\n");
    MainWindow window;
    window.openFile(shown);
    const QString title = window.windowTitle();
    const auto seen = std::make_shared<QStringList>();
    const bool came = answerNextDialog([&] { QVERIFY(!window.openOther(path)); },
                                       [seen](QDialog* dialog) {
                                           auto* box = qobject_cast<QMessageBox*>(dialog);
                                           if (box == nullptr) return;
                                           *seen << box->text();
                                           *seen << box->button(QMessageBox::Ok)->text();
                                           box->button(QMessageBox::Ok)->click();
                                       });
    QVERIFY(came);
    QCOMPARE(seen->size(), 2);
    QVERIFY2(seen->at(0).startsWith(message), qPrintable(seen->at(0)));
    QVERIFY(seen->at(0).contains(path));
    QCOMPARE(seen->at(1), QStringLiteral("Tamam"));
    QVERIFY(window.message().isEmpty());
    QCOMPARE(window.lines()->model()->rowCount(), 2);
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(window.follower()->path(), shown);
}

void DesktopTest::recentFilesKeepTheLastEight() {
    MainWindow window;
    for (int i = 0; i < 10; ++i)
        QVERIFY(window.openOther(write(QStringLiteral("p%1.nc").arg(i), "G0X0Z0\n")));
    window.openOther(write("p3.nc", "G0X0Z0\n"));  // opened again: first, once
    QMenu* recent = window.openCommands()->recentMenu();
    emit recent->aboutToShow();
    QStringList names;
    for (QAction* a : recent->actions()) names << a->text().mid(4);
    QCOMPARE(names,
             QStringList({"p3.nc", "p9.nc", "p8.nc", "p7.nc", "p6.nc", "p5.nc", "p4.nc", "p2.nc"}));
    // Remembered for the next start.
    MainWindow again;
    QMenu* next = again.openCommands()->recentMenu();
    emit next->aboutToShow();
    QCOMPARE(next->actions().size(), 8);
    QCOMPARE(next->actions().at(0)->text(), QStringLiteral("&1  p3.nc"));
}

// The save and open dialogs, as Qt draws them, in Turkish, as the message box's "Tamam".
void DesktopTest::dialogsSpeakTurkish() {
    MainWindow window;
    window.openFile(write("kayit.nc", "G0X0Z0\n"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QPushButton* saveAs = nullptr;
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Farklı kaydet…")) saveAs = b;
    QVERIFY(saveAs != nullptr);
    for (const auto& [open, accept] :
         {std::pair{saveAs, QStringLiteral("Kaydet")},
          std::pair{static_cast<QPushButton*>(nullptr), QStringLiteral("Aç")}}) {
        auto texts = std::make_shared<QStringList>();
        QVERIFY(answerNextDialog(
            [&, button = open] {
                if (button != nullptr)
                    button->click();
                else
                    window.openCommands()->openAction()->trigger();
            },
            [texts](QDialog* dialog) {
                auto* buttons = dialog->findChild<QDialogButtonBox*>();
                // Without the & of the shortcut keys.
                for (QAbstractButton* b : buttons->buttons()) *texts << b->text().remove(u'&');
                for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
                    *texts << dialog->findChild<QLabel*>(name)->text().remove(u'&');
                // Within the screen, whatever its scale: "İptal" must be in reach.
                if (!QGuiApplication::primaryScreen()->availableGeometry().contains(
                        dialog->frameGeometry()))
                    *texts << QStringLiteral("off the screen");
                dialog->reject();
            }));
        QVERIFY2(texts->contains(accept), qPrintable(texts->join(u'|')));
        QVERIFY2(texts->contains(QStringLiteral("İptal")), qPrintable(texts->join(u'|')));
        for (const char* english :
             {"Cancel", "Look in:", "File name:", "Files of type:", "off the screen"})
            QVERIFY2(!texts->contains(QString::fromLatin1(english)), qPrintable(texts->join(u'|')));
    }
}

namespace {

// The default external diameter program with its first rapid into the shoulder, an
// unknown word on its second pass, and its finishing pass too deep.
QByteArray gougingProgram() {
    QList<QByteArray> lines = wizardProgram(Operation::ExternalDiameter).text.split('\n');
    lines[5] = "G0U-1W-1\r";
    lines[7] = "G0U1W61\r";
    lines[8] = "G0U-2Q5\r";
    lines[38] = "G0U-12.5\r";
    lines[40] = "U12.5F55.5\r";
    return lines.join('\n');
}

}  // namespace

void DesktopTest::warningPanelHoldsTheWorkpieceWarnings() {
    MainWindow window;
    window.setWorkpiece(wizardProgram(Operation::ExternalDiameter).workpiece);
    window.openFile(write("derin.nc", gougingProgram()));
    QVERIFY(window.warningPanel()->isVisibleTo(&window));
    const QTreeWidget* tree = window.warningPanel()->tree();
    QStringList groups;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) groups << tree->topLevelItem(i)->text(0);
    // The workpiece's kinds first, then the reader's.
    QCOMPARE(groups, QStringList({"Malzemeye hızlı giriş (1)", "Parçaya hızlı giriş (1)",
                                  "Parçaya giren ilerleme (3)", "Kesilmemiş malzeme (1)",
                                  "Bilinmeyen sözcük (1)"}));
    QStringList first;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        first << tree->topLevelItem(i)->child(0)->text(0);
    QCOMPARE(first, QStringList({"Satır 6: Hızlı hareket kesilmemiş malzemeye giriyor",
                                 "Satır 8: Hızlı hareket parçaya giriyor",
                                 "Satır 7: İlerleme parçaya giriyor",
                                 "Satır 42: kesilmemiş malzeme: Z -58.999 … 0, X -11.499 … -11",
                                 "Satır 9: Bilinmeyen sözcük: Q5"}));
    // One previous/next for all, in the order of the lines, round at the ends.
    for (const int expected : {5, 6, 7, 8, 39, 40, 41, 5}) {
        window.stepWarning(+1);
        QCOMPARE(window.lines()->currentIndex().row(), expected);
    }
    window.stepWarning(-1);
    QCOMPARE(window.lines()->currentIndex().row(), 41);
    // Choosing an entry selects its line.
    window.warningPanel()->tree()->setCurrentItem(tree->topLevelItem(2)->child(0));
    QCOMPARE(window.lines()->currentIndex().row(), 6);
}

void DesktopTest::fitHoldsPathWorkpieceAndInsert_data() {
    QTest::addColumn<int>("operation");
    const char* names[] = {"external diameter", "internal diameter", "facing", "external taper",
                           "internal taper"};
    for (const Operation o : allOperations) QTest::newRow(names[int(o)]) << int(o);
}

void DesktopTest::fitHoldsPathWorkpieceAndInsert() {
    QFETCH(int, operation);
    const WizardProgram wizard = wizardProgram(Operation(operation));
    MainWindow window;
    window.setWorkpiece(wizard.workpiece);
    window.openFile(write("sihirbaz.nc", wizard.text));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PlotWidget* plot = window.plot();
    const Toolpath path = interpret(wizard.text.toStdString());
    const auto everyMarkInside = [&] {
        const Viewport& view = plot->viewport();
        // The plot's area less a little air: nothing of the workpiece touches its edge.
        const QRectF inside = plotArea(view).adjusted(4, 4, -4, -4);
        QStringList outside;
        const auto check = [&](zivek::backplot::Point p, const char* what) {
            const ScreenPoint s = view.toScreen(p);
            if (!inside.contains(QPointF(s.x, s.y)))
                outside << QStringLiteral("%1 Z%2 X%3").arg(what).arg(p.z).arg(p.x);
        };
        for (const auto& outline : wizard.workpiece.material)
            for (const auto& c : outline) check({c.z, c.x}, "material");
        for (const auto& outline : wizard.workpiece.part)
            for (const auto& c : outline) check({c.z, c.x}, "part");
        // The insert wherever the tool stands.
        for (const Move& m : path.moves)
            for (const auto& c : wizard.workpiece.insert)
                check({m.to.z + c.z, m.to.x + c.x}, "insert");
        return outside.join(u'\n');
    };
    QCOMPARE(everyMarkInside(), QString());
    // "Sığdır" after zooming in comes back to the same view, which holds everything.
    const Viewport fitted = plot->viewport();
    const QPointF at(plot->width() / 2.0, plot->height() / 2.0);
    QWheelEvent wheel(at, plot->mapToGlobal(at), {}, QPoint(0, 480), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &wheel);
    QVERIFY(!(plot->viewport() == fitted));
    QPushButton* fit = nullptr;
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Sığdır")) fit = b;
    QVERIFY(fit != nullptr);
    fit->click();
    QVERIFY(plot->viewport() == fitted);
    QCOMPARE(everyMarkInside(), QString());
}

void DesktopTest::gougeIsCutOutOfThePartAndDrawnRed() {
    MainWindow window;
    window.setWorkpiece(wizardProgram(Operation::ExternalDiameter).workpiece);
    window.openFile(write("oyuk.nc", gougingProgram()));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const WorkpieceLayer& layer = window.workpieceLayer();
    const auto damage = layer.damageShown();
    QVERIFY(!damage.empty());
    const auto area = [](const std::vector<ConvexRegion>& pieces) {
        double sum = 0;
        for (const ConvexRegion& r : pieces)
            for (std::size_t i = 0; i < r.corners.size(); ++i) {
                const auto& a = r.corners[i];
                const auto& b = r.corners[(i + 1) % r.corners.size()];
                sum += (a.z * b.x - b.z * a.x) / 2;
            }
        return sum;
    };
    // The damage has gone from the part: what is left and what is red make the part.
    const double whole = area(window.workpieceCut()->part());
    QVERIFY(area(damage) > 0.5);
    QVERIFY(area(layer.partShown()) < whole - 0.5);
    QVERIFY(area(layer.partShown()) + area(damage) >= whole - 1e-9 * whole);
    QVERIFY2(statusText(window).contains(QStringLiteral("İş parçası uyarısı: 6")),
             qPrintable(statusText(window)));
    // In the middle of the damage the plot is red, not the part's grey.
    const ConvexRegion& worst = *std::max_element(
        damage.begin(), damage.end(), [](const ConvexRegion& a, const ConvexRegion& b) {
            return (a.high.z - a.low.z) * (a.high.x - a.low.x) <
                   (b.high.z - b.low.z) * (b.high.x - b.low.x);
        });
    const ScreenPoint middle = window.plot()->viewport().toScreen(
        {(worst.low.z + worst.high.z) / 2, (worst.low.x + worst.high.x) / 2});
    const QImage image = window.plot()->grab().toImage();
    const QColor seen =
        image.pixelColor(QPointF(middle.x, middle.y).toPoint() * image.devicePixelRatio());
    QVERIFY2(seen.red() > seen.green() + 60 && seen.red() > seen.blue() + 60,
             qPrintable(seen.name()));
    // Before the gouge the part is whole.
    window.lines()->setCurrentIndex(window.lines()->model()->index(4, 0));  // before line 6
    QVERIFY(layer.damageShown().empty());
    QCOMPARE(area(layer.partShown()), whole);
}

void DesktopTest::windowFitsTheScreenAndKeepsItsPlace() {
    QSettings(QStringLiteral("zivek"), QStringLiteral("zivek-backplot")).remove("window");
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QSize size;
    {
        MainWindow window;
        window.openFile(write("yer.nc", "G0X0Z0\nG1 W-10 F100\n"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY2(available.contains(window.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                .arg(window.frameGeometry().x())
                                .arg(window.frameGeometry().y())
                                .arg(window.frameGeometry().width())
                                .arg(window.frameGeometry().height())
                                .arg(available.width())
                                .arg(available.height())));
        // Nothing inside asks for more room than the screen has, even with all there is
        // to show: the workpiece's steps, the warning panel, every total.
        window.setWorkpiece(wizardProgram(Operation::ExternalDiameter).workpiece);
        window.openFile(write("dolu.nc", gougingProgram()));
        QTest::qWait(100);
        QVERIFY(window.minimumSize().width() <= available.width());
        QVERIFY(window.minimumSize().height() <= available.height());
        QVERIFY(available.contains(window.frameGeometry()));
        for (const QLabel* l : window.statusBar()->findChildren<QLabel*>())
            QVERIFY2(l->text().isEmpty() || l->width() >= l->sizeHint().width(),
                     qPrintable(l->text()));
        window.setGeometry(QRect(available.topLeft() + QPoint(20, 30), available.size() * 3 / 4));
        QTest::qWait(100);
        size = window.size();  // no smaller than the window can be
        window.close();
    }
    const auto placeOfNext = [] {
        MainWindow window;
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return QRect();
        return window.geometry();
    };
    const QRect kept = placeOfNext();
    QCOMPARE(kept.size(), size);
    QCOMPARE(kept.topLeft(), QPoint(available.x() + 20, available.y() + 30));
    // Kept partly off the screen, and larger than it: moved and shrunk into it.
    QSettings(QStringLiteral("zivek"), QStringLiteral("zivek-backplot"))
        .setValue("window/inside", QRect(available.right() - 100, available.bottom() - 50,
                                         available.width() * 2, available.height() + 300));
    const QRect clamped = placeOfNext();
    QVERIFY2(available.contains(clamped), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                         .arg(clamped.x())
                                                         .arg(clamped.y())
                                                         .arg(clamped.width())
                                                         .arg(clamped.height())));
}

int main(int argc, char* argv[]) {
    // Qt's own file dialogs, which the test can answer, on Windows too.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "desktop_test.moc"

// "G KOD" at the window: the worked examples typed into the boxes, refusals and a
// file that cannot be written. Files go to a temporary folder; no viewer starts.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "common/qt_translation.h"
#include "output/control_names.h"
#include "output_box/output_box.h"
#include "support/held_file.h"
#include "support/memory_disk.h"
#include "support/press_disk_steps.h"
#include "test_support.h"
#include "windows/operation_window.h"

using Typed = QList<QPair<QString, QString>>;  // box name, text typed into it

namespace control = zivek::control;

namespace {

QStringList lines(const char* commaSeparated) {
    return QString(commaSeparated).split(", ");
}

// The internal diameter program of the defaults, line by line.
QStringList internalDiameterDefaults() {
    QStringList program{"M08", "M03", "S6", "G54", "G0X0Y0"};
    for (int depth = 1; depth <= 11; ++depth)
        program << QString("G0U%1").arg(depth) << "G1W-60F111" << QString("G0U-%1W60").arg(depth);
    program << "G0U12"
            << "G1W-60F111"
            << "U-12F55.5"
            << "G0W60"
            << "M05"
            << "M30"
            << "%";
    return program;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class GenerateTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home_;
    std::unique_ptr<zivek::testing::RecordingViewer> viewer_;

    QString programPath() const { return home_->filePath("ALANTEMIZLEME.TXT"); }
    QString batchPath() const { return home_->filePath("A.BAT"); }

    std::unique_ptr<zivek::windows::OperationWindow> open(const QString& name) {
        auto w = std::make_unique<zivek::windows::OperationWindow>(
            zivek::testing::definitionNamed(name),
            zivek::windows::Surroundings{{home_->path().toStdString()}, viewer_.get()});
        w->open();
        return w;
    }

    static void type(QWidget* window, const Typed& typed) {
        for (const auto& [box, text] : typed) {
            auto* edit = window->findChild<QLineEdit*>(box);
            QVERIFY2(edit, qPrintable(box));
            edit->selectAll();
            QTest::keyClicks(edit, text);
            if (text.isEmpty()) edit->del();
            QCOMPARE(edit->text(), text);
        }
    }

    static void pressKod(QWidget* window) {
        QTest::mouseClick(window->findChild<QPushButton*>("KOD"), Qt::LeftButton);
    }

    static zivek::windows::OutputBox* text1(QWidget* window) {
        return window->findChild<zivek::windows::OutputBox*>(control::Text1);
    }

  private slots:
    // Qt's own texts read Turkish, as in the program.
    void initTestCase() { QVERIFY(zivek::app::installQtTranslation()); }

    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        QVERIFY(home_->isValid());
        viewer_ = std::make_unique<zivek::testing::RecordingViewer>();
    }

    void workedExamples_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<Typed>("typed");
        QTest::addColumn<QStringList>("program");

        QTest::newRow("Form4 defaults") << "Form4" << Typed{} << internalDiameterDefaults();
        const Typed small{{control::Text3, "2"},
                          {control::Text2, "25.1234"},
                          {control::Text4, "0.75"},
                          {control::Text5, "80"}};
        QTest::newRow("Form11 small values")
            << "Form11" << small
            << lines(
                   "M08, M03, S6, G54, G0X0Y0, G0U-.75, G1W-25.123F80, G0U.75W25.123, "
                   "G0U-1.5, G1W-25.123F80, G0U1.5W25.123, G0U-2, G1W-25.123F80, U2F40, "
                   "G0W25.123, M05, M30, %");
        QTest::newRow("Form4 small values")
            << "Form4" << small
            << lines(
                   "M08, M03, S6, G54, G0X0Y0, G0U.75, G1W-25.123F80, G0U-.75W25.123, "
                   "G0U1.5, G1W-25.123F80, G0U-1.5W25.123, G0U2, G1W-25.123F80, U-2F40, "
                   "G0W25.123, M05, M30, %");
        QTest::newRow("Form2 small values")
            << "Form2" << small
            << lines(
                   "M08, M03, S6, G54, G0X0Y0, G0W-.75, G1U-25.123F80, G0W.75U25.123, "
                   "G0W-1.5, G1U-25.123F80, G0W1.5U25.123, G0W-2, G1U-25.123F80, W2F40, "
                   "G0U25.123, M05, M30, %");
        QTest::newRow("Form3 plunge 10")
            << "Form3" << Typed{{control::Text4, "10"}}
            << lines(
                   "M08, M03, S6, G54, G0X0Y0, G0U-10, G1U10W-12F111, G0X0Z0, G0U-20, "
                   "G1U20W-24F111, G0X0Z0, G0U-25, G1U25W-30F111, G0X0Z0, M05, M30, %");
        QTest::newRow("Form5 plunge 5")
            << "Form5" << Typed{{control::Text4, "5"}}
            << lines(
                   "M08, M03, S6, G54, G0X0Y0, G0U5, G1U-5W-6F111, G0X0Z0, G0U10, "
                   "G1U-10W-12F111, G0X0Z0, G0U15, G1U-15W-18F111, G0X0Z0, G0U20, "
                   "G1U-20W-24F111, G0X0Z0, G0U25, G1U-25W-30F111, G0X0Z0, G0U25, "
                   "G1U-25W-30F111, G0X0Z0, M05, M30, %");
        // The shared boxes: coolant off, spindle reversed, a speed with decimals.
        QTest::newRow("Form2 shared boxes")
            << "Form2"
            << Typed{{control::Text4, "12"},
                     {control::Text14, "0"},
                     {control::Text12, "1"},
                     {control::Text13, "6.5"}}
            << lines(
                   "M09, M04, S6.5, G54, G0X0Y0, G0W-12, G1U-60F111, G0W12U60, G0W-12, "
                   "G1U-60F111, W12F55.5, G0U60, M05, M30, %");
    }

    void workedExamples() {
        QFETCH(QString, window);
        QFETCH(Typed, typed);
        QFETCH(QStringList, program);
        auto w = open(window);
        type(w.get(), typed);
        text1(w.get())->setPlainText("ELLE YAZILMIŞ");  // lost at a successful press
        pressKod(w.get());

        QCOMPARE(text1(w.get())->toPlainText(), program.join('\n') + '\n');
        QCOMPARE(readAll(programPath()), (program.join("\r\n") + "\r\n\r\n").toLatin1());
        QCOMPARE(viewer_->starts.size(), std::size_t{1});
        // One separator throughout, whichever the platform joins the folder and name with.
        const auto qpath = [](const std::filesystem::path& path) {
            return QDir::fromNativeSeparators(QString::fromStdU16String(path.u16string()));
        };
        QCOMPARE(qpath(viewer_->starts.front().second), programPath());
        QCOMPARE(qpath(viewer_->starts.front().first), batchPath());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // Form11 opens with the focus on "G KOD": Enter at once writes the defaults.
    void enterOnTheFocusedButtonPresses() {
        auto w = open("Form11");
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("KOD"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(text1(w.get())->toPlainText().startsWith("M08\nM03\nS6\nG54\nG0X0Y0\nG0U-1\n"));
        QCOMPARE(viewer_->starts.size(), std::size_t{1});
    }

    // A text box's own context menu speaks Turkish too.
    void textBoxMenuIsTurkish() {
        auto w = open("Form11");
        auto* box = w->findChild<QLineEdit*>("Text3");
        std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
        QStringList texts;
        for (QAction* action : menu->actions())
            if (!action->isSeparator()) texts << action->text().section('\t', 0, 0);
        QCOMPARE(texts, (QStringList{"&Geri al", "&Yinele", "Ke&s", "&Kopyala", "Ya&pıştır", "Sil",
                                     "Tümünü Seç"}));
    }

    // A Turkish hand writes the decimal comma: every box reads it as the point, and the
    // program, written with points, is the same as for the values typed with points.
    void decimalCommaReadsAsThePoint_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<Typed>("typed");
        QTest::newRow("Form11 depth 12,5") << "Form11" << Typed{{"Text3", "12,5"}};
        QTest::newRow("Form4 every box")
            << "Form4"
            << Typed{{"Text3", "2,5"}, {"Text2", "25,1234"}, {"Text4", ",75"}, {"Text5", "80,5"}};
        QTest::newRow("Form3 diameters and speed")
            << "Form3" << Typed{{"Text3", "100,5"}, {"Text6", "50,25"}, {"Text13", "6,5"}};
        QTest::newRow("Form2 exponent") << "Form2" << Typed{{"Text4", "1,5E0"}};
    }

    void decimalCommaReadsAsThePoint() {
        QFETCH(QString, window);
        QFETCH(Typed, typed);
        const auto programOf = [&](const Typed& boxes) {
            auto w = open(window);
            type(w.get(), boxes);
            pressKod(w.get());
            return text1(w.get())->toPlainText();
        };
        Typed withPoints = typed;
        for (auto& entry : withPoints) entry.second.replace(',', '.');

        const QString program = programOf(typed);
        QVERIFY(program.startsWith("M08\nM03\n"));
        QVERIFY(!program.contains(','));
        QCOMPARE(program, programOf(withPoints));
        if (window == "Form3") QVERIFY(program.contains("\nS6.5\n"));
        if (window == "Form11") QVERIFY(program.contains("G1W-60F111\nU12.5F55.5\n"));
    }

    // A refusal shows its message and changes nothing: not the boxes, not Text1,
    // not the files, and no viewer starts.
    void refusals_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<Typed>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("Form4 depth 0")
            << "Form4" << Typed{{control::Text3, "0"}} << "TORNALAMA DERİNLİĞİ 0 OLAMAZ";
        QTest::newRow("Form11 plunge = depth") << "Form11" << Typed{{control::Text4, "12"}}
                                               << "DALMA MİKTARI TORNALAMA DERİNLİĞİNE EŞİT OLAMAZ";
        QTest::newRow("Form2 length negative")
            << "Form2" << Typed{{control::Text2, "-5"}} << "TORNALAMA BOYU EKSİ DEĞERLİ OLAMAZ";
        QTest::newRow("Form3 plunge 26")
            << "Form3" << Typed{{control::Text4, "26"}} << "DALMA MİKTARI ÇOK BÜYÜK !";
        QTest::newRow("Form5 diameters swapped")
            << "Form5" << Typed{{control::Text3, "50"}, {control::Text6, "100"}}
            << "KÜÇÜK ÇAP BÜYÜK ÇAPTAN BÜYÜK OLAMAZ";
        QTest::newRow("Form4 coolant 2") << "Form4" << Typed{{control::Text14, "2"}}
                                         << "SU KOMUTU 0 VEYA 1 OLMALIDIR. 1=M08 , 0=M09";
        QTest::newRow("Form11 spindle 3") << "Form11" << Typed{{control::Text12, "3"}}
                                          << "İŞ MİLİ KOMUTU 0 VEYA 1 OLMALIDIR. 0=M03 , 1=M04";
        QTest::newRow("Form5 speed empty") << "Form5" << Typed{{control::Text13, ""}}
                                           << "İŞ MİLİ DEVİRİ 5 İLE 100 ARASINDA OLMALIDIR";
    }

    void refusals() {
        QFETCH(QString, window);
        QFETCH(Typed, typed);
        QFETCH(QString, message);
        const QByteArray earlier = "M30\r\n";
        writeFile(programPath(), earlier);
        auto w = open(window);
        type(w.get(), typed);
        text1(w.get())->setPlainText("ELLE YAZILMIŞ");

        const auto seen = zivek::testing::closeNextMessageBox([&] { pressKod(w.get()); });

        QVERIFY(seen.shown);
        QCOMPARE(seen.title, QString("ZIVEK_TORNA"));
        QCOMPARE(seen.text, message);
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttonCount, 1);
        QCOMPARE(seen.buttonText, QString("Tamam"));
        QCOMPARE(seen.modality, Qt::ApplicationModal);

        QVERIFY(w->isVisible());
        QCOMPARE(text1(w.get())->toPlainText(), QString("ELLE YAZILMIŞ"));
        QCOMPARE(readAll(programPath()), earlier);
        QVERIFY(!QFile::exists(batchPath()));
        QVERIFY(viewer_->starts.empty());
        for (const auto& [box, text] : typed) QCOMPARE(w->findChild<QLineEdit*>(box)->text(), text);
    }

    // A fault at each file operation of a press in turn: the window names the file and
    // keeps what the user sees in Text1 until the press has emptied it.
    void faultAtEachFileOperation_data() {
        QTest::addColumn<int>("operation");
        for (std::size_t at = 0; at < zivek::testing::pressDiskSteps.size(); ++at)
            QTest::addRow("operation %d", int(at)) << int(at);
    }

    void faultAtEachFileOperation() {
        QFETCH(int, operation);
        const auto& expected = zivek::testing::pressDiskSteps[std::size_t(operation)];
        const zivek::OutputPlace place{"home"};
        const std::filesystem::path faulty =
            expected.file == zivek::testing::Which::Output ? place.outputFile() : place.batchFile();
        zivek::testing::MemoryDisk disk;
        auto w = std::make_unique<zivek::windows::OperationWindow>(
            zivek::testing::definitionNamed("Form4"),
            zivek::windows::Surroundings{place, viewer_.get(), &disk});
        w->open();
        text1(w.get())->setPlainText("ELLE YAZILMIŞ");
        disk.failAt(std::size_t(operation));

        const auto seen = zivek::testing::closeNextMessageBox([&] { pressKod(w.get()); });

        QVERIFY(seen.shown);
        QCOMPARE(seen.text, "DOSYA YAZILAMADI: " + QString::fromStdString(faulty.string()));
        QCOMPARE(text1(w.get())->toPlainText(),
                 expected.boxCleared ? QString() : QString("ELLE YAZILMIŞ"));
        QVERIFY(viewer_->starts.empty());
        QVERIFY(w->isVisible());
    }

    // Real faults in the home folder: the press names the file, starts no viewer and
    // leaves the window working; once the fault is gone the next press writes.
    void fileFault_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("faultyFile");
        QTest::newRow("folder at the program file") << "folder"
                                                    << "ALANTEMIZLEME.TXT";
        QTest::newRow("folder at the batch file") << "folder"
                                                  << "A.BAT";
#ifdef Q_OS_WIN
        QTest::newRow("batch file held by another program") << "held"
                                                            << "A.BAT";
#else
        QTest::newRow("batch file on a full disk") << "full disk"
                                                   << "A.BAT";
#endif
        QTest::newRow("home that does not exist") << "no home"
                                                  << "ALANTEMIZLEME.TXT";
    }

    void fileFault() {
        QFETCH(QString, fault);
        QFETCH(QString, faultyFile);
        const QString faulty = home_->filePath(faultyFile);
        if (fault == "folder") QVERIFY(QDir(home_->path()).mkdir(faultyFile));
        if (fault == "full disk") QVERIFY(QFile::link("/dev/full", faulty));
        std::shared_ptr<void> held;  // what the fault keeps open while the press runs
#ifdef Q_OS_WIN
        if (fault == "held")
            held = std::make_shared<zivek::testing::HeldFile>(faulty.toStdU16String());
#endif
        if (fault == "no home") QVERIFY(QDir(home_->path()).removeRecursively());
        auto w = open("Form11");
        text1(w.get())->setPlainText("ELLE YAZILMIŞ");

        const auto seen = zivek::testing::closeNextMessageBox([&] { pressKod(w.get()); });

        QVERIFY(seen.shown);
        QCOMPARE(seen.title, QString("ZIVEK_TORNA"));
        QCOMPARE(seen.text, "DOSYA YAZILAMADI: " + QDir::toNativeSeparators(faulty));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttonCount, 1);
        QVERIFY(viewer_->starts.empty());
        QVERIFY(w->isVisible());
        QCOMPARE(text1(w.get())->toPlainText(), QString("ELLE YAZILMIŞ"));

        if (fault == "folder") QVERIFY(QDir(home_->path()).rmdir(faultyFile));
        if (fault == "full disk") QVERIFY(QFile::remove(faulty));
        if (fault == "held") {
            held.reset();
            QVERIFY(QFile::remove(faulty));
        }
        if (fault == "no home") QVERIFY(QDir().mkpath(home_->path()));
        pressKod(w.get());
        QVERIFY(text1(w.get())->toPlainText().startsWith("M08\nM03\nS6\nG54\nG0X0Y0\n"));
        QVERIFY(readAll(programPath()).endsWith("M05\r\nM30\r\n%\r\n\r\n"));
        QCOMPARE(viewer_->starts.size(), std::size_t{1});
    }
};

QTEST_MAIN(GenerateTest)
#include "tst_generate.moc"

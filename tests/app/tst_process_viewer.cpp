// The viewer launch of the application: a stand-in program where the viewer is
// expected records what it was started with.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>

#ifdef Q_OS_LINUX
#include <signal.h>
#endif

#include "app/process_viewer.h"

namespace {

// Where the launch looks for the viewer, beside the program or in the folder it is given.
#ifdef Q_OS_WIN
const QString kViewerName = QStringLiteral("zivek-backplot.exe");
#else
const QString kViewerName = QStringLiteral("zivek-backplot");
#endif

std::filesystem::path stdPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

QStringList recordedArguments(const QDir& folder) {
    QFile record(folder.filePath("arguments.txt"));
    if (!record.open(QIODevice::ReadOnly)) return {};
    QStringList arguments = QString::fromUtf8(record.readAll()).split('\n');
    arguments.removeLast();  // after the last line end
    return arguments;
}

#ifdef Q_OS_LINUX
// The processes whose last argument is the program file: the viewers showing it.
QList<qint64> viewersOf(const QString& program) {
    QList<qint64> found;
    const QByteArray wanted = QFile::encodeName(program);
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        QFile cmdline("/proc/" + entry + "/cmdline");
        if (!number || !cmdline.open(QIODevice::ReadOnly)) continue;
        const QList<QByteArray> arguments = cmdline.readAll().split('\0');
        if (arguments.size() >= 2 && arguments[0].endsWith("zivek-backplot") &&
            arguments[arguments.size() - 2] == wanted)
            found << pid;
    }
    return found;
}
#endif

}  // namespace

class ProcessViewerTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    // A folder holding the stand-in under the viewer's name.
    QDir viewerFolder() {
        QDir folder(folder_.path());
        folder.mkdir("viewer");
        folder.cd("viewer");
        QFile::remove(folder.filePath(kViewerName));
        QFile::copy(QStringLiteral(STAND_IN), folder.filePath(kViewerName));
        return folder;
    }

  private slots:
    // The build puts the viewer beside the program, where the launch looks by default.
    void viewerStandsBesideTheProgram() {
        const QFileInfo viewer(QDir(QApplication::applicationDirPath()).filePath(kViewerName));
        QVERIFY2(viewer.isExecutable(), qPrintable(viewer.filePath()));
    }

    // The viewer gets the program file as its last argument, untouched by any shell:
    // blanks, quotes, a Turkish letter and a command substitution arrive as typed. A
    // workpiece comes before it as one option.
    void startsTheViewerOnTheProgramFile_data() {
        QTest::addColumn<bool>("withWorkpiece");
        QTest::newRow("no workpiece") << false;
        QTest::newRow("a workpiece") << true;
    }

    void startsTheViewerOnTheProgramFile() {
        QFETCH(bool, withWorkpiece);
        const QDir viewer = viewerFolder();
        const QString program =
            QDir(folder_.path()).filePath("İÇ ÇAP 'a' \"b\" $(touch shell-ran) `x`; |.TXT");
        zivek::Workpiece workpiece;
        QStringList expected{program};
        if (withWorkpiece) {
            workpiece.material = {{{0, 0}, {-2, 0}, {-2, -60}, {0, -60}}};
            expected.prepend("--workpiece=" +
                             QString::fromStdString(zivek::workpieceText(workpiece)));
        }
        zivek::app::ProcessViewer(viewer.path())
            .start(stdPath(folder_.filePath("A.BAT")), stdPath(program), workpiece);

        QTRY_COMPARE_WITH_TIMEOUT(recordedArguments(viewer), expected, 10000);
        QVERIFY(!QFile::exists(viewer.filePath("shell-ran")));
        QVERIFY(!QFile::exists(QDir::current().filePath("shell-ran")));
    }

    // Presses closer together than a viewer takes to start, with none open: the real
    // viewer, started by each press that finds none answering, leaves exactly one.
    void pressesFasterThanAViewerStartsLeaveOneViewer_data() {
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("gapMs");
        QTest::newRow("two at once") << 2 << 0;
        QTest::newRow("two, 130 ms apart") << 2 << 130;
        QTest::newRow("five, 40 ms apart") << 5 << 40;
    }

    void pressesFasterThanAViewerStartsLeaveOneViewer() {
#ifndef Q_OS_LINUX
        QSKIP("the viewers are counted through /proc");
#else
        QFETCH(int, presses);
        QFETCH(int, gapMs);
        const QString program =
            QDir(folder_.path())
                .filePath(QStringLiteral("DIS CAP %1-%2.TXT").arg(presses).arg(gapMs));
        QFile file(program);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("G0 X10 Z2\r\nG1 Z-20 F0.2\r\nG0 X12\r\nM30\r\n");
        file.close();
        for (int i = 0; i < presses; ++i) {
            if (i > 0) QTest::qWait(gapMs);
            zivek::app::ProcessViewer().start(stdPath(folder_.filePath("A.BAT")), stdPath(program),
                                              zivek::Workpiece{});
        }
        // Whatever the outcome, no viewer outlives the test.
        const auto endViewers = qScopeGuard([&] {
            for (const qint64 pid : viewersOf(program)) ::kill(pid_t(pid), SIGTERM);
        });
        // Every viewer started has either settled in or handed over and ended.
        QTRY_COMPARE_WITH_TIMEOUT(viewersOf(program).size(), 1, 20000);
        QTest::qWait(1500);
        QCOMPARE(viewersOf(program).size(), 1);
#endif
    }

    // No viewer where it is expected, or a file there that cannot run: nothing is
    // started, and once the press has ended a message box says in Turkish that the drawing is
    // missing, that the program was written, and which folder the viewer belongs in.
    void saysSoWithoutAViewer_data() {
        QTest::addColumn<bool>("fileThere");
        QTest::newRow("no file") << false;
        QTest::newRow("a file that cannot run") << true;
    }

    void saysSoWithoutAViewer() {
        QFETCH(bool, fileThere);
#ifdef Q_OS_WIN
        if (fileThere) QSKIP("every file of the right name can run on Windows");
#endif
        QDir folder(folder_.path());
        const QString name = fileThere ? "not-runnable" : "empty";
        folder.mkdir(name);
        folder.cd(name);
        if (fileThere) {
            QFile::copy(QStringLiteral(STAND_IN), folder.filePath(kViewerName));
            QFile::setPermissions(folder.filePath(kViewerName),
                                  QFile::ReadOwner | QFile::WriteOwner);
        }
        const QString program = QDir(folder_.path()).filePath("ALANTEMIZLEME.TXT");
        QString title;
        QString text;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            title = box->windowTitle();
            text = box->text();
            box->accept();
        });
        answer.start(50);
        zivek::app::ProcessViewer(folder.path())
            .start(stdPath(folder_.filePath("A.BAT")), stdPath(program), zivek::Workpiece{});

        QTRY_COMPARE_WITH_TIMEOUT(title, QStringLiteral("ZIVEK_TORNA"), 5000);
        QVERIFY2(text.startsWith(QStringLiteral("Takım yolu gösterilemiyor: zivek-backplot")),
                 qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(folder.path())), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(program)), qPrintable(text));
        QTest::qWait(300);
        QVERIFY(!QFile::exists(folder.filePath("arguments.txt")));
    }
};

QTEST_MAIN(ProcessViewerTest)
#include "tst_process_viewer.moc"

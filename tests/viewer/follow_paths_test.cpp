// A follow request for a program file in a Turkish folder, handed over the local socket
// by the wizard's press and by a second viewer to the viewer listening for the file. On
// Windows the 8-bit code page may have no "ğ" or "ş": the path must still arrive whole,
// and files whose names differ in such a letter must not share a socket.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <optional>
#include <thread>
#include <tuple>
#include <utility>

#include "app/process_viewer.h"
#include "common/follow_channel.h"
#include "viewer/file_claim.h"
#include "viewer/program_follower.h"

using zivek::backplot::FileClaim;
using zivek::backplot::ProgramFollower;

namespace {

enum class Sender { WizardPress, SecondViewer };

const zivek::Workpiece kWorkpiece{{{{0, 0}, {0, 12}, {-60, 12}, {-60, 0}}}, {}, {}};

// Runs the sender on a thread of its own, as the other process would: it waits for the
// answer, which the listening follower gives from this thread's events. True when the
// second viewer saw its request taken; the press does not say (its message box does).
bool sendFrom(Sender sender, const QString& program) {
    std::atomic<bool> done = false;
    bool handedOver = false;
    std::thread other([&] {
        if (sender == Sender::WizardPress) {
            // A viewer folder with no viewer: a press nobody answers ends in a message box.
            zivek::app::ProcessViewer(QStringLiteral("/nowhere"))
                .start(std::filesystem::path(
                           QFileInfo(program).dir().filePath("A.BAT").toStdU16String()),
                       std::filesystem::path(program.toStdU16String()), kWorkpiece);
            handedOver = true;
        } else {
            handedOver =
                FileClaim(program, QString::fromStdString(zivek::workpieceText(kWorkpiece)))
                    .handedOver();
        }
        done = true;
    });
    while (!done) QTest::qWait(10);
    other.join();
    return handedOver;
}

// The session's user, as the system names it to programs, until the end of the scope.
class LoggedInAs {
  public:
    explicit LoggedInAs(const char* user) {
        if (qEnvironmentVariableIsSet(kVariable)) saved_ = qgetenv(kVariable);
        become(user);
    }
    ~LoggedInAs() {
        if (saved_)
            qputenv(kVariable, *saved_);
        else
            qunsetenv(kVariable);
    }
    LoggedInAs(const LoggedInAs&) = delete;
    LoggedInAs& operator=(const LoggedInAs&) = delete;
    void become(const char* user) { qputenv(kVariable, user); }

  private:
#ifdef Q_OS_WIN
    static constexpr char kVariable[] = "USERNAME";
#else
    static constexpr char kVariable[] = "USER";
#endif
    std::optional<QByteArray> saved_;
};

}  // namespace

Q_DECLARE_METATYPE(Sender)

class FollowPathsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QStringList boxes_;  // the texts of the message boxes that came up
    QTimer boxCloser_;

    // A small program at `name`, inside the test's folder unless it is absolute.
    QString makeFile(const QString& name) {
        const QString path = QDir(dir_.path()).filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return {};
        file.write("G0 X10 Z2\r\nG1 Z-20 F0.2\r\nM30\r\n");
        return QFileInfo(path).absoluteFilePath();
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        connect(&boxCloser_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            boxes_ << box->text();
            box->accept();
        });
        boxCloser_.start(20);
    }

    void init() { boxes_.clear(); }

    void requestArrivesWithThePathWhole_data() {
        QTest::addColumn<Sender>("sender");
        QTest::addColumn<QString>("file");
        // Row names in ASCII: Qt Test writes them in the 8-bit code page.
        const std::pair<const char*, QString> files[] = {
            {"Turkish folders", QStringLiteral("Öğrenci/Çalışma/ş.ngc")},
            {"every Turkish letter and blanks", QStringLiteral("İş Parçası/ç ğ ı İ ö ş ü.nc")},
            {"Turkish capitals", QStringLiteral("ÇĞIİÖŞÜ/DIŞ ÇAP.TXT")},
            {"plain", QStringLiteral("plain/program.nc")},
        };
        for (const auto& [name, file] : files) {
            QTest::addRow("press, %s", name) << Sender::WizardPress << file;
            QTest::addRow("second viewer, %s", name) << Sender::SecondViewer << file;
        }
    }

    // The press and the second viewer find the socket the viewer listens on (their names
    // for it agree), and the path they send names the file the viewer follows.
    void requestArrivesWithThePathWhole() {
        QFETCH(Sender, sender);
        QFETCH(QString, file);
        const QString program = makeFile(file);
        QVERIFY(!program.isEmpty());
        ProgramFollower follower;
        follower.follow(program);
        QVERIFY(follower.listening());
        QSignalSpy pressed(&follower, &ProgramFollower::pressed);

        QVERIFY(sendFrom(sender, program));
        QVERIFY2(boxes_.isEmpty(), qPrintable(boxes_.join('\n')));
        QCOMPARE(pressed.size(), 1);
        QCOMPARE(pressed[0][0].toString(), program);
        QVERIFY(QFileInfo::exists(pressed[0][0].toString()));
        QCOMPARE(pressed[0][1].toString(),
                 QString::fromStdString(zivek::workpieceText(kWorkpiece)));
    }

    void filesApartInOneLetterHaveTheirOwnViewer_data() {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("other");
        const std::tuple<const char*, QString, QString> pairs[] = {
            {"soft g", QStringLiteral("ğ.nc"), QStringLiteral("g.nc")},
            {"s cedilla", QStringLiteral("ş.nc"), QStringLiteral("s.nc")},
            {"dotless i", QStringLiteral("ı.nc"), QStringLiteral("i.nc")},
            {"dotted capital I", QStringLiteral("İ.nc"), QStringLiteral("I.nc")},
            {"folder", QStringLiteral("Çalışma/p.nc"), QStringLiteral("Calisma/p.nc")},
        };
        for (const auto& [name, turkish, plain] : pairs) {
            QTest::addRow("%s asked", name) << turkish << plain;
            QTest::addRow("%s not asked", name) << plain << turkish;
        }
    }

    // Two viewers, one on each file: a request for one reaches that one only.
    void filesApartInOneLetterHaveTheirOwnViewer() {
        QFETCH(QString, asked);
        QFETCH(QString, other);
        const QTemporaryDir pair(dir_.filePath(QStringLiteral("pair")));
        const QString askedPath = makeFile(QDir(pair.path()).filePath(asked));
        const QString otherPath = makeFile(QDir(pair.path()).filePath(other));
        ProgramFollower askedFollower;
        ProgramFollower otherFollower;
        // The other one listens first, so that a name shared by both would find it.
        otherFollower.follow(otherPath);
        askedFollower.follow(askedPath);
        QVERIFY(askedFollower.listening());
        QVERIFY(otherFollower.listening());
        QSignalSpy askedPressed(&askedFollower, &ProgramFollower::pressed);
        QSignalSpy otherPressed(&otherFollower, &ProgramFollower::pressed);

        QVERIFY(sendFrom(Sender::SecondViewer, askedPath));
        QCOMPARE(otherPressed.size(), 0);
        QCOMPARE(askedPressed.size(), 1);
        QCOMPARE(askedPressed[0][0].toString(), askedPath);
    }

    void channelNameIsTheSameOnEverySystem_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("channel");
        // FNV-1a of "usta", a zero byte and the path's UTF-8 bytes, worked out apart from
        // the code.
        QTest::newRow("plain") << QStringLiteral("/tmp/program.nc")
                               << QStringLiteral("zivek-backplot-usta-5e220044fd64a3a8");
        QTest::newRow("Turkish") << QStringLiteral("C:/Users/Öğrenci/Çalışma/ş.ngc")
                                 << QStringLiteral("zivek-backplot-usta-197c3c780b5933cc");
    }

    // A wizard and a viewer of another version, or built for another system, find each
    // other: the name depends on the path's letters only, never on a code page.
    void channelNameIsTheSameOnEverySystem() {
        QFETCH(QString, program);
        QFETCH(QString, channel);
        const LoggedInAs usta("usta");
        QCOMPARE(zivek::app::followChannel(program), channel);
    }

    // "zivek-backplot --dialect fanuc --rapid 12000 FILE" on a file already shown: the
    // viewer that shows it is told to read it so; without them it is told nothing.
    void secondViewerPassesItsGivenReadingOn() {
        const QString program = makeFile(QStringLiteral("choices/O1200.nc"));
        ProgramFollower follower;
        follower.follow(program);
        QVERIFY(follower.listening());
        QSignalSpy pressed(&follower, &ProgramFollower::pressed);
        const zivek::backplot::GivenReading choices[] = {
            {QStringLiteral("fanuc"), QStringLiteral("12000")},
            {QStringLiteral("linuxcnc"), QString()},
            {},
        };
        for (const auto& given : choices) {
            std::atomic<bool> done = false;
            bool handedOver = false;
            std::thread other([&] {
                handedOver = FileClaim(program, QString(), given).handedOver();
                done = true;
            });
            while (!done) QTest::qWait(10);
            other.join();
            QVERIFY(handedOver);
            QCOMPARE(pressed.last()[2].toString(), given.dialect);
            QCOMPARE(pressed.last()[3].toString(), given.rapid);
        }
        QCOMPARE(pressed.size(), 3);
    }

    // Another user's viewer of the same file is no one to hand a request to.
    void anotherUsersViewerIsNotAsked() {
        const QString program = makeFile(QStringLiteral("users/ortak.nc"));
        LoggedInAs user("ayse");
        ProgramFollower follower;
        follower.follow(program);
        QVERIFY(follower.listening());
        QSignalSpy pressed(&follower, &ProgramFollower::pressed);

        user.become("mehmet");
        QVERIFY(!sendFrom(Sender::SecondViewer, program));
        QCOMPARE(pressed.size(), 0);
        user.become("ayse");
        QVERIFY(sendFrom(Sender::SecondViewer, program));
        QCOMPARE(pressed.size(), 1);
    }
};

QTEST_MAIN(FollowPathsTest)
#include "follow_paths_test.moc"

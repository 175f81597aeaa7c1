#pragma once

// Keeps the viewer on the latest program: a press on the same file asks over a local
// socket named after the user and the file, and the file is watched on disk. The press
// deletes the file and writes it anew, so the path is watched, through its folder too.

#include <QObject>
#include <QString>
#include <QTimer>

class QFileSystemWatcher;
class QLocalServer;
class QLocalSocket;

namespace zivek::backplot {

class ProgramFollower : public QObject {
    Q_OBJECT
  public:
    explicit ProgramFollower(QObject* parent = nullptr);

    // Starts listening and watching for this file, instead of any earlier one.
    void follow(const QString& path);
    QString path() const { return path_; }
    // Whether another viewer already listens for the file.
    bool listening() const;

  signals:
    // A press wrote the file and hands over its workpiece (empty text: none); a second
    // viewer also the dialect key and rapid rate it was started with (empty: not given).
    void pressed(const QString& path, const QString& workpiece, const QString& dialect,
                 const QString& rapid);
    // The file changed on disk, or went away, or came back.
    void changedOnDisk();

  private:
    void readRequest(QLocalSocket* socket);
    void pathTouched();
    void watchAgain();

    QString path_;
    QLocalServer* server_;
    QFileSystemWatcher* watcher_;
    QTimer settle_;  // a press writes the file in steps: reload once they are over
    qint64 seenSize_ = -1;
    qint64 seenTime_ = -1;
};

}  // namespace zivek::backplot

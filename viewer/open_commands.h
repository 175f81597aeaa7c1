#pragma once

// The ways to open another program in a running viewer: "Aç…" (Ctrl+O), the last files
// opened, and a file dropped on the window.

#include <QObject>
#include <functional>

#include "viewer/recent_files.h"

class QAction;
class QMainWindow;
class QMenu;

namespace zivek::backplot {

class OpenCommands : public QObject {
    Q_OBJECT
  public:
    // `open` shows the file and says whether it could; the commands go into the
    // window's "Dosya" menu.
    OpenCommands(QMainWindow* window, std::function<bool(const QString&)> open);

    // A program the window shows from now on, however it was opened: first in the list.
    void remember(const QString& path);
    QAction* openAction() const { return open_; }
    QMenu* recentMenu() const { return recent_; }
    QMenu* fileMenu() const { return file_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void choose();
    void fillRecent();

    QMainWindow* window_;
    std::function<bool(const QString&)> opener_;
    QAction* open_;
    QMenu* recent_;
    QMenu* file_;
    RecentFiles files_;
};

}  // namespace zivek::backplot

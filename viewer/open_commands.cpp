#include "viewer/open_commands.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

#include "viewer/file_dialog.h"
#include "viewer/texts.h"

namespace zivek::backplot {
namespace {

// The one local file a drop carries; several files or anything else is not taken.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

OpenCommands::OpenCommands(QMainWindow* window, std::function<bool(const QString&)> open)
    : QObject(window), window_(window), opener_(std::move(open)) {
    file_ = window->menuBar()->addMenu(fileMenuText());
    open_ = file_->addAction(openText(), this, &OpenCommands::choose);
    open_->setShortcut(QKeySequence::Open);
    open_->setToolTip(openToolTip());
    recent_ = file_->addMenu(recentFilesText());
    file_->addSeparator();
    connect(recent_, &QMenu::aboutToShow, this, &OpenCommands::fillRecent);
    fillRecent();
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

void OpenCommands::remember(const QString& path) {
    files_.add(path);
}

void OpenCommands::choose() {
    // Where the last program came from: most programs of a job lie together.
    const QString folder = QFileInfo(files_.paths().value(0)).absolutePath();
    const QString path = chooseProgramFile(window_, FileChoice::Open, openDialogTitle(), folder);
    if (!path.isEmpty()) opener_(path);
}

void OpenCommands::fillRecent() {
    recent_->clear();
    const QStringList paths = files_.paths();
    for (int i = 0; i < paths.size(); ++i) {
        const QString& path = paths[i];
        // "&1 name" gives each entry a key; the folder shows as the tooltip.
        QAction* entry =
            recent_->addAction(QStringLiteral("&%1  %2").arg(i + 1).arg(QFileInfo(path).fileName()),
                               this, [this, path] { opener_(path); });
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setStatusTip(entry->toolTip());
    }
    recent_->setToolTipsVisible(true);
    if (paths.isEmpty()) recent_->addAction(noRecentFilesText())->setEnabled(false);
}

bool OpenCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (!droppedFile(drag->mimeData()).isEmpty()) drag->acceptProposedAction();
        return true;
    }
    if (watched == window_ && event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedFile(drop->mimeData());
        if (path.isEmpty()) return true;
        drop->acceptProposedAction();
        opener_(path);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zivek::backplot

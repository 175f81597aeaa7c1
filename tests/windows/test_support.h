#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "output/viewer_launch.h"

namespace zivek::testing {

// Remembers every viewer start instead of starting a process.
class RecordingViewer final : public zivek::ViewerLauncher {
  public:
    void start(const std::filesystem::path& batchFile,
               const std::filesystem::path& programFile) override {
        starts.emplace_back(batchFile, programFile);
    }
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> starts;
};

// What a modal message box showed before it was closed with its own button.
struct SeenMessageBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    int buttonCount = 0;
    Qt::WindowModality modality = Qt::NonModal;
};

// Runs action, which is expected to open a modal message box; the box is read
// and closed with its OK button as soon as the event loop runs inside it.
inline SeenMessageBox closeNextMessageBox(const std::function<void()>& action) {
    // Shared, because a timer that found no box may still fire after we return.
    auto seen = std::make_shared<SeenMessageBox>();
    QTimer::singleShot(0, [seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen->shown = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        seen->buttonCount = static_cast<int>(box->buttons().size());
        seen->modality = box->windowModality();
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
    });
    action();
    return *seen;
}

}  // namespace zivek::testing

#pragma once

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "support/recording_viewer.h"
#include "windows/operation_window_definition.h"

namespace zivek::testing {

// The definition of an operation window by its name; a name of no window stops the test
// program, so that a misspelt row cannot test another window.
inline const zivek::windows::OperationWindowDefinition& definitionNamed(const QString& name) {
    if (name == "Form2") return zivek::windows::form2();
    if (name == "Form3") return zivek::windows::form3();
    if (name == "Form4") return zivek::windows::form4();
    if (name == "Form5") return zivek::windows::form5();
    if (name == "Form11") return zivek::windows::form11();
    qFatal("no operation window is named %s", qPrintable(name));
}

// Whether a rendered picture shows anything: a resource that is missing renders
// as plain white ground of the right size, or (the icon) as nothing at all.
inline bool showsADrawing(const QPixmap& picture) {
    const QImage image = picture.toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() > 0 && colour != QColor(Qt::white)) return true;
        }
    return false;
}

// What a modal message box showed before it was closed with its own button.
struct SeenMessageBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    int buttonCount = 0;
    QString buttonText;  // of the OK button
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
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            seen->buttonText = ok->text();
            ok->click();
        }
    });
    action();
    return *seen;
}

}  // namespace zivek::testing

#include "windows/accessibility.h"

#include <QAccessibleWidget>

#include "windows/output_box.h"
#include "windows/output_box_accessible.h"
#include "windows/picture_button.h"

namespace zivek::windows {
namespace {

// A picture button is a button to a screen reader: named by its caption, pressed
// by the tool's press action as by a click.
class PictureButtonAccessible : public QAccessibleWidget {
  public:
    explicit PictureButtonAccessible(PictureButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<PictureButton*>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* ownInterface(const QString& key, QObject* object) {
    if (key == QLatin1String(OutputBox::staticMetaObject.className()))
        if (auto* box = qobject_cast<OutputBox*>(object)) return new OutputBoxAccessible(box);
    if (key == QLatin1String(PictureButton::staticMetaObject.className()))
        if (auto* button = qobject_cast<PictureButton*>(object))
            return new PictureButtonAccessible(button);
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&ownInterface);
        return true;
    }();
    (void)installed;
}

void tellReplaced(QObject* box, int at, const QString& removed, const QString& inserted) {
    if (!QAccessible::isActive() || (removed.isEmpty() && inserted.isEmpty())) return;
    if (removed.isEmpty()) {
        QAccessibleTextInsertEvent event(box, at, inserted);
        QAccessible::updateAccessibility(&event);
    } else if (inserted.isEmpty()) {
        QAccessibleTextRemoveEvent event(box, at, removed);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextUpdateEvent event(box, at, removed, inserted);
        QAccessible::updateAccessibility(&event);
    }
}

void tellSelection(QObject* box, int from, int to, int caret) {
    if (!QAccessible::isActive()) return;
    QAccessibleTextSelectionEvent event(box, from, to);
    event.setCursorPosition(caret);
    QAccessible::updateAccessibility(&event);
}

void tellCaret(QObject* box, int caret) {
    if (!QAccessible::isActive()) return;
    QAccessibleTextCursorEvent event(box, caret);
    QAccessible::updateAccessibility(&event);
}

}  // namespace zivek::windows

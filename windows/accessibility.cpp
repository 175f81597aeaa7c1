#include "windows/accessibility.h"

#include <QAccessibleWidget>

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

}  // namespace zivek::windows

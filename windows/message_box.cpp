#include "windows/message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "windows/pictures.h"

namespace zivek::windows {

void showMessage(QWidget* over, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(messageBoxTitle), text,
                    QMessageBox::Ok, over);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowIcon(applicationIcon());
    box.button(QMessageBox::Ok)->setIcon(QIcon());  // some styles decorate it; the box has none
    box.exec();
}

}  // namespace zivek::windows

#include "windows/message_box.h"

#include <QMessageBox>

#include "windows/pictures.h"

namespace zivek::windows {

void showMessage(QWidget* over, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(messageBoxTitle), text,
                    QMessageBox::Ok, over);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowIcon(applicationIcon());
    box.exec();
}

}  // namespace zivek::windows

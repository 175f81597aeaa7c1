#include "viewer/file_dialog.h"

#include <QFileDialog>
#include <QScreen>

#include "viewer/texts.h"

namespace zivek::backplot {

QString chooseProgramFile(QWidget* parent, FileChoice choice, const QString& title,
                          const QString& start) {
    QFileDialog dialog(parent, title, start, programFilesFilter());
    dialog.setAcceptMode(choice == FileChoice::Open ? QFileDialog::AcceptOpen
                                                    : QFileDialog::AcceptSave);
    dialog.setFileMode(choice == FileChoice::Open ? QFileDialog::ExistingFile
                                                  : QFileDialog::AnyFile);
    if (choice == FileChoice::Save && !start.isEmpty()) dialog.selectFile(start);
    if (QScreen* screen = parent != nullptr ? parent->screen() : nullptr) {
        const QSize room = screen->availableGeometry().size() * 9 / 10;
        dialog.resize(dialog.sizeHint().expandedTo(QSize(640, 420)).boundedTo(room));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace zivek::backplot

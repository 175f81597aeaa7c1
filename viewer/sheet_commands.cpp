#include "viewer/sheet_commands.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include "viewer/texts.h"

#ifdef ZIVEK_HAS_PRINT_SUPPORT
#include <QPrintDialog>
#include <QPrinter>
#endif

namespace zivek::backplot {
namespace {

void saveSheet(QWidget* window, const SheetContent& content) {
    const QString pdf = QFileDialog::getSaveFileName(window, sheetSaveDialogTitle(),
                                                     sheetFileFor(content.file), pdfFilterText());
    if (pdf.isEmpty()) return;
    if (!writeSetupSheet(pdf, content))
        QMessageBox::warning(window, notSavedTitle(), sheetFailedText(pdf));
}

void printSheet([[maybe_unused]] QWidget* window, [[maybe_unused]] const SheetContent& content) {
#ifdef ZIVEK_HAS_PRINT_SUPPORT
    // Laid out at screen resolution, so the plot's fine lines keep their weight on paper.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setDocName(sheetTitleText() + QStringLiteral(": ") +
                       QFileInfo(content.file).fileName());
    QPrintDialog dialog(&printer, window);
    dialog.setWindowTitle(sheetPrintDialogTitle());
    if (dialog.exec() != QDialog::Accepted) return;
    if (!printSetupSheet(printer, content))
        QMessageBox::warning(window, notPrintedTitle(), sheetFailedText(printer.printerName()));
#endif
}

}  // namespace

QString sheetFileFor(const QString& program) {
    const QFileInfo info(program);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("-kurulum.pdf"));
}

QPushButton* makeSheetButton(QWidget* window, std::function<SheetContent()> content) {
    auto* button = new QPushButton(sheetButtonText(), window);
    button->setObjectName(QStringLiteral("setupSheet"));
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(sheetButtonTip());
    auto* menu = new QMenu(button);
    auto* save = menu->addAction(sheetSaveActionText());
    save->setObjectName(QStringLiteral("saveSheet"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    window->addAction(save);  // the shortcut works with the menu closed
    QObject::connect(save, &QAction::triggered, window, [window, content] {
        const SheetContent c = content();
        if (c.path) saveSheet(window, c);
    });
#ifdef ZIVEK_HAS_PRINT_SUPPORT
    auto* print = menu->addAction(sheetPrintActionText());
    print->setObjectName(QStringLiteral("printSheet"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    window->addAction(print);
    QObject::connect(print, &QAction::triggered, window, [window, content] {
        const SheetContent c = content();
        if (c.path) printSheet(window, c);
    });
#endif
    button->setMenu(menu);
    return button;
}

}  // namespace zivek::backplot

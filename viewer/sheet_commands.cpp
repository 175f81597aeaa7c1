#include "viewer/sheet_commands.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>

#include "viewer/texts.h"

#ifdef ZIVEK_HAS_PRINT_SUPPORT
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#endif

namespace zivek::backplot {
namespace {

// Says where the sheet went, without holding up the window: the folder is one click away.
void tellSaved(QWidget* window, const QString& pdf) {
    auto* box =
        new QMessageBox(QMessageBox::Information, sheetTitleText(),
                        sheetSavedText(QDir::toNativeSeparators(pdf)), QMessageBox::Ok, window);
    box->setObjectName(QStringLiteral("sheetSaved"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    QPushButton* open = box->addButton(sheetOpenFolderText(), QMessageBox::ActionRole);
    open->setObjectName(QStringLiteral("openSheetFolder"));
    QObject::connect(open, &QPushButton::clicked, box, [pdf] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(pdf).absolutePath()));
    });
    box->show();
}

void saveSheet(QWidget* window, const SheetContent& content) {
    const QString pdf = QFileDialog::getSaveFileName(window, sheetSaveDialogTitle(),
                                                     sheetFileFor(content.file), pdfFilterText());
    if (pdf.isEmpty()) return;
    if (!writeSetupSheet(pdf, content)) {
        QMessageBox::warning(
            window, notSavedTitle(),
            sheetFailedText(pdf) + QLatin1Char('\n') + fileErrorText(pdf, QFileDevice::OpenError));
        return;
    }
    tellSaved(window, pdf);
}

void printSheet([[maybe_unused]] QWidget* window, [[maybe_unused]] const SheetContent& content) {
#ifdef ZIVEK_HAS_PRINT_SUPPORT
    // Laid out at screen resolution, so the plot's fine lines keep their weight on paper.
    QPrinter printer(QPrinter::ScreenResolution);
    nameSheetPrint(printer, content.file);
    QPrintDialog dialog(&printer, window);
    dialog.setWindowTitle(sheetPrintDialogTitle());
    if (dialog.exec() != QDialog::Accepted) return;
    if (!printSetupSheet(printer, content))
        QMessageBox::warning(window, notPrintedTitle(), sheetFailedText(printer.printerName()));
#endif
}

}  // namespace

#ifdef ZIVEK_HAS_PRINT_SUPPORT
void nameSheetPrint(QPrinter& printer, const QString& program) {
    const QString pdf = sheetFileFor(program);
    // The dialog proposes "<document name>.pdf" in the home folder for a print to a file.
    printer.setDocName(QFileInfo(pdf).completeBaseName());
    // With no printer the file is the only choice: then beside the program. With one, the
    // dialog must open on the printer, which a file name would take it away from.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) printer.setOutputFileName(pdf);
}
#endif

QString sheetFileFor(const QString& program) {
    const QFileInfo info(program);
    const QString name = info.completeBaseName() + QStringLiteral("-kurulum.pdf");
    if (QFileInfo(info.absolutePath()).isWritable()) return info.dir().filePath(name);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name);
}

void addSheetToMenu(QPushButton* sheetButton, QMenu* menu) {
    menu->addActions(sheetButton->menu()->actions());
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

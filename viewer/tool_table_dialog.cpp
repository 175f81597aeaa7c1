#include "viewer/tool_table_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <set>

#include "common/command_line.h"
#include "viewer/texts.h"
#include "viewer/viewer_settings.h"

namespace zivek::backplot {
namespace {

enum Column { kNumber, kInsert, kRadius, kTip, kDescription, kColumns };

QString numberText(double v) {
    return QString::number(v, 'g', 10);
}

}  // namespace

QString toolTableFile() {
    const QString kept = ViewerSettings::toolTableFile.value();
    if (!kept.isEmpty()) return kept;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/zivek/takimlar.tbl");
}

std::shared_ptr<const ToolTable> loadToolTable(const QString& path) {
    if (path.isEmpty() || !QFileInfo::exists(path)) return nullptr;
    ToolTableReading reading = readToolTableFile(zivek::app::toPath(path));
    if (reading.table.tools.empty()) return nullptr;
    return std::make_shared<const ToolTable>(std::move(reading.table));
}

ToolTableDialog::ToolTableDialog(QWidget* parent, const QString& path)
    : QDialog(parent),
      path_(path),
      rows_(new QTableWidget(0, kColumns, this)),
      units_(new QComboBox(this)) {
    setWindowTitle(toolTableTitle());
    rows_->setHorizontalHeaderLabels(toolTableHeaders());
    rows_->horizontalHeader()->setSectionResizeMode(kDescription, QHeaderView::Stretch);
    rows_->verticalHeader()->setVisible(false);
    units_->addItems({toolTableMillimetresText(), toolTableInchesText()});
    ToolTable table;
    if (QFileInfo::exists(path)) table = readToolTableFile(zivek::app::toPath(path)).table;
    units_->setCurrentIndex(table.inch ? 1 : 0);
    for (const ToolEntry& e : table.tools) addRow(e);

    auto* add = new QPushButton(toolTableAddText(), this);
    auto* remove = new QPushButton(toolTableRemoveText(), this);
    connect(add, &QPushButton::clicked, this, [this] {
        ToolEntry fresh{};
        int next = 1;
        for (int r = 0; r < rows_->rowCount(); ++r)
            next = std::max(next, rows_->item(r, kNumber)->text().toInt() + 1);
        fresh.number = next;
        addRow(fresh);
        rows_->setCurrentCell(rows_->rowCount() - 1, kInsert);
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (rows_->currentRow() >= 0) rows_->removeRow(rows_->currentRow());
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Save)->setText(toolTableSaveText());
    buttons->button(QDialogButtonBox::Cancel)->setText(toolTableCancelText());
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (save()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(toolTableUnitsText(), this));
    top->addWidget(units_);
    top->addStretch();
    top->addWidget(add);
    top->addWidget(remove);
    auto* file = new QLabel(
        toolTableFileText(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())), this);
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rows_);
    auto* hint = new QLabel(toolTableHintText(), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    layout->addWidget(file);
    layout->addWidget(buttons);
    resize(760, 420);
}

void ToolTableDialog::addRow(const ToolEntry& entry) {
    const int row = rows_->rowCount();
    rows_->insertRow(row);
    auto* number = new QTableWidgetItem(QString::number(entry.number));
    number->setData(Qt::UserRole, int(kept_.size()));
    kept_.push_back(entry);
    rows_->setItem(row, kNumber, number);
    rows_->setItem(row, kInsert, new QTableWidgetItem(QString::fromStdString(entry.insert.code)));
    rows_->setItem(row, kRadius, new QTableWidgetItem(numberText(entry.noseRadius)));
    rows_->setItem(row, kTip, new QTableWidgetItem(QString::number(entry.tip)));
    rows_->setItem(row, kDescription,
                   new QTableWidgetItem(QString::fromStdString(entry.description)));
}

bool ToolTableDialog::readRows(ToolTable& table, QString& fault) const {
    table.inch = units_->currentIndex() == 1;
    std::set<int> numbers;
    for (int r = 0; r < rows_->rowCount(); ++r) {
        auto text = [this, r](int c) {
            const QTableWidgetItem* item = rows_->item(r, c);
            return item ? item->text().trimmed() : QString();
        };
        ToolEntry e = kept_[std::size_t(rows_->item(r, kNumber)->data(Qt::UserRole).toInt())];
        bool ok = false;
        e.number = text(kNumber).toInt(&ok);
        if (!ok || e.number <= 0 || !numbers.insert(e.number).second) {
            fault = toolTableRowFault(r + 1, toolTableHeaders()[kNumber]);
            return false;
        }
        // The insert code as the file reads it: its shape, size and nose radius.
        const QString code = text(kInsert);
        if (code.toStdString() != e.insert.code) {
            const ToolTableReading read =
                readToolTable(QStringLiteral("T1 %1").arg(code).toStdString());
            if (!read.faults.empty() || read.table.tools.empty()) {
                fault = toolTableRowFault(r + 1, toolTableHeaders()[kInsert]);
                return false;
            }
            e.insert = read.table.tools.front().insert;
            if (text(kRadius).isEmpty()) e.noseRadius = read.table.tools.front().noseRadius;
        }
        if (!text(kRadius).isEmpty()) {
            // A point, whatever the desktop's regional settings: QString reads it so.
            e.noseRadius = text(kRadius).toDouble(&ok);
            if (!ok || !(e.noseRadius >= 0) || !std::isfinite(e.noseRadius)) {
                fault = toolTableRowFault(r + 1, toolTableHeaders()[kRadius]);
                return false;
            }
        }
        e.tip = text(kTip).isEmpty() ? 0 : text(kTip).toInt(&ok);
        if (!ok || e.tip < 0 || e.tip > 9) {
            fault = toolTableRowFault(r + 1, toolTableHeaders()[kTip]);
            return false;
        }
        // The file's comment ends at the line's end.
        e.description = text(kDescription).simplified().toStdString();
        table.tools.push_back(e);
    }
    return true;
}

bool ToolTableDialog::save() {
    ToolTable table;
    QString fault;
    if (!readRows(table, fault)) {
        QMessageBox::warning(this, toolTableTitle(), fault);
        return false;
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    const std::string text = writeToolTable(table);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), qint64(text.size())) != qint64(text.size()) || !file.commit()) {
        QMessageBox::warning(this, toolTableTitle(), toolTableWriteFailedText(path_));
        return false;
    }
    ViewerSettings::toolTableFile.keep(path_);
    saved_ = std::make_shared<const ToolTable>(std::move(table));
    emit tableSaved();
    return true;
}

void addToolTableMenu(QMainWindow* window, std::function<QString()> file,
                      std::function<void()> changed) {
    QMenu* menu = window->menuBar()->addMenu(settingsMenuText());
    menu->addAction(toolTableMenuText(), window, [window, file, changed] {
        ToolTableDialog dialog(window, file());
        QObject::connect(&dialog, &ToolTableDialog::tableSaved, window, changed);
        dialog.exec();
    });
}

}  // namespace zivek::backplot

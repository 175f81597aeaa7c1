#pragma once

// "Takımlar": the user's tool table as a table of rows (T number, insert code, nose
// radius, tip 0-9, description), saved to the one file the viewer's settings remember.
// Lengths stay in the file's units; the dialog only shows which.

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "viewer/reader_names.h"

class QComboBox;
class QLabel;
class QMainWindow;
class QTableWidget;

namespace zivek::backplot {

// The tool table file the viewer reads: the one kept in its settings, else
// "takimlar.tbl" in the user's configuration folder.
QString toolTableFile();
// The table in `path`; none when the file is missing or holds no tool.
std::shared_ptr<const ToolTable> loadToolTable(const QString& path);

class ToolTableDialog : public QDialog {
    Q_OBJECT
  public:
    ToolTableDialog(QWidget* parent, const QString& path);

    QTableWidget* rows() const { return rows_; }
    // Checks the rows and writes the file; false, with a message box, when a row is
    // wrong or the file cannot be written.
    bool save();
    // The table last saved.
    std::shared_ptr<const ToolTable> saved() const { return saved_; }

  signals:
    void tableSaved();

  private:
    void addRow(const ToolEntry& entry);
    // The rows as a table; an empty text and the row's fault otherwise.
    bool readRows(ToolTable& table, QString& fault) const;

    QString path_;
    QTableWidget* rows_;
    QComboBox* units_;
    std::vector<ToolEntry> kept_;  // what each row came from: offsets and holder stay
    std::shared_ptr<const ToolTable> saved_;
};

// "Ayarlar > Takımlar…" in the window's menu bar, editing the file `file` names at the
// time; `changed` runs after each save.
void addToolTableMenu(QMainWindow* window, std::function<QString()> file,
                      std::function<void()> changed);

}  // namespace zivek::backplot

#pragma once

// The viewer's window: the plot, the program's lines beside it, the totals below, or
// a message in place of all that when the file cannot be shown.

#include <QMainWindow>
#include <memory>

#include "viewer/program_file.h"
#include "viewer/toolpath.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListView;
class QStackedWidget;
class QTreeWidget;

namespace zivek::backplot {

class LineModel;
class WarningPanel;
class PlotWidget;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Reads and shows a program; a file that cannot be shown leaves a message instead.
    void openFile(const QString& path);
    void showMessage(const QString& text);

    // For tests: the message shown, empty while a program is shown.
    QString message() const;
    PlotWidget* plot() const { return plot_; }
    QListView* lines() const { return lines_; }
    WarningPanel* warningPanel() const { return warningPanel_; }
    // Moves the list to the next (+1) or previous (-1) line with a warning.
    void stepWarning(int direction);

  private:
    void showProgram(std::string text);
    void reinterpret();
    void showTotals();
    void lineChosen(const QModelIndex& index);
    void plotClicked(int line);

    QStackedWidget* pages_;
    QLabel* message_;
    PlotWidget* plot_;
    QListView* lines_;
    LineModel* model_;
    QLabel* moveCount_;
    QLabel* feedLength_;
    QLabel* rapidLength_;
    QLabel* cuttingTime_;
    QLabel* warnings_;
    QLabel* pointer_;
    QLabel* selection_;  // the chosen line's move
    QLabel* totalTime_;
    QLabel* dialect_;
    QComboBox* dialectChoice_;
    QCheckBox* halfSection_;
    QDoubleSpinBox* rapidRate_;
    WarningPanel* warningPanel_;
    DecodedText decoded_;
    std::shared_ptr<const Toolpath> path_;
};

}  // namespace zivek::backplot

#pragma once

// The viewer's window: the plot, the program's lines beside it, the totals below, or
// a message in place of all that when the file cannot be shown.

#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "output/workpiece.h"
#include "viewer/reader_names.h"
#include "viewer/setup_sheet.h"
#include "viewer/shop_stock.h"
#include "viewer/window_panes.h"
#include "zivek/gcode/program_file.h"
#include "zivek/gcode/toolpath.h"

class QLabel;
class QPushButton;
class QStackedWidget;

namespace zivek::backplot {

class CutWarningLines;
class FindBar;
class GoToLineBar;
class MeasureTool;
class LineModel;
class OpenCommands;
class WarningPanel;
class PlotWidget;
class ProgramListView;
class ProgramFollower;
class StatusLine;
class StepBar;
class ToolList;
class WorkpieceLayer;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Reads and shows a program; a file that cannot be shown leaves a message instead.
    void openFile(const QString& path);
    // Another program chosen by the user: one that cannot be shown is refused in a
    // message box, and the program shown stays. Returns whether it is shown.
    bool openOther(const QString& path);
    void showMessage(const QString& text);
    // The operation's workpiece for the programs shown from now on (none: the path only).
    void setWorkpiece(std::optional<Workpiece> workpiece);
    // The bar the file at `path` is cut from, for this run (the command line's --stock);
    // none leaves it to the dialog's, the program's comment or the guess.
    void giveStock(const QString& path, std::optional<Stock> stock);
    // The shop's tools: the reader's nose radii and the inserts the cut sweeps.
    void setToolTable(std::shared_ptr<const ToolTable> tools);
    // Opens the "Ham parça" dialog for the program shown.
    void chooseStock();
    // The machine's rapid traverse in mm/min for this run (the command line's --rapid).
    void setRapidRate(double millimetresPerMinute);
    // Reads the file at `path` in `dialect`, as if chosen in the dialect box; any other file
    // opened is guessed again.
    void chooseDialect(Dialect dialect, const QString& path);
    // Where o<name> calls find name.ngc after the program's own folder.
    void setSubroutineFolders(std::vector<std::filesystem::path> folders);
    // The tool table G41/G42 take the nose from (none when the file holds no tool); the
    // program shown is read again.
    void setToolTableFile(const QString& path);
    // Reads the file shown again; the view stays when the program's extent did.
    void reload();
    // Writes the program shown, its bytes exactly as read; false when that failed, with
    // the reason in `why`.
    bool saveProgramAs(const QString& path, QString* why = nullptr) const;
    // What the setup sheet shows of the program, as the window shows it now.
    SheetContent sheetContent() const;

    // For tests: the message shown, empty while a program is shown.
    QString message() const;
    PlotWidget* plot() const { return plot_; }
    ProgramListView* lines() const { return lines_; }
    StepBar* stepBar() const { return stepBar_; }
    const WorkpieceLayer& workpieceLayer() const { return *layer_; }
    const WorkpieceCut* workpieceCut() const { return cut_.get(); }
    ProgramFollower* follower() const { return follower_; }
    // The bar the program shown is cut from; none for the wizard's programs.
    const std::optional<StockInUse>& stockInUse() const { return stock_; }
    QLabel* stockLine() const { return stockLine_; }
    QPushButton* stockButton() const { return stockButton_; }
    WarningPanel* warningPanel() const { return warningPanel_; }
    ToolList* toolList() const { return tools_; }
    OpenCommands* openCommands() const { return openCommands_; }
    FindBar* findBar() const { return findBar_; }
    GoToLineBar* goToLineBar() const { return goToLine_; }
    MeasureTool* measureTool() const { return measure_; }
    // What the line under the plot says: the chosen line's move, or the measure.
    QString selectionText() const;
    // Moves the list to the next (+1) or previous (-1) line with a warning.
    void stepWarning(int direction);
    ~MainWindow() override;

  private:
    void showLoaded(const QString& path, LoadedProgram loaded);
    void showProgram(std::string text, bool mayKeepView);
    void reinterpret();
    void showTotals();
    void lineChosen(const QModelIndex& index);
    void plotClicked(int line);
    void cutWorkpiece();
    std::shared_ptr<const WorkpieceCut> cutFromStock();
    void showWorkpieceAfter(int linesRun);
    void saveAs();
    // A program a press wrote, with its workpiece: shown, and the window brought up.
    void showPressed(const QString& path, const QString& workpiece, const QString& dialect,
                     const QString& rapid);

    QStackedWidget* pages_;
    QLabel* message_;
    PlotWidget* plot_;
    ProgramListView* lines_;
    LineModel* model_;
    QLabel* selection_;  // the chosen line's move
    ReadingChoices reading_;
    WarningPanel* warningPanel_;
    ToolList* tools_;
    DecodedText decoded_;
    std::shared_ptr<const Toolpath> path_;

    // The workpiece, its cut and the file followed.
    CutWarningLines* cutLines_;
    StepBar* stepBar_;
    QPushButton* saveAs_;
    ProgramFollower* follower_;
    OpenCommands* openCommands_;
    StatusLine* status_;
    FindBar* findBar_;
    GoToLineBar* goToLine_;
    MeasureTool* measure_;
    QString file_;
    QString dialectFile_;  // the file the dialect box's choice was made for
    std::vector<std::filesystem::path> subroutineFolders_;
    QString toolFile_;
    std::shared_ptr<const ToolTable> toolTable_;
    std::string bytes_;  // the program as read, for saving it as it is
    std::optional<Workpiece> workpiece_;
    std::shared_ptr<const WorkpieceCut> cut_;
    std::unique_ptr<WorkpieceLayer> layer_;
    // The bar of a program that is not the wizard's.
    QLabel* stockLine_;
    QPushButton* stockButton_;
    QString stockGivenFile_;  // the file the command line's bar is for
    std::optional<Stock> stockGiven_;
    std::optional<StockInUse> stock_;
};

}  // namespace zivek::backplot

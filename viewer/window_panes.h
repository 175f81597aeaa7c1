#pragma once

// The panes the viewer's window is put together from, each built and set up here: the
// plot with its rows of buttons and choices, the program's lines with the warning panel
// under them, and the page that stands in for both when a file cannot be shown.

#include <QList>

class QAbstractItemModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QAbstractItemView;
class QMenu;
class QMenuBar;
class QPushButton;
class QSlider;
class QWidget;

namespace zivek::backplot {

class PlotWidget;
class RapidRateBox;
class StepBar;
class ToolList;
class WarningPanel;

// How the program is read and timed.
struct ReadingChoices {
    QComboBox* dialect;       // the first entry names the dialect read from the program
    QCheckBox* halfSection;   // turns the plot's half-section on and off
    RapidRateBox* rapidRate;  // as the user left it; kept when changed
    QLabel* dialectLine;      // which dialect was read and why; its link opens the box
};
ReadingChoices makeReadingChoices(QWidget* window, PlotWidget* plot);

// "Farklı kaydet…", without its command; in `menu` too, with the desktop's key, where it
// follows the button's state.
QPushButton* makeSaveAsButton(QWidget* window);
void addSaveAsToMenu(QPushButton* saveAs, QMenu* menu);
// "Çıkış" at the end of `menu`, with the desktop's key: closes the window.
void addExitToMenu(QWidget* window, QMenu* menu);
// The bar a shop's program is cut from, said in a line whose link clicks `choose`.
struct StockRow {
    QLabel* line;
    QPushButton* choose;
};

// The turn of the plot, kept from one start to the next.
QPushButton* makeUprightButton(QWidget* window, PlotWidget* plot);

// The legend and the dialect read above the plot; below it the steps through the
// workpiece (hidden until there is one), the bar's line with fit and `buttons`, and the chosen
// line's move.
QWidget* makePlotPane(QWidget* window, PlotWidget* plot, const ReadingChoices& reading,
                      StepBar* steps, const QList<QPushButton*>& buttons, QLabel* selection,
                      const StockRow& stock);
// The choices of how the program is read and timed, at the right of the menu bar: a row
// of their own would take the plot's room on a small screen at 200 %.
void addReadingChoices(QMenuBar* menuBar, const ReadingChoices& reading);
// The lines of `program`, `bars` over them (hidden until called), and under them the
// warnings (hidden until there are some).
QWidget* makeSidePane(QWidget* window, QAbstractItemView* lines, QAbstractItemModel* program,
                      WarningPanel* warnings, const QList<QWidget*>& bars = {});
// The tool list, as high as its rows, above the side pane; hidden until a program names tools.
QWidget* withToolPane(QWidget* window, QWidget* sidePane, ToolList* tools);
// The plot's pane and the side pane beside it.
QWidget* makeProgramPage(QWidget* window, QWidget* plotPane, QWidget* sidePane);
// A warning sign over `message`, in large type, for a file that cannot be shown.
QWidget* makeMessagePage(QWidget* window, QLabel* message);

// Ctrl+Left, Ctrl+Right and Ctrl+End step the workpiece's slider wherever the focus is.
void addStepKeys(QWidget* window, QSlider* slider);

}  // namespace zivek::backplot

#pragma once

// The panes the viewer's window is put together from, each built and set up here: the
// plot with its rows of buttons and choices, the program's lines with the warning panel
// under them, and the page that stands in for both when a file cannot be shown.

#include <QList>

class QAbstractItemModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QSlider;
class QWidget;

namespace zivek::backplot {

class PlotWidget;
class RapidRateBox;
class StepBar;
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
// The turn of the plot, kept from one start to the next.
QPushButton* makeUprightButton(QWidget* window, PlotWidget* plot);

// Fit and the legend above the plot, and the reading choices; below it the steps through
// the workpiece (hidden until there is one), the bar's line with `buttons` and the chosen
// line's move.
QWidget* makePlotPane(QWidget* window, PlotWidget* plot, const ReadingChoices& reading,
                      StepBar* steps, const QList<QPushButton*>& buttons, QLabel* selection,
                      QLabel* stockLine);
// The lines of `program` and under them the warnings (hidden until there are some).
QWidget* makeSidePane(QWidget* window, QListView* lines, QAbstractItemModel* program,
                      WarningPanel* warnings);
// The plot's pane and the side pane beside it.
QWidget* makeProgramPage(QWidget* window, QWidget* plotPane, QWidget* sidePane);
// A warning sign over `message`, in large type, for a file that cannot be shown.
QWidget* makeMessagePage(QWidget* window, QLabel* message);

// Ctrl+Left, Ctrl+Right and Ctrl+End step the workpiece's slider wherever the focus is.
void addStepKeys(QWidget* window, QSlider* slider);

}  // namespace zivek::backplot

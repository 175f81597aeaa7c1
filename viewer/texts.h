#pragma once

// Every text the viewer shows, in Turkish. Positions and feeds are written with a point,
// as the program beside them writes them, whatever the desktop's regional settings; the
// times and lengths the window states take the Turkish decimal comma (decimalText).

#include <QDateTime>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "viewer/reader_names.h"
#include "viewer/wizard_operation.h"
#include "zivek/gcode/program_file.h"
#include "zivek/gcode/toolpath.h"
#include "zivek/workpiece/workpiece_cut.h"

namespace zivek::backplot {

QString number(double value);  // at most 3 decimals, no trailing zeros: 6.703, 60, -1.2
QString tooLargeText();        // for a number beyond the double range
// number() with the Turkish decimal comma: for the times and lengths the window states,
// which no program line stands beside.
QString decimalText(double value);
QString minutesText(double minutes);   // "0,25 dk (15 sn)"
QString durationText(double minutes);  // "15 sn", "2 dk 12 sn", "1 sa 15 dk"; empty under 1 s
QString loadFailureText(LoadStatus status, const QString& path);
QString noFileText();
// The setup sheet.
QString sheetTitleText();
QString sheetDateText(const QDateTime& when);
QString sheetDialectText(Dialect d, const DialectChoice& choice, bool diameter);
QString sheetTotalsTitle();
QString sheetRapidRateText(double rapidRate, bool inch);
QString sheetCutAreaTitle();  // the cutting moves' bounds
QString sheetSpanText(const QString& axis, double from, double to);
QString sheetLengthText(double length, bool inch);
QString sheetWarningsTitle(std::size_t count);
QString sheetNoWarningsText();
QString sheetWarningText(std::uint32_t line, const QString& text, bool workpiece);
QString sheetMoreWarningsText(std::size_t count);
QString sheetFooterText();
QString sheetLegendText(int entry);  // feed, rapid, workpiece warning, finished part
QString sheetFailedText(const QString& pdf);
QString sheetProgramDateText(const QDateTime& modified);  // the program file's own date
QString sheetButtonText();
QString sheetButtonTip();
QString sheetSaveActionText();
QString sheetPrintActionText();
QString sheetSaveDialogTitle();
QString sheetPrintDialogTitle();
QString pdfFilterText();
QString notSavedTitle();
QString notPrintedTitle();
QString sheetUsageText();
// What the sheet says besides its plot.
QString sheetProgramTitle(const QString& number, const QString& name, const QString& fileName);
QString sheetNotesTitle();
QString sheetSetupTitle();
QString sheetUnitsText(bool inch, bool diameter);
QString sheetWorkOffsetText(const QStringList& offsets);
QString sheetSpindleLimitText(const std::vector<double>& rpm);  // none: no limit set
QString sheetSurfaceSpeedText(const std::vector<double>& speeds, bool inch);
QString sheetStockTitle(bool known);
QString sheetShopStockTitle();  // a shop program's bar, given, named or guessed
QString sheetOperationTitle(const QString& operation);
QString sheetZeroMarkText();
QString sheetToolsGoOnTitle();
QString sheetMoreToolsText(std::size_t count);
QString sheetSecondPageText(const QString& program);
QString sheetFarPointText(double z, double x);
QString sheetSignatureText(int box);  // "Notlar", "Hazırlayan", "Onaylayan", "Tarih"
QString sheetSavedText(const QString& pdf);
QString sheetOpenFolderText();
QString wizardKindText(WizardKind kind);
QString wizardValueText(WizardBox box, double value);
// The command line.
QString viewerDescriptionText();
QString programArgumentText();
QString workpieceOptionText();
QString summaryOptionText();
QString sheetOptionText();
QString summaryUsageText();
QString rapidOptionText();
QString rapidUsageText();
QString exitDoneText();
QString exitFailedText();
QString exitBadCommandLineText();
QString warningText(const LineWarning& warning);
QString warningKindText(Warning kind);  // the group's name in the warning panel
QString moveCountText(const Summary& s);
// Lengths and feeds in the path's units: millimetres, or inches under G20.
QString lengthUnitText(bool inch);                    // "mm", "inç"
QString feedUnitText(bool inch, bool perRevolution);  // "mm/dk", "inç/dev", ...
QString feedLengthText(const Summary& s, bool inch);
QString rapidLengthText(const Summary& s, bool inch);
QString cuttingTimeText(const Summary& s);
QString totalTimeText(const Summary& s, double rapidRate);
QString rapidTimeText(const Summary& s, double rapidRate, bool inch);  // the total's tooltip
QString dialectName(Dialect d);
QString dialectChoiceText(Dialect d);    // the dialect box's entry that forces one dialect
QString detectedDialectText(Dialect d);  // the dialect box's first entry
// Which control the program was read as and why: "Fanuc olarak okundu: O numarası, G95".
// At most `most` signs, the strongest, then "…".
QString dialectReasonsText(Dialect d, const DialectChoice& choice,
                           std::size_t most = std::size_t(-1));
QString dialectSignText(DialectSign sign);
// The signs alone, or that it was chosen by hand: "O numarası, G95 (emin değil)".
QString dialectWhyText(const DialectChoice& choice, std::size_t most = std::size_t(-1));
QString dialectLineText(Dialect d, const DialectChoice& choice);  // rich text, with its link
QString dialectLineTip();
// The dialect a user names: a row's key ("generic", "fanuc", "linuxcnc"), its name, or
// "genel"; none when the name is no dialect's.
std::optional<Dialect> dialectByKey(const QString& key);
QString dialectOptionText();
QString unknownDialectText(const QString& key);
QString xAxisText(bool diameter);
QString xAxisText(bool diameter, bool inch);  // "X çap (mm)"
QString zAxisText(bool inch);                 // "Z (mm)"
QString warningCountText(std::size_t lines);
QString moveText(const Toolpath& path, std::size_t move);
// A chosen line's move and its warnings (one a text line); the hint when it has neither.
QString chosenLineText(const Toolpath& path, std::size_t line, const QString& warnings);
// Where the pointer is: Z, and X both as the program writes it and the other way.
QString pointerText(Point p, double xScale, bool inch);
QString noMovesText();
QString idleHintText();
QString windowTitle(const QString& fileName);

// The workpiece checks.
QString cutWarningText(const CutWarning& warning);
QString cutWarningKindText(CutCheck check);  // the group's name in the warning panel
// The status line's count; empty when there is nothing to say.
QString cutWarningCountText(std::size_t warnings, bool cutShort);
QString stepText(std::size_t line, std::size_t lineCount);

// Opening programs.
QString fileMenuText();
QString openText();  // the command, with its "…"
QString openToolTip();
QString openDialogTitle();
QString saveDialogTitle();
QString programFilesFilter();  // the file dialogs' filter list
QString recentFilesText();
QString noRecentFilesText();
QString openFailedTitle();

// The warning panel.
QString warningTotalText(std::size_t warnings);  // empty panel: "Uyarı yok"
QString warningLineText(std::size_t line, const QString& text);
QString warningGroupText(const QString& kind, std::size_t count);
QString previousWarningText();
QString nextWarningText();
QString previousWarningToolTip();
QString nextWarningToolTip();

// The window's fixed labels and tips (window_texts.cpp), each written once.
enum class UiText {
    WindowTitle,
    Fit,
    FitTip,
    LegendFeed,
    LegendRapid,
    LegendSelected,
    DialectFromProgram,
    DialectTip,
    HalfSection,
    HalfSectionTip,
    RapidPrefix,
    RapidTip,
    Upright,
    UprightTip,
    SaveAs,
    SaveAsTip,
    Step,
    StepBackTip,
    StepForwardTip,
    StepEnd,
    StepEndTip,
    StepSliderTip,
    Chuck,
};
QString uiText(UiText t);
QString programNotSavedText(const QString& path, const QString& why = {});
// Why `path` could not be written, in Turkish: the folder's state where it explains it.
QString fileErrorText(const QString& path, QFileDevice::FileError error);
QString exitText();  // the file menu's last command

// The tool list and the setup sheet's tools.
// "Takım", "Süre", "Kesme boyu", "Hareket", "Açıklama": the figures first, so that a
// narrow pane cuts the description short, not the time.
QStringList toolColumnTexts();
QStringList toolRowTexts(const ToolChange& tool, bool inch);
QString toolListTip();
QString toolNameText(const ToolChange& tool);  // "T2 (D2)"
QString toolTimeText(const MoveTotals& totals);
QString sheetToolsTitle(std::size_t count);
// "2. T2 DIS FINIS 0.4R, satır 9: 14 hareket, kesme 120,5 mm, 0,4 dk (24 sn)"
QString sheetToolText(std::size_t order, const ToolChange& tool, bool inch);

// The tool table: its dialog, its menu entry and its command-line option.
QString settingsMenuText();
QString toolTableMenuText();
QString toolTableTitle();
QStringList toolTableHeaders();  // T, insert code, nose radius, tip, description
QString toolTableUnitsText();
QString toolTableMillimetresText();
QString toolTableInchesText();
QString toolTableAddText();
QString toolTableRemoveText();
QString toolTableSaveText();
QString toolTableCancelText();
QString toolTableHintText();
QString toolTableFileText(const QString& path);
QString toolTableRowFault(int row, const QString& column);
QString toolTableWriteFailedText(const QString& path);
QString toolsOptionText();
QString toolTableUnreadableText(const QString& path);

}  // namespace zivek::backplot

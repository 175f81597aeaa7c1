#include "viewer/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStatusBar>
#include <cmath>

#include "common/command_line.h"
#include "viewer/cut_warning_lines.h"
#include "viewer/file_dialog.h"
#include "viewer/find_bar.h"
#include "viewer/find_measure_texts.h"
#include "viewer/go_to_line_bar.h"
#include "viewer/line_model.h"
#include "viewer/measure_tool.h"
#include "viewer/open_commands.h"
#include "viewer/plot_widget.h"
#include "viewer/program_follower.h"
#include "viewer/program_list_view.h"
#include "viewer/rapid_rate_box.h"
#include "viewer/reader_names.h"
#include "viewer/recent_files.h"
#include "viewer/search_keys.h"
#include "viewer/sheet_commands.h"
#include "viewer/status_line.h"
#include "viewer/step_bar.h"
#include "viewer/stock_dialog.h"
#include "viewer/texts.h"
#include "viewer/tool_list.h"
#include "viewer/tool_table_dialog.h"
#include "viewer/warning_panel.h"
#include "viewer/window_place.h"
#include "viewer/workpiece_layer.h"
#include "zivek/gcode/program_file.h"
#include "zivek/workpiece/workpiece_cut.h"

namespace zivek::backplot {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      pages_(new QStackedWidget(this)),
      message_(new QLabel(this)),
      plot_(new PlotWidget(this)),
      lines_(new ProgramListView(this)),
      model_(new LineModel(this)),
      selection_(new QLabel(this)),
      reading_(makeReadingChoices(this, plot_)),
      warningPanel_(new WarningPanel(this)),
      tools_(new ToolList(this)),
      cutLines_(new CutWarningLines(this)),
      stepBar_(new StepBar(this)),
      saveAs_(makeSaveAsButton(this)),
      follower_(new ProgramFollower(this)),
      openCommands_(
          new OpenCommands(this, [this](const QString& path) { return openOther(path); })),
      status_(new StatusLine(statusBar(), plot_)),
      findBar_(new FindBar(
          this, [this]() -> const std::string& { return model_->text(); },
          [this] { return lines_->currentIndex().row(); })),
      goToLine_(new GoToLineBar(this, [this] { return std::size_t(model_->rowCount()); })),
      measure_(new MeasureTool(plot_)),
      layer_(std::make_unique<WorkpieceLayer>()),
      stockLine_(new QLabel(this)),
      stockButton_(new QPushButton(QStringLiteral("Ham parça…"), this)) {
    plot_->setLayer(layer_.get());
    cutLines_->setSourceModel(model_);
    stockButton_->setToolTip(QStringLiteral("Programın kesildiği çubuk: çap, boy, delik, ayna"));
    QPushButton* sheetButton = makeSheetButton(this, [this] { return sheetContent(); });
    QWidget* plotPane = makePlotPane(
        this, plot_, reading_, stepBar_,
        {makeUprightButton(this, plot_), makeMeasureButton(this, measure_), saveAs_, sheetButton},
        selection_, {stockLine_, stockButton_});
    QWidget* sidePane = withToolPane(
        this, makeSidePane(this, lines_, cutLines_, warningPanel_, {findBar_, goToLine_}), tools_);
    pages_->addWidget(makeProgramPage(this, plotPane, sidePane));
    pages_->addWidget(makeMessagePage(this, message_));
    setCentralWidget(pages_);
    addSaveAsToMenu(saveAs_, openCommands_->fileMenu());
    addSheetToMenu(sheetButton, openCommands_->fileMenu());
    addExitToMenu(this, openCommands_->fileMenu());
    addReadingChoices(menuBar(), reading_);
    addStepKeys(this, stepBar_->slider());
    addSearchKeys(this, lines_, findBar_, goToLine_);
    const auto backToLines = [this] { lines_->setFocus(); };
    connect(findBar_, &FindBar::closed, this, backToLines);
    connect(goToLine_, &GoToLineBar::closed, this, backToLines);
    // The nose data G41/G42 take; the program is read again when the table is saved.
    setToolTableFile(toolTableFile());
    addToolTableMenu(
        this, [this] { return toolFile_; }, [this] { setToolTableFile(toolFile_); });

    connect(lines_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { lineChosen(current); });
    connect(plot_, &PlotWidget::lineClicked, this, &MainWindow::plotClicked);
    connect(reading_.dialect, &QComboBox::currentIndexChanged, this, [this] {
        dialectFile_ = file_;
        reinterpret();
    });
    connect(reading_.rapidRate, &RapidRateBox::rateChanged, this, &MainWindow::showTotals);
    connect(warningPanel_, &WarningPanel::lineChosen, this, &MainWindow::plotClicked);
    connect(tools_, &ToolList::lineChosen, this, &MainWindow::plotClicked);
    connect(warningPanel_, &WarningPanel::stepRequested, this, &MainWindow::stepWarning);
    connect(stepBar_, &StepBar::linesRunChosen, this, [this](int linesRun) {
        const QModelIndex index = cutLines_->index(linesRun - 1, 0);
        lines_->setCurrentIndex(index);
        lines_->scrollTo(index);
    });
    connect(saveAs_, &QPushButton::clicked, this, &MainWindow::saveAs);
    connect(stockButton_, &QPushButton::clicked, this, &MainWindow::chooseStock);
    connect(follower_, &ProgramFollower::pressed, this, &MainWindow::showPressed);
    connect(follower_, &ProgramFollower::changedOnDisk, this, &MainWindow::reload);
    connect(findBar_, &FindBar::lineChosen, this, &MainWindow::plotClicked);
    connect(goToLine_, &GoToLineBar::lineChosen, this, &MainWindow::plotClicked);
    connect(measure_, &MeasureTool::textChanged, this, [this](const QString& text) {
        // Measuring over: the line says the chosen line's move again, or the hint.
        selection_->setText(text.isEmpty() && path_ ? idleHintText() : text);
        if (text.isEmpty() && path_) lineChosen(lines_->currentIndex());
    });

    setWindowTitle(uiText(UiText::WindowTitle));
    // The size the window was designed at, where the screen has room for it.
    (new WindowPlace(this, QSize(1240, 760)))->restore();
}

MainWindow::~MainWindow() = default;

void MainWindow::openFile(const QString& path) {
    // Through UTF-16: on Windows the 8-bit code page has no "İ" or "ş" for a Turkish folder.
    LoadedProgram loaded = loadProgramFile(zivek::app::toPath(path));
    if (loaded.status != LoadStatus::Ok) {
        setWindowTitle(zivek::backplot::windowTitle(QFileInfo(path).fileName()));
        file_ = QFileInfo(path).absoluteFilePath();
        follower_->follow(file_);
        showMessage(loadFailureText(loaded.status, path));
        return;
    }
    showLoaded(path, std::move(loaded));
}

void MainWindow::showPressed(const QString& path, const QString& workpiece, const QString& dialect,
                             const QString& rapid) {
    setWorkpiece(readWorkpiece(workpiece.toStdString()));
    // A second viewer's command line counts as if given to this one.
    if (const auto given = dialectByKey(dialect)) chooseDialect(*given, path);
    bool number = false;
    const double rate = rapid.toDouble(&number);
    if (number && rate > 0 && std::isfinite(rate)) setRapidRate(rate);
    openFile(path);
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

bool MainWindow::openOther(const QString& path) {
    // The wizard's workpiece belongs to the program it wrote, not to another one.
    const bool another = QFileInfo(path).absoluteFilePath() != file_;
    if (!path_) {  // nothing shown to keep: as at start
        if (another) workpiece_.reset();
        openFile(path);
        return path_ != nullptr;
    }
    LoadedProgram loaded = loadProgramFile(zivek::app::toPath(path));
    if (loaded.status != LoadStatus::Ok) {
        QMessageBox::warning(this, openFailedTitle(), loadFailureText(loaded.status, path));
        return false;
    }
    if (another) workpiece_.reset();
    showLoaded(path, std::move(loaded));
    return true;
}

void MainWindow::showLoaded(const QString& path, LoadedProgram loaded) {
    setWindowTitle(zivek::backplot::windowTitle(QFileInfo(path).fileName()));
    const bool sameFile = QFileInfo(path).absoluteFilePath() == file_;
    file_ = QFileInfo(path).absoluteFilePath();
    // A dialect chosen by hand was chosen for its file: another one is guessed again.
    if (file_ != dialectFile_) {
        const QSignalBlocker quiet(reading_.dialect);
        reading_.dialect->setCurrentIndex(0);
    }
    follower_->follow(file_);
    openCommands_->remember(file_);
    decoded_ = loaded.decoded;
    bytes_ = std::move(loaded.bytes);
    showProgram(std::move(loaded.text), sameFile);
}

void MainWindow::reload() {
    if (!file_.isEmpty()) openFile(file_);
}

void MainWindow::setWorkpiece(std::optional<Workpiece> workpiece) {
    workpiece_ = std::move(workpiece);
    if (workpiece_ && workpiece_->empty()) workpiece_.reset();
    if (path_) {
        cutWorkpiece();
        showWorkpieceAfter(stepBar_->linesRun());
    }
}

void MainWindow::chooseDialect(Dialect dialect, const QString& path) {
    const QSignalBlocker quiet(reading_.dialect);
    reading_.dialect->setCurrentIndex(1 + int(dialect));
    dialectFile_ = QFileInfo(path).absoluteFilePath();
    if (path_ && dialectFile_ == file_) reinterpret();
}

void MainWindow::setSubroutineFolders(std::vector<std::filesystem::path> folders) {
    subroutineFolders_ = std::move(folders);
    if (path_) reinterpret();
}

void MainWindow::setToolTableFile(const QString& path) {
    toolFile_ = path;
    toolTable_ = loadToolTable(path);
    if (path_) reinterpret();
}

void MainWindow::reinterpret() {
    if (!path_) return;
    std::string text = model_->text();
    showProgram(std::move(text), true);
}

void MainWindow::stepWarning(int direction) {
    const int line = warningPanel_->lineFrom(lines_->currentIndex().row(), direction);
    if (line >= 0) plotClicked(line);
}

void MainWindow::showMessage(const QString& text) {
    message_->setText(text);
    pages_->setCurrentIndex(1);
    status_->clear();
    selection_->clear();
    reading_.dialectLine->clear();
    // Nothing of an earlier program may stay behind, on screen or for saving.
    path_.reset();
    bytes_.clear();
    cut_.reset();
    stock_.reset();
    stockLine_->hide();
    layer_->setCut(nullptr, nullptr);
    cutLines_->setWarnings({});
    warningPanel_->setWarnings(Toolpath{}, {});
    warningPanel_->setVisible(false);
    tools_->showTools(Toolpath{});
    stepBar_->setVisible(false);
    model_->setProgram({}, std::make_shared<const Toolpath>());
    plot_->setToolpath(nullptr);
    saveAs_->setEnabled(false);
}

QString MainWindow::message() const {
    return pages_->currentIndex() == 1 ? message_->text() : QString();
}

void MainWindow::showProgram(std::string text, bool mayKeepView) {
    ReadOptions options;
    options.autoDialect = reading_.dialect->currentIndex() <= 0;
    if (!options.autoDialect) options.dialect = Dialect(reading_.dialect->currentIndex() - 1);
    // The program's own folder first, as LinuxCNC finds a subroutine beside its program.
    if (!file_.isEmpty())
        options.subroutineFolders.push_back(zivek::app::toPath(QFileInfo(file_).absolutePath()));
    options.subroutineFolders.insert(options.subroutineFolders.end(), subroutineFolders_.begin(),
                                     subroutineFolders_.end());
    options.tools = toolTable_;
    auto path = std::make_shared<const Toolpath>(interpret(text, options));
    const auto& was = path_ ? path_->summary.extent : Extent{};
    const auto& is = path->summary.extent;
    const bool keepView =
        mayKeepView && path_ && was.empty == is.empty && was.min == is.min && was.max == is.max;
    path_ = std::move(path);
    model_->setProgram(std::move(text), path_);
    plot_->setToolpath(path_, keepView);
    reading_.halfSection->setEnabled(path_->diameterMode);
    reading_.rapidRate->setInch(path_->inch);
    pages_->setCurrentIndex(0);
    saveAs_->setEnabled(true);
    stepBar_->setLineCount(int(path_->lineCount));
    tools_->showTools(*path_);
    cutWorkpiece();
    status_->showProgram(path_->summary, path_->inch, model_->linesWithWarnings());
    showTotals();
    reading_.dialect->setItemText(0, detectedDialectText(path_->dialect));
    reading_.dialectLine->setText(dialectLineText(path_->dialect, path_->dialectChoice));
    // Cut short on a narrow window: the whole line in its tooltip.
    reading_.dialectLine->setToolTip(dialectReasonsText(path_->dialect, path_->dialectChoice) +
                                     QLatin1Char('\n') + dialectLineTip());
    // Where the line has no room, the box says why it was read so.
    reading_.dialect->setToolTip(dialectReasonsText(path_->dialect, path_->dialectChoice) +
                                 QLatin1Char('\n') + uiText(UiText::DialectTip));
    selection_->setText(idleHintText());
    findBar_->programChanged();
    measure_->restart();
    plot_->setFocus();
}

void MainWindow::cutWorkpiece() {
    cut_.reset();
    stock_.reset();
    stockLine_->clear();
    if (workpiece_ && path_)
        cut_ = std::make_shared<const WorkpieceCut>(
            *workpiece_, std::shared_ptr<const std::vector<Move>>(path_, &path_->moves));
    else if (path_)
        cut_ = cutFromStock();
    stockLine_->setVisible(stock_.has_value());
    stockLine_->setToolTip(stockLine_->text());
    layer_->setCut(cut_, path_);
    stepBar_->setVisible(cut_ && !cut_->empty());
    const std::vector<CutWarning> noWarnings;
    const std::vector<CutWarning>& cutWarnings = cut_ ? cut_->warnings() : noWarnings;
    cutLines_->setWarnings(cutWarnings);
    warningPanel_->setWarnings(*path_, cutWarnings);
    warningPanel_->setVisible(!warningPanel_->empty());
    status_->showCutWarnings(cut_.get());
    plot_->workpieceChanged();
}

std::shared_ptr<const WorkpieceCut> MainWindow::cutFromStock() {
    std::optional<Stock> given;
    if (stockGiven_ && stockGivenFile_ == file_) given = stockGiven_;
    if (!given && !file_.isEmpty())
        given = readStockWords(StockPerFile().wordsFor(file_).toStdString());
    const std::string& text = model_->text();
    stock_ = stockFor(given, text, *path_);
    if (!stock_) return nullptr;
    ShopCut shop = shopCut(stock_->stock, toolTable_.get(), path_->inch, toolChangesOf(*path_),
                           contourPart(*path_, text, stock_->stock));
    shop.start.warnRapidsIntoMaterial = stock_->source != StockSource::Guessed;
    shop.start.arcs = arcChords(*path_);
    stockLine_->setText(stockLineText(*stock_, path_->inch, shop.missing, toolTable_ != nullptr) +
                        QStringLiteral(" · <a href=\"stock\">Değiştir…</a>"));
    stockLine_->setToolTip(
        stockLineText(*stock_, path_->inch, shop.missing, toolTable_ != nullptr, true));
    return std::make_shared<const WorkpieceCut>(
        std::move(shop.start), std::shared_ptr<const std::vector<Move>>(path_, &path_->moves));
}

void MainWindow::giveStock(const QString& path, std::optional<Stock> stock) {
    stockGivenFile_ = QFileInfo(path).absoluteFilePath();
    stockGiven_ = stock;
    if (path_ && stockGivenFile_ == file_) {
        cutWorkpiece();
        showWorkpieceAfter(stepBar_->linesRun());
    }
}

void MainWindow::setToolTable(std::shared_ptr<const ToolTable> tools) {
    toolTable_ = std::move(tools);
    if (path_) reinterpret();
}

void MainWindow::chooseStock() {
    if (!path_ || workpiece_) return;
    StockDialog dialog(this, stock_ ? stock_->stock : Stock{}, path_->inch);
    if (dialog.exec() != QDialog::Accepted || !dialog.choice()) return;
    const std::optional<Stock> chosen = *dialog.choice();
    StockPerFile().keep(file_, chosen ? QString::fromStdString(stockWords(*chosen)) : QString());
    // The dialog's bar is the file's from now on, over this run's command line.
    if (stockGivenFile_ == file_) stockGiven_.reset();
    cutWorkpiece();
    showWorkpieceAfter(stepBar_->linesRun());
}

void MainWindow::showWorkpieceAfter(int linesRun) {
    if (!path_ || layer_->empty()) return;
    layer_->showAfter(path_->movesBefore(std::size_t(std::max(linesRun, 0))));
    plot_->layerChanged();
}

void MainWindow::saveAs() {
    const QString path = chooseProgramFile(this, FileChoice::Save, saveDialogTitle(), file_);
    if (path.isEmpty()) return;
    QString why;
    if (!saveProgramAs(path, &why))
        QMessageBox::warning(this, notSavedTitle(), programNotSavedText(path, why));
}

bool MainWindow::saveProgramAs(const QString& path, QString* why) const {
    if (!path_) return false;
    QSaveFile file(path);
    const std::string& bytes = bytes_.empty() ? model_->text() : bytes_;
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes.data(), qint64(bytes.size()));
        if (file.commit()) return true;
    }
    if (why != nullptr) *why = fileErrorText(path, file.error());
    return false;
}

void MainWindow::setRapidRate(double millimetresPerMinute) {
    reading_.rapidRate->setMillimetresPerMinute(millimetresPerMinute);
}

SheetContent MainWindow::sheetContent() const {
    SheetContent c;
    if (!path_) return c;
    c.file = file_;
    c.programText = model_->text();
    c.printed = QDateTime::currentDateTime();
    c.path = path_;
    c.cut = cut_.get();
    c.layer = layer_.get();
    c.view = plot_->viewport();
    c.axes = plot_->axisNames();
    c.rapidRate = reading_.rapidRate->perMinute();
    if (stock_ && !workpiece_) {
        // The window's line, plain: the sheet has its own heading for it.
        c.stock = stockLineText(*stock_, path_->inch, {}, true)
                      .remove(QRegularExpression(QStringLiteral("<[^>]*>")))
                      .remove(QStringLiteral("Ham parça: "));
    }
    return c;
}

void MainWindow::showTotals() {
    if (!path_) return;
    status_->showTotalTime(path_->summary, reading_.rapidRate->perMinute(), path_->inch);
}

void MainWindow::lineChosen(const QModelIndex& index) {
    plot_->selectLine(index.isValid() ? index.row() : -1);
    stepBar_->showLinesRun(index.isValid() ? index.row() + 1 : int(path_ ? path_->lineCount : 0));
    showWorkpieceAfter(index.isValid() ? index.row() + 1 : stepBar_->linesRun());
    if (!index.isValid() || !path_) return;
    if (measure_->active()) return;  // the line under the plot says the measure
    // A line's warnings are otherwise only in its tooltip, which nobody has to find.
    selection_->setText(
        chosenLineText(*path_, std::size_t(index.row()), index.data(Qt::ToolTipRole).toString()));
    if (!plot_->chosenContours().empty()) {
        std::vector<std::uint32_t> cycles;
        for (const std::size_t c : plot_->chosenContours())
            cycles.push_back(path_->contours[c].cycleLine);
        selection_->setText(contourLineText(cycles));
    }
}

QString MainWindow::selectionText() const {
    return selection_->text();
}

void MainWindow::plotClicked(int line) {
    const QModelIndex index = cutLines_->index(line, 0);
    lines_->setCurrentIndex(index);
    lines_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

}  // namespace zivek::backplot

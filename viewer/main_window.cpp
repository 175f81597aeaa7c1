#include "viewer/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#include "common/command_line.h"
#include "viewer/cut_warning_lines.h"
#include "viewer/file_dialog.h"
#include "viewer/line_model.h"
#include "viewer/open_commands.h"
#include "viewer/plot_painter.h"
#include "viewer/plot_widget.h"
#include "viewer/program_follower.h"
#include "viewer/reader_names.h"
#include "viewer/sheet_commands.h"
#include "viewer/step_bar.h"
#include "viewer/texts.h"
#include "viewer/totals_row.h"
#include "viewer/warning_panel.h"
#include "viewer/window_place.h"
#include "viewer/workpiece_layer.h"
#include "zivek/gcode/program_file.h"
#include "zivek/workpiece/workpiece_cut.h"

namespace zivek::backplot {
namespace {
// A lathe's rapid traverse, until the user sets the machine's own.
constexpr double kDefaultRapidRate = 10000;

QSettings viewerSettings() {
    return QSettings(QStringLiteral("zivek"), QStringLiteral("zivek-backplot"));
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent),
      pages_(new QStackedWidget(this)),
      message_(new QLabel(this)),
      plot_(new PlotWidget(this)),
      lines_(new QListView(this)),
      model_(new LineModel(this)),
      moveCount_(new QLabel(this)),
      feedLength_(new QLabel(this)),
      rapidLength_(new QLabel(this)),
      cuttingTime_(new QLabel(this)),
      warnings_(new QLabel(this)),
      pointer_(new QLabel(this)),
      selection_(new QLabel(this)),
      totalTime_(new QLabel(this)),
      dialectChoice_(new QComboBox(this)),
      halfSection_(new QCheckBox(uiText(UiText::HalfSection), this)),
      rapidRate_(new QDoubleSpinBox(this)),
      warningPanel_(new WarningPanel(this)),
      cutLines_(new CutWarningLines(this)),
      stepBar_(new StepBar(this)),
      cutWarnings_(new QLabel(this)),
      saveAs_(new QPushButton(uiText(UiText::SaveAs), this)),
      follower_(new ProgramFollower(this)),
      openCommands_(
          new OpenCommands(this, [this](const QString& path) { return openOther(path); })),
      layer_(std::make_unique<WorkpieceLayer>()) {
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont big = message_->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    message_->setFont(big);

    cutLines_->setSourceModel(model_);
    lines_->setModel(cutLines_);
    lines_->setUniformItemSizes(true);  // 300,000 rows: no per-row measuring
    lines_->setIconSize(QSize(14, 14));
    lines_->setSelectionMode(QAbstractItemView::SingleSelection);
    lines_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* fit = new QPushButton(uiText(UiText::Fit), this);
    fit->setToolTip(uiText(UiText::FitTip));
    fit->setFocusPolicy(Qt::NoFocus);
    auto* legend = new QHBoxLayout;
    legend->setSpacing(4);
    for (const auto& [entry, text] :
         {std::pair{LegendEntry::Feed, uiText(UiText::LegendFeed)},
          std::pair{LegendEntry::Rapid, uiText(UiText::LegendRapid)},
          std::pair{LegendEntry::Selected, uiText(UiText::LegendSelected)}}) {
        auto* sample = new QLabel(this);
        sample->setPixmap(legendSample(entry));
        legend->addWidget(sample);
        legend->addWidget(new QLabel(text, this));
        legend->addSpacing(10);
    }
    dialectChoice_->addItems(
        {uiText(UiText::DialectFromProgram), dialectChoiceText(Dialect::Generic),
         dialectChoiceText(Dialect::Fanuc), dialectChoiceText(Dialect::LinuxCnc)});
    dialectChoice_->setToolTip(uiText(UiText::DialectTip));
    // The first entry names the dialect read from the program: room for the longest.
    dialectChoice_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    halfSection_->setToolTip(uiText(UiText::HalfSectionTip));
    rapidRate_->setRange(1, 1e6);
    rapidRate_->setDecimals(0);
    rapidRate_->setSingleStep(1000);
    rapidRate_->setPrefix(uiText(UiText::RapidPrefix));
    rapidRate_->setSuffix(uiText(UiText::RapidSuffix));
    rapidRate_->setToolTip(uiText(UiText::RapidTip));
    rapidRate_->setValue(
        viewerSettings().value(QStringLiteral("time/rapidRate"), kDefaultRapidRate).toDouble());
    for (QWidget* w : std::initializer_list<QWidget*>{dialectChoice_, halfSection_, rapidRate_})
        w->setFocusPolicy(Qt::NoFocus);
    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(6, 4, 6, 0);
    tools->addWidget(fit);
    tools->addSpacing(14);
    tools->addLayout(legend);
    tools->addStretch();
    // How the program is read and timed: a row of its own, so nothing is cut short.
    auto* reading = new QHBoxLayout;
    reading->setContentsMargins(6, 2, 6, 0);
    reading->addWidget(dialectChoice_);
    reading->addSpacing(10);
    reading->addWidget(halfSection_);
    reading->addSpacing(10);
    reading->addWidget(rapidRate_);
    reading->addStretch();
    auto* upright = new QPushButton(uiText(UiText::Upright), this);
    upright->setObjectName(QStringLiteral("upright"));
    upright->setCheckable(true);
    upright->setFocusPolicy(Qt::NoFocus);
    upright->setToolTip(uiText(UiText::UprightTip));
    saveAs_->setToolTip(uiText(UiText::SaveAsTip));
    saveAs_->setFocusPolicy(Qt::NoFocus);
    auto* plotPane = new QWidget(this);
    auto* plotLayout = new QVBoxLayout(plotPane);
    plotLayout->setContentsMargins(0, 0, 0, 0);
    plotLayout->addLayout(tools);
    plotLayout->addLayout(reading);
    plotLayout->addWidget(plot_, 1);
    // Below the plot: the steps through the workpiece, the turn and keeping the program;
    // the row above is full with the reader's choices.
    auto* below = new QHBoxLayout;
    below->setContentsMargins(0, 0, 6, 0);
    // The steps take a row of their own: beside the buttons they would not fit a small
    // screen at 200 %.
    plotLayout->addWidget(stepBar_);
    stepBar_->hide();  // until there is a workpiece to step through
    below->addStretch();
    below->addWidget(upright);
    below->addWidget(saveAs_);
    below->addWidget(makeSheetButton(this, [this] { return sheetContent(); }));
    plotLayout->addLayout(below);
    selection_->setContentsMargins(6, 2, 6, 2);
    // A long list of warnings must not widen the window.
    selection_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    plotLayout->addWidget(selection_);

    auto* side = new QSplitter(Qt::Vertical, this);
    side->addWidget(lines_);
    side->addWidget(warningPanel_);
    warningPanel_->hide();  // until a program has warnings
    side->setStretchFactor(0, 3);
    side->setStretchFactor(1, 1);
    auto* split = new QSplitter(this);
    split->addWidget(plotPane);
    split->addWidget(side);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setSizes({760, 240});

    auto* messagePage = new QWidget(this);
    auto* messageLayout = new QVBoxLayout(messagePage);
    auto* messageIcon = new QLabel(this);
    messageIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    messageIcon->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    message_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    messageLayout->addStretch();
    messageLayout->addWidget(messageIcon);
    messageLayout->addSpacing(8);
    messageLayout->addWidget(message_);
    messageLayout->addStretch();

    pages_->addWidget(split);
    pages_->addWidget(messagePage);
    setCentralWidget(pages_);

    auto* totals = new TotalsRow(this);
    totals->setLabels({moveCount_, feedLength_, rapidLength_, cuttingTime_, totalTime_, warnings_});
    statusBar()->addWidget(totals, 1);
    warnings_->setStyleSheet(QStringLiteral("color: #a15c00"));
    // The workpiece's warnings are what a machinist must not miss: never cut off.
    cutWarnings_->setStyleSheet(QStringLiteral("color: #d61f1f; font-weight: bold"));
    statusBar()->addPermanentWidget(cutWarnings_);
    statusBar()->addPermanentWidget(pointer_);

    connect(fit, &QPushButton::clicked, plot_, &PlotWidget::fitToPath);
    connect(lines_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { lineChosen(current); });
    connect(plot_, &PlotWidget::lineClicked, this, &MainWindow::plotClicked);
    connect(plot_, &PlotWidget::pointerMoved, this,
            [this](Point at) { pointer_->setText(pointerText(at, plot_->viewport().xFactor())); });
    connect(halfSection_, &QCheckBox::toggled, plot_, &PlotWidget::setHalfSection);
    connect(dialectChoice_, &QComboBox::currentIndexChanged, this, &MainWindow::reinterpret);
    connect(rapidRate_, &QDoubleSpinBox::valueChanged, this, [this](double rate) {
        viewerSettings().setValue(QStringLiteral("time/rapidRate"), rate);
        showTotals();
    });
    connect(warningPanel_, &WarningPanel::lineChosen, this, &MainWindow::plotClicked);
    connect(warningPanel_, &WarningPanel::stepRequested, this, &MainWindow::stepWarning);
    connect(plot_, &PlotWidget::pointerLeft, pointer_, &QLabel::clear);

    plot_->setLayer(layer_.get());
    connect(stepBar_, &StepBar::linesRunChosen, this, [this](int linesRun) {
        const QModelIndex index = cutLines_->index(linesRun - 1, 0);
        lines_->setCurrentIndex(index);
        lines_->scrollTo(index);
    });
    QSlider* slider = stepBar_->slider();
    for (const auto& [keys, action] :
         {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Left), QSlider::SliderSingleStepSub},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_Right), QSlider::SliderSingleStepAdd},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_End), QSlider::SliderToMaximum}})
        connect(new QShortcut(keys, this), &QShortcut::activated, slider,
                [slider, step = action] { slider->triggerAction(step); });
    connect(saveAs_, &QPushButton::clicked, this, &MainWindow::saveAs);
    // In the menu as well, with the desktop's key; it follows the button's state.
    openCommands_->fileMenu()
        ->addAction(saveAs_->text(), saveAs_, &QPushButton::click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    // The turn is the machinist's habit, kept from one start to the next.
    upright->setChecked(viewerSettings().value(QStringLiteral("view/upright"), false).toBool());
    plot_->setUpright(upright->isChecked());
    connect(upright, &QPushButton::toggled, this, [this](bool on) {
        plot_->setUpright(on);
        viewerSettings().setValue(QStringLiteral("view/upright"), on);
    });
    connect(follower_, &ProgramFollower::pressed, this,
            [this](const QString& path, const QString& workpiece) {
                setWorkpiece(readWorkpiece(workpiece.toStdString()));
                openFile(path);
                if (isMinimized()) showNormal();
                raise();
                activateWindow();
            });
    connect(follower_, &ProgramFollower::changedOnDisk, this, &MainWindow::reload);

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
    // Only the wizard hands over a workpiece, and its program is in the wizard's own form:
    // the workpiece and the passes assume it, whatever words were added by hand.
    if (workpiece_) {
        const QSignalBlocker quiet(dialectChoice_);
        dialectChoice_->setCurrentIndex(1 + int(Dialect::Generic));
    }
    if (path_) {
        cutWorkpiece();
        showWorkpieceAfter(stepBar_->linesRun());
    }
}

void MainWindow::setSubroutineFolders(std::vector<std::filesystem::path> folders) {
    subroutineFolders_ = std::move(folders);
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
    for (QLabel* l : {moveCount_, feedLength_, rapidLength_, cuttingTime_, warnings_, selection_,
                      totalTime_, cutWarnings_})
        l->clear();
    // Nothing of an earlier program may stay behind, on screen or for saving.
    path_.reset();
    bytes_.clear();
    cut_.reset();
    layer_->setCut(nullptr, nullptr);
    cutLines_->setWarnings({});
    warningPanel_->setWarnings(Toolpath{}, {});
    warningPanel_->setVisible(false);
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
    options.autoDialect = dialectChoice_->currentIndex() <= 0;
    if (!options.autoDialect) options.dialect = Dialect(dialectChoice_->currentIndex() - 1);
    // The program's own folder first, as LinuxCNC finds a subroutine beside its program.
    if (!file_.isEmpty())
        options.subroutineFolders.push_back(zivek::app::toPath(QFileInfo(file_).absolutePath()));
    options.subroutineFolders.insert(options.subroutineFolders.end(), subroutineFolders_.begin(),
                                     subroutineFolders_.end());
    auto path = std::make_shared<const Toolpath>(interpret(text, options));
    const auto& was = path_ ? path_->summary.extent : Extent{};
    const auto& is = path->summary.extent;
    const bool keepView =
        mayKeepView && path_ && was.empty == is.empty && was.min == is.min && was.max == is.max;
    path_ = std::move(path);
    model_->setProgram(std::move(text), path_);
    plot_->setToolpath(path_, keepView);
    halfSection_->setEnabled(path_->diameterMode);
    pages_->setCurrentIndex(0);
    saveAs_->setEnabled(true);
    stepBar_->setLineCount(int(path_->lineCount));
    cutWorkpiece();
    const Summary& s = path_->summary;
    moveCount_->setText(moveCountText(s));
    feedLength_->setText(feedLengthText(s));
    rapidLength_->setText(rapidLengthText(s));
    cuttingTime_->setText(cuttingTimeText(s));
    showTotals();
    warnings_->setText(warningCountText(model_->linesWithWarnings()));
    dialectChoice_->setItemText(0, detectedDialectText(path_->dialect));
    selection_->setText(idleHintText());
    plot_->setFocus();
}

void MainWindow::cutWorkpiece() {
    cut_.reset();
    if (workpiece_ && path_)
        cut_ = std::make_shared<const WorkpieceCut>(
            *workpiece_, std::shared_ptr<const std::vector<Move>>(path_, &path_->moves));
    layer_->setCut(cut_, path_);
    stepBar_->setVisible(cut_ && !cut_->empty());
    const std::vector<CutWarning> noWarnings;
    const std::vector<CutWarning>& cutWarnings = cut_ ? cut_->warnings() : noWarnings;
    cutLines_->setWarnings(cutWarnings);
    warningPanel_->setWarnings(*path_, cutWarnings);
    warningPanel_->setVisible(!warningPanel_->empty());
    cutWarnings_->setText(cut_ ? cutWarningCountText(cut_->warnings().size(), cut_->cutShort())
                               : QString());
    plot_->workpieceChanged();
}

void MainWindow::showWorkpieceAfter(int linesRun) {
    if (!path_ || layer_->empty()) return;
    layer_->showAfter(path_->movesBefore(std::size_t(std::max(linesRun, 0))));
    plot_->layerChanged();
}

void MainWindow::saveAs() {
    const QString path = chooseProgramFile(this, FileChoice::Save, saveDialogTitle(), file_);
    if (path.isEmpty()) return;
    if (!saveProgramAs(path))
        QMessageBox::warning(this, notSavedTitle(), programNotSavedText(path));
}

bool MainWindow::saveProgramAs(const QString& path) const {
    if (!path_) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const std::string& bytes = bytes_.empty() ? model_->text() : bytes_;
    file.write(bytes.data(), qint64(bytes.size()));
    return file.commit();
}

SheetContent MainWindow::sheetContent() const {
    SheetContent c;
    if (!path_) return c;
    c.file = file_;
    c.printed = QDateTime::currentDateTime();
    c.path = path_;
    c.cut = cut_.get();
    c.layer = layer_.get();
    c.view = plot_->viewport();
    c.xAxis = plot_->xAxisName();
    c.rapidRate = rapidRate_->value();
    return c;
}

void MainWindow::showTotals() {
    if (!path_) return;
    totalTime_->setText(totalTimeText(path_->summary, rapidRate_->value()));
    totalTime_->setToolTip(rapidTimeText(path_->summary, rapidRate_->value()));
}

void MainWindow::lineChosen(const QModelIndex& index) {
    plot_->selectLine(index.isValid() ? index.row() : -1);
    stepBar_->showLinesRun(index.isValid() ? index.row() + 1 : int(path_ ? path_->lineCount : 0));
    showWorkpieceAfter(index.isValid() ? index.row() + 1 : stepBar_->linesRun());
    if (!index.isValid() || !path_) return;
    const auto first = path_->firstMoveOf(std::size_t(index.row()));
    QString text = first ? moveText(*path_, *first) : QString();
    // A line's warnings are otherwise only in its tooltip, which nobody has to find.
    const QString warnings = index.data(Qt::ToolTipRole).toString();
    if (!warnings.isEmpty()) {
        if (!text.isEmpty()) text += QStringLiteral("   ");
        text += u'⚠' + QStringLiteral(" ") + warnings.split(u'\n').join(QStringLiteral(" · "));
    }
    selection_->setText(text.isEmpty() ? idleHintText() : text);
}

void MainWindow::plotClicked(int line) {
    const QModelIndex index = cutLines_->index(line, 0);
    lines_->setCurrentIndex(index);
    lines_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

}  // namespace zivek::backplot

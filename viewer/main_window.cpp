#include "viewer/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QShortcut>
#include <QSlider>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#include "gcode/program_file.h"
#include "viewer/cut_warning_lines.h"
#include "viewer/line_model.h"
#include "viewer/plot_painter.h"
#include "viewer/plot_widget.h"
#include "viewer/program_follower.h"
#include "viewer/step_bar.h"
#include "viewer/texts.h"
#include "viewer/warning_panel.h"
#include "viewer/workpiece_layer.h"
#include "viewer/workpiece_texts.h"
#include "workpiece/workpiece_cut.h"

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
      halfSection_(new QCheckBox(QStringLiteral("Yarım kesit"), this)),
      rapidRate_(new QDoubleSpinBox(this)),
      warningPanel_(new WarningPanel(this)),
      cutLines_(new CutWarningLines(this)),
      stepBar_(new StepBar(this)),
      cutWarnings_(new QLabel(this)),
      saveAs_(new QPushButton(QStringLiteral("Farklı kaydet…"), this)),
      follower_(new ProgramFollower(this)),
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

    auto* fit = new QPushButton(QStringLiteral("Sığdır"), this);
    fit->setToolTip(QStringLiteral("Takım yolunun tamamını göster (F ya da Home)"));
    fit->setFocusPolicy(Qt::NoFocus);
    auto* legend = new QHBoxLayout;
    legend->setSpacing(4);
    for (const auto& [entry, text] :
         {std::pair{LegendEntry::Feed, QStringLiteral("İlerleme (G1)")},
          std::pair{LegendEntry::Rapid, QStringLiteral("Hızlı (G0)")},
          std::pair{LegendEntry::Selected, QStringLiteral("Seçili satır")}}) {
        auto* sample = new QLabel(this);
        sample->setPixmap(legendSample(entry));
        legend->addWidget(sample);
        legend->addWidget(new QLabel(text, this));
        legend->addSpacing(10);
    }
    dialectChoice_->addItems({QStringLiteral("Lehçe: programdan"), QStringLiteral("Genel"),
                              QStringLiteral("Fanuc"), QStringLiteral("LinuxCNC")});
    dialectChoice_->setToolTip(QStringLiteral("Programın yazıldığı denetim"));
    // The first entry names the dialect read from the program: room for the longest.
    dialectChoice_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    halfSection_->setToolTip(
        QStringLiteral("Çapla yazılmış programı gerçek ölçüde, yarıçapla göster"));
    rapidRate_->setRange(1, 1e6);
    rapidRate_->setDecimals(0);
    rapidRate_->setSingleStep(1000);
    rapidRate_->setPrefix(QStringLiteral("Hızlı: "));
    rapidRate_->setSuffix(QStringLiteral(" /dk"));
    rapidRate_->setToolTip(QStringLiteral("Makinenin hızlı ilerlemesi, toplam süre için"));
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
    auto* upright = new QPushButton(QStringLiteral("90° döndür"), this);
    upright->setObjectName(QStringLiteral("upright"));
    upright->setCheckable(true);
    upright->setFocusPolicy(Qt::NoFocus);
    upright->setToolTip(QStringLiteral("Görünümü sihirbazın çizimleri gibi dik çevir: Z yukarı"));
    saveAs_->setToolTip(QStringLiteral("Gösterilen programı başka bir dosyaya kaydet"));
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
    below->addWidget(stepBar_, 1);
    below->addStretch();
    below->addWidget(upright);
    below->addWidget(saveAs_);
    plotLayout->addLayout(below);
    selection_->setContentsMargins(6, 2, 6, 2);
    // A long list of warnings must not widen the window.
    selection_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    plotLayout->addWidget(selection_);

    auto* side = new QSplitter(Qt::Vertical, this);
    side->addWidget(lines_);
    side->addWidget(warningPanel_);
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

    for (QLabel* l : {moveCount_, feedLength_, rapidLength_, cuttingTime_, totalTime_, warnings_})
        statusBar()->addWidget(l);
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

    setWindowTitle(QStringLiteral("Takım yolu (zivek-backplot)"));
    resize(1240, 760);
}

MainWindow::~MainWindow() = default;

void MainWindow::openFile(const QString& path) {
    setWindowTitle(zivek::backplot::windowTitle(QFileInfo(path).fileName()));
    const bool sameFile = QFileInfo(path).absoluteFilePath() == file_;
    file_ = QFileInfo(path).absoluteFilePath();
    follower_->follow(file_);
    // Through UTF-16: on Windows the 8-bit code page has no "İ" or "ş" for a Turkish folder.
    LoadedProgram loaded = loadProgramFile(std::filesystem::path(path.toStdU16String()));
    if (loaded.status != LoadStatus::Ok) {
        showMessage(loadFailureText(loaded.status, path));
        return;
    }
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
    auto path = std::make_shared<const Toolpath>(interpret(text, options));
    const auto& was = path_ ? path_->summary.extent : Extent{};
    const auto& is = path->summary.extent;
    const bool keepView =
        mayKeepView && path_ && was.empty == is.empty && was.min == is.min && was.max == is.max;
    path_ = std::move(path);
    model_->setProgram(std::move(text), path_);
    plot_->setToolpath(path_, keepView);
    warningPanel_->setPath(path_);
    warningPanel_->setVisible(!path_->warnings.empty());
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
    cutLines_->setWarnings(cut_ ? cut_->warnings() : std::vector<CutWarning>{});
    cutWarnings_->setText(cut_ ? cutWarningCountText(cut_->warnings().size(), cut_->cutShort())
                               : QString());
    plot_->layerChanged();
}

void MainWindow::showWorkpieceAfter(int linesRun) {
    if (!path_ || layer_->empty()) return;
    const auto& moves = path_->moves;
    const auto through =
        std::upper_bound(moves.begin(), moves.end(), std::uint32_t(std::max(linesRun - 1, 0)),
                         [](std::uint32_t line, const Move& m) { return line < m.line; });
    layer_->showAfter(linesRun <= 0 ? 0 : std::size_t(through - moves.begin()));
    plot_->layerChanged();
}

void MainWindow::saveAs() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Programı farklı kaydet"), file_,
        QStringLiteral("G kodu programları (*.TXT *.txt *.nc);;Tüm dosyalar (*)"));
    if (path.isEmpty()) return;
    if (!saveProgramAs(path))
        QMessageBox::warning(this, QStringLiteral("Kaydedilemedi"),
                             QStringLiteral("Program kaydedilemedi: %1").arg(path));
}

bool MainWindow::saveProgramAs(const QString& path) const {
    if (!path_) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const std::string& bytes = bytes_.empty() ? model_->text() : bytes_;
    file.write(bytes.data(), qint64(bytes.size()));
    return file.commit();
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
    const auto& moves = path_->moves;
    const auto it = std::lower_bound(moves.begin(), moves.end(), std::uint32_t(index.row()),
                                     [](const Move& m, std::uint32_t l) { return m.line < l; });
    QString text = it != moves.end() && it->line == std::uint32_t(index.row())
                       ? moveText(*path_, std::size_t(it - moves.begin()))
                       : QString();
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

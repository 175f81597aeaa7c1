#include "viewer/window_panes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QSplitter>
#include <QStyle>
#include <QVBoxLayout>

#include "viewer/plot_painter.h"
#include "viewer/plot_widget.h"
#include "viewer/rapid_rate_box.h"
#include "viewer/step_bar.h"
#include "viewer/texts.h"
#include "viewer/viewer_settings.h"
#include "viewer/warning_panel.h"
#include "zivek/gcode/dialect_names.h"

namespace zivek::backplot {
namespace {

// Fitting the view, and what the plot's lines mean.
QHBoxLayout* viewRow(QWidget* window, PlotWidget* plot) {
    auto* fit = new QPushButton(uiText(UiText::Fit), window);
    fit->setToolTip(uiText(UiText::FitTip));
    fit->setFocusPolicy(Qt::NoFocus);
    QObject::connect(fit, &QPushButton::clicked, plot, &PlotWidget::fitToPath);
    auto* legend = new QHBoxLayout;
    legend->setSpacing(4);
    for (const auto& [entry, text] :
         {std::pair{LegendEntry::Feed, uiText(UiText::LegendFeed)},
          std::pair{LegendEntry::Rapid, uiText(UiText::LegendRapid)},
          std::pair{LegendEntry::Selected, uiText(UiText::LegendSelected)}}) {
        auto* sample = new QLabel(window);
        sample->setPixmap(legendSample(entry));
        legend->addWidget(sample);
        legend->addWidget(new QLabel(text, window));
        legend->addSpacing(10);
    }
    auto* row = new QHBoxLayout;
    row->setContentsMargins(6, 4, 6, 0);
    row->addWidget(fit);
    row->addSpacing(14);
    row->addLayout(legend);
    row->addStretch();
    return row;
}

// How the program is read and timed: a row of its own, so nothing is cut short.
QHBoxLayout* readingRow(const ReadingChoices& reading) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(6, 2, 6, 0);
    row->addWidget(reading.dialect);
    row->addSpacing(10);
    row->addWidget(reading.halfSection);
    row->addSpacing(10);
    row->addWidget(reading.rapidRate);
    // What the rest of the row leaves: a row of its own would not fit a small screen at 200 %.
    row->addSpacing(10);
    row->addWidget(reading.dialectLine, 1);
    return row;
}

}  // namespace

ReadingChoices makeReadingChoices(QWidget* window, PlotWidget* plot) {
    const ReadingChoices c{new QComboBox(window),
                           new QCheckBox(uiText(UiText::HalfSection), window),
                           new RapidRateBox(window), new QLabel(window)};
    // After "from the program", every dialect the reader has a row for, in its order.
    c.dialect->addItem(uiText(UiText::DialectFromProgram));
    for (const DialectName& d : dialectNames()) c.dialect->addItem(dialectChoiceText(d.dialect));
    c.dialect->setToolTip(uiText(UiText::DialectTip));
    // The first entry names the dialect read from the program: room for the longest.
    c.dialect->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    c.dialectLine->setTextFormat(Qt::RichText);
    c.dialectLine->setToolTip(dialectLineTip());
    // Many signs must not widen the window.
    c.dialectLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QObject::connect(c.dialectLine, &QLabel::linkActivated, c.dialect, &QComboBox::showPopup);
    c.halfSection->setToolTip(uiText(UiText::HalfSectionTip));
    QObject::connect(c.halfSection, &QCheckBox::toggled, plot, &PlotWidget::setHalfSection);
    // The rate box takes typing; the other choices leave the keys to the plot.
    for (QWidget* w : std::initializer_list<QWidget*>{c.dialect, c.halfSection})
        w->setFocusPolicy(Qt::NoFocus);
    return c;
}

QPushButton* makeSaveAsButton(QWidget* window) {
    auto* button = new QPushButton(uiText(UiText::SaveAs), window);
    button->setToolTip(uiText(UiText::SaveAsTip));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void addSaveAsToMenu(QPushButton* saveAs, QMenu* menu) {
    menu->addAction(saveAs->text(), saveAs, &QPushButton::click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
}

QPushButton* makeUprightButton(QWidget* window, PlotWidget* plot) {
    auto* button = new QPushButton(uiText(UiText::Upright), window);
    button->setObjectName(QStringLiteral("upright"));
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(uiText(UiText::UprightTip));
    // The turn is the machinist's habit, kept from one start to the next.
    button->setChecked(ViewerSettings::upright.value());
    plot->setUpright(button->isChecked());
    QObject::connect(button, &QPushButton::toggled, plot, [plot](bool on) {
        plot->setUpright(on);
        ViewerSettings::upright.keep(on);
    });
    return button;
}

QWidget* makePlotPane(QWidget* window, PlotWidget* plot, const ReadingChoices& reading,
                      StepBar* steps, const QList<QPushButton*>& buttons, QLabel* selection,
                      QLabel* stockLine) {
    auto* pane = new QWidget(window);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(viewRow(window, plot));
    layout->addLayout(readingRow(reading));
    layout->addWidget(plot, 1);
    // Below the plot: the steps through the workpiece, the turn and keeping the program;
    // the row above is full with the reader's choices. The steps take a row of their own:
    // beside the buttons they would not fit a small screen at 200 %.
    layout->addWidget(steps);
    steps->hide();  // until there is a workpiece to step through
    auto* below = new QHBoxLayout;
    below->setContentsMargins(0, 0, 6, 0);
    below->addStretch();
    // The bar the program is cut from, and whether it was guessed: a row of its own, so
    // that at 200 % the buttons do not squeeze it away; hidden for the wizard's programs.
    stockLine->setTextFormat(Qt::RichText);
    stockLine->setContentsMargins(6, 2, 6, 0);
    stockLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    stockLine->hide();
    layout->addWidget(stockLine);
    for (QPushButton* b : buttons) below->addWidget(b);
    layout->addLayout(below);
    selection->setContentsMargins(6, 2, 6, 2);
    // A long list of warnings must not widen the window.
    selection->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(selection);
    return pane;
}

QWidget* makeSidePane(QWidget* window, QListView* lines, QAbstractItemModel* program,
                      WarningPanel* warnings) {
    lines->setModel(program);
    lines->setUniformItemSizes(true);  // 300,000 rows: no per-row measuring
    lines->setIconSize(QSize(14, 14));
    lines->setSelectionMode(QAbstractItemView::SingleSelection);
    lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* side = new QSplitter(Qt::Vertical, window);
    side->addWidget(lines);
    side->addWidget(warnings);
    warnings->hide();  // until a program has warnings
    side->setStretchFactor(0, 3);
    side->setStretchFactor(1, 1);
    return side;
}

QWidget* makeProgramPage(QWidget* window, QWidget* plotPane, QWidget* sidePane) {
    auto* split = new QSplitter(window);
    split->addWidget(plotPane);
    split->addWidget(sidePane);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setSizes({760, 240});
    return split;
}

QWidget* makeMessagePage(QWidget* window, QLabel* message) {
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont big = message->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    message->setFont(big);
    message->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* page = new QWidget(window);
    auto* layout = new QVBoxLayout(page);
    auto* icon = new QLabel(window);
    icon->setPixmap(window->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    icon->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    layout->addStretch();
    layout->addWidget(icon);
    layout->addSpacing(8);
    layout->addWidget(message);
    layout->addStretch();
    return page;
}

void addStepKeys(QWidget* window, QSlider* slider) {
    for (const auto& [keys, action] :
         {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Left), QSlider::SliderSingleStepSub},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_Right), QSlider::SliderSingleStepAdd},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_End), QSlider::SliderToMaximum}})
        QObject::connect(new QShortcut(keys, window), &QShortcut::activated, slider,
                         [slider, step = action] { slider->triggerAction(step); });
}

}  // namespace zivek::backplot

#include "viewer/window_panes.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
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
#include "viewer/tool_list.h"
#include "viewer/viewer_settings.h"
#include "viewer/warning_panel.h"
#include "zivek/gcode/dialect_names.h"

namespace zivek::backplot {
namespace {

// Shown whole or not at all: cut short it would give half a reason. The dialect box's tip
// says the whole of it then.
class WholeOrNothing : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override {
        if (width() >= sizeHint().width()) QLabel::paintEvent(event);
    }
};

// What the plot's lines mean, and which dialect was read and why, in what the row leaves.
// Without a button it is no taller than its text.
QHBoxLayout* viewRow(QWidget* window, QLabel* dialectLine) {
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
    row->setContentsMargins(6, 2, 6, 0);
    row->addLayout(legend);
    row->addWidget(dialectLine, 1);
    return row;
}

QPushButton* makeFitButton(QWidget* window, PlotWidget* plot) {
    auto* fit = new QPushButton(uiText(UiText::Fit), window);
    fit->setToolTip(uiText(UiText::FitTip));
    fit->setFocusPolicy(Qt::NoFocus);
    QObject::connect(fit, &QPushButton::clicked, plot, &PlotWidget::fitToPath);
    return fit;
}

}  // namespace

ReadingChoices makeReadingChoices(QWidget* window, PlotWidget* plot) {
    const ReadingChoices c{new QComboBox(window),
                           new QCheckBox(uiText(UiText::HalfSection), window),
                           new RapidRateBox(window), new WholeOrNothing(window)};
    c.dialectLine->setObjectName(QStringLiteral("dialectLine"));
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

void addExitToMenu(QWidget* window, QMenu* menu) {
    menu->addSeparator();
    menu->addAction(exitText(), window, &QWidget::close)->setShortcut(QKeySequence::Quit);
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
                      const StockRow& stock) {
    QLabel* stockLine = stock.line;
    auto* pane = new QWidget(window);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(viewRow(window, reading.dialectLine));
    layout->addWidget(plot, 1);
    // Below the plot: the steps through the workpiece, the turn and keeping the program;
    // the row above is full with the reader's choices. The steps take a row of their own:
    // beside the buttons they would not fit a small screen at 200 %.
    layout->addWidget(steps);
    steps->hide();  // until there is a workpiece to step through
    auto* below = new QHBoxLayout;
    below->setContentsMargins(6, 0, 6, 0);
    below->addWidget(makeFitButton(window, plot));
    below->addStretch();
    // The bar the program is cut from, and whether it was guessed: over the plot's top
    // right, where a lathe program rarely draws, since a row of its own would take the
    // plot's half of the window at 200 %. Changed through a link in the line itself.
    stockLine->setTextFormat(Qt::RichText);
    stockLine->setWordWrap(true);
    stockLine->setContentsMargins(6, 2, 6, 2);
    stockLine->setAutoFillBackground(true);
    QPalette faint = stockLine->palette();
    QColor back = faint.color(QPalette::Window);
    back.setAlpha(220);
    faint.setColor(QPalette::Window, back);
    stockLine->setPalette(faint);
    stockLine->hide();
    stock.choose->hide();
    QObject::connect(stockLine, &QLabel::linkActivated, stock.choose, &QPushButton::click);
    auto* overlay = new QVBoxLayout(plot);
    overlay->setContentsMargins(140, 6, 6, 6);  // clear of the X axis' name at the top left
    auto* topRight = new QHBoxLayout;
    topRight->addStretch(1);
    topRight->addWidget(stockLine);
    overlay->addLayout(topRight);
    overlay->addStretch(1);
    for (QPushButton* b : buttons) below->addWidget(b);
    layout->addLayout(below);
    selection->setContentsMargins(6, 0, 6, 2);
    // A long list of warnings must not widen the window: it wraps, and so does the hint.
    selection->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    selection->setWordWrap(true);
    layout->addWidget(selection);
    return pane;
}

void addReadingChoices(QMenuBar* menuBar, const ReadingChoices& reading) {
    auto* choices = new QWidget(menuBar);
    auto* row = new QHBoxLayout(choices);
    row->setContentsMargins(6, 1, 6, 1);
    row->setSpacing(10);
    row->addWidget(reading.dialect);
    row->addWidget(reading.halfSection);
    row->addWidget(reading.rapidRate);
    menuBar->setCornerWidget(choices, Qt::TopRightCorner);
}

QWidget* makeSidePane(QWidget* window, QAbstractItemView* lines, QAbstractItemModel* program,
                      WarningPanel* warnings, const QList<QWidget*>& bars) {
    lines->setModel(program);
    lines->setIconSize(QSize(14, 14));
    lines->setSelectionMode(QAbstractItemView::SingleSelection);
    lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* side = new QSplitter(Qt::Vertical, window);
    auto* listed = new QWidget(window);
    auto* column = new QVBoxLayout(listed);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (QWidget* bar : bars) {
        column->addWidget(bar);
        bar->hide();
    }
    column->addWidget(lines, 1);
    side->addWidget(listed);
    side->addWidget(warnings);
    warnings->hide();  // until a program has warnings
    side->setStretchFactor(0, 3);
    side->setStretchFactor(1, 1);
    return side;
}

QWidget* withToolPane(QWidget* window, QWidget* sidePane, ToolList* tools) {
    auto* pane = new QWidget(window);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(tools);
    layout->addWidget(sidePane, 1);
    tools->hide();
    return pane;
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

#include "viewer/status_line.h"

#include <QLabel>
#include <QStatusBar>

#include "viewer/plot_widget.h"
#include "viewer/reader_names.h"
#include "viewer/texts.h"
#include "viewer/totals_row.h"
#include "zivek/workpiece/workpiece_cut.h"

namespace zivek::backplot {

StatusLine::StatusLine(QStatusBar* bar, PlotWidget* plot) : QObject(bar) {
    auto* totals = new TotalsRow(bar);
    for (QLabel** l : {&moveCount_, &feedLength_, &rapidLength_, &cuttingTime_, &totalTime_,
                       &warnings_, &cutWarnings_})
        *l = new QLabel(totals);
    // The workpiece's warnings among the totals, which take another row rather than cut
    // one short: beside them they left the totals too narrow at 200 %.
    totals->setLabels(
        {moveCount_, feedLength_, rapidLength_, cuttingTime_, totalTime_, warnings_, cutWarnings_});
    bar->addWidget(totals, 1);
    pointer_ = new QLabel(bar);
    warnings_->setStyleSheet(QStringLiteral("color: #a15c00"));
    // The workpiece's warnings are what a machinist must not miss: never cut off.
    cutWarnings_->setStyleSheet(QStringLiteral("color: #d61f1f; font-weight: bold"));
    bar->addPermanentWidget(pointer_);
    connect(plot, &PlotWidget::pointerMoved, this, [this, plot](Point at) {
        pointer_->setText(pointerText(at, plot->viewport().xLabelScale(), plot->inch()));
    });
    connect(plot, &PlotWidget::pointerLeft, pointer_, &QLabel::clear);
}

void StatusLine::showProgram(const Summary& summary, bool inch, std::size_t linesWithWarnings) {
    moveCount_->setText(moveCountText(summary));
    feedLength_->setText(feedLengthText(summary, inch));
    rapidLength_->setText(rapidLengthText(summary, inch));
    cuttingTime_->setText(cuttingTimeText(summary));
    warnings_->setText(warningCountText(linesWithWarnings));
}

void StatusLine::showTotalTime(const Summary& summary, double rapidRate, bool inch) {
    totalTime_->setText(totalTimeText(summary, rapidRate));
    totalTime_->setToolTip(rapidTimeText(summary, rapidRate, inch));
}

void StatusLine::showCutWarnings(const WorkpieceCut* cut) {
    cutWarnings_->setText(cut ? cutWarningCountText(cut->warnings().size(), cut->cutShort())
                              : QString());
}

void StatusLine::clear() {
    for (QLabel* l :
         {moveCount_, feedLength_, rapidLength_, cuttingTime_, warnings_, totalTime_, cutWarnings_})
        l->clear();
}

}  // namespace zivek::backplot

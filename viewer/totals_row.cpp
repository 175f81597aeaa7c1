#include "viewer/totals_row.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zivek::backplot {
namespace {
constexpr int kGap = 12;
}  // namespace

TotalsRow::TotalsRow(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QHBoxLayout*& row : rows_) {
        row = new QHBoxLayout;
        row->setSpacing(kGap);
        layout->addLayout(row);
    }
    // Any width: the rows, not the window, give way.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void TotalsRow::setLabels(const QList<QLabel*>& labels) {
    labels_ = labels;
    for (QLabel* l : labels_) l->setParent(this);
    arrange(QList<int>(labels_.size(), 0));
}

void TotalsRow::arrange(const QList<int>& rowOf) {
    rowOf_ = rowOf;
    for (QHBoxLayout* row : rows_)
        while (QLayoutItem* item = row->takeAt(0)) delete item;
    for (qsizetype i = 0; i < labels_.size(); ++i) rows_[rowOf_[i]]->addWidget(labels_[i]);
    for (QHBoxLayout* row : rows_) row->addStretch(1);
}

bool TotalsRow::event(QEvent* event) {
    // A new width, or new texts: each row takes what fits, the next one the rest.
    if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest) {
        QList<int> rowOf;
        int row = 0;
        int used = 0;
        for (const QLabel* l : labels_) {
            const int w = l->text().isEmpty() ? 0 : l->sizeHint().width() + kGap;
            if (used > 0 && used + w > width() && row + 1 < kRows) {
                ++row;
                used = 0;
            }
            used += w;
            rowOf << row;
        }
        if (rowOf != rowOf_) arrange(rowOf);
    }
    return QWidget::event(event);
}

}  // namespace zivek::backplot

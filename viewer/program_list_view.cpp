#include "viewer/program_list_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace zivek::backplot {

ProgramListView::ProgramListView(QWidget* parent) : QAbstractItemView(parent) {
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
}

void ProgramListView::setModel(QAbstractItemModel* model) {
    QAbstractItemView::setModel(model);
    const auto relayout = [this] {
        widest_ = 0;
        scheduleDelayedItemsLayout();
    };
    connect(model, &QAbstractItemModel::modelReset, this, relayout);
    connect(model, &QAbstractItemModel::layoutChanged, this, relayout);
    connect(model, &QAbstractItemModel::rowsInserted, this, relayout);
    connect(model, &QAbstractItemModel::rowsRemoved, this, relayout);
}

int ProgramListView::rowCount() const {
    return model() != nullptr ? model()->rowCount(rootIndex()) : 0;
}

// The vertical bar counts rows: its value is the top row in view.
int ProgramListView::firstRow() const {
    return verticalScrollBar()->value();
}

int ProgramListView::rowsInView() const {
    return std::max(1, viewport()->height() / rowHeight_);
}

int ProgramListView::rowAt(int y) const {
    return firstRow() + (y >= 0 ? y / rowHeight_ : -1);
}

QRect ProgramListView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.parent() != rootIndex()) return {};
    const int width = std::max(widest_, viewport()->width() + horizontalOffset());
    return {-horizontalOffset(), (index.row() - firstRow()) * rowHeight_, width, rowHeight_};
}

QModelIndex ProgramListView::indexAt(const QPoint& point) const {
    const int row = rowAt(point.y());
    if (row < 0 || row >= rowCount()) return {};
    return model()->index(row, 0, rootIndex());
}

void ProgramListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) return;
    executeDelayedItemsLayout();  // the bar's range must count the rows of a new model
    const int row = index.row();
    const int rows = rowsInView();
    int top = firstRow();
    switch (hint) {
        case EnsureVisible:
            if (row < top)
                top = row;
            else if (row >= top + rows)
                top = row - rows + 1;
            break;
        case PositionAtTop:
            top = row;
            break;
        case PositionAtBottom:
            top = row - rows + 1;
            break;
        case PositionAtCenter:
            top = row - rows / 2;
            break;
    }
    verticalScrollBar()->setValue(top);
}

QModelIndex ProgramListView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
    const int last = rowCount() - 1;
    if (last < 0) return {};
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    int row = current;
    switch (action) {
        case MoveUp:
        case MovePrevious:
            row = current - 1;
            break;
        case MoveDown:
        case MoveNext:
            row = current + 1;
            break;
        case MovePageUp:
            row = current - rowsInView();
            break;
        case MovePageDown:
            row = current + rowsInView();
            break;
        case MoveHome:
            row = 0;
            break;
        case MoveEnd:
            row = last;
            break;
        case MoveLeft:
        case MoveRight:
            break;
    }
    return model()->index(std::clamp(row, 0, last), 0, rootIndex());
}

int ProgramListView::horizontalOffset() const {
    return horizontalScrollBar()->value();
}

int ProgramListView::verticalOffset() const {
    return firstRow() * rowHeight_;
}

void ProgramListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    const int last = rowCount() - 1;
    if (last < 0) return;
    const QRect r = rect.normalized();
    const int top = std::clamp(rowAt(r.top()), 0, last);
    const int bottom = std::clamp(rowAt(r.bottom()), 0, last);
    const QItemSelection rows(model()->index(top, 0, rootIndex()),
                              model()->index(bottom, 0, rootIndex()));
    selectionModel()->select(rows, command);
}

QRegion ProgramListView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    const int first = firstRow();
    const int last = first + rowsInView();
    for (const QItemSelectionRange& range : selection) {
        const int top = std::max(range.top(), first);
        const int bottom = std::min(range.bottom(), last);
        if (top <= bottom)
            region += QRect(0, (top - first) * rowHeight_, viewport()->width(),
                            (bottom - top + 1) * rowHeight_);
    }
    return region;
}

void ProgramListView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State base = option.state;
    const int first = firstRow() + event->rect().top() / rowHeight_;
    const int end = std::min(rowCount(), firstRow() + event->rect().bottom() / rowHeight_ + 1);
    const QModelIndex current = currentIndex();
    int widest = widest_;
    for (int row = std::max(first, 0); row < end; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        option.rect = visualRect(index);
        option.state = base;
        if (selectionModel()->isSelected(index)) option.state |= QStyle::State_Selected;
        if (index == current && hasFocus()) option.state |= QStyle::State_HasFocus;
        widest = std::max(widest, itemDelegate()->sizeHint(option, index).width());
        itemDelegate()->paint(&painter, option, index);
    }
    if (widest != widest_) {
        // A wider row came into view: the horizontal bar reaches it from now on.
        widest_ = widest;
        updateGeometries();
    }
}

void ProgramListView::updateGeometries() {
    // One height for every row, the first row's, as every row holds one line of text
    // in the same font beside an icon of the same size.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int rows = rowCount();
    rowHeight_ = std::max(
        1, rows > 0 ? itemDelegate()->sizeHint(option, model()->index(0, 0, rootIndex())).height()
                    : fontMetrics().height());
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, rows - rowsInView()));
    vertical->setPageStep(rowsInView());
    vertical->setSingleStep(1);
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, widest_ - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(std::max(1, fontMetrics().averageCharWidth() * 2));
    QAbstractItemView::updateGeometries();
}

void ProgramListView::scrollContentsBy(int, int) {
    viewport()->update();
}

}  // namespace zivek::backplot

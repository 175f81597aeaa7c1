#pragma once

// The program's lines beside the plot, one row of one height each, of which only the
// rows in view are ever laid out: a list of 2,000,000 lines keeps nothing per row.
// (QListView keeps a position for every row, even when they are all of a size.)

#include <QAbstractItemView>

namespace zivek::backplot {

class ProgramListView : public QAbstractItemView {
    Q_OBJECT
  public:
    explicit ProgramListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;

  protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void paintEvent(QPaintEvent* event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    int rowCount() const;
    int firstRow() const;
    int rowsInView() const;  // whole rows
    int rowAt(int y) const;  // unclamped

    int rowHeight_ = 1;
    int widest_ = 0;  // of the rows drawn since the model was set or reset
};

}  // namespace zivek::backplot

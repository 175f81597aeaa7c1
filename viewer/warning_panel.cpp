#include "viewer/warning_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "viewer/texts.h"
#include "viewer/workpiece_layer.h"

namespace zivek::backplot {
namespace {
// A program with a hundred thousand warnings lists the first ones of each kind; the
// buttons still reach them all.
constexpr std::size_t kListedPerKind = 500;
constexpr int kLineRole = Qt::UserRole + 1;
constexpr std::size_t kOpenUpTo = 12;

// One group of the list: its name, whether it is the workpiece's, and its entries.
struct Group {
    QString kind;
    bool workpiece = false;
    std::size_t count = 0;
    std::vector<std::pair<std::uint32_t, QString>> entries;

    void add(std::uint32_t line, const QString& text) {
        if (count++ < kListedPerKind) entries.emplace_back(line, text);
    }
};

// Rows as tall as their text wrapped to the column: the tree measures them unwrapped.
class WrappedRows : public QStyledItemDelegate {
  public:
    explicit WrappedRows(QTreeView* tree) : QStyledItemDelegate(tree), tree_(tree) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        int depth = tree_->rootIsDecorated() ? 1 : 0;
        for (QModelIndex i = index.parent(); i.isValid(); i = i.parent()) ++depth;
        QStyleOptionViewItem wrapped = option;
        // Any height: the style wraps only in a valid rectangle.
        wrapped.rect = QRect(0, 0, tree_->header()->sectionSize(0) - depth * tree_->indentation(),
                             QWIDGETSIZE_MAX);
        return QStyledItemDelegate::sizeHint(wrapped, index);
    }

  private:
    QTreeView* tree_;
};

}  // namespace

WarningPanel::WarningPanel(QWidget* parent) : QWidget(parent), tree_(new QTreeWidget(this)) {
    auto* previous = new QPushButton(previousWarningText(), this);
    auto* next = new QPushButton(nextWarningText(), this);
    previous->setToolTip(previousWarningToolTip());
    next->setToolTip(nextWarningToolTip());
    for (QPushButton* b : {previous, next}) b->setFocusPolicy(Qt::NoFocus);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addStretch(1);
    bar->addWidget(previous);
    bar->addWidget(next);
    // The total heads the list, so that the buttons alone share the row above: the
    // panel then fits beside the plot on a small screen at 200 %.
    tree_->header()->setSectionsClickable(false);
    tree_->setRootIsDecorated(true);
    // A long warning wraps to the panel's width: read without hovering over it.
    tree_->setWordWrap(true);
    tree_->setTextElideMode(Qt::ElideNone);
    tree_->setItemDelegate(new WrappedRows(tree_));
    tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tree_->header()->setSectionResizeMode(QHeaderView::Stretch);
    connect(tree_->header(), &QHeaderView::sectionResized, tree_, &QTreeWidget::doItemsLayout);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(tree_, 1);
    connect(previous, &QPushButton::clicked, this, [this] { emit stepRequested(-1); });
    connect(next, &QPushButton::clicked, this, [this] { emit stepRequested(+1); });
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr && item->data(0, kLineRole).isValid())
            emit lineChosen(item->data(0, kLineRole).toInt());
    });
}

void WarningPanel::setWarnings(const Toolpath& path, const std::vector<CutWarning>& cut) {
    tree_->clear();
    // The workpiece's groups first: what would scrap the part comes before how it reads.
    std::map<int, Group> groups;
    const auto cutKey = [](CutCheck c) { return int(c); };
    const auto readKey = [](Warning w) { return 100 + int(w); };
    for (const CutWarning& w : cut) {
        Group& g = groups[cutKey(w.check)];
        g.kind = cutWarningKindText(w.check);
        g.workpiece = true;
        g.add(w.line, cutWarningText(w));
    }
    for (const LineWarning& w : path.warnings) {
        Group& g = groups[readKey(w.code)];
        g.kind = warningKindText(w.code);
        g.add(w.line, warningText(w));
    }
    std::size_t total = 0;
    for (const auto& [key, group] : groups) {
        auto* top = new QTreeWidgetItem;
        top->setText(0, warningGroupText(group.kind, group.count));
        if (group.workpiece) {
            top->setForeground(0, drawingColors().warning);
            QFont bold = top->font(0);
            bold.setBold(true);
            top->setFont(0, bold);
        }
        for (const auto& [line, text] : group.entries) {
            auto* item = new QTreeWidgetItem(top);
            item->setText(0, warningLineText(line, text));
            item->setToolTip(0, item->text(0));
            item->setData(0, kLineRole, int(line));
        }
        tree_->addTopLevelItem(top);
        total += group.count;
    }
    // Few warnings or few kinds: open, so the lines show without a click.
    if (total <= kOpenUpTo || tree_->topLevelItemCount() <= 2) tree_->expandAll();
    tree_->setHeaderLabel(warningTotalText(total));

    lines_.clear();
    for (const LineWarning& w : path.warnings) lines_.push_back(w.line);
    for (const CutWarning& w : cut) lines_.push_back(w.line);
    std::sort(lines_.begin(), lines_.end());
    lines_.erase(std::unique(lines_.begin(), lines_.end()), lines_.end());
}

int WarningPanel::lineFrom(int line, int direction) const {
    if (lines_.empty()) return -1;
    if (direction > 0) {
        const auto it =
            std::lower_bound(lines_.begin(), lines_.end(), std::uint32_t(std::max(line + 1, 0)));
        return int(it == lines_.end() ? lines_.front() : *it);
    }
    const auto it =
        std::lower_bound(lines_.begin(), lines_.end(), std::uint32_t(std::max(line, 0)));
    return int(it == lines_.begin() ? lines_.back() : *std::prev(it));
}

}  // namespace zivek::backplot

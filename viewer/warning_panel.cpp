#include "viewer/warning_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "viewer/texts.h"

namespace zivek::backplot {
namespace {
// A program with a hundred thousand warnings lists the first ones of each kind; the
// buttons still reach them all.
constexpr std::size_t kListedPerKind = 500;
constexpr int kLineRole = Qt::UserRole + 1;
}  // namespace

WarningPanel::WarningPanel(QWidget* parent)
    : QWidget(parent), tree_(new QTreeWidget(this)), title_(new QLabel(this)) {
    auto* previous = new QPushButton(QStringLiteral("◀ Önceki"), this);
    auto* next = new QPushButton(QStringLiteral("Sonraki ▶"), this);
    previous->setToolTip(QStringLiteral("Önceki uyarılı satır"));
    next->setToolTip(QStringLiteral("Sonraki uyarılı satır"));
    for (QPushButton* b : {previous, next}) b->setFocusPolicy(Qt::NoFocus);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(title_, 1);
    bar->addWidget(previous);
    bar->addWidget(next);
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setUniformRowHeights(true);
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

void WarningPanel::setPath(std::shared_ptr<const Toolpath> path) {
    path_ = std::move(path);
    tree_->clear();
    std::array<std::size_t, kWarningKinds> counts{};
    std::array<QTreeWidgetItem*, kWarningKinds> groups{};
    for (const LineWarning& w : path_->warnings) {
        const auto k = std::size_t(w.code);
        if (groups[k] == nullptr) groups[k] = new QTreeWidgetItem;
        if (counts[k]++ < kListedPerKind) {
            auto* item = new QTreeWidgetItem(groups[k]);
            item->setText(0, QStringLiteral("Satır %1: %2").arg(w.line + 1).arg(warningText(w)));
            item->setToolTip(0, item->text(0));
            item->setData(0, kLineRole, int(w.line));
        }
    }
    for (std::size_t k = 0; k < kWarningKinds; ++k) {
        if (groups[k] == nullptr) continue;
        groups[k]->setText(
            0, QStringLiteral("%1 (%2)").arg(warningKindText(Warning(k))).arg(counts[k]));
        tree_->addTopLevelItem(groups[k]);
    }
    if (tree_->topLevelItemCount() == 1) tree_->expandAll();
    title_->setText(path_->warnings.empty()
                        ? QStringLiteral("Uyarı yok")
                        : QStringLiteral("Uyarılar: %1").arg(path_->warnings.size()));
}

int WarningPanel::lineFrom(int line, int direction) const {
    if (!path_ || path_->warnings.empty()) return -1;
    const auto& w = path_->warnings;
    if (direction > 0) {
        const std::size_t next = path_->warningsBefore(std::size_t(line + 1));
        return int(next == w.size() ? w.front().line : w[next].line);
    }
    const std::size_t here = path_->warningsBefore(std::size_t(std::max(line, 0)));
    return int(here == 0 ? w.back().line : w[here - 1].line);
}

}  // namespace zivek::backplot

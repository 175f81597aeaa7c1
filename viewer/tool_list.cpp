#include "viewer/tool_list.h"

#include <QHeaderView>

#include "viewer/plot_painter.h"
#include "viewer/texts.h"
#include "viewer/tool_colours.h"

namespace zivek::backplot {

ToolList::ToolList(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("tools"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::NoFocus);
    setIconSize(QSize(36, 12));
    setHeaderLabels(toolColumnTexts());
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(1, QHeaderView::Stretch);
    setToolTip(toolListTip());
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        emit lineChosen(item->data(0, Qt::UserRole).toInt());
    });
    hide();
}

void ToolList::showTools(const Toolpath& path) {
    clear();
    const std::vector<ToolShade> shades = toolShades(path);
    for (std::size_t i = 0; i < path.tools.size(); ++i) {
        const ToolChange& t = path.tools[i];
        auto* item = new QTreeWidgetItem(this, toolRowTexts(t, path.inch));
        item->setIcon(0, QIcon(toolSample(shades[i])));
        item->setData(0, Qt::UserRole, int(t.line));
        item->setToolTip(1, item->text(1));
        for (int c = 2; c < columnCount(); ++c) item->setTextAlignment(c, Qt::AlignRight);
    }
    setVisible(!path.tools.empty());
}

}  // namespace zivek::backplot

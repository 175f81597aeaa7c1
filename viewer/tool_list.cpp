#include "viewer/tool_list.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

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
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);
    setTextElideMode(Qt::ElideRight);
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
        // The whole row in words, for a pane too narrow for its columns.
        const QString whole = sheetToolText(i + 1, t, path.inch);
        for (int c = 0; c < columnCount(); ++c) item->setToolTip(c, whole);
        for (int c = 1; c < 4; ++c) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    // As high as its rows, up to six: the program's lines keep the rest of the pane.
    const int rows = std::min(topLevelItemCount(), 6);
    const int row = rows > 0 ? sizeHintForRow(0) : 0;
    setFixedHeight(header()->sizeHint().height() + rows * row + 2 * frameWidth() +
                   horizontalScrollBar()->sizeHint().height());
    setVisible(!path.tools.empty());
}

}  // namespace zivek::backplot

#include "viewer/cut_warning_lines.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QIcon>
#include <QStyle>

#include "viewer/texts.h"

namespace zivek::backplot {

CutWarningLines::CutWarningLines(QObject* parent) : QIdentityProxyModel(parent) {}

void CutWarningLines::setWarnings(const std::vector<CutWarning>& warnings) {
    std::map<int, QStringList> texts;
    for (const CutWarning& w : warnings) texts[int(w.line)] << cutWarningText(w);
    texts_.swap(texts);
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

QVariant CutWarningLines::data(const QModelIndex& index, int role) const {
    const auto found = index.isValid() ? texts_.find(index.row()) : texts_.end();
    if (found == texts_.end()) return QIdentityProxyModel::data(index, role);
    switch (role) {
        case Qt::DecorationRole: {
            static const QIcon mark =
                QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
            return mark;
        }
        case Qt::BackgroundRole:
            return QBrush(QColor(0xFD, 0xDC, 0xDC));
        case Qt::ToolTipRole: {
            QStringList texts = found->second;
            const QString others = QIdentityProxyModel::data(index, role).toString();
            if (!others.isEmpty()) texts << others;
            return texts.join(u'\n');
        }
        default:
            return QIdentityProxyModel::data(index, role);
    }
}

}  // namespace zivek::backplot

#include "viewer/line_model.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QFontDatabase>
#include <QIcon>
#include <QPixmap>
#include <QStyle>
#include <algorithm>

#include "viewer/plot_painter.h"
#include "viewer/texts.h"

namespace zivek::backplot {
namespace {
// A huge line is shown cut; the whole of it would only slow the list down.
constexpr qsizetype kShownChars = 160;
}  // namespace

LineModel::LineModel(QObject* parent) : QAbstractListModel(parent) {}

void LineModel::setProgram(std::string text, std::shared_ptr<const Toolpath> path) {
    beginResetModel();
    text_ = std::move(text);
    starts_ = lineStarts(text_);
    path_ = std::move(path);
    warnedLines_ = 0;
    for (std::size_t i = 0; i < path_->warnings.size(); ++i)
        if (i == 0 || path_->warnings[i].line != path_->warnings[i - 1].line) ++warnedLines_;
    numberWidth_ = int(QString::number(qulonglong(starts_.size())).size());
    endResetModel();
}

int LineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(starts_.size());
}

QVariant LineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || std::size_t(index.row()) >= starts_.size()) return {};
    const auto row = std::size_t(index.row());
    const auto lineWarnings = path_->warningsOf(row);
    const bool warned = !lineWarnings.empty();
    switch (role) {
        case Qt::DisplayRole: {
            const std::string_view line = lineAt(text_, starts_, row);
            QString text = QString::fromUtf8(
                line.data(), qsizetype(std::min<std::size_t>(line.size(), kShownChars * 4)));
            if (text.size() > kShownChars) text = text.left(kShownChars) + u'…';
            return QStringLiteral("%1  %2").arg(row + 1, numberWidth_).arg(text);
        }
        case Qt::FontRole:
            return QFontDatabase::systemFont(QFontDatabase::FixedFont);
        case Qt::DecorationRole: {
            // Every row gets an icon of the same size, so the line numbers stay in a column.
            static const QIcon warning =
                QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
            static const QIcon blank = [] {
                QPixmap p(16, 16);
                p.fill(Qt::transparent);
                return QIcon(p);
            }();
            return warned ? warning : blank;
        }
        case Qt::BackgroundRole:
            if (!warned) return {};
            return QBrush(QColor(0xFF, 0xF3, 0xC4));
        case Qt::ToolTipRole: {
            if (!warned) return {};
            QStringList texts;
            for (const LineWarning& w : lineWarnings) texts << warningText(w);
            return texts.join(u'\n');
        }
        case Qt::ForegroundRole: {
            // The line's text takes the colour of its move in the plot.
            const auto first = path_->firstMoveOf(row);
            if (!first) return {};
            const Move* it = &path_->moves[*first];
            if (it->is(kIncomplete)) return QBrush(plotColors().incomplete);
            return QBrush(it->kind == MoveKind::Rapid ? plotColors().rapidText
                                                      : plotColors().feedText);
        }
        default:
            return {};
    }
}

}  // namespace zivek::backplot

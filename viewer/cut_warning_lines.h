#pragma once

// The program's lines with the workpiece warnings added on their lines: a red mark, a
// tint and the texts in the tooltip, over what the lines show already.

#include <QIdentityProxyModel>
#include <QStringList>
#include <map>

#include "viewer/reader_names.h"
#include "zivek/workpiece/workpiece_cut.h"

namespace zivek::backplot {

class CutWarningLines : public QIdentityProxyModel {
  public:
    explicit CutWarningLines(QObject* parent = nullptr);

    void setWarnings(const std::vector<CutWarning>& warnings);
    // How many lines carry a workpiece warning.
    std::size_t lineCount() const { return texts_.size(); }
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    std::map<int, QStringList> texts_;  // by row
};

}  // namespace zivek::backplot

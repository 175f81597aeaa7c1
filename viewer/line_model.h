#pragma once

// The program's lines for the list beside the plot. Rows are made on demand, so a
// 300,000-line program costs no more than its text and a table of line starts.

#include <QAbstractListModel>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/toolpath.h"

namespace zivek::backplot {

class LineModel : public QAbstractListModel {
  public:
    explicit LineModel(QObject* parent = nullptr);

    // The model keeps the text; `path` gives warnings and the kind of move per line.
    void setProgram(std::string text, std::shared_ptr<const Toolpath> path);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    std::size_t linesWithWarnings() const;

  private:
    std::string text_;
    std::vector<std::string_view> lines_;
    std::shared_ptr<const Toolpath> path_;
    std::vector<std::uint32_t> firstWarning_;  // per line, index into warnings; none = size
    int numberWidth_ = 1;
};

}  // namespace zivek::backplot

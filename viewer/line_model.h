#pragma once

// The program's lines for the list beside the plot. Rows are made on demand, so a
// 2,000,000-line program costs no more than its text and four bytes a line.

#include <QAbstractListModel>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/reader_names.h"
#include "zivek/gcode/toolpath.h"

namespace zivek::backplot {

class LineModel : public QAbstractListModel {
  public:
    explicit LineModel(QObject* parent = nullptr);

    // The model keeps the text; `path` gives warnings and the kind of move per line.
    void setProgram(std::string text, std::shared_ptr<const Toolpath> path);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    std::size_t linesWithWarnings() const { return warnedLines_; }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
    std::vector<std::uint32_t> starts_;
    std::shared_ptr<const Toolpath> path_;
    std::size_t warnedLines_ = 0;
    int numberWidth_ = 1;
};

}  // namespace zivek::backplot

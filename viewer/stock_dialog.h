#pragma once

// The "Ham parça" dialog: the bar a program is cut from, given by hand for its file.

#include <QDialog>
#include <array>
#include <optional>

#include "viewer/reader_names.h"

class QDoubleSpinBox;

namespace zivek::backplot {

class StockDialog : public QDialog {
  public:
    // Starts from `shown`, the bar in use (given, named or guessed).
    StockDialog(QWidget* parent, const Stock& shown, bool inch);
    // What the user chose: a bar, or none to leave it to the program again. Nothing
    // while the dialog was cancelled.
    std::optional<std::optional<Stock>> choice() const { return choice_; }

  private:
    void accept() override;
    std::array<QDoubleSpinBox*, 5> boxes_{};
    std::optional<std::optional<Stock>> choice_;
};

// The boxes' object names, in the order of the command line's letters D L B F J.
inline constexpr std::array<const char*, 5> kStockBoxNames{
    "stockDiameter", "stockLength", "stockBore", "stockFaceAllowance", "stockJawLength"};
inline constexpr const char* kStockForgetButton = "stockForget";

}  // namespace zivek::backplot

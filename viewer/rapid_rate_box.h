#pragma once

// The machine's rapid traverse, for the total time: typed or stepped, shown in the units
// of the program on screen. The machine's figure does not change with a program's units,
// so it is kept in millimetres a minute and shown in inches a minute for an inch program.

#include <QDoubleSpinBox>

namespace zivek::backplot {

inline constexpr double kMillimetresPerInch = 25.4;

// A rate in millimetres a minute, in the path's units a minute.
inline double ratePerMinute(double millimetresPerMinute, bool inch) {
    return inch ? millimetresPerMinute / kMillimetresPerInch : millimetresPerMinute;
}

class RapidRateBox : public QDoubleSpinBox {
    Q_OBJECT
  public:
    // Starts with the rate the user kept last.
    explicit RapidRateBox(QWidget* parent);

    // Shows the same machine rate in the units of an inch or a millimetre program.
    void setInch(bool inch);
    bool inch() const { return inch_; }
    // The rate given on the command line: for this run only, not kept.
    void setMillimetresPerMinute(double rate);
    double millimetresPerMinute() const { return millimetres_; }
    // In the shown program's units a minute: what its rapid lengths are timed with.
    double perMinute() const { return ratePerMinute(millimetres_, inch_); }

  signals:
    void rateChanged();

  private:
    void show();

    double millimetres_;
    bool inch_ = false;
};

}  // namespace zivek::backplot

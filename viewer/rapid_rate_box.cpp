#include "viewer/rapid_rate_box.h"

#include <QSignalBlocker>

#include "viewer/texts.h"
#include "viewer/viewer_settings.h"

namespace zivek::backplot {

RapidRateBox::RapidRateBox(QWidget* parent)
    : QDoubleSpinBox(parent), millimetres_(ViewerSettings::rapidRate.value()) {
    setPrefix(uiText(UiText::RapidPrefix));
    setToolTip(uiText(UiText::RapidTip));
    // Typed digits count once the typing ends (Enter or leaving the box), not at each one.
    setKeyboardTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    show();
    connect(this, &QDoubleSpinBox::valueChanged, this, [this](double shown) {
        millimetres_ = inch_ ? shown * kMillimetresPerInch : shown;
        ViewerSettings::rapidRate.keep(millimetres_);
        emit rateChanged();
    });
}

void RapidRateBox::setInch(bool inch) {
    inch_ = inch;
    show();
}

void RapidRateBox::setMillimetresPerMinute(double rate) {
    millimetres_ = rate;
    show();
    emit rateChanged();
}

// The box's figures follow the units without the machine's rate changing or being kept.
void RapidRateBox::show() {
    const QSignalBlocker quiet(this);
    setSuffix(QStringLiteral(" ") + feedUnitText(inch_, false));
    setDecimals(inch_ ? 1 : 0);
    setRange(inch_ ? 0.1 : 1, ratePerMinute(1e6, inch_));
    setSingleStep(inch_ ? 50 : 1000);
    setValue(ratePerMinute(millimetres_, inch_));
}

}  // namespace zivek::backplot

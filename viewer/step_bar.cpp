#include "viewer/step_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include "viewer/texts.h"

namespace zivek::backplot {

StepBar::StepBar(QWidget* parent)
    : QWidget(parent), slider_(new QSlider(Qt::Horizontal, this)), text_(new QLabel(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 0);
    auto button = [this, layout](const QString& text, const QString& tip, auto onClick) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(tip);
        b->setAutoRepeat(true);
        connect(b, &QToolButton::clicked, this, onClick);
        layout->addWidget(b);
        return b;
    };
    layout->addWidget(new QLabel(uiText(UiText::Step), this));
    button(QStringLiteral("◀"), uiText(UiText::StepBackTip),
           [this] { slider_->triggerAction(QSlider::SliderSingleStepSub); });
    layout->addWidget(slider_, 1);
    button(QStringLiteral("▶"), uiText(UiText::StepForwardTip),
           [this] { slider_->triggerAction(QSlider::SliderSingleStepAdd); });
    button(uiText(UiText::StepEnd), uiText(UiText::StepEndTip), [this] {
        slider_->triggerAction(QSlider::SliderToMaximum);
    })->setAutoRepeat(false);
    text_->setMinimumWidth(
        text_->fontMetrics().horizontalAdvance(QStringLiteral("Satır 000000 / 000000")));
    layout->addWidget(text_);
    slider_->setMinimum(1);
    slider_->setPageStep(30);
    slider_->setToolTip(uiText(UiText::StepSliderTip));
    connect(slider_, &QSlider::valueChanged, this, [this](int value) {
        updateText();
        emit linesRunChosen(value);
    });
    setLineCount(1);
}

void StepBar::setLineCount(int lines) {
    const QSignalBlocker quiet(slider_);
    slider_->setMaximum(std::max(lines, 1));
    slider_->setValue(slider_->maximum());
    updateText();
}

void StepBar::showLinesRun(int lines) {
    const QSignalBlocker quiet(slider_);
    slider_->setValue(lines);
    updateText();
}

int StepBar::linesRun() const {
    return slider_->value();
}

void StepBar::updateText() {
    const int value = slider_->value();
    text_->setText(value >= slider_->maximum()
                       ? stepText(std::size_t(value), std::size_t(value))
                       : stepText(std::size_t(value - 1), std::size_t(slider_->maximum())));
}

}  // namespace zivek::backplot

#include "windows/focus_style.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>

namespace zivek::windows {
namespace {

constexpr int kFrameWidth = 2;

class PlainFocusStyle final : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (element != CE_PushButton || !button || !(option->state & State_HasFocus)) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        // At start the focus is set by the program, not by Tab, and most styles then
        // leave their focus mark out: the wizard always wants it.
        QStyleOptionButton shown = *button;
        shown.state |= State_KeyboardFocusChange;
        QProxyStyle::drawControl(element, &shown, painter, widget);
        // The frame in the selection colour, which stands out on any button colour the
        // tables give (pink "ÇIKIŞ", grey "G KOD").
        const QRect inside = subElementRect(SE_PushButtonFocusRect, &shown, widget);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(Qt::NoPen);
        painter->setBrush(option->palette.color(QPalette::Active, QPalette::Highlight).darker(130));
        const QRect outer = inside.adjusted(-1, -1, 1, 1) & option->rect.adjusted(2, 2, -2, -2);
        const QRect inner = outer.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
        painter->setClipRegion(QRegion(outer).subtracted(QRegion(inner)));
        painter->drawRect(outer);
        painter->restore();
    }
};

}  // namespace

QStyle* plainFocusStyle() {
    return new PlainFocusStyle(QStyleFactory::create(QApplication::style()->name()));
}

}  // namespace zivek::windows

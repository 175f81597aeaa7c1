#pragma once

#include <QColor>
#include <QMargins>
#include <QWidget>
#include <span>
#include <vector>

#include "windows/control_definition.h"

namespace zivek::windows {

// A top-level window built from its table: caption, icon, client size, border,
// background colour and controls, each control named as in the table. Where the window
// with its frame would not fit its screen, all of it is drawn smaller by one factor.
class DesignedWindow : public QWidget {
    Q_OBJECT
  public:
    DesignedWindow(const WindowFrame& frame, std::span<const ControlDefinition> controls,
                   std::span<const TabPosition> tabPositions);

    // Shows the window at its place, with the focus on its lowest tab position.
    void open();

    // Lays the table out again at the largest factor (at most 1, with legible text on a
    // screen of that device pixel ratio) that fits the client, within the given frame,
    // into the available area.
    void fitInto(const QRect& available, const QMargins& frame, qreal devicePixelRatio);
    // The factor the table is laid out at now: 1 where the window fits as designed.
    double scale() const { return scale_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // A control as built, with what it needs to be laid out again at another scale.
    struct Placed {
        QWidget* widget;
        const ControlDefinition* definition;
    };

    void buildControl(const ControlDefinition& control);
    void applyTabPositions(std::span<const TabPosition> tabPositions);
    void applyScale(double scale);
    void placeControl(const Placed& placed);
    void fitToScreen();
    void followScreen();
    QMargins frameMarginsNow() const;
    void centreOnScreen();

    QColor background_;
    Placement placement_;
    Border border_;
    QSize client_;  // pixels at full size
    std::vector<ControlDefinition> controls_;
    std::vector<Placed> placed_;
    double scale_ = 1.0;
};

}  // namespace zivek::windows

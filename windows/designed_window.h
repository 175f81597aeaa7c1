#pragma once

#include <QColor>
#include <QWidget>
#include <span>

#include "windows/control_definition.h"

namespace zivek::windows {

// A top-level window built from its table: caption, icon, client size, border,
// background colour and controls, each control named as in the table.
class DesignedWindow : public QWidget {
    Q_OBJECT
  public:
    DesignedWindow(const WindowFrame& frame, std::span<const ControlDefinition> controls,
                   std::span<const TabPosition> tabPositions);

    // Shows the window at its place, with the focus on its lowest tab position.
    void open();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildControl(const ControlDefinition& control);
    void applyTabPositions(std::span<const TabPosition> tabPositions);
    void centreOnScreen();

    QColor background_;
    Placement placement_;
};

}  // namespace zivek::windows

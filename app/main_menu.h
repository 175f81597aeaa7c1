#pragma once

#include "windows/designed_window.h"
#include "windows/operation_window_definition.h"

namespace zivek::app {

// Form1: five picture buttons, one per operation, and "ÇIKIŞ".
class MainMenu : public windows::DesignedWindow {
    Q_OBJECT
  public:
    MainMenu();

    // A picture button, clicked or pressed with Enter or Space: the navigation closes
    // the menu and opens that window.
    void pictureButton_Click(const windows::OperationWindowDefinition& target);
    // "ÇIKIŞ": ends the application at once.
    void Command1_Click();

  signals:
    void operationChosen(const zivek::windows::OperationWindowDefinition* target);
};

}  // namespace zivek::app

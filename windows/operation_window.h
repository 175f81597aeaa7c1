#pragma once

#include "windows/designed_window.h"
#include "windows/operation_window_definition.h"
#include "windows/surroundings.h"

namespace zivek::windows {

class OutputBox;

// Any of the five operation windows, built from its definition.
class OperationWindow : public DesignedWindow {
    Q_OBJECT
  public:
    OperationWindow(const OperationWindowDefinition& definition, Surroundings surroundings);

    // "ANA MENÜ": the navigation closes this window and opens the main menu.
    void ANAMENU_Click();
    // "G KOD": one press of the cycle on the boxes as they are now.
    void KOD_Click();

  signals:
    void mainMenuRequested();

  private:
    const OperationWindowDefinition& definition_;
    Surroundings surroundings_;
    OutputBox* text1_;
};

}  // namespace zivek::windows

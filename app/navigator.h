#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "windows/operation_window_definition.h"
#include "windows/surroundings.h"

namespace zivek::app {

// Keeps exactly one window open: each move closes the current window first and
// then opens the next one anew from its definition.
class Navigator : public QObject {
    Q_OBJECT
  public:
    explicit Navigator(windows::Surroundings surroundings);
    ~Navigator() override;

    void openMainMenu();
    void openOperation(const windows::OperationWindowDefinition& definition);

    // The open window, or null once it was closed from its frame.
    QWidget* current() const { return current_; }

  private:
    void closeCurrent();

    windows::Surroundings surroundings_;
    QPointer<QWidget> current_;
};

}  // namespace zivek::app

#include "app/navigator.h"

#include <QEventLoopLocker>

#include "app/main_menu.h"
#include "windows/operation_window.h"

namespace zivek::app {

Navigator::Navigator(windows::Surroundings surroundings) : surroundings_(surroundings) {}

Navigator::~Navigator() {
    delete current_;
}

void Navigator::closeCurrent() {
    if (current_) current_->close();
}

void Navigator::openMainMenu() {
    // Between the close and the open no window is visible; the lock keeps the
    // application from taking that moment for its end.
    const QEventLoopLocker keepRunning;
    closeCurrent();
    auto* menu = new MainMenu;
    connect(menu, &MainMenu::operationChosen, this,
            [this](const windows::OperationWindowDefinition* target) { openOperation(*target); });
    current_ = menu;
    menu->open();
}

void Navigator::openOperation(const windows::OperationWindowDefinition& definition) {
    const QEventLoopLocker keepRunning;
    closeCurrent();
    auto* window = new windows::OperationWindow(definition, surroundings_);
    connect(window, &windows::OperationWindow::mainMenuRequested, this, &Navigator::openMainMenu);
    current_ = window;
    window->open();
}

}  // namespace zivek::app

#include "windows/operation_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <utility>
#include <vector>

#include "output/control_names.h"
#include "output/press.h"
#include "output_box/output_box.h"
#include "windows/message_box.h"

namespace zivek::windows {
namespace {

std::vector<ControlDefinition> allControls(const OperationWindowDefinition& definition) {
    const auto common = commonControls(definition);
    std::vector<ControlDefinition> controls(common.begin(), common.end());
    controls.insert(controls.end(), definition.parameterBoxes.begin(),
                    definition.parameterBoxes.end());
    return controls;
}

}  // namespace

OperationWindow::OperationWindow(const OperationWindowDefinition& definition,
                                 Surroundings surroundings)
    : DesignedWindow(definition.frame, allControls(definition), definition.tabPositions),
      definition_(definition),
      surroundings_(surroundings),
      text1_(findChild<OutputBox*>(control::Text1)) {
    connect(findChild<QPushButton*>(QStringLiteral("ANAMENU")), &QPushButton::clicked, this,
            &OperationWindow::ANAMENU_Click);
    connect(findChild<QPushButton*>(QStringLiteral("KOD")), &QPushButton::clicked, this,
            &OperationWindow::KOD_Click);
}

void OperationWindow::ANAMENU_Click() {
    emit mainMenuRequested();
}

void OperationWindow::KOD_Click() {
    zivek::BoxTexts boxes;
    for (const QLineEdit* box : findChildren<QLineEdit*>())
        boxes[box->objectName().toStdString()] = box->text().toStdString();

    zivek::NoViewer noViewer;
    zivek::ViewerLauncher& viewer = surroundings_.viewer ? *surroundings_.viewer : noViewer;
    zivek::Disk& disk = surroundings_.disk ? *surroundings_.disk : zivek::systemDisk();
    zivek::PressResult result =
        zivek::press(definition_.cycle(), boxes, surroundings_.place, viewer, disk);
    if (result.written()) {
        text1_->setProgram(std::move(result.programText));
        return;
    }
    if (result.outcome == zivek::PressResult::Outcome::FileFault && result.outputBoxCleared)
        text1_->clear();
    showMessage(this, QString::fromUtf8(result.message()));
}

}  // namespace zivek::windows

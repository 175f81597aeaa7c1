#include "app/main_menu.h"

#include <QCoreApplication>
#include <QPushButton>

#include "cycles/operation_titles.h"
#include "windows/framed_picture.h"

namespace zivek::app {
namespace {

using windows::ControlKind;
using windows::OperationWindowDefinition;

struct PictureButton {
    windows::ControlDefinition control;
    const OperationWindowDefinition& (*opens)();
};

PictureButton pictureButton(std::string_view name, windows::TwipsRect at, std::string_view caption,
                            windows::Picture picture, const OperationWindowDefinition& (*opens)()) {
    return {{ControlKind::PictureButton, name, at, caption, {}, {}, false, picture}, opens};
}

// Form1's picture buttons, each with the name written on its picture (what assistive
// tools call it) and the window it opens.
const PictureButton pictureButtons[] = {
    pictureButton("DISCAP", {120, 120, 2490, 2970}, zivek::title::externalDiameter,
                  {":/menu_discap.svg", 162, 194}, &windows::form11),
    pictureButton("ICCAP", {2760, 120, 2505, 3000}, zivek::title::internalDiameter,
                  {":/menu_iccap.svg", 163, 196}, &windows::form4),
    pictureButton("ALINTORNA", {5400, 120, 2535, 3015}, zivek::title::facing,
                  {":/menu_alintorna.svg", 162, 195}, &windows::form2),
    pictureButton("DISKONIK", {120, 3240, 2535, 3015}, zivek::title::externalTaper,
                  {":/menu_diskonik.svg", 162, 196}, &windows::form3),
    pictureButton("ICKONIK", {2760, 3240, 2535, 3015}, zivek::title::internalTaper,
                  {":/menu_ickonik.svg", 161, 192}, &windows::form5),
};

const windows::ControlDefinition exitButton{
    ControlKind::PushButton, "Command1", {2760, 6480, 2415, 495}, "ÇIKIŞ", {}, 0xFF8080};

const windows::TabPosition tabPositions[] = {
    {"DISCAP", 1}, {"ICCAP", 2}, {"ALINTORNA", 3}, {"DISKONIK", 4}, {"ICKONIK", 5}, {"Command1", 0},
};

const windows::WindowFrame frame{
    "Form1",
    "ZIVEK-VUVEV V1.0",
    8055,
    7455,
    0xC0FFFF,
    windows::Border::FixedSingle,
    windows::Placement::CentreOfScreen,
};

std::vector<windows::ControlDefinition> controls() {
    std::vector<windows::ControlDefinition> all;
    for (const PictureButton& button : pictureButtons) all.push_back(button.control);
    all.push_back(exitButton);
    return all;
}

}  // namespace

MainMenu::MainMenu() : DesignedWindow(frame, controls(), tabPositions) {
    for (const PictureButton& button : pictureButtons) {
        auto* picture = findChild<windows::FramedPicture*>(QString::fromUtf8(
            button.control.name.data(), static_cast<qsizetype>(button.control.name.size())));
        const auto opens = button.opens;
        connect(picture, &windows::FramedPicture::clicked, this,
                [this, opens] { pictureButton_Click(opens()); });
    }
    connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &MainMenu::Command1_Click);
}

void MainMenu::pictureButton_Click(const OperationWindowDefinition& target) {
    emit operationChosen(&target);
}

void MainMenu::Command1_Click() {
    QCoreApplication::quit();
}

}  // namespace zivek::app

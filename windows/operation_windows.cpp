#include "cycles/cycles.h"
#include "cycles/operation_titles.h"
#include "output/control_names.h"
#include "windows/operation_window_definition.h"

namespace zivek::windows {
namespace {

using K = ControlKind;

constexpr std::uint32_t lightYellow = 0xFFFF80;
constexpr std::uint32_t lightGreen = 0xC0FFC0;
constexpr std::uint32_t lightCyan = 0xC0FFFF;

constexpr int clientWidth = 14790;
constexpr int clientHeight = 6615;

constexpr std::string_view lengthHint = "TORNALAMA BOYU";
constexpr std::string_view depthHint = "TORNALAMA DERİNLİĞİ";
constexpr std::string_view plungeHint = "DALMA MİKTARI";
constexpr std::string_view feedHint = "İLERLEME";
constexpr std::string_view largeHint = "BÜYÜK ÇAP";
constexpr std::string_view smallHint = "KÜÇÜK ÇAP";

constexpr ControlDefinition box(std::string_view name, TwipsRect at, std::string_view text,
                                std::string_view hint) {
    return {K::TextBox, name, at, text, hint, {}, true};
}

// Form11, external diameter turning.
constexpr ControlDefinition form11Boxes[] = {
    box(control::Text2, {4800, 2280, 975, 375}, "60", lengthHint),
    box(control::Text3, {6000, 360, 975, 405}, "12", depthHint),
    box(control::Text4, {1200, 2040, 855, 375}, "1", plungeHint),
    box(control::Text5, {600, 4440, 975, 375}, "111", feedHint),
};

// Form4, internal diameter turning.
constexpr ControlDefinition form4Boxes[] = {
    box(control::Text2, {3960, 2400, 975, 375}, "60", lengthHint),
    box(control::Text3, {5880, 480, 975, 375}, "12", depthHint),
    box(control::Text4, {1200, 2040, 975, 405}, "1", plungeHint),
    box(control::Text5, {1800, 4560, 855, 375}, "111", feedHint),
};

// Form2, facing.
constexpr ControlDefinition form2Boxes[] = {
    box(control::Text2, {6120, 360, 855, 375}, "60", lengthHint),
    box(control::Text3, {3960, 1800, 855, 375}, "12", depthHint),
    box(control::Text4, {360, 4200, 615, 405}, "1", plungeHint),
    box(control::Text5, {2280, 2760, 615, 375}, "111", feedHint),
};

// Form3, external taper turning.
constexpr ControlDefinition form3Boxes[] = {
    box(control::Text2, {8640, 2400, 855, 375}, "30", lengthHint),
    box(control::Text3, {6240, 240, 975, 375}, "100", largeHint),
    box(control::Text4, {1320, 2160, 735, 405}, "1", plungeHint),
    box(control::Text5, {600, 4560, 735, 405}, "111", feedHint),
    box(control::Text6, {6360, 960, 855, 375}, "50", smallHint),
};

// Form5, internal taper turning.
constexpr ControlDefinition form5Boxes[] = {
    box(control::Text2, {8760, 2400, 855, 375}, "30", lengthHint),
    box(control::Text3, {6360, 360, 855, 375}, "100", largeHint),
    box(control::Text4, {120, 2880, 735, 405}, "1", plungeHint),
    box(control::Text5, {1920, 4200, 735, 405}, "111", feedHint),
    box(control::Text6, {6360, 960, 855, 375}, "50", smallHint),
};

// Tab positions, column by column of the windows' tab table.
constexpr TabPosition form2Tabs[] = {
    {"Picture1", 0},      {control::Text1, 1},  {"ANAMENU", 2},        {"KOD", 3},
    {control::Text2, 6},  {control::Text3, 5},  {control::Text4, 7},   {control::Text5, 4},
    {control::Text14, 8}, {control::Text13, 9}, {control::Text12, 10}, {"Label4", 11},
    {"Label3", 12},       {"Label2", 13},
};
constexpr TabPosition form3Tabs[] = {
    {"Picture1", 0},     {control::Text1, 3},  {"ANAMENU", 1},        {"KOD", 2},
    {control::Text2, 6}, {control::Text3, 5},  {control::Text4, 7},   {control::Text5, 4},
    {control::Text6, 8}, {control::Text14, 9}, {control::Text13, 10}, {control::Text12, 11},
    {"Label4", 12},      {"Label3", 13},       {"Label2", 14},
};
constexpr TabPosition form4Tabs[] = {
    {"Picture1", 3},      {control::Text1, 0},  {"ANAMENU", 2},        {"KOD", 1},
    {control::Text2, 5},  {control::Text3, 6},  {control::Text4, 4},   {control::Text5, 7},
    {control::Text14, 8}, {control::Text13, 9}, {control::Text12, 10}, {"Label4", 11},
    {"Label3", 12},       {"Label2", 13},
};
constexpr TabPosition form5Tabs[] = {
    {"Picture1", 0},     {control::Text1, 1},  {"ANAMENU", 2},        {"KOD", 3},
    {control::Text2, 6}, {control::Text3, 5},  {control::Text4, 7},   {control::Text5, 4},
    {control::Text6, 8}, {control::Text14, 9}, {control::Text13, 10}, {control::Text12, 11},
    {"Label4", 12},      {"Label3", 13},       {"Label2", 14},
};
constexpr TabPosition form11Tabs[] = {
    {"Picture1", 3},       {control::Text1, 2},  {"ANAMENU", 1},       {"KOD", 0},
    {control::Text2, 4},   {control::Text3, 5},  {control::Text4, 6},  {control::Text5, 7},
    {control::Text14, 12}, {control::Text13, 9}, {control::Text12, 8}, {"Label4", 13},
    {"Label3", 11},        {"Label2", 10},
};

constexpr WindowFrame operationFrame(std::string_view name, std::string_view caption, Border border,
                                     Placement placement) {
    return {name, caption, clientWidth, clientHeight, lightYellow, border, placement};
}

}  // namespace

std::array<ControlDefinition, commonControlCount> commonControls(
    const OperationWindowDefinition& window) {
    return {{
        {K::DrawingArea, "Picture1", {120, 120, 10455, 5415}, {}, {}, {}, false, window.drawing},
        {K::OutputBox, control::Text1, {window.text1Left, 120, 3855, 5415}},
        {K::Frame, "Shape3", {120, 5640, 5415, 855}},
        {K::Label, "Label2", {240, 5760, 1215, 255}, "İŞ MİLİ YÖNÜ", {}, lightGreen},
        {K::TextBox, control::Text12, {1560, 5760, 1095, 285}, "0", "0=SAĞ DÖN , 1=SOLA DÖN"},
        {K::Label, "Label3", {240, 6120, 1215, 255}, "İŞ MİLİ DEVİRİ", {}, lightGreen},
        {K::TextBox, control::Text13, {1560, 6120, 1095, 285}, "6", "S = 100 ~ 2000"},
        {K::Label, "Label4", {2880, 5760, 1215, 255}, "SU AÇ", {}, lightCyan},
        {K::TextBox, control::Text14, {4200, 5760, 1095, 285}, "1", "1=SU AÇ"},
        {K::PushButton, "ANAMENU", {7320, 5760, 2055, 615}, "ANA MENÜ"},
        {K::PushButton, "KOD", {12120, 5760, 1455, 615}, "G KOD"},
    }};
}

const OperationWindowDefinition& form2() {
    static const OperationWindowDefinition window{
        operationFrame("Form2", zivek::title::facing, Border::Sizable, Placement::CentreOfScreen),
        {":/drawing_form2.svg", 691, 357},
        &zivek::facingCycle,
        10800,
        form2Boxes,
        form2Tabs,
    };
    return window;
}

const OperationWindowDefinition& form3() {
    static const OperationWindowDefinition window{
        operationFrame("Form3", zivek::title::externalTaper, Border::Sizable,
                       Placement::CentreOfScreen),
        {":/drawing_form3.svg", 689, 353},
        &zivek::externalTaperCycle,
        10680,
        form3Boxes,
        form3Tabs,
    };
    return window;
}

const OperationWindowDefinition& form4() {
    static const OperationWindowDefinition window{
        operationFrame("Form4", zivek::title::internalDiameter, Border::Sizable,
                       Placement::CentreOfScreen),
        {":/drawing_form4.svg", 690, 355},
        &zivek::internalDiameterCycle,
        10680,
        form4Boxes,
        form4Tabs,
    };
    return window;
}

const OperationWindowDefinition& form5() {
    static const OperationWindowDefinition window{
        operationFrame("Form5", zivek::title::internalTaper, Border::Sizable,
                       Placement::PlatformDefault),
        {":/drawing_form5.svg", 691, 355},
        &zivek::internalTaperCycle,
        10680,
        form5Boxes,
        form5Tabs,
    };
    return window;
}

const OperationWindowDefinition& form11() {
    static const OperationWindowDefinition window{
        operationFrame("Form11", zivek::title::externalDiameter, Border::FixedSingle,
                       Placement::CentreOfScreen),
        {":/drawing_form11.svg", 691, 356},
        &zivek::externalDiameterCycle,
        10800,
        form11Boxes,
        form11Tabs,
    };
    return window;
}

}  // namespace zivek::windows

#include "viewer/sheet_facts.h"

#include <QFileInfo>
#include <algorithm>
#include <vector>

#include "viewer/texts.h"
#include "viewer/wizard_operation.h"

namespace zivek::backplot {
namespace {

QStringList fromUtf8(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& l : lines) out << QString::fromStdString(l);
    return out;
}

// The distinct values in the order the program first sets them.
void addOnce(std::vector<double>& values, double v) {
    if (v > 0 && std::find(values.begin(), values.end(), v) == values.end()) values.push_back(v);
}

QStringList spindleLines(const Toolpath& path) {
    std::vector<double> limits;
    std::vector<double> surface;
    for (const Spindle& s : path.spindles) {
        addOnce(limits, s.rpmLimit);
        if (s.firstMove < path.moves.size() && path.moves[s.firstMove].is(kConstantSurface))
            // Kept in program units per minute; the shop reads metres or feet.
            addOnce(surface, s.speed / (path.inch ? 12.0 : 1000.0));
    }
    QStringList out;
    out << sheetSpindleLimitText(limits);
    if (!surface.empty()) out << sheetSurfaceSpeedText(surface, path.inch);
    return out;
}

}  // namespace

QStringList stockLines(const SheetContent& c) {
    if (!c.cut || c.cut->material().empty()) return {};
    Extent e;
    for (const ConvexRegion& r : c.cut->material()) {
        e.add(r.low);
        e.add(r.high);
    }
    const double xs = c.path->xScale();
    return {
        sheetSpanText(zAxisText(c.path->inch), e.min.z, e.max.z),
        sheetSpanText(xAxisText(c.path->diameterMode, c.path->inch), e.min.x * xs, e.max.x * xs)};
}

SheetFacts sheetFacts(const SheetContent& c) {
    SheetFacts f;
    const Toolpath& path = *c.path;
    const ProgramHeader header = readProgramHeader(c.programText);
    f.title = sheetProgramTitle(QString::fromStdString(header.number),
                                QString::fromStdString(header.name), QFileInfo(c.file).fileName());
    f.notes = fromUtf8(header.comments);
    f.setup << sheetUnitsText(path.inch, path.diameterMode)
            << sheetWorkOffsetText(fromUtf8(header.workOffsets));
    f.setup << spindleLines(path);
    if (c.stock.isEmpty()) {
        f.stock = stockLines(c);
        f.stockTitle = sheetStockTitle(!f.stock.isEmpty());
    } else {
        f.stock = QStringList{c.stock};
        f.stockTitle = sheetShopStockTitle();
    }
    if (const auto op = readWizardOperation(c.programText)) {
        f.operation = wizardKindText(op->kind);
        for (const auto& [box, value] : op->values) f.typed << wizardValueText(box, value);
    }
    return f;
}

}  // namespace zivek::backplot

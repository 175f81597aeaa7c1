// The tools' texts, on the screen and on the setup sheet.

#include "viewer/texts.h"

namespace zivek::backplot {

QStringList toolColumnTexts() {
    return {QStringLiteral("Takım"), QStringLiteral("Süre"), QStringLiteral("Kesme boyu"),
            QStringLiteral("Hareket"), QStringLiteral("Açıklama")};
}

QString toolNameText(const ToolChange& tool) {
    // The offset only where it is not the tool's own number: T0305 is "T3 (D5)".
    return tool.offset == tool.tool || tool.offset == 0
               ? QStringLiteral("T%1").arg(tool.tool)
               : QStringLiteral("T%1 (D%2)").arg(tool.tool).arg(tool.offset);
}

QString toolTimeText(const MoveTotals& totals) {
    if (totals.feedMovesWithoutRate > 0 && !(totals.cuttingMinutes > 0))
        return QStringLiteral("bilinemez");
    return minutesText(totals.cuttingMinutes);
}

QStringList toolRowTexts(const ToolChange& tool, bool inch) {
    const MoveTotals& t = tool.totals;
    const bool untimed = t.feedMovesWithoutRate > 0 && !(t.cuttingMinutes > 0);
    const QString duration = durationText(t.cuttingMinutes);
    return {toolNameText(tool),
            untimed              ? QStringLiteral("bilinemez")
            : duration.isEmpty() ? QStringLiteral("0 sn")
                                 : duration,
            QStringLiteral("%1 %2").arg(decimalText(t.feedLength), lengthUnitText(inch)),
            QString::number(t.moves()), QString::fromStdString(tool.description)};
}

QString sheetToolsTitle(std::size_t count) {
    return QStringLiteral("Takımlar (%1)").arg(count);
}

QString sheetToolText(std::size_t order, const ToolChange& tool, bool inch) {
    const QString name = tool.description.empty() ? toolNameText(tool)
                                                  : toolNameText(tool) + QLatin1Char(' ') +
                                                        QString::fromStdString(tool.description);
    return QStringLiteral("%1. %2, satır %3: %4 hareket, kesme %5 %6, %7")
        .arg(order)
        .arg(name)
        .arg(tool.line + 1)
        .arg(tool.totals.moves())
        .arg(decimalText(tool.totals.feedLength), lengthUnitText(inch), toolTimeText(tool.totals));
}

QString toolListTip() {
    return QStringLiteral(
        "Programın takımları, değiştirildikleri sırayla; renkleri çizimdeki renkleridir. "
        "Bir takıma tıklamak onu değiştiren satırı seçer.");
}

}  // namespace zivek::backplot

#include "viewer/find_measure_texts.h"

#include <QStringList>
#include <cmath>

#include "viewer/texts.h"

namespace zivek::backplot {

QString findPlaceholderText() {
    return QStringLiteral("Programda ara (Ctrl+F)");
}

QString findCountText(std::size_t at, std::size_t count) {
    if (at == 0) return QStringLiteral("%1 satır").arg(count);
    return QStringLiteral("%1/%2").arg(at).arg(count);
}

QString notFoundText() {
    return QStringLiteral("Bulunamadı");
}

QString findNextTip() {
    return QStringLiteral("Sonraki bulunan satır (Enter, F3)");
}

QString findPreviousTip() {
    return QStringLiteral("Önceki bulunan satır (Shift+Enter, Shift+F3)");
}

QString closeBarTip() {
    return QStringLiteral("Kapat (Esc)");
}

QString goToLineLabelText() {
    return QStringLiteral("Satıra git:");
}

QString goToLinePlaceholderText(std::size_t lineCount) {
    return QStringLiteral("1–%1").arg(lineCount);
}

QString wentToLineText(std::size_t line, std::size_t lineCount) {
    return QStringLiteral("Satır %1 / %2").arg(line + 1).arg(lineCount);
}

QString lineOutOfRangeText(const QString& typed, std::size_t lineCount) {
    if (lineCount == 0) return QStringLiteral("Programda satır yok");
    return QStringLiteral("%1. satır yok: program 1–%2").arg(typed).arg(lineCount);
}

QString measureButtonText() {
    return QStringLiteral("Ölç");
}

QString measureTip() {
    return QStringLiteral(
        "İki nokta arası: mesafe, ΔZ ve ΔX. Hareket uçlarına ve yay merkezlerine yapışır (M; "
        "Esc bırakır)");
}

QString measureFirstPointText() {
    return QStringLiteral("Ölçme: ilk noktayı tıklayın (Esc bırakır)");
}

QString measureSecondPointText() {
    return QStringLiteral("Ölçme: ikinci noktayı tıklayın (Esc bırakır)");
}

QString measureResultText(Point a, Point b, bool diameter, bool inch) {
    const double dz = b.z - a.z;
    const double dx = b.x - a.x;
    const QString unit = lengthUnitText(inch);
    return QStringLiteral("Mesafe %1 %4   ΔZ %2 %4   ΔX %3 %4 (%5)")
        .arg(number(std::hypot(dz, dx)), number(dz), number(dx * (diameter ? 2 : 1)), unit,
             diameter ? QStringLiteral("çapta") : QStringLiteral("yarıçapta"));
}

QString contourLineText(const std::vector<std::uint32_t>& cycleLines) {
    QStringList lines;
    for (const std::uint32_t l : cycleLines) lines << QStringLiteral("%1.").arg(l + 1);
    if (lines.size() == 1)
        return QStringLiteral(
                   "Kontur satırı: %1 satırdaki çevrimin kontur boyunca hareketleri sarıyla "
                   "işaretli")
            .arg(lines.front());
    const QString last = lines.takeLast();
    return QStringLiteral(
               "Kontur satırı: %1 ve %2 satırlardaki çevrimlerin kontur boyunca hareketleri "
               "sarıyla işaretli")
        .arg(lines.join(QStringLiteral(", ")), last);
}

}  // namespace zivek::backplot

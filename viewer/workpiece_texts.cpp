#include "viewer/workpiece_texts.h"

#include "viewer/texts.h"

namespace zivek::backplot {
namespace {

QString span(double from, double to) {
    return from == to ? number(from) : QStringLiteral("%1 … %2").arg(number(from), number(to));
}

}  // namespace

QString cutWarningText(const CutWarning& w) {
    switch (w.check) {
        case CutCheck::RapidIntoMaterial:
            return QStringLiteral("Hızlı hareket kesilmemiş malzemeye giriyor");
        case CutCheck::RapidIntoPart:
            return QStringLiteral("Hızlı hareket parçaya giriyor");
        case CutCheck::FeedIntoPart:
            return QStringLiteral("İlerleme parçaya giriyor");
        case CutCheck::UncutMaterial:
            return QStringLiteral("kesilmemiş malzeme: Z %1, X %2")
                .arg(span(w.where.min.z, w.where.max.z), span(w.where.min.x, w.where.max.x));
    }
    return {};
}

QString cutWarningCountText(std::size_t warnings, bool cutShort) {
    if (cutShort) return QStringLiteral("İş parçası: program çok parçalı, denetim yarıda kaldı");
    return warnings == 0 ? QString() : QStringLiteral("İş parçası uyarısı: %1").arg(warnings);
}

QString stepText(std::size_t line, std::size_t lineCount) {
    return line >= lineCount ? QStringLiteral("Son durum")
                             : QStringLiteral("Satır %1 / %2").arg(line + 1).arg(lineCount);
}

}  // namespace zivek::backplot

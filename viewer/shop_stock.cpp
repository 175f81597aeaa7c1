#include "viewer/shop_stock.h"

#include <QRegularExpression>
#include <QStringList>

#include "viewer/texts.h"

namespace zivek::backplot {

std::optional<StockInUse> stockFor(const std::optional<Stock>& given, std::string_view program,
                                   const Toolpath& path) {
    if (given) return StockInUse{*given, StockSource::Given};
    if (auto named = stockFromComments(program)) return StockInUse{*named, StockSource::Comment};
    if (auto guessed = guessStock(path)) return StockInUse{*guessed, StockSource::Guessed};
    return std::nullopt;
}

std::vector<ToolFrom> toolChangesOf(const Toolpath& path) {
    std::vector<ToolFrom> changes;
    changes.reserve(path.tools.size());
    for (const ToolChange& change : path.tools)
        changes.push_back({change.firstMove, int(change.tool)});
    return changes;
}

QString stockLineText(const StockInUse& use, bool inch, const std::vector<int>& missingTools,
                      bool haveTable, bool detailed) {
    const Stock& s = use.stock;
    QString size = QStringLiteral("Ø%1 × %2").arg(number(s.diameter), number(s.length));
    if (s.bore > 0) size += QStringLiteral(", delik Ø%1").arg(number(s.bore));
    if (s.faceAllowance > 0) size += QStringLiteral(", alın payı %1").arg(number(s.faceAllowance));
    if (s.jawLength > 0) size += QStringLiteral(", ayna %1").arg(number(s.jawLength));
    size += inch ? QStringLiteral(" inç") : QStringLiteral(" mm");
    QString from;
    switch (use.source) {
        case StockSource::Given:
            from = QStringLiteral("girilen");
            break;
        case StockSource::Comment:
            from = QStringLiteral("programdaki açıklamadan");
            break;
        case StockSource::Guessed:
            from = detailed ? QStringLiteral(
                                  "<b>tahmin</b>: programda ham parça yok, kesişleri tutan en "
                                  "küçük çubuk")
                            : QStringLiteral("<b>tahmin</b>");
            break;
    }
    QString line = QStringLiteral("Ham parça: %1 (%2)").arg(size, from);
    if (!haveTable) {
        line += QStringLiteral(" · Takım tablosu yok");
        if (detailed) line += QStringLiteral(": uçlar Ø0.8 yuvarlak çizildi");
    } else if (!missingTools.empty()) {
        QStringList names;
        for (int t : missingTools) names << QStringLiteral("T%1").arg(t);
        line += QStringLiteral(" · Tabloda olmayan %1").arg(names.join(QStringLiteral(", ")));
        if (detailed) line += QStringLiteral(": Ø0.8 yuvarlak uçla çizildi");
    }
    return line;
}

std::string stockSummaryJson(const StockInUse& use, const WorkpieceCut& cut) {
    static constexpr const char* kChecks[] = {
        "rapid-into-material", "rapid-into-part",      "feed-into-part", "uncut-material",
        "back-edge",           "holder-into-material", "into-jaws"};
    static constexpr const char* kSources[] = {"given", "comment", "guessed"};
    std::string json = ",\n  \"stock\": \"" + stockWords(use.stock) + "\", \"stockSource\": \"" +
                       kSources[int(use.source)] + "\",\n  \"cutWarnings\": [";
    const char* separator = "";
    for (const CutWarning& w : cut.warnings()) {
        json += separator;
        json += "{\"line\": " + std::to_string(w.line + 1) + ", \"check\": \"" +
                kChecks[int(w.check)] + "\"}";
        separator = ", ";
    }
    return json + "]";
}

QStringList joinStockWords(const QStringList& arguments) {
    static const QRegularExpression word(QStringLiteral("^[DLBFJdlbfj][0-9.]+$"));
    QStringList out;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        out << arguments[i];
        if (arguments[i] != QLatin1String("--stock")) continue;
        QStringList words;
        while (i + 1 < arguments.size() && word.match(arguments[i + 1]).hasMatch())
            words << arguments[++i];
        if (!words.isEmpty()) out << words.join(QLatin1Char(' '));
    }
    return out;
}

}  // namespace zivek::backplot

// Which control a program was read as, and the signs that chose it, in Turkish.

#include <QStringList>
#include <optional>

#include "viewer/texts.h"

namespace zivek::backplot {

QString dialectSignText(DialectSign sign) {
    switch (sign) {
        case DialectSign::WizardOpening:
            return QStringLiteral("sihirbazın açılışı");
        case DialectSign::ProgramNumber:
            return QStringLiteral("O numarası");
        case DialectSign::SpindleLimit:
            return QStringLiteral("G50/G92 S");
        case DialectSign::PositionSetting:
            return QStringLiteral("G50 X Z");
        case DialectSign::ThreadLeadInF:
            return QStringLiteral("G32/G33 F");
        case DialectSign::FeedModeG98G99:
            return QStringLiteral("G98/G99");
        case DialectSign::FeedPerRevolutionG95:
            return QStringLiteral("G95");
        case DialectSign::ToolWithOffset:
            return QStringLiteral("T0101");
        case DialectSign::SubprogramCall:
            return QStringLiteral("M98");
        case DialectSign::ThreadCycleG92:
            return QStringLiteral("G92 diş çevrimi");
        case DialectSign::CycleInTwoBlocks:
            return QStringLiteral("iki satırlık G71/G72/G76");
        case DialectSign::HomeByIncrement:
            return QStringLiteral("G28 U W");
        case DialectSign::FacingPastCentre:
            return QStringLiteral("merkezi geçen alın");
        case DialectSign::XAsDiameter:
            return QStringLiteral("X çap");
        case DialectSign::XAsRadius:
            return QStringLiteral("X yarıçap");
        case DialectSign::DiameterModeCode:
            return QStringLiteral("G7/G8");
        case DialectSign::PathControl:
            return QStringLiteral("G61/G64");
        case DialectSign::G76WithIJ:
            return QStringLiteral("G76 I J");
        case DialectSign::CycleOnSubroutine:
            return QStringLiteral("alt programlı G71/G72");
        case DialectSign::ToolChangeM6:
            return QStringLiteral("M6");
        case DialectSign::NamedParameter:
            return QStringLiteral("#<ad>");
        case DialectSign::OWord:
            return QStringLiteral("o-sözcükleri");
        case DialectSign::NoseFromTool:
            return QStringLiteral("G41.1/G42.1");
        case DialectSign::SpindleLimitByD:
            return QStringLiteral("G96 D");
        case DialectSign::MoveFromWorkZero:
            return QStringLiteral("iş sıfırından U/W");
        case DialectSign::RetractLevel:
            return QStringLiteral("delmede G98/G99");
        case DialectSign::ModesSaved:
            return QStringLiteral("M73");
    }
    return {};
}

QString dialectWhyText(const DialectChoice& choice, std::size_t most) {
    QString why;
    if (choice.chosenByHand) {
        why = QStringLiteral("elle seçildi");
    } else if (choice.reasons.empty()) {
        why = QStringLiteral("işaret yok");
    } else {
        QStringList signs;
        for (const DialectSign s : choice.reasons) signs << dialectSignText(s);
        if (std::size_t(signs.size()) > most) {
            signs.resize(qsizetype(most));
            signs.back() += QStringLiteral(" …");
        }
        why = signs.join(QStringLiteral(", "));
    }
    if (choice.doubtful) why += QStringLiteral(" (emin değil)");
    return why;
}

QString dialectReasonsText(Dialect d, const DialectChoice& choice, std::size_t most) {
    return QStringLiteral("%1 olarak okundu: %2").arg(dialectName(d), dialectWhyText(choice, most));
}

QString dialectLineText(Dialect d, const DialectChoice& choice) {
    // The strongest signs say enough, and leave the link room on a laptop's screen.
    QString line = dialectReasonsText(d, choice, 4);
    line[0] = line[0].toUpper();
    line = line.toHtmlEscaped();
    // A doubt is what the eye must catch; the link opens the dialect box beside it.
    const QString doubt = QStringLiteral("(emin değil)");
    line.replace(doubt, QStringLiteral("<b style=\"color:#b35900\">%1</b>").arg(doubt));
    return line + QStringLiteral(" &nbsp;<a href=\"lehce\">değiştir</a>");
}

QString dialectLineTip() {
    return QStringLiteral(
        "Programda görülen işaretler; başka bir denetim seçmek için "
        "\"değiştir\". Seçim yalnız bu dosya için geçerlidir.");
}

std::optional<Dialect> dialectByKey(const QString& key) {
    const QString k = key.trimmed().toLower();
    if (k == QStringLiteral("genel")) return Dialect::Generic;
    for (const DialectName& d : dialectNames())
        if (k == QString::fromUtf8(d.key.data(), qsizetype(d.key.size())) ||
            k == dialectName(d.dialect).toLower())
            return d.dialect;
    return std::nullopt;
}

QString dialectOptionText() {
    return QStringLiteral(
        "Programın yazıldığı denetim: genel, fanuc ya da linuxcnc. Verilmezse "
        "programdaki işaretlerden anlaşılır; --summary ve --sheet için de "
        "geçerlidir.");
}

QString unknownDialectText(const QString& key) {
    return QStringLiteral("Bilinmeyen lehçe: %1 (genel, fanuc ya da linuxcnc olmalı)").arg(key);
}

}  // namespace zivek::backplot

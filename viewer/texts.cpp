#include "viewer/texts.h"

#include <cmath>

#include "zivek/gcode/dialect_names.h"

namespace zivek::backplot {

QString number(double value) {
    // Sums of moves near the double range overflow; no machinist should read "inf".
    if (!std::isfinite(value)) return tooLargeText();
    // QString::number ignores the locale, so the decimal mark stays a point.
    if (std::abs(value) >= 1e12) return QString::number(value, 'g', 6);
    QString s = QString::number(value, 'f', 3);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0')) s.chop(1);
        if (s.endsWith(u'.')) s.chop(1);
    }
    if (s == u"-0") s = QStringLiteral("0");
    return s;
}

QString loadFailureText(LoadStatus status, const QString& path) {
    switch (status) {
        case LoadStatus::Ok:
            return {};
        case LoadStatus::NotFound:
            return QStringLiteral("Dosya okunamadı: %1\nBöyle bir dosya yok.").arg(path);
        case LoadStatus::NotAFile:
            return QStringLiteral("Dosya okunamadı: %1\nBu bir klasör ya da özel dosya.").arg(path);
        case LoadStatus::Unreadable:
            return QStringLiteral("Dosya okunamadı: %1\nOkuma izni yok ya da okuma yarıda kaldı.")
                .arg(path);
        case LoadStatus::TooLarge:
            return QStringLiteral("Dosya çok büyük: %1\nBir torna programı en çok %2 MB olabilir.")
                .arg(path)
                .arg(kMaxProgramBytes >> 20);
        case LoadStatus::Empty:
            return QStringLiteral("Dosya boş: %1").arg(path);
        case LoadStatus::NotText:
            return QStringLiteral("Dosya metin değil: %1\nBir G kodu programı açın.").arg(path);
    }
    return {};
}

QString noFileText() {
    return QStringLiteral("Program dosyası verilmedi.\nKullanım: zivek-backplot <dosya>");
}

QString viewerDescriptionText() {
    return QStringLiteral(
        "ZIVEK-VUVEV takım yolu görüntüleyicisi: bir torna programının takım yolunu çizer.");
}

QString programArgumentText() {
    return QStringLiteral("Gösterilecek G kodu programı.");
}

QString workpieceOptionText() {
    return QStringLiteral("İşlemin iş parçası (sihirbaz verir): kaldırılacak malzeme, parça, uç.");
}

QString summaryOptionText() {
    return QStringLiteral(
        "Pencere açmadan programın toplamlarını JSON olarak yazar (ardından isteğe bağlı "
        "hızlı ilerleme).");
}

QString sheetOptionText() {
    return QStringLiteral(
        "Pencere açmadan kurulum föyünü PDF olarak yazar: --sheet <dosya> <föy.pdf>");
}

QString summaryUsageText() {
    return QStringLiteral("Kullanım: zivek-backplot --summary <dosya> [hızlı ilerleme > 0]");
}

QString exitDoneText() {
    return QStringLiteral("iş tamam (pencere kapandı, toplamlar ya da föy yazıldı)");
}

QString exitFailedText() {
    return QStringLiteral("program dosyası okunamadı ya da föy yazılamadı");
}

QString exitBadCommandLineText() {
    return QStringLiteral("komut satırı yanlış: bilinmeyen seçenek, eksik değer ya da dosya adı");
}

QString moveCountText(const Summary& s) {
    return QStringLiteral("Hareket: %1 (hızlı %2, ilerleme %3)")
        .arg(s.rapidMoves + s.feedMoves)
        .arg(s.rapidMoves)
        .arg(s.feedMoves);
}

QString decimalText(double value) {
    QString s = number(value);
    s.replace(u'.', u',');
    return s;
}

QString feedLengthText(const Summary& s, bool inch) {
    return QStringLiteral("İlerleme boyu: %1 %2")
        .arg(decimalText(s.feedLength), lengthUnitText(inch));
}

QString rapidLengthText(const Summary& s, bool inch) {
    return QStringLiteral("Hızlı boyu: %1 %2")
        .arg(decimalText(s.rapidLength), lengthUnitText(inch));
}

QString tooLargeText() {
    return QStringLiteral("çok büyük");
}

QString durationText(double minutes) {
    const double seconds = std::round(minutes * 60);
    if (!(seconds >= 1 && seconds < 1e9)) return {};
    // Long programs read better in hours; seconds matter only for short ones.
    const auto whole = static_cast<long long>(seconds);
    return whole < 60     ? QStringLiteral("%1 sn").arg(whole)
           : whole < 3600 ? QStringLiteral("%1 dk %2 sn").arg(whole / 60).arg(whole % 60)
                          : QStringLiteral("%1 sa %2 dk").arg(whole / 3600).arg(whole / 60 % 60);
}

QString minutesText(double minutes) {
    if (!std::isfinite(minutes)) return tooLargeText();
    const QString text = QStringLiteral("%1 dk").arg(decimalText(minutes));
    const QString duration = durationText(minutes);
    return duration.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, duration);
}

namespace {

QString gapText(TimeGap gap) {
    return gap == TimeGap::NoSpindle
               ? QStringLiteral("devir başına ilerlemede iş mili devri (S) yok")
               : QStringLiteral("ilerleme (F) yok");
}

bool untimed(const Summary& s) {
    return s.feedMovesWithoutRate > 0 && !(s.cuttingMinutes > 0);
}

}  // namespace

QString cuttingTimeText(const Summary& s) {
    if (untimed(s)) return QStringLiteral("Kesme süresi: bilinemez, %1").arg(gapText(s.timeGap));
    QString text = QStringLiteral("Kesme süresi: ") + minutesText(s.cuttingMinutes);
    if (s.feedMovesWithoutRate > 0) {
        text +=
            s.timeGap == TimeGap::NoSpindle
                ? QStringLiteral(", devri bilinmeyen %1 hareket hariç").arg(s.feedMovesWithoutRate)
                : QStringLiteral(", F'siz %1 hareket hariç").arg(s.feedMovesWithoutRate);
    }
    return text;
}

QString totalTimeText(const Summary& s, double rapidRate) {
    if (untimed(s) || !(rapidRate > 0)) return QStringLiteral("Toplam süre: bilinemez");
    return QStringLiteral("Toplam süre: ") +
           minutesText(s.cuttingMinutes + s.rapidLength / rapidRate);
}

QString rapidTimeText(const Summary& s, double rapidRate, bool inch) {
    return QStringLiteral("Hızlı hareketler %1 %2 boyunca %3 %4 ile: %5")
        .arg(decimalText(s.rapidLength), lengthUnitText(inch), decimalText(rapidRate),
             feedUnitText(inch, false), minutesText(s.rapidLength / rapidRate));
}

QString dialectName(Dialect d) {
    const std::string_view name = dialectNameOf(d).name;
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

QString detectedDialectText(Dialect d) {
    return QStringLiteral("%1 (%2)").arg(uiText(UiText::DialectFromProgram), dialectName(d));
}

QString xAxisText(bool diameter, bool inch) {
    return QStringLiteral("X %1 (%2)")
        .arg(diameter ? QStringLiteral("çap") : QStringLiteral("yarıçap"), lengthUnitText(inch));
}

QString zAxisText(bool inch) {
    return QStringLiteral("Z (%1)").arg(lengthUnitText(inch));
}

QString warningCountText(std::size_t lines) {
    return lines == 0 ? QString() : QStringLiteral("Uyarılı satır: %1").arg(lines);
}

QString moveText(const Toolpath& path, std::size_t index) {
    const Move& m = path.moves[index];
    const double xs = path.xScale();
    QString kind = m.kind == MoveKind::Rapid ? QStringLiteral("hızlı")
                   : m.is(kThread)           ? QStringLiteral("diş")
                   : m.is(kArc)              ? QStringLiteral("yay")
                                             : QStringLiteral("ilerleme");
    if (m.is(kFromCycle)) kind += QStringLiteral(" (çevrim)");
    return QStringLiteral("Satır %1: %2  Z %3 → %4  X %5 → %6  boy %7 %8%9")
        .arg(m.line + 1)
        .arg(kind)
        .arg(number(m.from.z), number(m.to.z), number(m.from.x * xs), number(m.to.x * xs),
             number(path.moveLength(index)), lengthUnitText(path.inch))
        .arg(m.kind == MoveKind::Feed
                 ? QStringLiteral("  F%1 %2")
                       .arg(number(m.feed), m.is(kThread)
                                                ? QStringLiteral("adım")
                                                : feedUnitText(path.inch, m.is(kPerRevolution)))
                 : QString());
}

QString pointerText(Point p, double xScale, bool inch) {
    // Both readings of X: the program's own first, the other in brackets.
    const int decimals = inch ? 4 : 3;
    const auto fixed = [decimals](double v) {
        return std::isfinite(v) ? QString::number(v, 'f', decimals) : tooLargeText();
    };
    const QString x = xScale == 2.0 ? QStringLiteral("Ø%1 (r %2)").arg(fixed(2 * p.x), fixed(p.x))
                                    : QStringLiteral("%1 (Ø%2)").arg(fixed(p.x), fixed(2 * p.x));
    return QStringLiteral("Z %1  X %2").arg(fixed(p.z), x);
}

QString idleHintText() {
    return QStringLiteral(
        "Bir satır seçin ya da bir harekete tıklayın · Tekerlek: yakınlaştır · "
        "Sürükle: kaydır · F: sığdır");
}

QString noMovesText() {
    return QStringLiteral("Programda hareket yok");
}

QString windowTitle(const QString& fileName) {
    return QStringLiteral("%1 — Takım yolu (zivek-backplot)").arg(fileName);
}

QString fileMenuText() {
    return QStringLiteral("&Dosya");
}

QString openText() {
    return QStringLiteral("&Aç…");
}

QString openToolTip() {
    return QStringLiteral(
        "Başka bir G kodu programı aç (Ctrl+O); dosyayı pencereye de "
        "sürükleyebilirsiniz");
}

QString openDialogTitle() {
    return QStringLiteral("Program aç");
}

QString saveDialogTitle() {
    return QStringLiteral("Programı farklı kaydet");
}

QString programFilesFilter() {
    // The extensions controls and CAM posts write, in both cases (the dialog matches
    // them as written), and Fanuc's files named by their program number alone: O1234.
    QStringList patterns;
    for (const char* ext : {"nc", "cnc", "tap", "ngc", "txt", "ptp", "gcode", "eia", "min", "mpf"})
        patterns << QStringLiteral("*.%1").arg(QLatin1String(ext))
                 << QStringLiteral("*.%1").arg(QLatin1String(ext).toString().toUpper());
    patterns << QStringLiteral("O[0-9]*") << QStringLiteral("o[0-9]*");
    return QStringLiteral("G kodu programları (%1);;Tüm dosyalar (*)").arg(patterns.join(u' '));
}

QString recentFilesText() {
    return QStringLiteral("&Son dosyalar");
}

QString noRecentFilesText() {
    return QStringLiteral("(henüz yok)");
}

QString openFailedTitle() {
    return QStringLiteral("Program açılamadı");
}

QString warningTotalText(std::size_t warnings) {
    return warnings == 0 ? QStringLiteral("Uyarı yok")
                         : QStringLiteral("Uyarılar: %1").arg(warnings);
}

QString warningLineText(std::size_t line, const QString& text) {
    return QStringLiteral("Satır %1: %2").arg(line + 1).arg(text);
}

QString warningGroupText(const QString& kind, std::size_t count) {
    return QStringLiteral("%1 (%2)").arg(kind).arg(count);
}

QString previousWarningText() {
    return QStringLiteral("◀ Önceki");
}

QString nextWarningText() {
    return QStringLiteral("Sonraki ▶");
}

QString previousWarningToolTip() {
    return QStringLiteral("Önceki uyarılı satır");
}

QString nextWarningToolTip() {
    return QStringLiteral("Sonraki uyarılı satır");
}

// The workpiece checks.
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
        case CutCheck::BackEdgeRubs:
            return QStringLiteral(
                "Kesici ucun arka kenarı malzemeye giriyor (boşluk açısı yetmiyor)");
        case CutCheck::HolderIntoMaterial:
            return QStringLiteral("Kater gövdesi malzemeye giriyor");
        case CutCheck::IntoJaws:
            return QStringLiteral("Takım ayna çenelerine giriyor");
    }
    return {};
}

QString cutWarningKindText(CutCheck check) {
    switch (check) {
        case CutCheck::RapidIntoMaterial:
            return QStringLiteral("Malzemeye hızlı giriş");
        case CutCheck::RapidIntoPart:
            return QStringLiteral("Parçaya hızlı giriş");
        case CutCheck::FeedIntoPart:
            return QStringLiteral("Parçaya giren ilerleme");
        case CutCheck::UncutMaterial:
            return QStringLiteral("Kesilmemiş malzeme");
        case CutCheck::BackEdgeRubs:
            return QStringLiteral("Arka kenar sürtünmesi");
        case CutCheck::HolderIntoMaterial:
            return QStringLiteral("Kater malzemede");
        case CutCheck::IntoJaws:
            return QStringLiteral("Ayna çenesine giriş");
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

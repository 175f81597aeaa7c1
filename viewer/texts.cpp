#include "viewer/texts.h"

#include <cmath>

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

QString sheetTitleText() {
    return QStringLiteral("Kurulum föyü");
}

QString sheetDateText(const QDateTime& when) {
    // A fixed pattern: the date reads the same on every desktop.
    return QStringLiteral("Tarih: ") + when.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

QString sheetDialectText(Dialect d, bool diameter) {
    return QStringLiteral("Lehçe: %1   ·   X %2 olarak yazılmış")
        .arg(dialectName(d), diameter ? QStringLiteral("çap") : QStringLiteral("yarıçap"));
}

QString sheetTotalsTitle() {
    return QStringLiteral("Toplamlar ve süreler");
}

QString sheetRapidRateText(double rapidRate) {
    return QStringLiteral("Hesaptaki hızlı ilerleme: %1 /dk").arg(number(rapidRate));
}

QString sheetPartTitle(bool fromWorkpiece) {
    return fromWorkpiece ? QStringLiteral("Bitmiş parçanın ölçüleri")
                         : QStringLiteral("Kesme hareketlerinin alanı");
}

QString sheetSpanText(const QString& axis, double from, double to) {
    return QStringLiteral("%1:  %2 … %3").arg(axis, number(from), number(to));
}

QString sheetLengthText(double length) {
    return QStringLiteral("Boy (Z): %1").arg(number(length));
}

QString sheetWarningsTitle(std::size_t count) {
    return count == 0 ? QStringLiteral("Uyarılar") : QStringLiteral("Uyarılar (%1)").arg(count);
}

QString sheetNoWarningsText() {
    return QStringLiteral("Uyarı yok.");
}

QString sheetWarningText(std::uint32_t line, const QString& text, bool workpiece) {
    return QStringLiteral("Satır %1  %2%3")
        .arg(line + 1)
        .arg(workpiece ? QStringLiteral("İş parçası: ") : QString(), text);
}

QString sheetMoreWarningsText(std::size_t count) {
    return QStringLiteral("… ve %1 uyarı daha (tamamı görüntüleyicide)").arg(count);
}

QString sheetFooterText() {
    return QStringLiteral(
        "ZIVEK-VUVEV · zivek-backplot · Programı makinede çalıştırmadan önce "
        "takım ve iş sıfırını denetleyin.");
}

QString sheetLegendText(int entry) {
    switch (entry) {
        case 0:
            return QStringLiteral("İlerleme (G1, G2, G3)");
        case 1:
            return QStringLiteral("Hızlı (G0)");
        case 2:
            return QStringLiteral("İş parçası uyarısı");
        default:
            return QStringLiteral("Bitmiş parça");
    }
}

QString sheetFailedText(const QString& pdf) {
    return QStringLiteral("Kurulum föyü yazılamadı: %1").arg(pdf);
}

QString sheetProgramDateText(const QDateTime& modified) {
    return QStringLiteral("Program dosyasının tarihi: ") +
           modified.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

QString sheetButtonText() {
    return QStringLiteral("Kurulum föyü");
}

QString sheetButtonTip() {
    return QStringLiteral(
        "Atölye için tek sayfalık A4 föy: program, lehçe, toplamlar, çizim, parça ölçüleri "
        "ve uyarılar (Ctrl+P: PDF, Ctrl+Shift+P: yazdır)");
}

QString sheetSaveActionText() {
    return QStringLiteral("PDF olarak kaydet…");
}

QString sheetPrintActionText() {
    return QStringLiteral("Yazdır…");
}

QString sheetSaveDialogTitle() {
    return QStringLiteral("Kurulum föyünü kaydet");
}

QString sheetPrintDialogTitle() {
    return QStringLiteral("Kurulum föyünü yazdır");
}

QString pdfFilterText() {
    return QStringLiteral("PDF belgeleri (*.pdf)");
}

QString notSavedTitle() {
    return QStringLiteral("Kaydedilemedi");
}

QString notPrintedTitle() {
    return QStringLiteral("Yazdırılamadı");
}

QString sheetUsageText() {
    return QStringLiteral("Kullanım: zivek-backplot --sheet <dosya> <föy.pdf>");
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

namespace {

// Why the control refuses a move under nose compensation, by the reader's key.
QString compensationFaultText(const QString& key) {
    if (key == QLatin1String("entry"))
        return QStringLiteral("telafiye giriş hareketi uç yarıçapından kısa");
    if (key == QLatin1String("gouge"))
        return QStringLiteral("uç bu iç köşeye parçayı oymadan giremez");
    if (key == QLatin1String("nose"))
        return QStringLiteral("iç yayın yarıçapı uç yarıçapından büyük değil");
    if (key == QLatin1String("position"))
        return QStringLiteral("telafi açıkken konum parametresi (#5420-#5428) okunamaz");
    if (key == QLatin1String("arc"))
        return QStringLiteral(
            "köşe, telafili yayın ucunu yayın çemberi dışına taşıyor; kontrol bunu hata sayar");
    if (key == QLatin1String("exit-arc"))
        return QStringLiteral("G40'tan sonraki ilk hareket yay; telafiden düz hareketle çıkılır");
    return QStringLiteral("telafi açıkken G70 dışında çevrim");
}

}  // namespace

QString warningText(const LineWarning& w) {
    const QString word = QString::fromUtf8(w.word.data(), qsizetype(w.word.size()));
    switch (w.code) {
        case Warning::UnknownWord:
            return QStringLiteral("Bilinmeyen sözcük: %1").arg(word);
        case Warning::BadNumber:
            return QStringLiteral("Sayı okunamadı: %1").arg(word);
        case Warning::UnsupportedG:
            return QStringLiteral("Desteklenmeyen G kodu: %1 (hareketleri çizilmedi)").arg(word);
        case Warning::UnsupportedM:
            return QStringLiteral("%1 ile çağrılan alt program dosyada yok: çağrı çizilmedi")
                .arg(word);
        case Warning::NoMotionMode:
            return QStringLiteral("G0/G1 verilmeden eksen hareketi: hızlı sayıldı");
        case Warning::NoFeedRate:
            return QStringLiteral(
                "İlerleme (F) yok ya da sıfırdan büyük değil: "
                "kesme süresine katılmadı");
        case Warning::OpenComment:
            return QStringLiteral("Açıklama parantezi kapanmamış");
        case Warning::AbsoluteAndIncremental:
            return QStringLiteral(
                       "Aynı satırda hem mutlak hem artışlı değer (%1): mutlak "
                       "değer alındı")
                .arg(word);
        case Warning::OutOfRange:
            return QStringLiteral("Konum sayı sınırını aşıyor: hareket atlandı");
        case Warning::TooManyWarnings:
            return QStringLiteral("Bu satırda başka uyarılar da var");
        case Warning::RepeatedWord:
            return QStringLiteral("Aynı satırda aynı adres iki kez: %1 (sonuncusu alındı)")
                .arg(word);
        case Warning::LongLine:
            return QStringLiteral("Satır çok uzun: %1 karakter").arg(word);
        case Warning::UnknownStart:
            return QStringLiteral(
                "Takımın yeri bilinmiyor: artışlı hareket çizilmedi (önce mutlak X ve Z "
                "gerekir)");
        case Warning::BadArc:
            return QStringLiteral("Yay tanımlanamadı (%1): düz çizgi gösterildi").arg(word);
        case Warning::CycleIncomplete:
            return QStringLiteral("Çevrim açılamadı (%1): yalnız kontur gösterildi, resim eksik")
                .arg(word);
        case Warning::CycleMissingContour:
            return QStringLiteral("Çevrimin konturu ya da çağrılan alt program dosyada yok: %1")
                .arg(word);
        case Warning::ExpansionLimit:
            return word.isEmpty()
                       ? QStringLiteral("Program sonsuz açılıyor: gerisi çizilmedi")
                       : QStringLiteral("%1 sınırsız açılıyor: geri kalanı çizilmedi").arg(word);
        case Warning::NotEvaluated:
            return QStringLiteral("Desteklenmeyen akış ya da ifade: %1").arg(word);
        case Warning::ThreadWithoutLead:
            return QStringLiteral("Diş adımı verilmemiş: diş süresi bilinemez");
        case Warning::BadExpression:
            return QStringLiteral(
                       "İfade okunamadı ya da parametre tanımlı değil: %1 (değer alınmadı)")
                .arg(word);
        case Warning::MathError:
            return QStringLiteral("Sıfıra bölme ya da tanım dışı işlem: %1 (değer alınmadı)")
                .arg(word);
        case Warning::ReadOnlyParameter:
            return QStringLiteral("Salt okunur parametreye değer verilemez: %1 (atama yok sayıldı)")
                .arg(word);
        case Warning::SubroutineFileMissing:
            return QStringLiteral(
                       "Alt program dosyası bulunamadı ya da okunamadı: %1 (programın "
                       "klasörüne ve alt program klasörlerine bakıldı; çağrı çizilmedi)")
                .arg(word);
        case Warning::BeyondReach:
            return QStringLiteral(
                "Konum hiçbir tezgâhın erişemeyeceği kadar uzakta: boylar ve süre gerçek "
                "değil");
        case Warning::CompensationNotDrawn:
            return QStringLiteral(
                       "%1: uç yarıçapı telafisi hesaplanmaz; yol programlandığı gibi, "
                       "telafisiz çizilir")
                .arg(word);
        case Warning::CompensationRefused:
            if (word == QLatin1String("thread-cycle"))
                return QStringLiteral(
                    "G76: uç yarıçapı telafisi açıkken kontrol diş açmaz, bitiş noktasına "
                    "telafili düz ilerler; telafiyi G40 ile kapatın");
            return QStringLiteral(
                       "Uç yarıçapı telafisinde kontrolün reddettiği hareket (%1); kontrol "
                       "programı burada durdurur, yol buradan sonra telafisiz çizilir")
                .arg(compensationFaultText(word));
    }
    return {};
}

QString warningKindText(Warning w) {
    switch (w) {
        case Warning::UnknownWord:
            return QStringLiteral("Bilinmeyen sözcük");
        case Warning::BadNumber:
            return QStringLiteral("Okunamayan sayı");
        case Warning::UnsupportedG:
            return QStringLiteral("Desteklenmeyen G kodu");
        case Warning::UnsupportedM:
            return QStringLiteral("Bulunamayan alt program");
        case Warning::NoMotionMode:
            return QStringLiteral("G0/G1 verilmeden hareket");
        case Warning::NoFeedRate:
            return QStringLiteral("İlerlemesiz kesme");
        case Warning::OpenComment:
            return QStringLiteral("Kapanmamış açıklama");
        case Warning::AbsoluteAndIncremental:
            return QStringLiteral("Mutlak ve artışlı birlikte");
        case Warning::OutOfRange:
            return QStringLiteral("Sınırı aşan konum");
        case Warning::TooManyWarnings:
            return QStringLiteral("Çok uyarılı satır");
        case Warning::RepeatedWord:
            return QStringLiteral("Tekrarlanan adres");
        case Warning::LongLine:
            return QStringLiteral("Çok uzun satır");
        case Warning::UnknownStart:
            return QStringLiteral("Bilinmeyen takım yeri");
        case Warning::BadArc:
            return QStringLiteral("Tanımsız yay");
        case Warning::CycleIncomplete:
            return QStringLiteral("Açılamayan çevrim");
        case Warning::CycleMissingContour:
            return QStringLiteral("Bulunamayan kontur");
        case Warning::ExpansionLimit:
            return QStringLiteral("Sonsuz açılım");
        case Warning::NotEvaluated:
            return QStringLiteral("Hesaplanmayan ifade");
        case Warning::ThreadWithoutLead:
            return QStringLiteral("Adımsız diş");
        case Warning::BadExpression:
            return QStringLiteral("Okunamayan ifade");
        case Warning::MathError:
            return QStringLiteral("Hesap hatası");
        case Warning::ReadOnlyParameter:
            return QStringLiteral("Salt okunur parametre");
        case Warning::SubroutineFileMissing:
            return QStringLiteral("Bulunamayan alt program dosyası");
        case Warning::BeyondReach:
            return QStringLiteral("Erişilemez konum");
        case Warning::CompensationNotDrawn:
            return QStringLiteral("Çizilmeyen uç telafisi");
        case Warning::CompensationRefused:
            return QStringLiteral("Reddedilen uç telafisi");
    }
    return {};
}

QString moveCountText(const Summary& s) {
    return QStringLiteral("Hareket: %1 (hızlı %2, ilerleme %3)")
        .arg(s.rapidMoves + s.feedMoves)
        .arg(s.rapidMoves)
        .arg(s.feedMoves);
}

QString feedLengthText(const Summary& s) {
    return QStringLiteral("İlerleme boyu: %1").arg(number(s.feedLength));
}

QString rapidLengthText(const Summary& s) {
    return QStringLiteral("Hızlı boyu: %1").arg(number(s.rapidLength));
}

QString tooLargeText() {
    return QStringLiteral("çok büyük");
}

namespace {

QString minutesText(double minutes) {
    if (!std::isfinite(minutes)) return tooLargeText();
    QString text = QStringLiteral("%1 dk").arg(number(minutes));
    const double seconds = std::round(minutes * 60);
    if (seconds >= 60 && seconds < 1e9) {
        // Long programs read better in hours; seconds matter only for short ones.
        const auto whole = static_cast<long long>(seconds);
        text += whole < 3600
                    ? QStringLiteral(" (%1 dk %2 sn)").arg(whole / 60).arg(whole % 60)
                    : QStringLiteral(" (%1 sa %2 dk)").arg(whole / 3600).arg(whole / 60 % 60);
    }
    return text;
}

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

QString rapidTimeText(const Summary& s, double rapidRate) {
    return QStringLiteral("Hızlı hareketler %1 boyunca %2/dk ile: %3")
        .arg(number(s.rapidLength), number(rapidRate), minutesText(s.rapidLength / rapidRate));
}

QString dialectName(Dialect d) {
    return d == Dialect::Fanuc      ? QStringLiteral("Fanuc")
           : d == Dialect::LinuxCnc ? QStringLiteral("LinuxCNC")
                                    : QStringLiteral("genel");
}

QString detectedDialectText(Dialect d) {
    return QStringLiteral("%1 (%2)").arg(uiText(UiText::DialectFromProgram), dialectName(d));
}

QString xAxisText(bool diameter) {
    return diameter ? QStringLiteral("X (çap)") : QStringLiteral("X (yarıçap)");
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
    return QStringLiteral("Satır %1: %2  Z %3 → %4  X %5 → %6  boy %7%8")
        .arg(m.line + 1)
        .arg(kind)
        .arg(number(m.from.z), number(m.to.z), number(m.from.x * xs), number(m.to.x * xs),
             number(path.moveLength(index)))
        .arg(m.kind == MoveKind::Feed ? QStringLiteral("  F%1").arg(number(m.feed)) : QString());
}

QString pointerText(Point p, double xScale) {
    return QStringLiteral("Z %1  X %2").arg(number(p.z), number(p.x * xScale));
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
    return QStringLiteral(
        "G kodu programları (*.TXT *.txt *.nc *.NC *.ngc *.tap);;Tüm dosyalar (*)");
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

// The setup sheet's texts, and those of its button, actions and dialogs.

#include "viewer/texts.h"

namespace zivek::backplot {

QString sheetTitleText() {
    return QStringLiteral("Kurulum föyü");
}

QString sheetDateText(const QDateTime& when) {
    // A fixed pattern: the date reads the same on every desktop.
    return QStringLiteral("Tarih: ") + when.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

QString sheetDialectText(Dialect d, const DialectChoice& choice, bool diameter) {
    return QStringLiteral("Lehçe: %1 (X %2)  ·  Neden: %3")
        .arg(dialectName(d), diameter ? QStringLiteral("çap") : QStringLiteral("yarıçap"),
             dialectWhyText(choice));
}

QString sheetTotalsTitle() {
    return QStringLiteral("Toplamlar ve süreler");
}

QString sheetRapidRateText(double rapidRate, bool inch) {
    // The machine's own figure beside an inch program's: it is set in mm/min.
    const QString machine =
        inch ? QStringLiteral(" (%1 mm/dk)").arg(number(rapidRate * 25.4)) : QString();
    return QStringLiteral("Hesaptaki hızlı ilerleme: %1 %2%3")
        .arg(number(rapidRate), feedUnitText(inch, false), machine);
}

QString sheetCutAreaTitle() {
    return QStringLiteral("Kesme hareketlerinin alanı");
}

QString sheetSpanText(const QString& axis, double from, double to) {
    return QStringLiteral("%1:  %2 … %3").arg(axis, number(from), number(to));
}

QString sheetLengthText(double length, bool inch) {
    return QStringLiteral("Boy (Z): %1 %2").arg(decimalText(length), lengthUnitText(inch));
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

QString sheetProgramTitle(const QString& number, const QString& name, const QString& fileName) {
    if (number.isEmpty()) return fileName;
    return name.isEmpty() ? number : number + QStringLiteral("  ") + name;
}

QString sheetNotesTitle() {
    return QStringLiteral("Program notları");
}

QString sheetSetupTitle() {
    return QStringLiteral("Kurulum");
}

QString sheetUnitsText(bool inch, bool diameter) {
    return QStringLiteral("Birim: %1  ·  X %2 olarak yazılı")
        .arg(inch ? QStringLiteral("inç (G20)") : QStringLiteral("mm (G21)"),
             diameter ? QStringLiteral("çap") : QStringLiteral("yarıçap"));
}

QString sheetWorkOffsetText(const QStringList& offsets) {
    if (offsets.isEmpty())
        return QStringLiteral("İş sıfırı: programda seçilmiyor (makinede geçerli olan)");
    return QStringLiteral("İş sıfırı: %1  ·  Z0 X0 çizimde ⊕")
        .arg(offsets.join(QStringLiteral(", ")));
}

QString sheetSpindleLimitText(const std::vector<double>& rpm) {
    if (rpm.empty()) return QStringLiteral("Devir sınırı: programda yok");
    QStringList values;
    for (const double r : rpm) values << number(r);
    return QStringLiteral("Devir sınırı: %1 dev/dk").arg(values.join(QStringLiteral(", ")));
}

QString sheetSurfaceSpeedText(const std::vector<double>& speeds, bool inch) {
    QStringList values;
    for (const double v : speeds) values << number(v);
    return QStringLiteral("Sabit kesme hızı (G96): %1 %2")
        .arg(values.join(QStringLiteral(", ")),
             inch ? QStringLiteral("ft/dk") : QStringLiteral("m/dk"));
}

QString sheetStockTitle(bool known) {
    return known ? QStringLiteral("Ham parça (sihirbazın malzeme bloğu)")
                 : QStringLiteral("Ham parça: belirtilmedi");
}

QString sheetShopStockTitle() {
    return QStringLiteral("Ham parça");
}

QString sheetOperationTitle(const QString& operation) {
    return QStringLiteral("İşlem: %1").arg(operation);
}

QString sheetToolsGoOnTitle() {
    return QStringLiteral("Takımlar (devam)");
}

QString sheetMoreToolsText(std::size_t count) {
    return QStringLiteral("… ve %1 takım daha (tamamı görüntüleyicide)").arg(count);
}

QString sheetSecondPageText(const QString& program) {
    return QStringLiteral("Kurulum föyü, sayfa 2: %1").arg(program);
}

QString sheetZeroMarkText() {
    return QStringLiteral("Z0 X0");
}

QString sheetFarPointText(double z, double x) {
    return QStringLiteral("Z%1 X%2").arg(number(z), number(x));
}

QString sheetSignatureText(int box) {
    switch (box) {
        case 0:
            return QStringLiteral("Notlar");
        case 1:
            return QStringLiteral("Hazırlayan");
        case 2:
            return QStringLiteral("Onaylayan");
        default:
            return QStringLiteral("Tarih");
    }
}

QString sheetSavedText(const QString& pdf) {
    return QStringLiteral("Kurulum föyü kaydedildi: %1").arg(pdf);
}

QString sheetOpenFolderText() {
    return QStringLiteral("Klasörü aç");
}

QString wizardKindText(WizardKind kind) {
    switch (kind) {
        case WizardKind::ExternalDiameter:
            return QStringLiteral("DIŞ ÇAP TORNALAMA");
        case WizardKind::InternalDiameter:
            return QStringLiteral("İÇ ÇAP TORNALAMA");
        case WizardKind::Facing:
            return QStringLiteral("ALIN TORNALAMA");
        case WizardKind::ExternalTaper:
            return QStringLiteral("DIŞ KONİK TORNALAMA");
        case WizardKind::InternalTaper:
            return QStringLiteral("İÇ KONİK TORNALAMA");
    }
    return {};
}

QString wizardValueText(WizardBox box, double value) {
    // The window's own names for its boxes.
    QString name;
    switch (box) {
        case WizardBox::Coolant:
            name = QStringLiteral("SU AÇ");
            break;
        case WizardBox::SpindleDirection:
            name = QStringLiteral("İŞ MİLİ YÖNÜ");
            break;
        case WizardBox::SpindleSpeed:
            name = QStringLiteral("İŞ MİLİ DEVİRİ");
            break;
        case WizardBox::TurningDepth:
            name = QStringLiteral("TORNALAMA DERİNLİĞİ");
            break;
        case WizardBox::TurningLength:
            name = QStringLiteral("TORNALAMA BOYU");
            break;
        case WizardBox::Plunge:
            name = QStringLiteral("DALMA MİKTARI");
            break;
        case WizardBox::Feed:
            name = QStringLiteral("İLERLEME");
            break;
        case WizardBox::DiameterDifference:
            name = QStringLiteral("BÜYÜK ÇAP − KÜÇÜK ÇAP");
            break;
    }
    // The line a 0 or 1 chose, as the operator finds it in the program.
    QString chose;
    if (box == WizardBox::Coolant)
        chose = value == 1 ? QStringLiteral(" (M08)") : QStringLiteral(" (M09)");
    if (box == WizardBox::SpindleDirection)
        chose = value == 0 ? QStringLiteral(" (M03)") : QStringLiteral(" (M04)");
    return QStringLiteral("%1: %2%3").arg(name, number(value), chose);
}

}  // namespace zivek::backplot

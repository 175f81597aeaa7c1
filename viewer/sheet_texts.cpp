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

QString sheetPartTitle(bool fromWorkpiece) {
    return fromWorkpiece ? QStringLiteral("Bitmiş parçanın ölçüleri")
                         : QStringLiteral("Kesme hareketlerinin alanı");
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

}  // namespace zivek::backplot

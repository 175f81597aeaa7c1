// The tool table's texts: its dialog, its menu entry and its command-line option.

#include "viewer/texts.h"

namespace zivek::backplot {

QString settingsMenuText() {
    return QStringLiteral("&Ayarlar");
}

QString toolTableMenuText() {
    return QStringLiteral("&Takımlar…");
}

QString toolTableTitle() {
    return QStringLiteral("Takımlar");
}

QStringList toolTableHeaders() {
    return {QStringLiteral("T"), QStringLiteral("Uç kodu"), QStringLiteral("Uç yarıçapı"),
            QStringLiteral("Uç yönü (0–9)"), QStringLiteral("Açıklama")};
}

QString toolTableUnitsText() {
    return QStringLiteral("Birim:");
}

QString toolTableMillimetresText() {
    return QStringLiteral("mm (G21)");
}

QString toolTableInchesText() {
    return QStringLiteral("inç (G20)");
}

QString toolTableAddText() {
    return QStringLiteral("Satır &ekle");
}

QString toolTableRemoveText() {
    return QStringLiteral("Satırı &sil");
}

QString toolTableSaveText() {
    return QStringLiteral("&Kaydet");
}

QString toolTableCancelText() {
    return QStringLiteral("&Vazgeç");
}

QString toolTableHintText() {
    return QStringLiteral(
        "Fanuc'ta T0303: 3 numaralı takım, 3 numaralı ofset. G41/G42 uç yarıçapını ve "
        "yönünü ofset numarasının satırından alır; o satır yoksa takım numarasınınkinden. "
        "Uç yönü 0 ya da 9: sanal uç yok, uç merkezi. Uç kodu boş bırakılabilir "
        "(ör. CNMG120408: 0.8 yarıçap).");
}

QString toolTableFileText(const QString& path) {
    return QStringLiteral("Dosya: %1").arg(path);
}

QString toolTableRowFault(int row, const QString& column) {
    return QStringLiteral("%1. satırın \"%2\" değeri geçersiz.").arg(row).arg(column);
}

QString toolTableWriteFailedText(const QString& path) {
    return QStringLiteral("Takım tablosu yazılamadı: %1").arg(path);
}

QString toolsOptionText() {
    return QStringLiteral(
        "G41/G42 uç yarıçapı ve yönü için takım tablosu (LinuxCNC biçimi; R, Q, uç kodu)");
}

QString toolTableUnreadableText(const QString& path) {
    return QStringLiteral("Takım tablosu okunamadı: %1").arg(path);
}

}  // namespace zivek::backplot

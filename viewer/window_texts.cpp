#include <QFileInfo>

#include "viewer/texts.h"

namespace zivek::backplot {

QString uiText(UiText t) {
    switch (t) {
        case UiText::WindowTitle:
            return QStringLiteral("Takım yolu (zivek-backplot)");
        case UiText::Fit:
            return QStringLiteral("Sığdır");
        case UiText::FitTip:
            return QStringLiteral("Takım yolunu, iş parçasını ve ucu sığdır (F ya da Home)");
        case UiText::LegendFeed:
            return QStringLiteral("İlerleme (G1)");
        case UiText::LegendRapid:
            return QStringLiteral("Hızlı (G0)");
        case UiText::LegendSelected:
            return QStringLiteral("Seçili satır");
        case UiText::DialectFromProgram:
            return QStringLiteral("Lehçe: programdan");
        case UiText::DialectTip:
            return QStringLiteral("Programın yazıldığı denetim");
        case UiText::HalfSection:
            return QStringLiteral("Yarım kesit");
        case UiText::HalfSectionTip:
            return QStringLiteral(
                "Parçanın yalnız eksenin üstündeki yarısını göster; "
                "kapalıyken alttaki ayna yarısı da soluk çizilir");
        case UiText::RapidPrefix:
            return QStringLiteral("Hızlı: ");
        case UiText::RapidTip:
            return QStringLiteral("Makinenin hızlı ilerlemesi, toplam süre için");
        case UiText::Upright:
            return QStringLiteral("90° döndür");
        case UiText::UprightTip:
            return QStringLiteral("Görünümü sihirbazın çizimleri gibi dik çevir: Z yukarı");
        case UiText::SaveAs:
            return QStringLiteral("Farklı kaydet…");
        case UiText::SaveAsTip:
            return QStringLiteral("Gösterilen programı başka bir dosyaya kaydet");
        case UiText::Step:
            return QStringLiteral("Adım:");
        case UiText::StepBackTip:
            return QStringLiteral("Bir satır geri (Ctrl+Sol)");
        case UiText::StepForwardTip:
            return QStringLiteral("Bir satır ileri (Ctrl+Sağ)");
        case UiText::StepEnd:
            return QStringLiteral("Son");
        case UiText::StepEndTip:
            return QStringLiteral("Programın sonu (Ctrl+End)");
        case UiText::StepSliderTip:
            return QStringLiteral("İş parçası bu satırdan sonraki haliyle gösterilir");
        case UiText::Chuck:
            return QStringLiteral("ayna");
    }
    return {};
}

QString programNotSavedText(const QString& path, const QString& why) {
    return why.isEmpty() ? QStringLiteral("Program kaydedilemedi: %1").arg(path)
                         : QStringLiteral("Program kaydedilemedi: %1\n%2").arg(path, why);
}

QString fileErrorText(const QString& path, QFileDevice::FileError error) {
    // The folder tells more than the error code: most failures are a wrong or locked place.
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.exists()) return QStringLiteral("Neden: klasör yok (%1).").arg(folder.filePath());
    if (!folder.isWritable())
        return QStringLiteral("Neden: bu klasöre yazma izniniz yok (%1).").arg(folder.filePath());
    if (QFileInfo(path).exists() && !QFileInfo(path).isWritable())
        return QStringLiteral("Neden: dosya salt okunur.");
    switch (error) {
        case QFileDevice::PermissionsError:
            return QStringLiteral("Neden: yazma izniniz yok.");
        case QFileDevice::ResourceError:
        case QFileDevice::WriteError:
            return QStringLiteral("Neden: yazılamadı; disk dolu olabilir.");
        case QFileDevice::OpenError:
            return QStringLiteral(
                "Neden: dosya açılamadı; adı geçersiz ya da başka bir "
                "program tarafından kullanılıyor olabilir.");
        default:
            return QStringLiteral("Neden: dosya sistemi yazmayı reddetti.");
    }
}

QString exitText() {
    return QStringLiteral("Çı&kış");
}

QString dialectChoiceText(Dialect d) {
    QString name = dialectName(d);
    name[0] = name[0].toUpper();
    return name;
}

QString chosenLineText(const Toolpath& path, std::size_t line, const QString& warnings) {
    const auto first = path.firstMoveOf(line);
    QString text = first ? moveText(path, *first) : QString();
    if (!warnings.isEmpty()) {
        if (!text.isEmpty()) text += QStringLiteral("   ");
        text += u'⚠' + QStringLiteral(" ") + warnings.split(u'\n').join(QStringLiteral(" · "));
    }
    return text.isEmpty() ? idleHintText() : text;
}

}  // namespace zivek::backplot

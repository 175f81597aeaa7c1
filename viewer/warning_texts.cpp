// What the warnings of a program's lines say, and the names of their groups.

#include "viewer/texts.h"

namespace zivek::backplot {

namespace {

// A move the control refuses under nose compensation, with why.
QString refusedMoveText(const QString& why) {
    return QStringLiteral(
               "Uç yarıçapı telafisinde kontrolün reddettiği hareket (%1); kontrol "
               "programı burada durdurur, yol buradan sonra telafisiz çizilir")
        .arg(why);
}

QString compensationRefusedText(CompensationFault why) {
    switch (why) {
        case CompensationFault::ThreadCycle:
            return QStringLiteral(
                "G76: uç yarıçapı telafisi açıkken kontrol diş açmaz, bitiş noktasına "
                "telafili düz ilerler; telafiyi G40 ile kapatın");
        case CompensationFault::EntryTooShort:
            return refusedMoveText(QStringLiteral("telafiye giriş hareketi uç yarıçapından kısa"));
        case CompensationFault::Gouge:
            return refusedMoveText(QStringLiteral("uç bu iç köşeye parçayı oymadan giremez"));
        case CompensationFault::NoseTooLarge:
            return refusedMoveText(QStringLiteral("iç yayın yarıçapı uç yarıçapından büyük değil"));
        case CompensationFault::PositionRead:
            return refusedMoveText(
                QStringLiteral("telafi açıkken konum parametresi (#5420-#5428) okunamaz"));
        case CompensationFault::BrokenArc:
            return refusedMoveText(
                QStringLiteral("köşe, telafili yayın ucunu yayın çemberi dışına taşıyor; kontrol "
                               "bunu hata sayar"));
        case CompensationFault::ArcAfterCancel:
            return refusedMoveText(
                QStringLiteral("G40'tan sonraki ilk hareket yay; telafiden düz hareketle çıkılır"));
        case CompensationFault::OtherMotion:
            return refusedMoveText(QStringLiteral("telafi açıkken G70 dışında çevrim"));
        case CompensationFault::None:
            break;  // not a refusal: the reader never warns one
    }
    return {};
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
            return compensationRefusedText(w.fault);
        case Warning::SameGroupTwice:
            return QStringLiteral(
                       "Aynı satırda aynı kip grubundan iki kod: %1 (LinuxCNC satırı "
                       "yürütmez; Fanuc ve genel okumada sonuncusu alındı)")
                .arg(word);
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
        case Warning::SameGroupTwice:
            return QStringLiteral("Aynı gruptan iki kod");
    }
    return {};
}

}  // namespace zivek::backplot

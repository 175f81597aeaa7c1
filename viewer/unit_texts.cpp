// The units a path's numbers are in, and the rapid rate's command line.

#include "viewer/texts.h"

namespace zivek::backplot {

QString lengthUnitText(bool inch) {
    return inch ? QStringLiteral("inç") : QStringLiteral("mm");
}

QString feedUnitText(bool inch, bool perRevolution) {
    return lengthUnitText(inch) + (perRevolution ? QStringLiteral("/dev") : QStringLiteral("/dk"));
}

QString rapidOptionText() {
    return QStringLiteral(
        "Makinenin hızlı ilerlemesi, mm/dk olarak (inç programında inç/dk'ya çevrilir): "
        "toplam süre, --summary ve --sheet bununla hesaplanır. Verilmezse --summary 10000 "
        "alır, pencere ve --sheet pencerede son girileni.");
}

QString rapidUsageText() {
    return QStringLiteral("--rapid sonrası sıfırdan büyük bir sayı gerekir, örneğin --rapid 12000");
}

}  // namespace zivek::backplot

#include "common/qt_translation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace zivek::app {

bool installQtTranslation() {
    // Owned by the application, so it lives as long as the texts it translates.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral(":/i18n/qtbase_tr.qm"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace zivek::app

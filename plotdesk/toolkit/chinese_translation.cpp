#include "toolkit/chinese_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace plotdesk::toolkit {

bool installChineseTranslation(QCoreApplication& app) {
    // Owned by the application, so it lives as long as the texts it serves.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace plotdesk::toolkit

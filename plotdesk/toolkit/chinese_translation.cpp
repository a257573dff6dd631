#include "toolkit/chinese_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace plotdesk::toolkit {

bool installChineseTranslation(QCoreApplication& app) {
    // Qt's texts that come from the locale rather than from the translation
    // (dates, file types in the file chooser) follow the default locale.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    // Owned by the application, so it lives as long as the texts it serves.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace plotdesk::toolkit

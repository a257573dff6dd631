#include "settings/settings_store.h"

#include <QSettings>

namespace plotdesk {
namespace {

QString groupKey(const QString& key) { return QString::fromLatin1(kSettingsSection) + QLatin1Char('/') + key; }

QSettings store() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(kSettingsApplication),
                     QString::fromLatin1(kSettingsApplication));
}

}  // namespace

QString GetSetting(const QString& key, const QString& defaultValue) {
    const QVariant value = store().value(groupKey(key));
    return value.isValid() ? value.toString() : defaultValue;
}

bool SaveSetting(const QString& key, const QString& value) {
    QSettings settings = store();
    settings.setValue(groupKey(key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool HasSetting(const QString& key) { return store().contains(groupKey(key)); }

QString settingsFilePath() { return store().fileName(); }

}  // namespace plotdesk

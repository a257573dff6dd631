#pragma once
// The per-user settings store: text values under application "Curvolo",
// section "Settings", kept as $XDG_CONFIG_HOME/Curvolo/Curvolo.ini (one INI
// group "Settings"). Every write is flushed at once so a crash cannot lose it.

#include "settings/product.h"

#include <QString>

namespace plotdesk {

// The stored text of `key`, or `defaultValue` when the key is absent.
QString GetSetting(const QString& key, const QString& defaultValue = QString());
// false when the store could not be written (the value is then lost).
bool SaveSetting(const QString& key, const QString& value);

// Whether `key` has ever been saved.
bool HasSetting(const QString& key);

// Where the store lives on disk.
QString settingsFilePath();

inline constexpr const char* kSettingsApplication = product::kName;
inline constexpr char kSettingsSection[] = "Settings";

}  // namespace plotdesk

#pragma once
// The per-user settings store: text values under application "Curvolo",
// section "Settings", kept as $XDG_CONFIG_HOME/Curvolo/Curvolo.ini (one INI
// group "Settings"). Every save reaches the disk at once, so a crash cannot
// lose it, and replaces the file whole: a full disk or a file-size limit
// leaves the store as it was and the save reports failure.

#include "settings/product.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace plotdesk {

// The stored text of `key`, or `defaultValue` when the key is absent.
QString GetSetting(const QString& key, const QString& defaultValue = QString());
// false when the store could not be written (the store keeps its old values).
bool SaveSetting(const QString& key, const QString& value);

// Saves several keys with one write of the store: all of them, or, when the
// store cannot be written, none, and the reason (in Chinese) comes back.
using SettingValues = QList<std::pair<QString, QString>>;
std::optional<QString> SaveSettings(const SettingValues& values);

// Whether `key` has ever been saved.
bool HasSetting(const QString& key);

// Where the store lives on disk.
QString settingsFilePath();

inline constexpr const char* kSettingsApplication = product::kName;
inline constexpr char kSettingsSection[] = "Settings";

}  // namespace plotdesk

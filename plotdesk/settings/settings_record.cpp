#include "settings/settings_record.h"

#include "settings/number_text.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

namespace plotdesk {
SettingsRecord& Settings() {
    static SettingsRecord record{};
    return record;
}

int32_t* recordField(SettingsRecord& record, const char* key) {
    const SettingKey* row = findSettingKey(key);
    return row && row->field ? &(record.*row->field) : nullptr;
}

void LoadSettings() {
    SettingsRecord& record = Settings();
    for (const SettingKey& row : settingKeys()) {
        if (!row.field) continue;
        const QString fallback = QString::fromUtf8(row.defaultText);
        const QString stored = GetSetting(QString::fromLatin1(row.name), fallback);
        // An unreadable stored value must not leave this field (and the ones
        // after it) stale: it counts as absent.
        const std::optional<int32_t> value = toInt32HalfEven(stored);
        record.*row.field = value ? *value : toInt32HalfEven(fallback).value_or(0);
    }
}

bool storedSmoothLines() {
    return toInt32HalfEven(GetSetting(QString::fromLatin1(key::smooth), defaultText(key::smooth))).value_or(0) != 0;
}

}  // namespace plotdesk

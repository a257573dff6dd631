#include "settings/settings_record.h"

#include "settings/number_text.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

#include <array>
#include <cstring>

namespace plotdesk {
namespace {

constexpr std::array<RecordField, 16> kLoadOrder{{
    {key::left, &SettingsRecord::left},
    {key::top, &SettingsRecord::top},
    {key::width, &SettingsRecord::width},
    {key::_heiht, &SettingsRecord::_heiht},
    {key::max_x, &SettingsRecord::max_x},
    {key::max_y, &SettingsRecord::max_y},
    {key::min_x, &SettingsRecord::min_x},
    {key::min_y, &SettingsRecord::min_y},
    {key::start, &SettingsRecord::start},
    {key::end, &SettingsRecord::end},
    {key::step, &SettingsRecord::step},
    {key::lcolor, &SettingsRecord::lcolor},
    {key::bcolor, &SettingsRecord::bcolor},
    {key::fcolor, &SettingsRecord::fcolor},
    {key::max_l, &SettingsRecord::max_l},
    {key::max_t, &SettingsRecord::max_t},
}};

}  // namespace

SettingsRecord& Settings() {
    static SettingsRecord record{};
    return record;
}

std::span<const RecordField> recordFields() { return kLoadOrder; }

int32_t* recordField(SettingsRecord& record, const char* key) {
    if (!key) return nullptr;
    for (const RecordField& entry : kLoadOrder)
        if (std::strcmp(entry.key, key) == 0) return &(record.*entry.field);
    return nullptr;
}

void LoadSettings() {
    SettingsRecord& record = Settings();
    for (const RecordField& entry : kLoadOrder) {
        const QString fallback = defaultText(entry.key);
        const QString stored = GetSetting(QString::fromLatin1(entry.key), fallback);
        // An unreadable stored value must not leave this field (and the ones
        // after it) stale: it counts as absent.
        const std::optional<int32_t> value = toInt32HalfEven(stored);
        record.*entry.field = value ? *value : toInt32HalfEven(fallback).value_or(0);
    }
}

bool storedSmoothLines() {
    return toInt32HalfEven(GetSetting(QString::fromLatin1(key::smooth), defaultText(key::smooth))).value_or(0) != 0;
}

}  // namespace plotdesk

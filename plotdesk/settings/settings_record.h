#pragma once
// The process-wide settings record: sixteen 32-bit integers read by the
// board and edited by the settings dialog, filled from the store by
// LoadSettings().

#include <cstdint>

namespace plotdesk {

// `_heiht` (the board height) keeps the spelling of its stored key.
struct SettingsRecord {
    int32_t left, top, width, _heiht, max_x, max_y, max_l, max_t, min_x, min_y, start, end, step, bcolor, fcolor,
        lcolor;
};

// The one record of the process; all fields start at zero.
SettingsRecord& Settings();

// Fills the record from the store, key by key in the settings table's
// order, each with its default when absent. A stored text that is not a number, or lies
// outside the 32-bit range, gives that key's default; loading goes on with
// the next key. Nothing is written to the store.
void LoadSettings();

// The field of `record` loaded from `key`, or nullptr for other keys.
int32_t* recordField(SettingsRecord& record, const char* key);

// The stored "smooth" switch, which is no record field: on when its text
// reads as a non-zero integer; off when it is absent or not a number.
bool storedSmoothLines();

}  // namespace plotdesk

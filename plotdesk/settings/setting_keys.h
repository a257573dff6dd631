#pragma once
// Every key of the settings store in one table: its name, its default, the
// form of its value, and beside each row who reads and writes it. Other
// files name keys only through the constants in `key` and take defaults
// from defaultText().

#include <QString>
#include <span>

namespace plotdesk {

enum class ValueForm {
    IntegerText,  // plain decimal integer text: "2000", "-1000"
    ColourText,   // a colour word as decimal integer text: "16777215"
    PathText,     // a file path, stored as typed
    NumberText,   // a decimal number (window placement in twips)
    SingleText,   // single-precision decimal text, up to 7 digits: "-350.5"
};

struct SettingKey {
    const char* name;
    // Text a reader supplies when the key is absent; nullptr for keys whose
    // absence means "leave things as they are".
    const char* defaultText;
    ValueForm form;
    // What the splash window's recovery writes to the key, or nullptr.
    const char* recoveryText;
};

namespace key {
inline constexpr char left[] = "left";
inline constexpr char top[] = "top";
inline constexpr char width[] = "width";
inline constexpr char _heiht[] = "_heiht";
inline constexpr char max_x[] = "max_x";
inline constexpr char max_y[] = "max_y";
inline constexpr char max_l[] = "max_l";
inline constexpr char max_t[] = "max_t";
inline constexpr char min_x[] = "min_x";
inline constexpr char min_y[] = "min_y";
inline constexpr char start[] = "start";
inline constexpr char end[] = "end";
inline constexpr char step[] = "step";
inline constexpr char lcolor[] = "lcolor";
inline constexpr char bcolor[] = "bcolor";
inline constexpr char fcolor[] = "fcolor";
inline constexpr char backpicture[] = "backpicture";
inline constexpr char xiankuan1[] = "xiankuan1";
inline constexpr char xiankuan2[] = "xiankuan2";
inline constexpr char MainLeft[] = "MainLeft";
inline constexpr char MainTop[] = "MainTop";
inline constexpr char MainWidth[] = "MainWidth";
inline constexpr char MainHeight[] = "MainHeight";
inline constexpr char pxpleft[] = "pxpleft";
inline constexpr char pxpltop[] = "pxpltop";
inline constexpr char smooth[] = "smooth";
}  // namespace key

// All keys of the program, in the order of the documentation table.
std::span<const SettingKey> settingKeys();

// The table row of `name`, or nullptr for an unknown key.
const SettingKey* findSettingKey(const char* name);

// The default text of `name`; a null QString for keys without a default
// (and for unknown keys).
QString defaultText(const char* name);

// The recovery text of `name` (see SettingKey::recoveryText); null if none.
QString recoveryText(const char* name);

}  // namespace plotdesk

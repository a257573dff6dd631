#pragma once
// Every key of the settings store in one table, one row a setting: its
// name, the form of its stored text, its default, the splash window's
// recovery value, the settings record's field it loads into, whether the
// settings dialog's "应用" saves it, and the dialog's control that shows it.
// The loader, the dialog's binding, the splash's recovery and the tests are
// all made from these rows; other files name keys only through the
// constants in `key`.

#include "settings/settings_record.h"

#include <QString>
#include <cstdint>
#include <span>

namespace plotdesk {

// How a key's value is written in the store.
enum class StoredForm {
    IntegerText,  // plain decimal integer text: "2000", "-1000"
    ColourText,   // a colour word as decimal integer text: "16777215"
    PathText,     // a file path, stored as typed
    NumberText,   // a decimal number (window placement in twips)
    SingleText,   // single-precision decimal text, up to 7 digits: "-350.5"
};

// How the settings dialog shows a key and takes it back.
enum class DialogForm {
    None,         // not on the dialog
    Integer,      // a text field holding an integer
    DoubledTick,  // a text field showing half the record's value
    Number,       // a text field holding any number, stored as typed
    Step,         // an integer text field that must not be stored as 0
    Colour,       // a colour swatch with its chooser
    Path,         // a text field holding a file path, stored as typed
    Switch,       // a check box, stored as "1" or "0"
};

struct SettingKey {
    const char* name;
    // Text a reader supplies when the key is absent; nullptr for keys whose
    // absence means "leave things as they are".
    const char* defaultText;
    StoredForm form;
    // What the splash window's recovery writes to the key, or nullptr.
    const char* recoveryText;
    // The settings record's field the loader fills, or nullptr.
    int32_t SettingsRecord::*field;
    // Whether the settings dialog's "应用" saves the key.
    bool savedByApply;
    // The object name of the dialog's control and how the dialog names the
    // field to the user; nullptr for keys not on the dialog.
    const char* dialogControl;
    const char* dialogLabel;
    DialogForm dialogForm;
};

namespace key {
inline constexpr char left[] = "left";
inline constexpr char top[] = "top";
inline constexpr char width[] = "width";
// The board height's key is spelt "_heiht": stored files already use it.
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
inline constexpr char recentdrawings[] = "recentdrawings";
}  // namespace key

// All keys of the program. The record's fields come first, in the order the
// loader reads them, which is also the order "应用" saves them in.
std::span<const SettingKey> settingKeys();

// The table row of `name`, or nullptr for an unknown key.
const SettingKey* findSettingKey(const char* name);

// The default text of `name`; a null QString for keys without a default
// (and for unknown keys).
QString defaultText(const char* name);

}  // namespace plotdesk

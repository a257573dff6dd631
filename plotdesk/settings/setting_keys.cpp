#include "settings/setting_keys.h"

#include <array>
#include <cstring>

namespace plotdesk {
namespace {

// The one table of settings. "Apply" is the settings dialog's "应用" button;
// the loader is LoadSettings(), which runs at the board's load and at the
// start of every re-layout. Nothing is written at start: a key exists only
// after a window has saved it.
constexpr std::array<SettingKey, 25> kTable{{
    {key::left, "0", ValueForm::IntegerText, "loader: board picture left edge",
     "Apply (writes back the loaded value unchanged)", nullptr},
    {key::top, "0", ValueForm::IntegerText, "loader: board picture top edge", "nothing", nullptr},
    {key::width, "2000", ValueForm::IntegerText, "loader: board picture width", "Apply; splash recovery", "2000"},
    {key::_heiht, "2000", ValueForm::IntegerText, "loader: board picture height", "Apply; splash recovery", "2000"},
    {key::max_x, "2000", ValueForm::IntegerText, "loader: end tick of the horizontal axis", "Apply", nullptr},
    {key::max_y, "2000", ValueForm::IntegerText, "loader: end tick of the vertical axis", "Apply", nullptr},
    {key::max_l, "-1000", ValueForm::IntegerText, "loader: start tick of the horizontal axis", "Apply", nullptr},
    {key::max_t, "-1000", ValueForm::IntegerText, "loader: start tick of the vertical axis", "Apply", nullptr},
    {key::min_x, "100", ValueForm::IntegerText, "loader: smallest tick value of the x axis", "Apply; splash recovery",
     "2"},
    {key::min_y, "100", ValueForm::IntegerText, "loader: smallest tick value of the y axis", "Apply; splash recovery",
     "2"},
    {key::start, "-100", ValueForm::IntegerText, "loader: first value of the plotting variable", "Apply", nullptr},
    {key::end, "100", ValueForm::IntegerText, "loader: last value of the plotting variable", "Apply", nullptr},
    {key::step, "2", ValueForm::IntegerText, "loader: step of the plotting variable", "Apply", nullptr},
    // The colour defaults are palette entries 9 (blue), 15 (white), 1 (dark blue).
    {key::lcolor, "16711680", ValueForm::ColourText, "loader: grid colour", "Apply", nullptr},
    {key::bcolor, "16777215", ValueForm::ColourText, "loader: board background colour", "Apply", nullptr},
    {key::fcolor, "8388608", ValueForm::ColourText, "loader: curve pen colour (colour menus change it in memory)",
     "Apply", nullptr},
    {key::backpicture, "", ValueForm::PathText, "settings dialog at load; board at load: background picture",
     "Apply (as typed)", nullptr},
    {key::xiankuan1, "1", ValueForm::IntegerText, "board at load: pen width of grid and axis lines", "Apply (as typed)",
     nullptr},
    {key::xiankuan2, "1", ValueForm::IntegerText, "board at each plot: curve pen width (16-bit)", "Apply (as typed)",
     nullptr},
    {key::MainLeft, "1000", ValueForm::NumberText, "board at load: window left, twips", "board window when closed",
     nullptr},
    {key::MainTop, "1000", ValueForm::NumberText, "board at load: window top, twips", "board window when closed",
     nullptr},
    {key::MainWidth, "6500", ValueForm::NumberText, "board at load: window width, twips", "board window when closed",
     nullptr},
    {key::MainHeight, "6500", ValueForm::NumberText, "board at load: window height, twips", "board window when closed",
     nullptr},
    // Without these two the picture stays where the record's left/top put it.
    {key::pxpleft, nullptr, ValueForm::SingleText, "board at load: picture left, twips",
     "main window at exit; board window when closed", nullptr},
    {key::pxpltop, nullptr, ValueForm::SingleText, "board at load: picture top, twips",
     "main window at exit; board window when closed", nullptr},
}};

}  // namespace

std::span<const SettingKey> settingKeys() { return kTable; }

const SettingKey* findSettingKey(const char* name) {
    if (!name) return nullptr;
    for (const SettingKey& row : kTable)
        if (std::strcmp(row.name, name) == 0) return &row;
    return nullptr;
}

QString defaultText(const char* name) {
    const SettingKey* row = findSettingKey(name);
    return row && row->defaultText ? QString::fromUtf8(row->defaultText) : QString();
}

QString recoveryText(const char* name) {
    const SettingKey* row = findSettingKey(name);
    return row && row->recoveryText ? QString::fromUtf8(row->recoveryText) : QString();
}

}  // namespace plotdesk

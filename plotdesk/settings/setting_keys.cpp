#include "settings/setting_keys.h"

#include <array>
#include <cstring>

namespace plotdesk {
namespace {

// The one table of settings. "Apply" is the settings dialog's "应用" button;
// the loader is LoadSettings(), which runs at the board's load and at the
// start of every re-layout. Nothing is written at start: a key exists only
// after a window has saved it.
constexpr std::array<SettingKey, 26> kTable{{
    // Read by loader: board picture left edge; written by Apply (writes back the loaded value unchanged).
    {key::left, "0", ValueForm::IntegerText, nullptr},
    // Read by loader: board picture top edge; written by nothing.
    {key::top, "0", ValueForm::IntegerText, nullptr},
    // Read by loader: board picture width; written by Apply; splash recovery.
    {key::width, "2000", ValueForm::IntegerText, "2000"},
    // Read by loader: board picture height; written by Apply; splash recovery.
    {key::_heiht, "2000", ValueForm::IntegerText, "2000"},
    // Read by loader: end tick of the horizontal axis; written by Apply.
    {key::max_x, "2000", ValueForm::IntegerText, nullptr},
    // Read by loader: end tick of the vertical axis; written by Apply.
    {key::max_y, "2000", ValueForm::IntegerText, nullptr},
    // Read by loader: start tick of the horizontal axis; written by Apply.
    {key::max_l, "-1000", ValueForm::IntegerText, nullptr},
    // Read by loader: start tick of the vertical axis; written by Apply.
    {key::max_t, "-1000", ValueForm::IntegerText, nullptr},
    // Read by loader: smallest tick value of the x axis; written by Apply; splash recovery.
    {key::min_x, "100", ValueForm::IntegerText, "2"},
    // Read by loader: smallest tick value of the y axis; written by Apply; splash recovery.
    {key::min_y, "100", ValueForm::IntegerText, "2"},
    // Read by loader: first value of the plotting variable; written by Apply.
    {key::start, "-100", ValueForm::IntegerText, nullptr},
    // Read by loader: last value of the plotting variable; written by Apply.
    {key::end, "100", ValueForm::IntegerText, nullptr},
    // Read by loader: step of the plotting variable; written by Apply.
    {key::step, "2", ValueForm::IntegerText, nullptr},
    // The colour defaults are palette entries 9 (blue), 15 (white), 1 (dark blue).
    // Read by loader: grid colour; written by Apply.
    {key::lcolor, "16711680", ValueForm::ColourText, nullptr},
    // Read by loader: board background colour; written by Apply.
    {key::bcolor, "16777215", ValueForm::ColourText, nullptr},
    // Read by loader: curve pen colour (colour menus change it in memory); written by Apply.
    {key::fcolor, "8388608", ValueForm::ColourText, nullptr},
    // Read by settings dialog at load; board at load: background picture; written by Apply (as typed).
    {key::backpicture, "", ValueForm::PathText, nullptr},
    // Read by board at load: pen width of grid and axis lines; written by Apply (as typed).
    {key::xiankuan1, "1", ValueForm::IntegerText, nullptr},
    // Read by board at each plot: curve pen width (16-bit); written by Apply (as typed).
    {key::xiankuan2, "1", ValueForm::IntegerText, nullptr},
    // Read by board at load: window left, twips; written by board window when closed.
    {key::MainLeft, "1000", ValueForm::NumberText, nullptr},
    // Read by board at load: window top, twips; written by board window when closed.
    {key::MainTop, "1000", ValueForm::NumberText, nullptr},
    // Read by board at load: window width, twips; written by board window when closed.
    {key::MainWidth, "6500", ValueForm::NumberText, nullptr},
    // Read by board at load: window height, twips; written by board window when closed.
    {key::MainHeight, "6500", ValueForm::NumberText, nullptr},
    // Without these two the picture stays where the record's left/top put it.
    // Read by board at load: picture left, twips; written by main window at exit; board window when closed.
    {key::pxpleft, nullptr, ValueForm::SingleText, nullptr},
    // Read by board at load: picture top, twips; written by main window at exit; board window when closed.
    {key::pxpltop, nullptr, ValueForm::SingleText, nullptr},
    // Read by board at load and re-layout: 1 draws lines anti-aliased on screen and in PNG/JPEG exports, 0 (the
    // default) draws them plain; written by Apply.
    {key::smooth, "0", ValueForm::IntegerText, nullptr},
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

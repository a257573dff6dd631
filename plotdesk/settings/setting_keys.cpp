#include "settings/setting_keys.h"

#include <array>
#include <cstring>

namespace plotdesk {
namespace {

using R = SettingsRecord;
using D = DialogForm;
using S = StoredForm;

// The one table of settings. "应用" is the settings dialog's apply button;
// the loader is LoadSettings(), which runs at the board's load and at the
// start of every re-layout. Nothing is written at start: a key exists only
// after a window has saved it.
constexpr std::array<SettingKey, 27> kTable{{
    // Board picture left edge; "应用" writes back the loaded value unchanged.
    {key::left, "0", S::IntegerText, nullptr, &R::left, true, nullptr, nullptr, D::None},
    // Board picture top edge; written by nothing.
    {key::top, "0", S::IntegerText, nullptr, &R::top, false, nullptr, nullptr, D::None},
    {key::width, "2000", S::IntegerText, "2000", &R::width, true, "画板长度", "画板长度", D::Integer},
    {key::_heiht, "2000", S::IntegerText, "2000", &R::_heiht, true, "画板高度", "画板高度", D::Integer},
    // End ticks of the two axes; the dialog shows half of them.
    {key::max_x, "2000", S::IntegerText, nullptr, &R::max_x, true, "横坐标结束刻度", "横坐标的结束刻度",
     D::DoubledTick},
    {key::max_y, "2000", S::IntegerText, nullptr, &R::max_y, true, "结束刻度", "纵坐标的结束刻度", D::DoubledTick},
    // Smallest tick values of the two axes.
    {key::min_x, "100", S::IntegerText, "2", &R::min_x, true, "x最小刻度值", "横坐标的最小刻度值", D::Integer},
    {key::min_y, "100", S::IntegerText, "2", &R::min_y, true, "y最小刻度值", "纵坐标的最小刻度值", D::Integer},
    // The plotting variable's first and last value and its step.
    {key::start, "-100", S::IntegerText, nullptr, &R::start, true, "初始值", "自变量的初始值", D::Integer},
    {key::end, "100", S::IntegerText, nullptr, &R::end, true, "最大值", "自变量的最大值", D::Integer},
    {key::step, "2", S::IntegerText, nullptr, &R::step, true, "Text1", "精确度", D::Step},
    // The colour defaults are palette entries 9 (blue), 15 (white), 1 (dark blue).
    {key::lcolor, "16711680", S::ColourText, nullptr, &R::lcolor, true, "网格颜色", "网格颜色", D::Colour},
    {key::bcolor, "16777215", S::ColourText, nullptr, &R::bcolor, true, "背景颜色", "背景颜色", D::Colour},
    // The curve pen colour; the board's colour menus change it in memory.
    {key::fcolor, "8388608", S::ColourText, nullptr, &R::fcolor, true, nullptr, nullptr, D::None},
    // Start ticks of the two axes.
    {key::max_l, "-1000", S::IntegerText, nullptr, &R::max_l, true, "横坐标起始刻度", "横坐标的起始刻度", D::Integer},
    {key::max_t, "-1000", S::IntegerText, nullptr, &R::max_t, true, "起始刻度", "纵坐标的起始刻度", D::Integer},
    // Read by the board at load: the picture drawn under the axes.
    {key::backpicture, "", S::PathText, nullptr, nullptr, true, "Text4", "图片", D::Path},
    // Read by the board at load: pen width of grid and axis lines.
    {key::xiankuan1, "1", S::IntegerText, nullptr, nullptr, true, "Text2", "网格线宽度", D::Number},
    // Read by the board at each plot: curve pen width (16-bit).
    {key::xiankuan2, "1", S::IntegerText, nullptr, nullptr, true, "Text3", "线条宽度", D::Number},
    // Read by the board at load: its window's place in twips; written by the board window when closed.
    {key::MainLeft, "1000", S::NumberText, nullptr, nullptr, false, nullptr, nullptr, D::None},
    {key::MainTop, "1000", S::NumberText, nullptr, nullptr, false, nullptr, nullptr, D::None},
    {key::MainWidth, "6500", S::NumberText, nullptr, nullptr, false, nullptr, nullptr, D::None},
    {key::MainHeight, "6500", S::NumberText, nullptr, nullptr, false, nullptr, nullptr, D::None},
    // The picture's position in twips, written by the main window at exit and by the board window when
    // closed; without them the picture stays where the record's left/top put it.
    {key::pxpleft, nullptr, S::SingleText, nullptr, nullptr, false, nullptr, nullptr, D::None},
    {key::pxpltop, nullptr, S::SingleText, nullptr, nullptr, false, nullptr, nullptr, D::None},
    // Read by the board at load and re-layout: 1 draws lines anti-aliased on screen and in picture exports.
    {key::smooth, "0", S::IntegerText, nullptr, nullptr, true, "Check1", "平滑线条", D::Switch},
    // The drawing documents opened or saved last, newest first, one path a line; written by the main
    // window at exit when the list changed.
    {key::recentdrawings, "", S::PathText, nullptr, nullptr, false, nullptr, nullptr, D::None},
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

}  // namespace plotdesk

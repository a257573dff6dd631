#pragma once
// The main window's geometry in twips: where its controls stand, and the
// heights that follow the window's height when it is resized.

#include <QRect>

#include <optional>

namespace plotdesk::main_form_layout {

// The window's width is fixed; its height is free.
inline constexpr int kWindowWidth = 4120;
inline constexpr int kInitialHeight = 7200;
inline constexpr int kInitialLeft = 7700;
inline constexpr int kInitialTop = 1000;

// Client area.
inline constexpr QRect kTabs{60, 60, 3880, 6400};
// Inside a tab page.
inline constexpr QRect kFrame4{60, 60, 3700, 1320};
inline constexpr QRect kFrame5{60, 60, 3700, 1510};
inline constexpr QRect kList1{60, 1440, 3700, 4500};
inline constexpr QRect kList2{60, 1630, 3700, 4500};
inline constexpr QRect kText2{60, 60, 3700, 5900};
// Inside Frame4.
inline constexpr QRect kLabel1{120, 300, 500, 285};
inline constexpr QRect kText1{620, 270, 2960, 285};
inline constexpr QRect kCommand1{120, 640, 1700, 300};
inline constexpr QRect kCommand8{1880, 640, 1700, 300};
inline constexpr QRect kCommand4{120, 960, 1700, 300};
inline constexpr QRect kCommand3{1880, 960, 1700, 300};
// Inside Frame5.
inline constexpr QRect kLabel6{120, 270, 500, 285};
inline constexpr QRect kText3{620, 240, 2960, 285};
inline constexpr QRect kLabel7{120, 590, 500, 285};
inline constexpr QRect kText4{620, 560, 2960, 285};
inline constexpr QRect kCommand5{120, 880, 1700, 290};
inline constexpr QRect kCommand2{1880, 880, 1700, 290};
inline constexpr QRect kCommand7{120, 1180, 1700, 290};
inline constexpr QRect kCommand6{1880, 1180, 1700, 290};

// The heights that follow the window's outer height. A height that would
// not be positive (while the window is being made very small or minimised)
// is left out, and the control keeps its last height.
struct ResizedHeights {
    std::optional<int> tabs;
    std::optional<int> lists;
    std::optional<int> helpText;
};
ResizedHeights resizedHeights(int windowHeightTwips);

}  // namespace plotdesk::main_form_layout

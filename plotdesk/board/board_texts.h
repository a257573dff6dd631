#pragma once
// The board window's own texts: titles, captions and curve labels.

namespace plotdesk::boardtext {

inline constexpr char title[] = "Curvolo v1.2";
inline constexpr char plottingTitle[] = "请等候，正在绘图...";
inline constexpr char parametricDoneTitle[] = "Curvolo 1.0 - Telvan制作";

inline constexpr char functionLabel[] = " Y =";
inline constexpr char parametricXLabel[] = "  X =";
inline constexpr char parametricYLabel[] = "  Y =";

// The bottom bar, left to right.
inline constexpr char rangeOpen[] = "自变量取值范围:(";
inline constexpr char rangeComma[] = "，";
inline constexpr char rangeClose[] = ") 精度：";
inline constexpr char progress[] = "已完成：";
inline constexpr char centreButton[] = "返回原点";
inline constexpr char clearButton[] = "清除 ";
inline constexpr char plotButton[] = "画图";

// The initial contents of the expression holders and the range fields.
inline constexpr char initialFunction[] = "tan(x / 20) * 50";
inline constexpr char initialParameter[] = "t";
inline constexpr char initialStart[] = "-100";
inline constexpr char initialEnd[] = "100";
inline constexpr char initialStep[] = "2";

// The pop-up menu.
inline constexpr char redraw[] = "重绘";
inline constexpr char options[] = "选项";
inline constexpr char chooseColour[] = "选择线条颜色";

}  // namespace plotdesk::boardtext

#pragma once
// The board window's own texts: titles, captions and curve labels.

#include "settings/product.h"

namespace plotdesk::boardtext {

inline constexpr const char* kTitle = product::kWindowTitle;
inline constexpr char kPlottingTitle[] = "请等候，正在绘图...";
inline constexpr char kParametricDoneTitle[] = "Curvolo 1.0 - Telvan制作";

inline constexpr char kFunctionLabel[] = " Y =";
inline constexpr char kParametricXLabel[] = "  X =";
inline constexpr char kParametricYLabel[] = "  Y =";

// The bottom bar, left to right.
inline constexpr char kRangeOpen[] = "自变量取值范围:(";
inline constexpr char kRangeComma[] = "，";
inline constexpr char kRangeClose[] = ") 精度：";
inline constexpr char kProgress[] = "已完成：";
inline constexpr char kCentreButton[] = "返回原点";
inline constexpr char kClearButton[] = "清除 ";
inline constexpr char kPlotButton[] = "画图";

// The initial contents of the expression holders and the range fields.
inline constexpr char kInitialFunction[] = "tan(x / 20) * 50";
inline constexpr char kInitialParameter[] = "t";
inline constexpr char kInitialStart[] = "-100";
inline constexpr char kInitialEnd[] = "100";
inline constexpr char kInitialStep[] = "2";

// The pop-up menu.
inline constexpr char kRedraw[] = "重绘";
inline constexpr char kOptions[] = "选项";
inline constexpr char kChooseColour[] = "选择线条颜色";
inline constexpr char kExportPicture[] = "导出图片…";
inline constexpr char kCopyPicture[] = "复制图片";

}  // namespace plotdesk::boardtext

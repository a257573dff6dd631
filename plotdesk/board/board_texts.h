#pragma once
// The board window's own texts: titles, captions and curve labels.

#include "settings/product.h"

namespace plotdesk::boardtext {

inline constexpr const char* kTitle = product::kWindowTitle;
inline constexpr char kPlottingTitle[] = "请等候，正在绘图...";
inline constexpr char kParametricDoneTitle[] = "Curvolo 1.0 - Telvan制作";
// Why a plot drew nothing: the first answer that was not a number (the
// expression as typed, then the answer), no sample in the range, samples
// whose x lies beyond the single precision the picture draws in, none in the
// part of the range a zoomed view shows, a single point, or neighbouring
// values that all jump too far to be joined.
inline constexpr char kNothingDrawnAnswer[] = "无法绘图：%1 的值为 %2";
inline constexpr char kNothingDrawnNoSample[] = "无法绘图：从起始值按步长走不到终止值，没有采样点";
inline constexpr char kNothingDrawnBeyondSinglePrecision[] =
    "无法绘图：x 的取值都超出了能画出的范围（绝对值要小于 3.4E+38）";
inline constexpr char kNothingDrawnOutOfView[] = "无法绘图：曲线在当前视图之外，按 Ctrl+0 适合窗口";
inline constexpr char kNothingDrawnOnePoint[] = "无法绘图：只有一个采样点，连不成线";
inline constexpr char kNothingDrawnJumps[] = "无法绘图：相邻两点的值都相差 1000 以上，连不成线";

inline constexpr char kFunctionLabel[] = " Y =";
inline constexpr char kParametricXLabel[] = "  X =";
inline constexpr char kParametricYLabel[] = "  Y =";
// The last line of a legend that cannot hold every curve.
inline constexpr char kLegendMoreCurves[] = "……另有 %1 条曲线";

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
inline constexpr char kZoomIn[] = "放大";
inline constexpr char kZoomOut[] = "缩小";
inline constexpr char kFitView[] = "适合窗口";
// The picture's tool tip; %1 is the key of 适合窗口.
inline constexpr char kViewHint[] = "%1 适合窗口：图片铺满窗口，曲线全部显示\n滚轮缩放，拖动平移，右键打开菜单";
inline constexpr char kExportPicture[] = "导出图片…";
inline constexpr char kCopyPicture[] = "复制图片";
inline constexpr char kPrintPicture[] = "打印…";
inline constexpr char kUndo[] = "撤销";
inline constexpr char kRedo[] = "重做";
inline constexpr char kCurveList[] = "曲线列表";

// The steps of the undo stack, named by what they change.
inline constexpr char kPlotStep[] = "画图";
inline constexpr char kLayoutStep[] = "重新布置画板";
inline constexpr char kZoomStep[] = "缩放";
inline constexpr char kPanStep[] = "平移";
inline constexpr char kFitStep[] = "适合窗口";
inline constexpr char kClassicViewStep[] = "返回原点";
inline constexpr char kShowCurveStep[] = "显示曲线";
inline constexpr char kHideCurveStep[] = "隐藏曲线";
inline constexpr char kCurveColourStep[] = "曲线颜色";
inline constexpr char kRemoveCurveStep[] = "删除曲线";

}  // namespace plotdesk::boardtext

// Loading and laying out the board: the picture's place, size, scale and
// colours from the settings record, then the axes with their grid or ticks
// and labels, then the scroll-strip markers.

#include "board/axis_loops.h"
#include "board/board_geometry.h"
#include "board/board_model.h"
#include "board/mForm1.h"
#include "board/picture_size.h"
#include "settings/number_text.h"
#include "settings/setting_keys.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"
#include "toolkit/color_word.h"
#include "toolkit/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace plotdesk {
namespace {

// Tick marks: x ticks reach 3 units up from the x axis, y ticks 5 units
// right of the y axis.
constexpr double kXTickLength = 3;
constexpr double kYTickLength = 5;
// A window larger than this (in twips) is taken for a damaged setting.
constexpr double kLargestWindowTwips = 1'000'000;

std::optional<float> storedSingle(const char* key) { return toSingle(GetSetting(key, defaultText(key))); }

// Whether a window with this frame would show, at least in part, on one of
// the screens; true when the platform reports none.
bool onSomeScreen(const QRect& frame) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return screens.isEmpty() || std::any_of(screens.begin(), screens.end(), [&frame](const QScreen* screen) {
               return screen->availableGeometry().intersects(frame);
           });
}

// One axis loop: each round draws a grid line or tick and a label; the two
// loops that carry an axis print the label first and draw the axis in their
// round at 0. A loop that draws no ticks
// still draws its axis when it passes the origin.
template <class GridOrTick, class Label, class Axis>
void runAxisLoop(const AxisLoop& loop, bool carriesAxis, GridOrTick gridOrTick, Label label, Axis axis) {
    if (!loop.drawsTicks()) {
        if (carriesAxis && loop.reachesOrigin()) axis();
        return;
    }
    const int64_t rounds = loop.rounds();
    for (int64_t round = 0; round < rounds; ++round) {
        const int64_t v = loop.value(round);
        if (carriesAxis) {
            label(v);
            gridOrTick(v);
            if (v == 0) axis();
        } else {
            gridOrTick(v);
            label(v);
        }
    }
}

}  // namespace

void mForm1::Form_Load() {
    applyStoredPlacement();
    LoadSettings();
    model_->layOut(BoardModel::storedLayout());
    model_->undoStack().clear();
    placePicture();
    if (HasSetting(key::pxpleft))
        if (const std::optional<float> left = storedSingle(key::pxpleft)) pxp->setLeftTwips(*left);
    if (HasSetting(key::pxpltop))
        if (const std::optional<float> top = storedSingle(key::pxpltop)) pxp->setTopTwips(*top);
    resetStripScales();
    drawStripMarkers(stripForeColor());
}

// The window's own place and size; a value that is not a number, or a size
// that no window can have, is skipped. A place where no screen would show
// the window (one saved on a screen that has since gone) is skipped too.
void mForm1::applyStoredPlacement() {
    QSize size = this->size();
    auto usable = [](const std::optional<float>& twips) { return twips && *twips > 0 && *twips < kLargestWindowTwips; };
    if (const std::optional<float> w = storedSingle(key::MainWidth); usable(w))
        size.setWidth(toolkit::twipsToPixelsX(*w));
    if (const std::optional<float> h = storedSingle(key::MainHeight); usable(h))
        size.setHeight(toolkit::twipsToPixelsY(*h));

    QPoint place = pos();
    if (const std::optional<float> left = storedSingle(key::MainLeft)) place.setX(toolkit::twipsToPixelsX(*left));
    if (const std::optional<float> top = storedSingle(key::MainTop)) place.setY(toolkit::twipsToPixelsY(*top));
    if (onSomeScreen(QRect(place, size))) move(place);
    resize(size);
    arrangeFrame();
}

void mForm1::reuse() {
    LoadSettings();
    BoardLayout layout = model_->state().layout;
    layout.record = Settings();
    layout.smoothLines = storedSmoothLines();
    layOutBoard(layout);
}

// Laid out from the record as it stands; the background picture and the
// axes' pen stay as the load found them.
void mForm1::relayoutFromRecord() {
    BoardLayout layout = model_->state().layout;
    layout.record = Settings();
    layOutBoard(layout);
}

// A layout from the settings starts a new board: the curves drawn so far
// are forgotten and the view is the classic one.
void mForm1::layOutBoard(const BoardLayout& layout) {
    model_->layOut(layout);
    placePicture();
    resetStripScales();
    drawStripMarkers(stripForeColor());
}

// The picture's place in the window, as the layout's record gives it.
void mForm1::placePicture() {
    pxp->setLeftTwips(model_->state().layout.record.left);
    pxp->setTopTwips(model_->state().layout.record.top);
}

// Size, scale and colours from the layout's record. A size that makes no
// picture takes the default and one too large for memory shrinks; a zero
// scale is refused and leaves the old one in place. The new background
// colour wipes the drawing, and with it the printed texts.
void BoardModel::layoutPicture() {
    const SettingsRecord& record = state_.layout.record;
    sizeBoardPicture(*pxp, record.width, record._heiht);
    pxp->setScaleLeft(record.max_l);
    pxp->setScaleTop(record.max_t);
    pxp->setScaleWidth(record.max_x);
    pxp->setScaleHeight(record.max_y);
    pxp->setBackColor(record.bcolor);
    pxp->setForeColor(record.lcolor);
    printed_.clear();
}

// The grid style is asked afresh at every round while the window shows the
// board (not while an undo draws a drawing as it was), and kept.
AxesRequest BoardModel::axesFromLayout() {
    const SettingsRecord& r = state_.layout.record;
    auto gridStyle = [this] {
        if (gridQuestion_ && !restoring_) state_.layout.gridLines = gridQuestion_();
        return state_.layout.gridLines;
    };
    return {r.max_l, r.max_t, r.max_x, r.max_y, r.min_x, r.min_y, gridStyle, r.lcolor};
}

void BoardModel::drawAxes(const AxesRequest& axes) {
    drawXLoops(axes, true);
    drawXLoops(axes, false);
    drawYLoops(axes, true);
    drawYLoops(axes, false);
}

// Loop 1 runs right from the origin to the right edge; loop 2 left to the
// left edge, drawing the y axis in its round at 0.
void BoardModel::drawXLoops(const AxesRequest& axes, bool towardsRight) {
    const int64_t top = axes.scaleTop;
    const int64_t bottom = int64_t{axes.scaleTop} + axes.scaleHeight;
    const AxisLoop loop = towardsRight ? AxisLoop{int64_t{axes.scaleLeft} + axes.scaleWidth, axes.xSpacing, 1}
                                       : AxisLoop{axes.scaleLeft, axes.xSpacing, -1};
    auto gridOrTick = [&](double v) {
        if (axes.gridStyle())
            pxp->line(v, top, v, bottom, axes.gridColour);
        else
            pxp->line(v, 0, v, -kXTickLength, axes.gridColour);
    };
    auto label = [&](int64_t v) {
        pxp->setCurrentX(v);
        pxp->setCurrentY(0);
        printOnPicture(axisLabel(v));
    };
    auto yAxis = [&] { pxp->line(0, top, 0, bottom, toolkit::paletteColor(kAxisPaletteIndex)); };
    runAxisLoop(loop, !towardsRight, gridOrTick, label, yAxis);
}

// Loop 3 runs down from the origin to the bottom edge; loop 4 up to the top
// edge, drawing the x axis in its round at 0. Labels show -v, as the board
// shows y upwards.
void BoardModel::drawYLoops(const AxesRequest& axes, bool downwards) {
    const int64_t left = axes.scaleLeft;
    const int64_t right = int64_t{axes.scaleLeft} + axes.scaleWidth;
    const AxisLoop loop = downwards ? AxisLoop{int64_t{axes.scaleTop} + axes.scaleHeight, axes.ySpacing, 1}
                                    : AxisLoop{axes.scaleTop, axes.ySpacing, -1};
    auto gridOrTick = [&](double v) {
        if (axes.gridStyle())
            pxp->line(left, v, right, v, axes.gridColour);
        else
            pxp->line(0, v, kYTickLength, v);
    };
    auto label = [&](int64_t v) {
        pxp->setCurrentX(0);
        pxp->setCurrentY(v);
        printOnPicture(axisLabel(-v));
    };
    auto xAxis = [&] { pxp->line(left, 0, right, 0, toolkit::paletteColor(kAxisPaletteIndex)); };
    runAxisLoop(loop, !downwards, gridOrTick, label, xAxis);
}

// Each strip's scale spans the distance the picture can travel in its
// direction; a strip position p stands for the picture edge at -p.
void mForm1::resetStripScales() {
    Picture3->setScaleHeight(pxp->heightTwips() - viewportHeightTwips());
    Picture4->setScaleWidth(pxp->widthTwips() - viewportWidthTwips());
}

// A strip marks the picture's place only where the picture is larger than
// the window: otherwise there is nothing to scroll, and the marker would
// land at the strip's end as a stray box.
void mForm1::drawStripMarkers(int32_t colorWord) {
    if (pxp->widthTwips() > viewportWidthTwips()) drawMarker(Picture4, -pxp->leftTwips(), colorWord);
    if (pxp->heightTwips() > viewportHeightTwips()) drawMarker(Picture3, -pxp->topTwips(), colorWord);
}

void mForm1::drawMarker(toolkit::PictureArea* strip, double p, int32_t colorWord) {
    const MarkerBox box = strip == Picture3 ? verticalMarker(p) : horizontalMarker(p);
    strip->box(box.x1, box.y1, box.x2, box.y2, colorWord);
}

}  // namespace plotdesk

// Moving the picture about with the pointer: dragging on the picture, the
// two scroll strips with their position markers, the four arrows that
// scroll while held, and the coordinate read-out in the title.

#include "board/board_geometry.h"
#include "board/board_texts.h"
#include "board/mForm1.h"
#include "board/view_scale.h"
#include "settings/settings_record.h"
#include "toolkit/mouse_buttons.h"

#include <QTimer>
#include <algorithm>
#include <cmath>

namespace plotdesk {
namespace {

using toolkit::kLeftButtonCode;
using toolkit::kRightButtonCode;
// Twips an arrow moves the picture per step; each timer tick moves half.
constexpr float kArrowScrollStep = 30;

}  // namespace

void mForm1::connectPointerHandlers() {
    using toolkit::PictureArea;
    connect(pxp, &PictureArea::mouseDown, this, &mForm1::pxp_MouseDown);
    connect(pxp, &PictureArea::mouseMove, this, &mForm1::pxp_MouseMove);
    connect(pxp, &PictureArea::mouseUp, this, &mForm1::pxp_MouseUp);
    connect(Picture3, &PictureArea::mouseDown, this, &mForm1::Picture3_MouseDown);
    connect(Picture3, &PictureArea::mouseMove, this, &mForm1::Picture3_MouseMove);
    connect(Picture3, &PictureArea::mouseUp, this, &mForm1::Picture3_MouseUp);
    connect(Picture4, &PictureArea::mouseDown, this, &mForm1::Picture4_MouseDown);
    connect(Picture4, &PictureArea::mouseMove, this, &mForm1::Picture4_MouseMove);
    connect(Picture4, &PictureArea::mouseUp, this, &mForm1::Picture4_MouseUp);
    connect(Picture2, &PictureArea::mouseMove, this, &mForm1::Picture2_MouseMove);

    using toolkit::ImageControl;
    connect(Image1, &ImageControl::mouseDown, this, &mForm1::Image1_MouseDown);
    connect(Image2, &ImageControl::mouseDown, this, &mForm1::Image2_MouseDown);
    connect(Image3, &ImageControl::mouseDown, this, &mForm1::Image3_MouseDown);
    connect(Image4, &ImageControl::mouseDown, this, &mForm1::Image4_MouseDown);
    connect(Image1, &ImageControl::mouseUp, this, &mForm1::Image1_MouseUp);
    connect(Image2, &ImageControl::mouseUp, this, &mForm1::Image2_MouseUp);
    connect(Image3, &ImageControl::mouseUp, this, &mForm1::Image3_MouseUp);
    connect(Image4, &ImageControl::mouseUp, this, &mForm1::Image4_MouseUp);
    connect(Timer1, &QTimer::timeout, this, &mForm1::Timer1_Timer);
}

void mForm1::pxp_MouseDown(int, double x, double y) {
    grabbed_ = QPointF(x, y);
    pressedScale_ = shownScale();
    model_->beginGesture();
    resetStripScales();
    drawStripMarkers(stripForeColor());
}

// Every move shows where the pointer is; a left-button drag moves the
// picture by the pointer's own board coordinates, so the origin comes
// towards the pointer. A zoomed or fitted view reads out the decimals a
// pixel needs, and pans with the drag instead; as the point grabbed stays
// under the pointer, the read-out then follows the pointer over the view
// as it was at the press.
void mForm1::pxp_MouseMove(int buttons, double x, double y) {
    const bool panning = buttons == kLeftButtonCode && view() != View::Classic;
    const QPointF read = panning ? scalePointAt(pressedScale_, pxp->toPixels(x, y), pxp->size()) : QPointF(x, y);
    setWindowTitle(
        view() == View::Classic
            ? pointerReadout(x, y)
            : viewPointerReadout(read.x(), read.y(), std::fabs(pxp->scaleWidth()) / std::max(1, pxp->width())));
    if (buttons != kLeftButtonCode) return;
    if (panning) return panTo(x, y);
    resetStripScales();
    pxp->setLeftTwips(pxp->leftTwips() + x);
    pxp->setTopTwips(pxp->topTwips() + y);
    Picture3->cls();
    Picture4->cls();
    drawStripMarkers(stripForeColor());
}

void mForm1::pxp_MouseUp(int button, double x, double y) {
    model_->endGesture();
    if (button == kRightButtonCode) showBoardMenu(pxp->mapToGlobal(pxp->toPixels(x, y).toPoint()));
}

void mForm1::Picture3_MouseDown(int, double, double y) {
    Picture3->cls();
    drawMarker(Picture3, y, Settings().bcolor);
}

// The vertical strip: dragging sets the picture's top edge. Moving over it
// shows the window's own title, as the panel below the strips does.
void mForm1::Picture3_MouseMove(int buttons, double, double y) {
    resetStripScales();
    setWindowTitle(QString::fromUtf8(boardtext::kTitle));
    if (buttons != kLeftButtonCode) return;
    pxp->setTopTwips(-y);
    Picture3->cls();
    drawMarker(Picture3, y, Settings().bcolor);
}

void mForm1::Picture3_MouseUp(int, double, double y) { drawMarker(Picture3, y, stripForeColor()); }

void mForm1::Picture4_MouseDown(int, double x, double) {
    Picture4->cls();
    drawMarker(Picture4, x, Settings().bcolor);
}

void mForm1::Picture4_MouseMove(int buttons, double x, double) {
    if (buttons != kLeftButtonCode) return;
    resetStripScales();
    pxp->setLeftTwips(-x);
    Picture4->cls();
    drawMarker(Picture4, x, Settings().bcolor);
}

void mForm1::Picture4_MouseUp(int, double x, double) {
    Picture4->cls();
    drawMarker(Picture4, x, stripForeColor());
}

void mForm1::Image1_MouseDown(int) { pressArrow(&VScrollStep, -kArrowScrollStep); }
void mForm1::Image2_MouseDown(int) { pressArrow(&VScrollStep, kArrowScrollStep); }
void mForm1::Image3_MouseDown(int) { pressArrow(&HScrollStep, -kArrowScrollStep); }
void mForm1::Image4_MouseDown(int) { pressArrow(&HScrollStep, kArrowScrollStep); }
void mForm1::Image1_MouseUp(int) { releaseArrow(&VScrollStep); }
void mForm1::Image2_MouseUp(int) { releaseArrow(&VScrollStep); }
void mForm1::Image3_MouseUp(int) { releaseArrow(&HScrollStep); }
void mForm1::Image4_MouseUp(int) { releaseArrow(&HScrollStep); }

void mForm1::pressArrow(float* scrollStep, float value) {
    Timer1->start();
    *scrollStep = value;
}

void mForm1::releaseArrow(float* scrollStep) {
    Timer1->stop();
    *scrollStep = 0;
}

// One scroll tick while an arrow is held; each strip shows one marker
// where the picture now is (a trail of them ran together into a block).
void mForm1::Timer1_Timer() {
    pxp->setLeftTwips(pxp->leftTwips() + HScrollStep / 2);
    pxp->setTopTwips(pxp->topTwips() + VScrollStep / 2);
    resetStripScales();
    Picture3->cls();
    Picture4->cls();
    drawStripMarkers(stripForeColor());
}

void mForm1::Picture2_MouseMove(int, double, double) { setWindowTitle(QString::fromUtf8(boardtext::kTitle)); }

}  // namespace plotdesk

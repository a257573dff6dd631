#include "board/board_progress.h"

#include "board/mForm1.h"

namespace plotdesk {
namespace {

// The progress strip's scale: its vertical range, and the line drawn for a
// sample, which spans the strip's whole height.
constexpr double kProgressScaleTop = 200;
constexpr double kProgressScaleHeight = -100;
constexpr double kProgressLineTop = 0;
constexpr double kProgressLineBottom = 400;

}  // namespace

void BoardProgress::walkStarting(const SamplingRange& range) {
    toolkit::PictureArea* strip = board_.进度条;
    strip->cls();
    strip->setScaleLeft(range.start);
    strip->setScaleWidth(range.end - range.start);
    strip->setScaleTop(kProgressScaleTop);
    strip->setScaleHeight(kProgressScaleHeight);
    left_ = strip->scaleLeft();
    halfPixelsPerUnit_ = 2 * strip->devicePixelRatioF() * strip->width() / strip->scaleWidth();
    drawn_ = false;
}

void BoardProgress::sampleReached(double v) {
    const double place = std::floor((v - left_) * halfPixelsPerUnit_);
    if (drawn_ && place == lastPlace_) return;
    board_.进度条->line(v, kProgressLineTop, v, kProgressLineBottom);
    lastPlace_ = place;
    drawn_ = true;
}

// The title shows the Y(t) text being computed.
void BoardProgress::catchUp(const std::string* yText) {
    if (yText) board_.setWindowTitle(QString::fromStdString(*yText));
    board_.进度条->repaint();
    board_.pxp->repaint();
}

void BoardProgress::walkEnded() { board_.进度条->update(); }

}  // namespace plotdesk

#include "toolkit/picture_area.h"

#include "toolkit/color_word.h"
#include "toolkit/mouse_buttons.h"
#include "toolkit/picture_reading.h"
#include "toolkit/segment_clip.h"
#include "toolkit/twips.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace plotdesk::toolkit {
namespace {

bool acceptableSize(double twips, int pixels) {
    return std::isfinite(twips) && twips >= 0 && pixels <= kLargestPictureSide;
}

}  // namespace

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    leftTwips_ = pixelsToTwipsX(x());
    topTwips_ = pixelsToTwipsY(y());
    widthTwips_ = pixelsToTwipsX(width());
    heightTwips_ = pixelsToTwipsY(height());
}

// The stored twips are returned as long as the widget still sits where they
// put it; after an outside move or resize the pixel geometry is the truth.
double PictureArea::leftTwips() const { return twipsToPixelsX(leftTwips_) == x() ? leftTwips_ : pixelsToTwipsX(x()); }

double PictureArea::topTwips() const { return twipsToPixelsY(topTwips_) == y() ? topTwips_ : pixelsToTwipsY(y()); }

double PictureArea::widthTwips() const {
    return twipsToPixelsX(widthTwips_) == width() ? widthTwips_ : pixelsToTwipsX(width());
}

double PictureArea::heightTwips() const {
    return twipsToPixelsY(heightTwips_) == height() ? heightTwips_ : pixelsToTwipsY(height());
}

void PictureArea::setLeftTwips(double left) {
    if (!std::isfinite(left)) return;
    leftTwips_ = left;
    move(twipsToPixelsX(left), y());
}

void PictureArea::setTopTwips(double top) {
    if (!std::isfinite(top)) return;
    topTwips_ = top;
    move(x(), twipsToPixelsY(top));
}

void PictureArea::setSizeTwips(double width, double height) {
    const int widthPx = twipsToPixelsX(width);
    const int heightPx = twipsToPixelsY(height);
    if (!acceptableSize(width, widthPx) || !acceptableSize(height, heightPx)) return;
    widthTwips_ = width;
    heightTwips_ = height;
    resize(widthPx, heightPx);
}

void PictureArea::setScaleLeft(double left) {
    if (!std::isfinite(left)) return;
    useUserScale();
    scaleLeft_ = left;
}

void PictureArea::setScaleTop(double top) {
    if (!std::isfinite(top)) return;
    useUserScale();
    scaleTop_ = top;
}

bool PictureArea::setScaleWidth(double width) {
    if (width == 0 || !std::isfinite(width)) return false;
    useUserScale();
    scaleWidth_ = width;
    return true;
}

bool PictureArea::setScaleHeight(double height) {
    if (height == 0 || !std::isfinite(height)) return false;
    useUserScale();
    scaleHeight_ = height;
    return true;
}

// Until a scale is set the area measures itself in twips from its top-left
// corner; the first scale setting freezes that scale and changes one part.
void PictureArea::useUserScale() {
    if (userScale_) return;
    scaleLeft_ = 0;
    scaleTop_ = 0;
    scaleWidth_ = widthTwips() != 0 ? widthTwips() : 1;
    scaleHeight_ = heightTwips() != 0 ? heightTwips() : 1;
    userScale_ = true;
}

double PictureArea::scaleLeft() const { return userScale_ ? scaleLeft_ : 0; }

double PictureArea::scaleTop() const { return userScale_ ? scaleTop_ : 0; }

double PictureArea::scaleWidth() const { return userScale_ ? scaleWidth_ : widthTwips(); }

double PictureArea::scaleHeight() const { return userScale_ ? scaleHeight_ : heightTwips(); }

ScaleMapping PictureArea::mapping() const {
    return ScaleMapping{scaleLeft(), scaleTop(), scaleWidth(), scaleHeight(), width(), height()};
}

QPointF PictureArea::toPixels(double x, double y) const { return mapping().toPixels(x, y); }

QPointF PictureArea::toScale(QPointF px) const { return mapping().toScale(px); }

void PictureArea::setBackColor(int32_t colorWord) {
    backColor_ = colorWord & 0xFFFFFF;
    wipeDrawing();
}

void PictureArea::setForeColor(int32_t colorWord) { foreColor_ = colorWord & 0xFFFFFF; }

void PictureArea::setDrawWidth(int px) { drawWidth_ = std::clamp(px, 1, kLargestPictureSide); }

bool PictureArea::loadPicture(const QString& path) {
    if (path.isEmpty()) {
        clearPicture();
        return true;
    }
    picture_ = readPictureFile(path);
    shownStale_ = true;
    update();
    return !picture_.isNull();
}

void PictureArea::clearPicture() {
    picture_ = QImage();
    shownStale_ = true;
    update();
}

void PictureArea::cls() {
    wipeDrawing();
    currentX_ = scaleLeft();
    currentY_ = scaleTop();
}

void PictureArea::line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, foreColor_); }

void PictureArea::line(double x1, double y1, double x2, double y2, int32_t colorWord) {
    recordSegment(x1, y1, x2, y2, colorWord);
    currentX_ = x2;
    currentY_ = y2;
}

// A segment is kept as given when it lies within the stroke bounds, and
// cut down to them otherwise; one wholly outside is not kept at all.
void PictureArea::recordSegment(double x1, double y1, double x2, double y2, int32_t colorWord) {
    const ScaleMapping now = mapping();
    if (!now.hasPixels()) return;
    const QRectF bounds = strokeBounds(now, drawWidth_);
    const QPointF a = now.toPixels(x1, y1), b = now.toPixels(x2, y2);
    Segment segment{x1, y1, x2, y2};
    if (!bounds.contains(a) || !bounds.contains(b)) {
        const std::optional<QLineF> visible = clipSegment(QLineF(a, b), bounds);
        if (!visible) return;
        const QPointF from = now.toScale(visible->p1()), to = now.toScale(visible->p2());
        segment = Segment{from.x(), from.y(), to.x(), to.y()};
    }
    record_.useMapping(now);
    record_.usePen(PenStep{colorWord & 0xFFFFFF, drawWidth_});
    record_.addSegment(segment);
    drawingChanged();
}

void PictureArea::box(double x1, double y1, double x2, double y2, int32_t colorWord) {
    recordBox(BoxStep{x1, y1, x2, y2}, colorWord);
}

void PictureArea::fillBox(double x1, double y1, double x2, double y2, int32_t colorWord) {
    recordBox(BoxStep{x1, y1, x2, y2, true}, colorWord);
}

void PictureArea::recordBox(const BoxStep& box, int32_t colorWord) {
    currentX_ = box.x2;
    currentY_ = box.y2;
    const ScaleMapping now = mapping();
    const QPointF a = now.toPixels(box.x1, box.y1), b = now.toPixels(box.x2, box.y2);
    if (!now.hasPixels() || !std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) ||
        !std::isfinite(b.y()))
        return;
    if (a.x() == b.x() || a.y() == b.y()) {  // a flat box is a line
        recordSegment(box.x1, box.y1, box.x2, box.y2, colorWord);
        return;
    }
    if (QRectF(a, b).normalized().intersected(strokeBounds(now, drawWidth_)).isEmpty()) return;
    record_.useMapping(now);
    record_.usePen(PenStep{colorWord & 0xFFFFFF, drawWidth_});
    record_.addBox(box);
    drawingChanged();
}

void PictureArea::setCurrentX(double x) {
    if (std::isfinite(x)) currentX_ = x;
}

void PictureArea::setCurrentY(double y) {
    if (std::isfinite(y)) currentY_ = y;
}

void PictureArea::print(const QString& text, bool endLine) {
    const ScaleMapping now = mapping();
    const QPointF topLeft = now.toPixels(currentX_, currentY_);
    if (!text.isEmpty() && now.hasPixels() && std::isfinite(topLeft.x()) && std::isfinite(topLeft.y())) {
        record_.useMapping(now);
        record_.addText(
            TextStep{currentX_, currentY_, QFontMetricsF(font()).ascent(), foreColor_, logicalDpiY(), text, font()});
        drawingChanged();
    }
    if (endLine) {
        currentX_ = scaleLeft();
        currentY_ += textHeight();
    } else {
        currentX_ += textWidth(text);
    }
}

double PictureArea::textHeight() const {
    const double h = height();
    return h != 0 ? QFontMetricsF(font()).height() / h * scaleHeight() : 0;
}

double PictureArea::textWidth(const QString& text) const {
    const double w = width();
    return w != 0 ? QFontMetricsF(font()).horizontalAdvance(text) / w * scaleWidth() : 0;
}

// On a high-density screen the picture is drawn as the screen shows it, at
// the screen's pixel ratio, and then brought down to the logical size, so
// that texts keep the shapes they have on the screen.
QImage PictureArea::image() const {
    if (width() <= 0 || height() <= 0) return QImage();
    const qreal ratio = devicePixelRatio();
    QImage shown((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
    shown.setDevicePixelRatio(ratio);
    QPainter painter(&shown);
    renderPicture(painter, QSizeF(size()));
    painter.end();
    if (ratio == 1) return shown;
    QImage logical(size(), QImage::Format_RGB32);
    QPainter reduce(&logical);
    reduce.drawImage(QPointF(0, 0), shown);
    return logical;
}

void PictureArea::renderPicture(QPainter& painter, const QSizeF& target) const {
    if (width() <= 0 || height() <= 0 || !painter.isActive()) return;
    painter.save();
    painter.scale(target.width() / width(), target.height() / height());
    painter.setClipRect(rect());
    drawBackground(painter);
    DrawingReplay(record_).drawNew(painter, smooth_);
    painter.restore();
}

void PictureArea::setSmooth(bool smooth) {
    if (smooth == smooth_) return;
    smooth_ = smooth;
    shownStale_ = true;
    update();
}

void PictureArea::paintEvent(QPaintEvent*) {
    updatePending_ = false;
    bringShownUpToDate();
    QPainter painter(this);
    if (shown_.isNull())
        painter.fillRect(rect(), colorFromWord(backColor_));
    else
        painter.drawImage(QPointF(0, 0), shown_);
}

// The screen's picture gets the steps recorded since the last paint; it is
// drawn anew from the whole list when the size, the pixel ratio, the
// background or the look has changed.
void PictureArea::bringShownUpToDate() {
    const qreal ratio = devicePixelRatio();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (pixels.isEmpty()) {
        shown_ = QImage();
        return;
    }
    const bool anew = shownStale_ || shown_.size() != pixels || shown_.devicePixelRatio() != ratio;
    if (anew) {
        shown_ = QImage(pixels, QImage::Format_RGB32);
        if (shown_.isNull()) return;
        shown_.setDevicePixelRatio(ratio);
        shownReplay_.restart();
        shownStale_ = false;
    }
    QPainter painter(&shown_);
    if (anew) drawBackground(painter);
    shownReplay_.drawNew(painter, smooth_);
}

void PictureArea::mousePressEvent(QMouseEvent* event) {
    const QPointF at = toScale(event->position());
    if (const int code = buttonCode(event->button())) emit mouseDown(code, at.x(), at.y());
}

void PictureArea::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = toScale(event->position());
    emit mouseMove(buttonCodes(event->buttons()), at.x(), at.y());
}

void PictureArea::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = toScale(event->position());
    if (const int code = buttonCode(event->button())) emit mouseUp(code, at.x(), at.y());
}

// Schedules one repaint for any number of steps recorded before it.
void PictureArea::drawingChanged() {
    if (updatePending_) return;
    updatePending_ = true;
    update();
}

void PictureArea::wipeDrawing() {
    record_.clear();
    shownStale_ = true;
    update();
}

void PictureArea::drawBackground(QPainter& painter) const {
    painter.fillRect(rect(), colorFromWord(backColor_));
    if (!picture_.isNull()) painter.drawImage(QPointF(0, 0), picture_);
}

}  // namespace plotdesk::toolkit

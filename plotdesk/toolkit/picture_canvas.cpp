#include "toolkit/picture_canvas.h"

#include "toolkit/color_word.h"
#include "toolkit/drawing_replay.h"
#include "toolkit/picture_reading.h"
#include "toolkit/segment_clip.h"
#include "toolkit/twips.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace plotdesk::toolkit {
namespace {

bool acceptableSize(double twips, int pixels) {
    return std::isfinite(twips) && twips >= 0 && pixels <= kLargestPictureSide;
}

}  // namespace

// Texts are sized for the primary screen, as the widgets' are.
PictureCanvas::PictureCanvas() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dpi_ = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
}

void PictureCanvas::setSizeTwips(double width, double height) {
    const int widthPx = twipsToPixelsX(width);
    const int heightPx = twipsToPixelsY(height);
    if (!acceptableSize(width, widthPx) || !acceptableSize(height, heightPx)) return;
    widthTwips_ = width;
    heightTwips_ = height;
    if (pixels_ == QSize(widthPx, heightPx)) return;
    pixels_ = QSize(widthPx, heightPx);
    changed(Change::Resized);
}

void PictureCanvas::adoptPixelSize(QSize pixels) {
    if (pixels == pixels_) return;
    pixels_ = pixels;
    widthTwips_ = pixelsToTwipsX(pixels.width());
    heightTwips_ = pixelsToTwipsY(pixels.height());
    changed(Change::Resized);
}

double PictureCanvas::devicePixelRatioF() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1;
}

void PictureCanvas::setScaleLeft(double left) {
    if (!std::isfinite(left)) return;
    useUserScale();
    scaleLeft_ = left;
}

void PictureCanvas::setScaleTop(double top) {
    if (!std::isfinite(top)) return;
    useUserScale();
    scaleTop_ = top;
}

bool PictureCanvas::setScaleWidth(double width) {
    if (width == 0 || !std::isfinite(width)) return false;
    useUserScale();
    scaleWidth_ = width;
    return true;
}

bool PictureCanvas::setScaleHeight(double height) {
    if (height == 0 || !std::isfinite(height)) return false;
    useUserScale();
    scaleHeight_ = height;
    return true;
}

// Until a scale is set the picture measures itself in twips from its
// top-left corner; the first scale setting freezes that scale and changes
// one part.
void PictureCanvas::useUserScale() {
    if (userScale_) return;
    scaleLeft_ = 0;
    scaleTop_ = 0;
    scaleWidth_ = widthTwips() != 0 ? widthTwips() : 1;
    scaleHeight_ = heightTwips() != 0 ? heightTwips() : 1;
    userScale_ = true;
}

double PictureCanvas::scaleLeft() const { return userScale_ ? scaleLeft_ : 0; }

double PictureCanvas::scaleTop() const { return userScale_ ? scaleTop_ : 0; }

double PictureCanvas::scaleWidth() const { return userScale_ ? scaleWidth_ : widthTwips(); }

double PictureCanvas::scaleHeight() const { return userScale_ ? scaleHeight_ : heightTwips(); }

ScaleMapping PictureCanvas::mapping() const {
    return ScaleMapping{scaleLeft(), scaleTop(), scaleWidth(), scaleHeight(), width(), height()};
}

QPointF PictureCanvas::toPixels(double x, double y) const { return mapping().toPixels(x, y); }

QPointF PictureCanvas::toScale(QPointF px) const { return mapping().toScale(px); }

void PictureCanvas::setBackColor(int32_t colorWord) {
    backColor_ = colorWord & 0xFFFFFF;
    wipeDrawing();
}

void PictureCanvas::setForeColor(int32_t colorWord) { foreColor_ = colorWord & 0xFFFFFF; }

void PictureCanvas::setDrawWidth(int px) { drawWidth_ = std::clamp(px, 1, kLargestPictureSide); }

bool PictureCanvas::loadPicture(const QString& path) {
    if (path.isEmpty()) {
        clearPicture();
        return true;
    }
    picture_ = readPictureFile(path);
    changed(Change::Redrawn);
    return !picture_.isNull();
}

void PictureCanvas::clearPicture() {
    picture_ = QImage();
    changed(Change::Redrawn);
}

void PictureCanvas::cls() {
    wipeDrawing();
    currentX_ = scaleLeft();
    currentY_ = scaleTop();
}

void PictureCanvas::line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, foreColor_); }

void PictureCanvas::line(double x1, double y1, double x2, double y2, int32_t colorWord) {
    recordSegment(x1, y1, x2, y2, colorWord);
    currentX_ = x2;
    currentY_ = y2;
}

// A segment is kept as given when it lies within the stroke bounds, and
// cut down to them otherwise; one wholly outside is not kept at all.
void PictureCanvas::recordSegment(double x1, double y1, double x2, double y2, int32_t colorWord) {
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
    changed(Change::Drawn);
}

void PictureCanvas::box(double x1, double y1, double x2, double y2, int32_t colorWord) {
    recordBox(BoxStep{x1, y1, x2, y2}, colorWord);
}

void PictureCanvas::fillBox(double x1, double y1, double x2, double y2, int32_t colorWord) {
    recordBox(BoxStep{x1, y1, x2, y2, true}, colorWord);
}

void PictureCanvas::recordBox(const BoxStep& box, int32_t colorWord) {
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
    changed(Change::Drawn);
}

void PictureCanvas::setCurrentX(double x) {
    if (std::isfinite(x)) currentX_ = x;
}

void PictureCanvas::setCurrentY(double y) {
    if (std::isfinite(y)) currentY_ = y;
}

void PictureCanvas::print(const QString& text, bool endLine) {
    const ScaleMapping now = mapping();
    const QPointF topLeft = now.toPixels(currentX_, currentY_);
    if (!text.isEmpty() && now.hasPixels() && std::isfinite(topLeft.x()) && std::isfinite(topLeft.y())) {
        record_.useMapping(now);
        record_.addText(TextStep{currentX_, currentY_, QFontMetricsF(font_).ascent(), foreColor_, dpi_, text, font_});
        changed(Change::Drawn);
    }
    if (endLine) {
        currentX_ = scaleLeft();
        currentY_ += textHeight();
    } else {
        currentX_ += textWidth(text);
    }
}

double PictureCanvas::textHeight() const {
    const double h = height();
    return h != 0 ? QFontMetricsF(font_).height() / h * scaleHeight() : 0;
}

double PictureCanvas::textWidth(const QString& text) const {
    const double w = width();
    return w != 0 ? QFontMetricsF(font_).horizontalAdvance(text) / w * scaleWidth() : 0;
}

QImage PictureCanvas::image(double pixelRatio) const {
    if (width() <= 0 || height() <= 0) return QImage();
    QImage shown((QSizeF(size()) * pixelRatio).toSize(), QImage::Format_RGB32);
    shown.setDevicePixelRatio(pixelRatio);
    QPainter painter(&shown);
    renderPicture(painter, QSizeF(size()));
    painter.end();
    if (pixelRatio == 1) return shown;
    QImage logical(size(), QImage::Format_RGB32);
    QPainter reduce(&logical);
    reduce.drawImage(QPointF(0, 0), shown);
    return logical;
}

void PictureCanvas::renderPicture(QPainter& painter, const QSizeF& target) const {
    if (width() <= 0 || height() <= 0 || !painter.isActive()) return;
    painter.save();
    painter.scale(target.width() / width(), target.height() / height());
    painter.setClipRect(rect());
    drawBackground(painter);
    DrawingReplay(record_).drawNew(painter, smooth_);
    painter.restore();
}

void PictureCanvas::setSmooth(bool smooth) {
    if (smooth == smooth_) return;
    smooth_ = smooth;
    changed(Change::Redrawn);
}

void PictureCanvas::changed(Change change) {
    if (listener_) listener_(change);
}

void PictureCanvas::wipeDrawing() {
    record_.clear();
    changed(Change::Redrawn);
}

void PictureCanvas::drawBackground(QPainter& painter) const {
    painter.fillRect(rect(), colorFromWord(backColor_));
    if (!picture_.isNull()) painter.drawImage(QPointF(0, 0), picture_);
}

}  // namespace plotdesk::toolkit

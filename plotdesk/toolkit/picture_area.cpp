#include "toolkit/picture_area.h"

#include "toolkit/color_word.h"
#include "toolkit/mouse_buttons.h"
#include "toolkit/picture_file.h"
#include "toolkit/segment_clip.h"
#include "toolkit/twips.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace plotdesk::toolkit {
namespace {

// Larger areas are refused: their back buffer would not fit in memory.
constexpr int kMaxSidePixels = 16384;
// Drawing is clipped to the area widened by this margin and the pen width
// on every side, which keeps the ends of wide pens intact at the edges.
constexpr double kClipMarginPixels = 64;

// Wide pens get round ends, so that successive segments join smoothly.
// Round ends are costly to rasterise for a pen of two device pixels (a thin
// line on a high-DPI screen), where flat ends look the same; one-pixel pens
// take the rasteriser's fast path whatever their ends.
Qt::PenCapStyle capFor(double deviceWidth) { return deviceWidth > 1 && deviceWidth <= 2 ? Qt::FlatCap : Qt::RoundCap; }

bool acceptableSize(double twips, int pixels) { return std::isfinite(twips) && twips >= 0 && pixels <= kMaxSidePixels; }

}  // namespace

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    leftTwips_ = pixelsToTwipsX(x());
    topTwips_ = pixelsToTwipsY(y());
    widthTwips_ = pixelsToTwipsX(width());
    heightTwips_ = pixelsToTwipsY(height());
}

PictureArea::~PictureArea() { endPainting(); }

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

QPointF PictureArea::toPixels(double x, double y) const {
    const double sw = scaleWidth(), sh = scaleHeight();
    return QPointF(sw != 0 ? (x - scaleLeft()) / sw * width() : 0, sh != 0 ? (y - scaleTop()) / sh * height() : 0);
}

QPointF PictureArea::toScale(QPointF px) const {
    const double w = width(), h = height();
    return QPointF(scaleLeft() + (w != 0 ? px.x() / w * scaleWidth() : 0),
                   scaleTop() + (h != 0 ? px.y() / h * scaleHeight() : 0));
}

void PictureArea::setBackColor(int32_t colorWord) {
    backColor_ = colorWord & 0xFFFFFF;
    wipeDrawing();
}

void PictureArea::setForeColor(int32_t colorWord) { foreColor_ = colorWord & 0xFFFFFF; }

void PictureArea::setDrawWidth(int px) { drawWidth_ = std::clamp(px, 1, kMaxSidePixels); }

bool PictureArea::loadPicture(const QString& path) {
    if (path.isEmpty()) {
        clearPicture();
        return true;
    }
    picture_ = readPictureFile(path);
    update();
    return !picture_.isNull();
}

void PictureArea::clearPicture() {
    picture_ = QImage();
    update();
}

void PictureArea::cls() {
    wipeDrawing();
    currentX_ = scaleLeft();
    currentY_ = scaleTop();
}

void PictureArea::line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, foreColor_); }

void PictureArea::line(double x1, double y1, double x2, double y2, int32_t colorWord) {
    strokeSegment(QLineF(toPixels(x1, y1), toPixels(x2, y2)), colorWord);
    currentX_ = x2;
    currentY_ = y2;
}

void PictureArea::box(double x1, double y1, double x2, double y2, int32_t colorWord) {
    const QPointF a = toPixels(x1, y1), b = toPixels(x2, y2);
    currentX_ = x2;
    currentY_ = y2;
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y())) return;
    if (a.x() == b.x() || a.y() == b.y()) {  // a flat box is a line
        strokeSegment(QLineF(a, b), colorWord);
        return;
    }
    // Edges beyond the bounds are moved to the margin, out of sight; the
    // outline is one closed polygon so its corners are joined.
    const QRectF visible = QRectF(a, b).normalized().intersected(strokeBounds());
    if (visible.isEmpty()) return;
    if (QPainter* painter = strokePainter(colorWord)) painter->drawPolygon(QPolygonF(visible));
    update();
}

QRectF PictureArea::strokeBounds() const {
    const double margin = kClipMarginPixels + drawWidth_;
    return QRectF(rect()).adjusted(-margin, -margin, margin, margin);
}

QPainter* PictureArea::strokePainter(int32_t colorWord) {
    QPainter* painter = drawingPainter();
    if (!painter) return nullptr;
    const int32_t word = colorWord & 0xFFFFFF;
    if (word != penColor_ || drawWidth_ != penWidth_) {
        penColor_ = word;
        penWidth_ = drawWidth_;
        painter->setPen(QPen(colorFromWord(word), drawWidth_, Qt::SolidLine,
                             capFor(drawWidth_ * drawing_.devicePixelRatio()), Qt::MiterJoin));
        painter->setBrush(Qt::NoBrush);
    }
    return painter;
}

void PictureArea::strokeSegment(const QLineF& segment, int32_t colorWord) {
    const std::optional<QLineF> visible = clipSegment(segment, strokeBounds());
    if (!visible) return;
    if (QPainter* painter = strokePainter(colorWord)) painter->drawLine(*visible);
    update();
}

void PictureArea::setCurrentX(double x) {
    if (std::isfinite(x)) currentX_ = x;
}

void PictureArea::setCurrentY(double y) {
    if (std::isfinite(y)) currentY_ = y;
}

void PictureArea::print(const QString& text, bool endLine) {
    const QPointF topLeft = toPixels(currentX_, currentY_);
    if (!text.isEmpty() && std::isfinite(topLeft.x()) && std::isfinite(topLeft.y())) {
        if (QPainter* painter = drawingPainter()) {
            const QFontMetricsF metrics(font());
            painter->setFont(font());
            painter->setPen(colorFromWord(foreColor_));
            penColor_ = -1;  // the next segment sets its own pen again
            painter->drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
            update();
        }
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

QImage PictureArea::image() const {
    endPainting();
    if (width() <= 0 || height() <= 0) return QImage();
    QImage shown(width(), height(), QImage::Format_RGB32);
    QPainter painter(&shown);
    composeOnto(painter);
    return shown;
}

void PictureArea::paintEvent(QPaintEvent*) {
    endPainting();
    QPainter painter(this);
    composeOnto(painter);
}

void PictureArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ensureBuffer();
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

QPainter* PictureArea::drawingPainter() {
    // A hidden widget hears of a resize only when it is shown, so the size
    // is compared here; the buffer follows it before the next stroke.
    if (painter_ && size() == bufferSize_) return painter_.get();
    ensureBuffer();
    if (drawing_.isNull()) return nullptr;
    painter_ = std::make_unique<QPainter>(&drawing_);
    if (!painter_->isActive()) {
        painter_.reset();
        return nullptr;
    }
    penColor_ = -1;
    return painter_.get();
}

void PictureArea::endPainting() const {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

// The back buffer follows the area's size and the screen's pixel ratio;
// what is drawn survives a resize, anchored at the top-left corner.
void PictureArea::ensureBuffer() {
    const qreal ratio = devicePixelRatioF();
    const QSize wanted = (QSizeF(size()) * ratio).toSize();
    bufferSize_ = size();
    if (wanted.isEmpty()) {
        endPainting();
        drawing_ = QImage();
        return;
    }
    if (drawing_.size() == wanted && drawing_.devicePixelRatio() == ratio) return;
    endPainting();
    QImage buffer(wanted, QImage::Format_ARGB32_Premultiplied);
    if (buffer.isNull()) {
        drawing_ = QImage();
        return;
    }
    buffer.setDevicePixelRatio(ratio);
    buffer.fill(Qt::transparent);
    if (!drawing_.isNull()) {
        QPainter copy(&buffer);
        copy.setCompositionMode(QPainter::CompositionMode_Source);
        copy.drawImage(QPointF(0, 0), drawing_);
    }
    drawing_ = std::move(buffer);
}

void PictureArea::wipeDrawing() {
    endPainting();
    if (!drawing_.isNull()) drawing_.fill(Qt::transparent);
    update();
}

void PictureArea::composeOnto(QPainter& painter) const {
    painter.fillRect(QRect(0, 0, width(), height()), colorFromWord(backColor_));
    if (!picture_.isNull()) painter.drawImage(QPointF(0, 0), picture_);
    if (!drawing_.isNull()) painter.drawImage(QPointF(0, 0), drawing_);
}

}  // namespace plotdesk::toolkit

#include "toolkit/picture_area.h"

#include "toolkit/color_word.h"
#include "toolkit/mouse_buttons.h"
#include "toolkit/twips.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace plotdesk::toolkit {

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    leftTwips_ = pixelsToTwipsX(x());
    topTwips_ = pixelsToTwipsY(y());
    own_.adoptPixelSize(size());
    own_.setFont(font());
    own_.setDpi(logicalDpiY());
    listenTo(own_);
}

PictureArea::~PictureArea() {
    if (canvas_ != &own_) canvas_->setChangeListener({});
}

void PictureArea::showCanvas(PictureCanvas& canvas) {
    if (canvas_ != &own_) canvas_->setChangeListener({});
    canvas_ = &canvas;
    listenTo(canvas);
    resize(canvas.size());
    canvasChanged(PictureCanvas::Change::Redrawn);
}

void PictureArea::listenTo(PictureCanvas& canvas) {
    shownReplay_ = std::make_unique<DrawingReplay>(canvas.record());
    canvas.setChangeListener([this](PictureCanvas::Change change) { canvasChanged(change); });
}

// The area's own canvas follows the widget when its parent lays it out; a
// shown canvas keeps its size and the widget follows it.
PictureCanvas& PictureArea::canvas() const {
    if (canvas_ == &own_ && own_.size() != size()) const_cast<PictureCanvas&>(own_).adoptPixelSize(size());
    return *canvas_;
}

// The stored twips are returned as long as the widget still sits where they
// put it; after an outside move the pixel geometry is the truth.
double PictureArea::leftTwips() const { return twipsToPixelsX(leftTwips_) == x() ? leftTwips_ : pixelsToTwipsX(x()); }

double PictureArea::topTwips() const { return twipsToPixelsY(topTwips_) == y() ? topTwips_ : pixelsToTwipsY(y()); }

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

// New steps schedule one repaint for any number of them; a wipe or a new
// look draws the screen's picture anew; a new size resizes the widget.
void PictureArea::canvasChanged(PictureCanvas::Change change) {
    switch (change) {
        case PictureCanvas::Change::Resized: resize(canvas_->size()); break;
        case PictureCanvas::Change::Redrawn: shownStale_ = true; break;
        case PictureCanvas::Change::Drawn: break;
    }
    if (updatePending_) return;
    updatePending_ = true;
    update();
}

void PictureArea::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && canvas_ == &own_) own_.setFont(font());
    QWidget::changeEvent(event);
}

void PictureArea::paintEvent(QPaintEvent*) {
    updatePending_ = false;
    bringShownUpToDate();
    QPainter painter(this);
    if (shown_.isNull())
        painter.fillRect(rect(), colorFromWord(canvas().backColor()));
    else
        painter.drawImage(QPointF(0, 0), shown_);
}

// The screen's picture gets the steps recorded since the last paint; it is
// drawn anew from the whole list when the size, the pixel ratio, the
// background or the look has changed.
void PictureArea::bringShownUpToDate() {
    const PictureCanvas& shown = canvas();
    const qreal ratio = devicePixelRatio();
    const QSize pixels = (QSizeF(shown.size()) * ratio).toSize();
    if (pixels.isEmpty()) {
        shown_ = QImage();
        return;
    }
    const bool anew = shownStale_ || shown_.size() != pixels || shown_.devicePixelRatio() != ratio;
    if (anew) {
        shown_ = QImage(pixels, QImage::Format_RGB32);
        if (shown_.isNull()) return;
        shown_.setDevicePixelRatio(ratio);
        shownReplay_->restart();
        shownStale_ = false;
    }
    QPainter painter(&shown_);
    if (anew) shown.drawBackground(painter);
    shownReplay_->drawNew(painter, shown.smooth());
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

}  // namespace plotdesk::toolkit

#include "board/reading_marks.h"

#include "toolkit/picture_area.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <array>

namespace plotdesk {
namespace {

constexpr double kDotRadius = 3;
constexpr double kChosenRadius = 6;
constexpr double kLabelGap = 4;

}  // namespace

ReadingMarks::ReadingMarks(toolkit::PictureArea* picture) : QWidget(picture), picture_(picture) {
    setObjectName(QStringLiteral("readingMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(picture->rect());
    picture->installEventFilter(this);
    raise();
}

bool ReadingMarks::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picture_ && event->type() == QEvent::Resize) setGeometry(picture_->rect());
    return QWidget::eventFilter(watched, event);
}

void ReadingMarks::setMarks(std::vector<ReadingMark> marks) {
    marks_ = std::move(marks);
    chosen_.reset();
    update();
}

void ReadingMarks::setChosen(std::optional<int> index) {
    chosen_ = index;
    update();
}

void ReadingMarks::setTrace(std::optional<ReadingMark> marker, const QString& readout) {
    trace_ = std::move(marker);
    readout_ = readout;
    update();
}

// The picture draws a curve value y at the height labelled y: the scale's
// y grows downwards, so the point is (x, -y).
QPointF ReadingMarks::pixelOf(double x, double y) const { return picture_->toPixels(x, -y); }

void ReadingMarks::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font());
    std::vector<QRectF> taken;
    // Each label goes to the first of four places beside its dot that is
    // clear of the labels already placed; with none clear it is left out,
    // the dot staying.
    for (size_t i = 0; i < marks_.size(); ++i) {
        const ReadingMark& mark = marks_[i];
        const QPointF at = pixelOf(mark.x, mark.y);
        const bool chosen = chosen_ && *chosen_ == static_cast<int>(i);
        const double radius = chosen ? kChosenRadius : kDotRadius;
        painter.setPen(QPen(mark.colour, chosen ? 2 : 1));
        painter.setBrush(chosen ? Qt::NoBrush : QBrush(mark.colour));
        painter.drawEllipse(at, radius, radius);
        taken.push_back(QRectF(at.x() - radius, at.y() - radius, 2 * radius, 2 * radius));
    }
    for (size_t i = 0; i < marks_.size(); ++i) {
        const ReadingMark& mark = marks_[i];
        if (mark.label.isEmpty()) continue;
        const QPointF at = pixelOf(mark.x, mark.y);
        const QSizeF size = metrics.size(Qt::TextSingleLine, mark.label);
        const std::array<QPointF, 4> corners = {
            QPointF(at.x() + kLabelGap, at.y() - kLabelGap - size.height()),
            QPointF(at.x() + kLabelGap, at.y() + kLabelGap),
            QPointF(at.x() - kLabelGap - size.width(), at.y() - kLabelGap - size.height()),
            QPointF(at.x() - kLabelGap - size.width(), at.y() + kLabelGap),
        };
        for (const QPointF& corner : corners) {
            const QRectF place(corner, size);
            const bool clear =
                std::none_of(taken.begin(), taken.end(), [&](const QRectF& r) { return r.intersects(place); });
            if (!clear) continue;
            painter.setPen(mark.colour);
            painter.drawText(place, Qt::AlignLeft | Qt::AlignTop, mark.label);
            taken.push_back(place);
            break;
        }
    }
    if (trace_) {
        const QPointF at = pixelOf(trace_->x, trace_->y);
        painter.setPen(QPen(trace_->colour, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(at, kChosenRadius, kChosenRadius);
        painter.drawLine(at - QPointF(2 * kChosenRadius, 0), at - QPointF(kChosenRadius, 0));
        painter.drawLine(at + QPointF(kChosenRadius, 0), at + QPointF(2 * kChosenRadius, 0));
    }
    if (!readout_.isEmpty()) {
        // The read-out sits at the top left of the part of the picture seen.
        const QRect seen = visibleRegion().boundingRect();
        const QSizeF size = metrics.size(Qt::TextSingleLine, readout_) + QSizeF(8, 4);
        const QRectF box(QPointF(seen.left() + 4, seen.top() + 4), size);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 224, 230));
        painter.drawRect(box);
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, readout_);
    }
}

}  // namespace plotdesk

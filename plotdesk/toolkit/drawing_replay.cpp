#include "toolkit/drawing_replay.h"

#include "toolkit/color_word.h"

#include <QPaintEngine>
#include <QPolygonF>
#include <cmath>

namespace plotdesk::toolkit {
namespace {

// Wide pens get round ends, so that successive segments join smoothly.
// Round ends are costly to rasterise for a pen of two device pixels (a thin
// line on a high-DPI screen), where flat ends look the same; one-pixel pens
// take the rasteriser's fast path whatever their ends.
Qt::PenCapStyle capFor(double deviceWidth) { return deviceWidth > 1 && deviceWidth <= 2 ? Qt::FlatCap : Qt::RoundCap; }

bool drawsPixels(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    if (!engine) return true;
    const QPaintEngine::Type type = engine->type();
    return type == QPaintEngine::Raster || type == QPaintEngine::OpenGL2 || type == QPaintEngine::OpenGL;
}

// Device pixels to a logical pixel, through the painter's transform and the
// device's pixel ratio.
double deviceScale(const QPainter& painter) {
    return std::sqrt(std::abs(painter.worldTransform().determinant())) * painter.device()->devicePixelRatio();
}

// The recorded font, sized for the device so that it keeps its size in
// logical pixels, and drawn with grey-level edges on any background.
QFont fontFor(const TextStep& text, const QPaintDevice& device) {
    QFont font = text.font;
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoSubpixelAntialias));
    const int dpi = device.logicalDpiY();
    if (font.pixelSize() <= 0 && dpi > 0 && dpi != text.dpi) font.setPointSizeF(font.pointSizeF() * text.dpi / dpi);
    return font;
}

// A vertical or horizontal line of a whole number of device pixels, moved
// across itself so that its edges fall on pixel edges: anti-aliasing then
// has nothing to blend, and a thin grid line covers one column or row, not
// two half-tinted ones. Other lines, and lines under a turning or shearing
// transform, stay as they are.
QLineF alignedToPixels(const QLineF& line, const QTransform& toDevice, double deviceWidth) {
    const bool vertical = line.x1() == line.x2(), horizontal = line.y1() == line.y2();
    if (vertical == horizontal || toDevice.type() > QTransform::TxScale) return line;
    const double width = std::round(deviceWidth);
    if (width < 1 || std::fabs(width - deviceWidth) > 1e-9) return line;
    // A line of odd width is centred on a pixel's centre, of even width on an edge.
    const double offset = std::fmod(width, 2) == 1 ? 0.5 : 0;
    auto align = [offset](double device) { return std::floor(device - offset + 0.5) + offset; };
    const QPointF a = toDevice.map(line.p1());
    const QPointF moved = vertical ? QPointF(align(a.x()), a.y()) : QPointF(a.x(), align(a.y()));
    const QPointF shift = toDevice.inverted().map(moved) - line.p1();
    return line.translated(shift);
}

}  // namespace

struct DrawingReplay::Target {
    QPainter& painter;
    bool pixels;
    double deviceScale;
    bool smooth;
    bool penSet = false;
    Qt::PenJoinStyle join = Qt::MiterJoin;
};

void DrawingReplay::restart() {
    clears_ = record_.clears();
    drawnSteps_ = 0;
    drawnSegments_ = 0;
    mapping_ = ScaleMapping();
    pen_ = PenStep();
}

void DrawingReplay::drawNew(QPainter& painter, bool smooth) {
    if (clears_ != record_.clears()) restart();
    const std::vector<DrawingStep>& steps = record_.steps();
    Target target{painter, drawsPixels(painter), deviceScale(painter), smooth};
    painter.save();  // the caller's state, given back at the end
    painter.setRenderHint(QPainter::Antialiasing, smooth || !target.pixels);
    painter.setBrush(Qt::NoBrush);
    painter.save();  // replaced with each mapping's clip (useMappingClip)
    if (drawnSteps_ > 0) {
        useMappingClip(target);
        // The run drawn last may have grown since.
        if (const auto* run = std::get_if<SegmentRun>(&steps[drawnSteps_ - 1]))
            drawSegments(target, drawnSegments_, run->end);
    }
    for (std::size_t i = drawnSteps_; i < steps.size(); ++i)
        std::visit([&](const auto& step) { draw(target, step); }, steps[i]);
    drawnSteps_ = steps.size();
    drawnSegments_ = record_.segments().size();
    painter.restore();
    painter.restore();
}

// What lay outside the area when a step was drawn was never part of the
// picture; a later, larger area does not show it either.
void DrawingReplay::draw(Target& target, const ScaleMapping& mapping) {
    mapping_ = mapping;
    useMappingClip(target);
}

void DrawingReplay::useMappingClip(Target& target) {
    target.painter.restore();
    target.painter.save();
    target.painter.setClipRect(QRectF(0, 0, mapping_.pixelWidth, mapping_.pixelHeight), Qt::IntersectClip);
    target.penSet = false;
}

void DrawingReplay::draw(Target& target, const PenStep& pen) {
    pen_ = pen;
    target.penSet = false;
}

void DrawingReplay::draw(Target& target, const SegmentRun& run) { drawSegments(target, run.begin, run.end); }

void DrawingReplay::draw(Target& target, const BoxStep& box) {
    // Edges beyond the bounds are moved to the margin, out of sight; the
    // outline is one closed polygon so its corners are joined.
    const QPointF a = mapping_.toPixels(box.x1, box.y1), b = mapping_.toPixels(box.x2, box.y2);
    const QRectF visible = QRectF(a, b).normalized().intersected(strokeBounds(mapping_, pen_.width));
    if (visible.isEmpty()) return;
    if (box.filled) {
        target.painter.fillRect(QRectF(a, b).normalized(), colorFromWord(pen_.colorWord));
        return;
    }
    usePen(target, Qt::MiterJoin);
    target.painter.drawPolygon(QPolygonF(visible));
}

void DrawingReplay::draw(Target& target, const TextRef& ref) {
    const TextStep& text = record_.texts()[ref.index];
    const QPointF topLeft = mapping_.toPixels(text.x, text.y);
    target.painter.setFont(fontFor(text, *target.painter.device()));
    target.painter.setPen(colorFromWord(text.colorWord));
    target.penSet = false;
    target.painter.drawText(QPointF(topLeft.x(), topLeft.y() + text.ascent), text.text);
}

void DrawingReplay::drawSegments(Target& target, std::size_t begin, std::size_t end) {
    if (begin >= end) return;
    const std::vector<Segment>& segments = record_.segments();
    QPainter& painter = target.painter;
    if (target.pixels) {
        usePen(target, Qt::MiterJoin);
        const QTransform toDevice = painter.deviceTransform();
        const double deviceWidth = pen_.width * target.deviceScale;
        for (std::size_t i = begin; i < end; ++i) {
            const Segment& s = segments[i];
            const QLineF line(mapping_.toPixels(s.x1, s.y1), mapping_.toPixels(s.x2, s.y2));
            painter.drawLine(target.smooth ? alignedToPixels(line, toDevice, deviceWidth) : line);
        }
        return;
    }
    // A curve arrives as segments that each end where the previous one
    // started (or started where it ended); they are strung into one
    // polyline for as long as they keep joining.
    usePen(target, Qt::RoundJoin);
    QPolygonF chain;
    for (std::size_t i = begin; i < end; ++i) {
        const Segment& s = segments[i];
        const QPointF a = mapping_.toPixels(s.x1, s.y1), b = mapping_.toPixels(s.x2, s.y2);
        const bool joinsBack = !chain.isEmpty() && (a == chain.back() || b == chain.back());
        if (!joinsBack && chain.size() == 2 && (a == chain.front() || b == chain.front()))
            std::swap(chain[0], chain[1]);
        if (!chain.isEmpty() && a == chain.back()) {
            chain << b;
        } else if (!chain.isEmpty() && b == chain.back()) {
            chain << a;
        } else {
            if (!chain.isEmpty()) painter.drawPolyline(chain);
            chain = QPolygonF{a, b};
        }
    }
    painter.drawPolyline(chain);
}

void DrawingReplay::usePen(Target& target, Qt::PenJoinStyle join) {
    if (target.penSet && target.join == join) return;
    const Qt::PenCapStyle cap = target.pixels ? capFor(pen_.width * target.deviceScale) : Qt::RoundCap;
    target.painter.setPen(QPen(colorFromWord(pen_.colorWord), pen_.width, Qt::SolidLine, cap, join));
    target.penSet = true;
    target.join = join;
}

}  // namespace plotdesk::toolkit

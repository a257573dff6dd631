#pragma once
// What a picture area has drawn since it was last wiped, kept as a list of
// drawing steps in scale units, so that it can be drawn again at another
// size, on another pixel ratio or onto another device.
//
// A step is drawn with the scale mapping and the pen recorded before it, so
// a later change of scale, size or pen leaves what was drawn earlier where
// and as it was. Segments, by far the most numerous steps, are kept apart as
// four doubles each, so a deeply zoomed view, whose whole width may be finer
// than a float's step at its coordinates, is drawn where it belongs; a run
// step stands for a stretch of them drawn one after the other with one pen,
// so recording a segment appends 32 bytes and allocates nothing beyond the
// vector's own growth.

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

namespace plotdesk::toolkit {

// How scale units met the area's logical pixels: the user scale, and the
// area's size in logical pixels.
struct ScaleMapping {
    double left = 0;
    double top = 0;
    double width = 1;
    double height = 1;
    int pixelWidth = 0;
    int pixelHeight = 0;

    QPointF toPixels(double x, double y) const {
        return QPointF(width != 0 ? (x - left) / width * pixelWidth : 0,
                       height != 0 ? (y - top) / height * pixelHeight : 0);
    }
    QPointF toScale(QPointF px) const {
        return QPointF(left + (pixelWidth != 0 ? px.x() / pixelWidth * width : 0),
                       top + (pixelHeight != 0 ? px.y() / pixelHeight * height : 0));
    }
    bool hasPixels() const { return pixelWidth > 0 && pixelHeight > 0; }
    bool operator==(const ScaleMapping&) const = default;
};

// Strokes are kept within the area widened by a margin and the pen width on
// every side: the ends of wide pens stay intact at the edges, and segments
// reaching far beyond the area are cut down before they are kept or drawn.
QRectF strokeBounds(const ScaleMapping& mapping, int penWidth);

// Lines and box outlines: a colour word and a width in logical pixels.
struct PenStep {
    int32_t colorWord = 0;
    int width = 1;
    bool operator==(const PenStep&) const = default;
};

struct Segment {
    double x1;
    double y1;
    double x2;
    double y2;
};

// Segments [begin, end) of the record's segment list.
struct SegmentRun {
    std::size_t begin;
    std::size_t end;
};

// A rectangle with corners (x1, y1) and (x2, y2): its outline, or the
// whole rectangle filled in the pen's colour.
struct BoxStep {
    double x1;
    double y1;
    double x2;
    double y2;
    bool filled = false;
};

// A text whose top-left corner is at (x, y); its baseline lies `ascent`
// logical pixels lower. The font is sized for a device of `dpi` dots per
// inch, so that it keeps its size in logical pixels on any other.
struct TextStep {
    double x;
    double y;
    double ascent;
    int32_t colorWord;
    int dpi;
    QString text;
    QFont font;
};

// Texts are kept apart, so that every step is a few plain numbers.
struct TextRef {
    std::size_t index;
};

using DrawingStep = std::variant<ScaleMapping, PenStep, SegmentRun, BoxStep, TextRef>;

class DrawingRecord {
public:
    // Forgets every step and gives their memory back.
    void clear();
    bool empty() const { return steps_.empty(); }
    // How often the record has been cleared: a reader that has gone part of
    // the way through it sees from this that it must start again.
    std::uint64_t clears() const { return clears_; }

    // The mapping and pen for the steps that follow; recorded only when they
    // differ from the ones in effect.
    void useMapping(const ScaleMapping& mapping);
    void usePen(const PenStep& pen);

    void addSegment(const Segment& segment) {
        SegmentRun* run = steps_.empty() ? nullptr : std::get_if<SegmentRun>(&steps_.back());
        if (run)
            ++run->end;
        else
            steps_.push_back(SegmentRun{segments_.size(), segments_.size() + 1});
        segments_.push_back(segment);
    }
    void addBox(const BoxStep& box) { steps_.emplace_back(box); }
    void addText(TextStep text) {
        steps_.emplace_back(TextRef{texts_.size()});
        texts_.push_back(std::move(text));
    }

    const std::vector<DrawingStep>& steps() const { return steps_; }
    const std::vector<Segment>& segments() const { return segments_; }
    const std::vector<TextStep>& texts() const { return texts_; }

    // The memory the record holds, in bytes (the lists' capacity and the
    // texts' characters).
    std::size_t bytes() const;

private:
    std::vector<DrawingStep> steps_;
    std::vector<Segment> segments_;
    std::vector<TextStep> texts_;
    ScaleMapping mapping_;
    PenStep pen_;
    bool hasMapping_ = false;
    bool hasPen_ = false;
    std::uint64_t clears_ = 0;
};

}  // namespace plotdesk::toolkit

#pragma once
// Draws a drawing record with a QPainter onto any paint device: the screen's
// back buffer at its pixel ratio, an image of any size, an SVG or a PDF
// file. Coordinates reach the painter in the area's logical pixels; the
// painter's own transform takes them on to the device.
//
// On pixel devices every segment is drawn on its own, exactly as it was
// recorded, so the pixels do not depend on how the drawing was divided
// between calls; lines are anti-aliased only when asked to be smooth. On
// vector devices connected segments of one pen become one polyline, and
// texts stay texts.

#include "toolkit/drawing_record.h"

#include <QPainter>
#include <cstddef>
#include <cstdint>

namespace plotdesk::toolkit {

class DrawingReplay {
public:
    explicit DrawingReplay(const DrawingRecord& record) : record_(record) {}

    // Draws the steps recorded since the last call: all of them at the first
    // call, after restart() and after the record was cleared.
    void drawNew(QPainter& painter, bool smooth);
    void restart();

private:
    struct Target;
    void draw(Target& target, const ScaleMapping& mapping);
    void draw(Target& target, const PenStep& pen);
    void draw(Target& target, const SegmentRun& run);
    void draw(Target& target, const BoxStep& box);
    void draw(Target& target, const TextRef& ref);
    void drawSegments(Target& target, std::size_t begin, std::size_t end);
    void usePen(Target& target, Qt::PenJoinStyle join);
    void useMappingClip(Target& target);

    const DrawingRecord& record_;
    std::uint64_t clears_ = 0;  // the record's clear count when drawing began
    std::size_t drawnSteps_ = 0;
    std::size_t drawnSegments_ = 0;
    ScaleMapping mapping_;
    PenStep pen_;
};

}  // namespace plotdesk::toolkit

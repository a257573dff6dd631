#include "toolkit/drawing_record.h"

namespace plotdesk::toolkit {
namespace {

constexpr double kStrokeMarginPixels = 64;

}  // namespace

QRectF strokeBounds(const ScaleMapping& mapping, int penWidth) {
    const double margin = kStrokeMarginPixels + penWidth;
    return QRectF(0, 0, mapping.pixelWidth, mapping.pixelHeight).adjusted(-margin, -margin, margin, margin);
}

void DrawingRecord::clear() {
    // Swapped with empty lists: clear() would keep the capacity.
    std::vector<DrawingStep>().swap(steps_);
    std::vector<Segment>().swap(segments_);
    std::vector<TextStep>().swap(texts_);
    hasMapping_ = false;
    hasPen_ = false;
    ++clears_;
}

void DrawingRecord::useMapping(const ScaleMapping& mapping) {
    if (hasMapping_ && mapping == mapping_) return;
    mapping_ = mapping;
    hasMapping_ = true;
    steps_.emplace_back(mapping);
}

void DrawingRecord::usePen(const PenStep& pen) {
    if (hasPen_ && pen == pen_) return;
    pen_ = pen;
    hasPen_ = true;
    steps_.emplace_back(pen);
}

std::size_t DrawingRecord::bytes() const {
    std::size_t total = steps_.capacity() * sizeof(DrawingStep) + segments_.capacity() * sizeof(Segment) +
                        texts_.capacity() * sizeof(TextStep);
    for (const TextStep& text : texts_) total += text.text.capacity() * sizeof(QChar);
    return total;
}

}  // namespace plotdesk::toolkit

#pragma once
// The board's two drawing requests with explicit inputs: one curve (its
// texts, the range its variable walks and the pen it is drawn with) and the
// axes (scale, tick spacing, style and colours). The board's handlers fill
// them from its fields and the settings; the export and view changes fill
// them directly.

#include "plotting/plot_rules.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace plotdesk {

struct CurveRequest {
    bool parametric = false;
    QString function;  // y = f(x), in the variable x
    QString xOfT;      // X(t) of a parametric curve
    QString yOfT;      // Y(t) of a parametric curve
    SamplingRange range;
    int32_t colour = 0;  // colour word of the curve
    int penWidth = 1;    // pixels
};

// An expression text and what the evaluator answered for it at a sample.
struct SampleAnswer {
    QString expression;
    QString answer;
};

// What one plot found.
struct PlotOutcome {
    int64_t points = 0;    // samples that gave a point
    int64_t segments = 0;  // segments drawn
    // The first answer that was not a number, with the expression as typed.
    std::optional<SampleAnswer> firstFailure;
};

struct AxesRequest {
    // The picture's scale: left edge, top edge, width and height in scale
    // units (y grows downwards and is labelled with its negated value).
    int32_t scaleLeft = 0;
    int32_t scaleTop = 0;
    int32_t scaleWidth = 0;
    int32_t scaleHeight = 0;
    // The distance between two ticks along x and along y.
    int32_t xSpacing = 0;
    int32_t ySpacing = 0;
    // Grid lines or tick marks; asked at every round of the axis loops, as
    // the board asks the settings dialog each time.
    std::function<bool()> gridStyle;
    int32_t gridColour = 0;  // grid lines, x ticks and (as fore colour) labels
};

}  // namespace plotdesk

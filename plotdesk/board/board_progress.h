#pragma once
// The board window's part in a long plot: the progress strip on the bottom
// bar, and the screen catching up with the drawing at a steady pace.

#include "board/board_model.h"

#include <cmath>

namespace plotdesk {

class mForm1;

class BoardProgress final : public PlotWatcher {
public:
    explicit BoardProgress(mForm1& board) : board_(board) {}

    void walkStarting(const SamplingRange& range) override;
    void sampleReached(double v) override;
    void catchUp(const std::string* yText) override;
    void walkEnded() override;

private:
    mForm1& board_;
    // A line goes on the strip for a sample only when the sample reaches a
    // new half device pixel of the strip: a long plot has many samples to a
    // pixel, and further lines there would cover the same pixels again.
    double left_ = 0;
    double halfPixelsPerUnit_ = 0;
    double lastPlace_ = 0;
    bool drawn_ = false;
};

}  // namespace plotdesk

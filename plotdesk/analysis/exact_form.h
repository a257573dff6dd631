#pragma once
// Simple exact values a point's x may have: a small fraction, a multiple of
// π/12, the square root of a small integer (or its half or third). Each is
// offered as the text the evaluator reads and as it is shown; whether a
// point really is at one is for the evaluator to confirm.

#include <string>
#include <vector>

namespace plotdesk::analysis {

struct ExactForm {
    std::string evaluatorText;  // "PI/4", "-SQR(3)/2", "1/3"
    std::string shown;          // "π/4", "-√3/2", "1/3"
    double value;
};

// The forms within `window` of x, simplest first. None for 0 or for values
// the decimal text already writes exactly (halves, fifths, whole numbers).
std::vector<ExactForm> exactFormsNear(double x, double window);

}  // namespace plotdesk::analysis

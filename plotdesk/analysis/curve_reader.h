#pragma once
// One function curve read through the evaluator exactly as the plot reads it:
// the value of x written as the plot writes it, put into the expression in
// brackets for every stand-alone x, and the text handed to the evaluator.
// Every answer is counted, so a search can keep to its budget.

#include "plotting/plot_rules.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plotdesk::analysis {

// The evaluator: an expression text in, the result text out.
using Evaluator = std::function<std::string(const std::string& text)>;

class CurveReader {
public:
    CurveReader(const QString& expression, Evaluator evaluator);

    // The evaluator's answer with `x` put in, as the plot puts it.
    std::string answerAt(double x);
    // The evaluator's answer with `xText` put in as it stands ("PI/4").
    std::string answerAtText(std::string_view xText);
    // The answer at `x` when it is a number (of any size: a value beyond
    // what the picture can draw still has its zeros and extrema).
    std::optional<double> valueAt(double x);

    // How many answers the evaluator gave so far.
    int64_t evaluations() const { return evaluations_; }

private:
    VariableTemplate template_;
    Evaluator evaluator_;
    NumberTextBuffer buffer_;
    int64_t evaluations_ = 0;
};

// The text the plot substitutes for x ("-100", "0.5", "1E-20").
std::string substitutedText(double x);
// x as the evaluator writes a number (".5", "-100", "1E-20"): how a key
// point's x is shown beside its y.
std::string evaluatorText(double x);

}  // namespace plotdesk::analysis

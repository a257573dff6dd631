#pragma once
// The arithmetic of one plot, free of widgets: the curve colour cycle, the
// substitution of a sample value into an expression, which evaluator results
// make points, when two points are joined, and the sampling range.

#include "calculator/number_text.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace plotdesk {

// The colour cycle held by the board's hidden list List1, as colour words in
// decimal text. Entry 0 is never picked: the cycle runs 1..10, then 1 again.
inline constexpr std::array<const char*, 11> kCurveColourEntries = {
    "15886349", "7619771", "656156",   "14412325", "1901819", "3537668",
    "5913560",  "11716",   "13386291", "15886349", "7619771",
};

// The colour index after `index` in a list of `entryCount` entries.
int16_t nextColourIndex(int16_t index, int entryCount);

// text(v): a loop value as it is substituted into the expression, in the
// general number format: "-100", "0.5", "-1.38777878078145E-16", "1.5E+20".
// It is written into `buffer` without allocating: the plot writes one per
// sample.
using NumberTextBuffer = ombra::number_text::TextBuffer;
std::string_view variantText(double value, NumberTextBuffer& buffer);

// An expression with its variable cut out, ready to take one sample value
// after another. Only a lower-case `letter` that stands alone, with no
// letter on either side, is the variable, and the value goes in brackets:
// for x, "x^2" becomes "(-3)^2" while the x of "exp" or "fix" stays. The
// texts are UTF-8, as the evaluator takes them; each call to with() reuses
// the template's own text, so a plot allocates nothing per sample.
class VariableTemplate {
public:
    VariableTemplate(const QString& expression, QChar letter);
    // The expression with `valueText` in place of the variable; valid until
    // the next call.
    const std::string& with(std::string_view valueText);

private:
    std::vector<std::string> pieces_;  // the text around the variable: occurrences + 1
    std::string text_;
};

// The value of an evaluator result when it makes a point: a number within
// the single-precision range. "ERROR#11", "True", "" and 1E+300 do not.
std::optional<double> curveCoordinate(std::string_view resultText);

// A fall or rise this large between neighbouring samples is a pole: the two
// points are left unjoined.
inline constexpr double kPoleJump = 1000;
bool joinsPrevious(double previousY, double y);

// The sampling of the plotting variable: from start towards end by step,
// end included when reached.
struct SamplingRange {
    double start = 0;
    double end = 0;
    double step = 0;

    // Whether the loop value `v` still lies in the range.
    bool contains(double v) const { return step >= 0 ? v <= end : v >= end; }
    // The loop value after `v` (repeated addition, so rounding accumulates as
    // it does for any running sum); nullopt when the step is too small to
    // move `v` at all (1E+20 + 1 is 1E+20), which ends the loop.
    std::optional<double> after(double v) const;
    // The number of samples the loop will take, ignoring rounding.
    double expectedSamples() const;

    // Calls `visit` with each loop value in turn: from start, by repeated
    // addition of the step, while the value lies in the range and the step
    // still moves it.
    template <class Visit>
    void forEachValue(Visit&& visit) const {
        for (double v = start; contains(v);) {
            visit(v);
            const std::optional<double> next = after(v);
            if (!next) break;
            v = *next;
        }
    }
};

inline constexpr double kMaximumSamples = 1'000'000;

// The range typed into the board's start, end and step fields, or the
// reason (shown in the board's title) why it cannot be plotted.
std::variant<SamplingRange, QString> readSamplingRange(const QString& start, const QString& end, const QString& step);

}  // namespace plotdesk

#pragma once
// Turning typed input into the evaluator's internal form and shaping the
// reduced text into the result: the steps of Calculate around the reduction.

#include <cstdint>
#include <string>
#include <string_view>

namespace ombra::normalise {

// Removes blanks (U+0020 and U+3000), upper-cases, maps the full-width
// characters the evaluator knows to half-width, and cuts a comment that
// starts at the first apostrophe.
void cleanInput(std::string& text);

// True when the input mentions NOT, TRUE or FALSE anywhere.
bool mentionsTruthWords(std::string_view text);

// True when the cleaned input consists of nothing but the evaluator's words,
// numbers and operator characters.
bool usesOnlyKnownWords(std::string_view text);

// Rewrites checked input into the internal form (marks, function codes,
// constants, exponents).
void rewriteToInternalForm(std::string& text);

// The per-call state the result shaping reads.
struct Outcome {
    int16_t errorFlag;
    int16_t errorNumber;
    int16_t logicalResult;
};

// Makes the result text out of what the reduction left in `text`.
void shapeResult(std::string& text, const Outcome& outcome);

}  // namespace ombra::normalise

#pragma once
// Answering a call from a plan: the shape of the cleaned input is looked up
// in the plan cache (and compiled on first sight), and its plan is run on the
// input's numbers.

#include <cstdint>
#include <string>

namespace ombra::plans {

// `text` is a cleaned input that got no early answer. When a plan answers,
// `text` becomes the result text and `logicalResult` what the rewriting would
// leave there, and the answer is true. Otherwise nothing has changed and the
// rewriting answers: shapes without a plan, failures, and every error.
bool answerByPlan(std::string& text, int16_t& logicalResult);

}  // namespace ombra::plans

#pragma once
// Compiling a shape into a plan: the rewriting's stages are followed on a
// symbolic text in which every value is a single byte, so that the operations
// they would perform, and their order, are written down instead of computed.

#include <memory>
#include <string_view>

#include "plan.h"
#include "plan_shape.h"

namespace ombra::plans {

// The plan for the shape of `text` (a cleaned input), or none when the shape
// is outside what a plan reproduces exactly: the input is refused, the
// reduction fails whatever the numbers are, or the text takes forms whose
// reading the plan does not follow.
std::shared_ptr<const Plan> compilePlan(std::string_view text, const Shape& shape);

}  // namespace ombra::plans

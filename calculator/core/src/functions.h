#pragma once
// The evaluator's functions: the row of a name the internal form holds in
// front of "(" (a short name such as "SIN" or a code "F01".."F21"), and the
// value of a row's function at x. Failures are NumberFailure with the
// numbers of the number layer.

#include <string>
#include <string_view>

namespace ombra::functions {

struct FunctionRow;

// The row of `name`; null when `name` is no function's name or code.
const FunctionRow* rowNamed(std::string_view name);

// The row's formula at x; a double value beyond the double range fails
// with 6.
double value(const FunctionRow& row, double x);

// That value as text in the row's form: a double with 15 significant
// digits, SGN as a 16-bit integer, RND as a single-precision number with 7.
std::string valueText(const FunctionRow& row, double x);

}  // namespace ombra::functions

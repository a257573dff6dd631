#pragma once
// The evaluator's functions: the value of one named function (a short name
// such as "SIN" or a code "F01".."F21") at x, written as number text.
// Failures are NumberFailure with the numbers of the number layer.

#include <optional>
#include <string>
#include <string_view>

namespace ombra::functions {

// True when `name` is one of the function names and codes.
bool isFunctionName(std::string_view name);

// The text of name(x): a double with 15 significant digits, SGN as a 16-bit
// integer, RND as a single-precision number with 7 significant digits.
// `name` must satisfy isFunctionName.
std::string valueText(std::string_view name, double x);

// The double value of the functions whose value is a double (every function
// but SGN and RND); nullopt for those two and for unknown names.
std::optional<double> doubleValue(std::string_view name, double x);

}  // namespace ombra::functions

#pragma once
// The evaluator's functions: the value of one named function (a short name
// such as "SIN" or a code "F01".."F21") at x, written as number text.
// Failures are NumberFailure with the numbers of the number layer.

#include <string>
#include <string_view>

namespace ombra::functions {

// The text of name(x): a double with 15 significant digits, SGN as a 16-bit
// integer, RND as a single-precision number with 7 significant digits.
// A name the layer does not know fails with NumberFailure 13, like a value
// that is not a number.
std::string valueText(std::string_view name, double x);

// How a value is written: a double with 15 significant digits, a 16-bit
// integer, or a single-precision number with 7.
enum class ValueForm { kDouble, kInteger, kSingle };

// The number valueText writes, and the form it writes it in.
struct Value {
    double number;
    ValueForm form;
};
Value value(std::string_view name, double x);

}  // namespace ombra::functions

#pragma once
// Numbers and their texts, for the evaluator and for the plotter's settings
// and board: one layout rule for writing, one grammar for reading, one
// rounding to integers. Every text uses "." as the decimal point, whatever
// the process locale.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ombra::number_text {

// How a number is written: rounded to `digits` significant digits, trailing
// zeros and a bare point dropped; the exponent form (the digits with a point
// after the first, "E", the sign, at least two exponent digits: 1E-05,
// 1.5E+20) for magnitudes below 1E-04 and from 1E+`exponentFrom` up, plain
// positional form otherwise.
struct Layout {
    int digits;
    int exponentFrom;
    bool blankForNonNegative;  // " 5" rather than "5"
    bool zeroBeforePoint;      // "0.5" rather than ".5"
};

// The evaluator's number-to-text rule, for doubles and for single-precision
// values: " 5", "-2", " .5", " 1E+15".
inline constexpr Layout kEvaluatorDouble{15, 15, true, false};
inline constexpr Layout kEvaluatorSingle{7, 15, true, false};
// The platform's general number format, for doubles and for single-precision
// values: "5", "-2", "0.5", "1E+15"; a single switches to the exponent form
// from 1E+07 up.
inline constexpr Layout kGeneralDouble{15, 15, false, true};
inline constexpr Layout kGeneralSingle{7, 7, false, true};

// `value` as `layout` writes it; zero of either sign as "0", a value that is
// not finite as "NaN", "Inf" or "-Inf".
std::string write(double value, const Layout& layout);
// Room for any text that write() makes.
inline constexpr size_t kLongestNumberText = 32;
using TextBuffer = std::array<char, kLongestNumberText>;
// The same text written into `buffer`, without allocating: for callers that
// write one per sample.
std::string_view write(double value, const Layout& layout, TextBuffer& buffer);
// The digits of `value`, "-" before a negative one.
std::string writeInteger(int64_t value, bool blankForNonNegative);

// The exponent letter a text may use: the evaluator's texts use "E" only.
enum class ExponentLetter { CapitalOnly, Either };

// Length of the longest leading part of `text` that is a decimal number: an
// optional sign, digits with at most one point (at least one digit), then
// optionally the exponent letter, an optional sign and digits.
size_t numberLength(std::string_view text, ExponentLetter letter);

// The value of a number text that numberLength takes in full: 0 (with its
// sign) when it is too small to hold, nullopt when it is beyond the double
// range.
std::optional<double> valueOf(std::string_view number);

// The value of `text` when the whole of it is such a number, with either
// exponent letter and no blanks; nullopt otherwise or beyond the double range.
std::optional<double> readDouble(std::string_view text);

// The nearest integer of the type, a half going to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2); nullopt outside the type's range.
std::optional<int32_t> nearestInt32(double value);
std::optional<int16_t> nearestInt16(double value);

}  // namespace ombra::number_text

#pragma once
// The evaluator's number layer: conversions between numbers and their texts,
// and arithmetic that reports a numbered failure instead of producing an
// infinity or a NaN. It knows nothing of the expression text it serves.
// All texts use "." as the decimal point, whatever the process locale.

#include <cstdint>
#include <string>
#include <string_view>

#include "calculator/error_numbers.h"

namespace ombra::numbers {

// The run-time failure numbers these routines raise.
using FailureNumber = errors::Number;
using errors::kDivisionByZero;
using errors::kInvalidArgument;
using errors::kOverflow;
using errors::kTypeMismatch;

// Thrown by every routine below; the reduction stages catch it.
struct NumberFailure {
    int number;
};

// A double rounded to 15 significant digits: " 5", "-2", " .5", " 1E+15",
// " 1.5E-07". Non-negative values (negative zero too) get a leading blank.
std::string numberText(double value);
// What numberText(value) reads back as, as strictToDouble reads it: the value
// rounded to 15 significant digits, found without laying the text out.
// Failure 6 when the rounded value is beyond the double range.
double throughNumberText(double value);
// A single-precision value with at most 7 significant digits, same layout.
std::string singleText(float value);
// An integer as its digits, with a leading blank when not negative.
std::string integerText(int64_t value);

// Whole text (blanks around it allowed) as one decimal number; failure 13 when
// it is not one, failure 6 when its magnitude is beyond the double range.
double strictToDouble(std::string_view text);
// Optional sign, digits with at most one point (at least one digit), then
// optionally "E", an optional sign and digits. The empty text fails.
bool isNumeric(std::string_view text);
// isNumeric and within the double range.
bool readsAsNumber(std::string_view text);
// The value of the longest leading part that is a number; 0 when none.
// Failure 6 when that number is beyond the double range.
double leadingNumber(std::string_view text);

// Nearest 32-bit integer, ties to even; failure 6 outside the 32-bit range.
int32_t roundToInt32(double value);

// Checked arithmetic: failure 11 for a non-zero value divided by zero,
// failure 6 for overflow and for invalid operations such as 0 / 0.
double add(double left, double right);
double subtract(double left, double right);
double multiply(double left, double right);
double divide(double left, double right);

// base ^ exponent. Failure 5 for a negative base with a fractional exponent,
// failure 6 for a result beyond the double range. Zero to a negative power is
// 1 / 0 and therefore failure 11, like any other division by zero.
double power(double base, double exponent);

// Integer quotient truncated toward zero and the remainder with the sign of
// the dividend; failure 11 for a divisor of 0, failure 6 for a quotient that
// does not fit in 32 bits.
int32_t integerQuotient(int32_t dividend, int32_t divisor);
int32_t integerRemainder(int32_t dividend, int32_t divisor);

}  // namespace ombra::numbers

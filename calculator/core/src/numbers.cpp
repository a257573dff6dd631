#include "numbers.h"

#include <cmath>
#include <limits>

#include "calculator/number_text.h"
#include "decimal_digits.h"

namespace ombra::numbers {
namespace {

using number_text::ExponentLetter;

double valueOrOverflow(std::string_view number) {
    const std::optional<double> value = number_text::valueOf(number);
    if (!value) throw NumberFailure{kOverflow};
    return *value;
}

// Integers below this magnitude have at most 15 digits, all of them written.
constexpr double kFirstIntegerBeyondFifteenDigits = 1e15;

double checked(double result) {
    if (!std::isfinite(result)) throw NumberFailure{kOverflow};
    return result;
}

}  // namespace

std::string numberText(double value) { return number_text::write(value, number_text::kEvaluatorDouble); }

std::string singleText(float value) { return number_text::write(value, number_text::kEvaluatorSingle); }

std::string integerText(int64_t value) { return number_text::writeInteger(value, true); }

double throughNumberText(double value) {
    if (value == 0) return 0;  // written " 0", whatever its sign
    if (std::fabs(value) < kFirstIntegerBeyondFifteenDigits && value == std::trunc(value)) return value;
    if (const std::optional<number_text::FifteenDigits> rounded = number_text::roundToFifteenDigits(std::fabs(value)))
        return value < 0 ? -number_text::doubleOf(*rounded) : number_text::doubleOf(*rounded);
    // Beyond the ordinary range, for exact ties and for values that are not
    // finite: the text itself, read back.
    return strictToDouble(numberText(value));
}

double strictToDouble(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!isNumeric(text)) throw NumberFailure{kTypeMismatch};
    return valueOrOverflow(text);
}

bool isNumeric(std::string_view text) {
    return !text.empty() && number_text::numberLength(text, ExponentLetter::CapitalOnly) == text.size();
}

bool readsAsNumber(std::string_view text) { return isNumeric(text) && number_text::valueOf(text).has_value(); }

double leadingNumber(std::string_view text) {
    const size_t length = number_text::numberLength(text, ExponentLetter::CapitalOnly);
    return length == 0 ? 0.0 : valueOrOverflow(text.substr(0, length));
}

int32_t roundToInt32(double value) {
    const std::optional<int32_t> nearest = number_text::nearestInt32(value);
    if (!nearest) throw NumberFailure{kOverflow};
    return *nearest;
}

double add(double left, double right) { return checked(left + right); }

double subtract(double left, double right) { return checked(left - right); }

double multiply(double left, double right) { return checked(left * right); }

double divide(double left, double right) {
    if (right == 0) throw NumberFailure{left == 0 || std::isnan(left) ? kOverflow : kDivisionByZero};
    return checked(left / right);
}

double power(double base, double exponent) {
    if (base == 0 && exponent < 0) throw NumberFailure{kDivisionByZero};
    if (base < 0 && std::isfinite(exponent) && exponent != std::trunc(exponent)) throw NumberFailure{kInvalidArgument};
    return checked(std::pow(base, exponent));
}

int32_t integerQuotient(int32_t dividend, int32_t divisor) {
    if (divisor == 0) throw NumberFailure{kDivisionByZero};
    if (dividend == std::numeric_limits<int32_t>::min() && divisor == -1) throw NumberFailure{kOverflow};
    return dividend / divisor;
}

int32_t integerRemainder(int32_t dividend, int32_t divisor) {
    if (divisor == 0) throw NumberFailure{kDivisionByZero};
    if (divisor == -1) return 0;  // also for the smallest dividend, whose quotient overflows
    return dividend % divisor;
}

}  // namespace ombra::numbers

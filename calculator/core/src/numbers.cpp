#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

#include "decimal_digits.h"

namespace ombra::numbers {
namespace {

constexpr int kDoubleDigits = 15;
constexpr int kSingleDigits = 7;
// Plain positional form for rounded magnitudes from 1E-04 up to below 1E+15.
constexpr int kSmallestPlainExponent = -4;
constexpr int kFirstExponentFormExponent = 15;
constexpr int kMinimumExponentDigits = 2;
// Integers below this magnitude have at most 15 digits.
constexpr double kFirstPlainMagnitudeOutOfReach = 1e15;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest leading part of `text` that forms a decimal number
// (optional sign, digits with at most one point, optional exponent).
size_t numberLength(std::string_view text) {
    size_t k = 0;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
    size_t digits = 0;
    while (k < text.size() && isDigit(text[k])) ++k, ++digits;
    if (k < text.size() && text[k] == '.') {
        ++k;
        while (k < text.size() && isDigit(text[k])) ++k, ++digits;
    }
    if (digits == 0) return 0;
    const size_t mantissaEnd = k;
    if (k < text.size() && text[k] == 'E') {
        ++k;
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
        size_t exponentDigits = 0;
        while (k < text.size() && isDigit(text[k])) ++k, ++exponentDigits;
        if (exponentDigits == 0) return mantissaEnd;
    }
    return k;
}

// Decimal exponent of the leading significant digit of a number text that
// std::from_chars found out of range; tells overflow from underflow.
long long leadingDigitExponent(std::string_view number) {
    const size_t exponentAt = number.find('E');
    const std::string_view mantissa = number.substr(0, exponentAt);
    const size_t pointAt = mantissa.find('.');
    // Exponent of the digit being read, starting with the first one.
    long long position = static_cast<long long>(pointAt == std::string_view::npos ? mantissa.size() : pointAt) - 1;
    bool found = false;
    for (char c : mantissa) {
        if (c == '.') continue;
        if (c != '0') {
            found = true;
            break;
        }
        --position;
    }
    if (!found) return std::numeric_limits<long long>::min();  // all zeros
    long long exponent = 0;
    if (exponentAt != std::string_view::npos) {
        std::string_view digits = number.substr(exponentAt + 1);
        const bool negative = !digits.empty() && digits[0] == '-';
        if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) digits.remove_prefix(1);
        constexpr long long kFarBeyondAnyDouble = 1'000'000'000;
        for (char c : digits) {
            exponent = exponent * 10 + (c - '0');
            if (exponent > kFarBeyondAnyDouble) break;
        }
        if (negative) exponent = -exponent;
    }
    return position + exponent;
}

// Converts a text that numberLength accepted in full.
double convertNumber(std::string_view number) {
    bool negative = false;
    if (number[0] == '+' || number[0] == '-') {
        negative = number[0] == '-';
        number.remove_prefix(1);
    }
    double value = 0;
    auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        if (leadingDigitExponent(number) > 0) throw NumberFailure{kOverflow};
        value = 0;
    } else if (error != std::errc() || end != number.data() + number.size()) {
        throw NumberFailure{kTypeMismatch};
    }
    if (!std::isfinite(value)) throw NumberFailure{kOverflow};
    return negative ? -value : value;
}

// Lays out a magnitude already rounded by std::to_chars into the scientific
// form d.ddd...e±x: trailing zeros dropped, plain positional form inside the
// plain exponent range, otherwise d.ddd E±xx; `negative` gives the "-" sign.
std::string layOut(std::string_view scientific, bool negative) {
    const size_t e = scientific.find('e');
    std::string significant;
    significant.push_back(scientific[0]);
    if (e > 2) significant.append(scientific.substr(2, e - 2));
    while (significant.size() > 1 && significant.back() == '0') significant.pop_back();
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+'), scientific.data() + scientific.size(),
                    exponent);

    std::string text(1, negative ? '-' : ' ');
    if (exponent >= kSmallestPlainExponent && exponent < kFirstExponentFormExponent) {
        if (exponent >= 0) {
            const size_t integerDigits = static_cast<size_t>(exponent) + 1;
            if (significant.size() <= integerDigits) {
                text.append(significant);
                text.append(integerDigits - significant.size(), '0');
            } else {
                text.append(significant, 0, integerDigits);
                text.push_back('.');
                text.append(significant, integerDigits, std::string::npos);
            }
        } else {
            text.push_back('.');
            text.append(static_cast<size_t>(-exponent - 1), '0');
            text.append(significant);
        }
        return text;
    }
    text.push_back(significant[0]);
    if (significant.size() > 1) {
        text.push_back('.');
        text.append(significant, 1, std::string::npos);
    }
    text.push_back('E');
    text.push_back(exponent < 0 ? '-' : '+');
    std::string exponentDigits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (exponentDigits.size() < kMinimumExponentDigits)
        text.append(kMinimumExponentDigits - exponentDigits.size(), '0');
    text.append(exponentDigits);
    return text;
}

// Rounded digits in the scientific form to_chars writes, d.dddddddddddddde+XX.
std::string_view scientificText(const FifteenDigits& rounded, char* buffer) {
    uint64_t digits = rounded.digits;
    int exponent = kDoubleDigits - 1 - rounded.scale;
    if (digits == kCarriedDigits) {
        digits /= 10;
        ++exponent;
    }
    char* at = buffer;
    for (int k = kDoubleDigits; k >= 2; --k) {
        at[k] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    at[0] = static_cast<char>('0' + digits);
    at[1] = '.';
    at += kDoubleDigits + 1;
    *at++ = 'e';
    *at++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    *at++ = static_cast<char>('0' + magnitude / 10);
    *at++ = static_cast<char>('0' + magnitude % 10);
    return std::string_view(buffer, static_cast<size_t>(at - buffer));
}

template <class Floating>
std::string significantText(Floating value, int digits) {
    if (value == 0 || !std::isfinite(value)) return " 0";
    char buffer[64];
    if (digits == kDoubleDigits) {
        if (const std::optional<FifteenDigits> rounded = roundToFifteenDigits(std::fabs(value)))
            return layOut(scientificText(*rounded, buffer), value < 0);
    }
    auto rounded =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, digits - 1);
    return layOut(std::string_view(buffer, static_cast<size_t>(rounded.ptr - buffer)), value < 0);
}

double checked(double result) {
    if (!std::isfinite(result)) throw NumberFailure{kOverflow};
    return result;
}

}  // namespace

std::string numberText(double value) { return significantText(value, kDoubleDigits); }

double throughNumberText(double value) {
    if (value == 0 || !std::isfinite(value)) return 0;  // written " 0"
    // An integer of up to 15 digits is written with all of them.
    if (std::fabs(value) < kFirstPlainMagnitudeOutOfReach && value == std::trunc(value)) return value;
    if (const std::optional<FifteenDigits> rounded = roundToFifteenDigits(std::fabs(value))) {
        return value < 0 ? -valueOf(*rounded) : valueOf(*rounded);
    }
    // The digits numberText lays out, read as they come.
    char buffer[64];
    char* end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific,
                              kDoubleDigits - 1)
                    .ptr;
    std::replace(buffer, end, 'e', 'E');
    const double magnitude = convertNumber(std::string_view(buffer, static_cast<size_t>(end - buffer)));
    return value < 0 ? -magnitude : magnitude;
}

std::string singleText(float value) { return significantText(value, kSingleDigits); }

std::string integerText(int64_t value) {
    std::string text = value < 0 ? std::string() : std::string(1, ' ');
    text.append(std::to_string(value));
    return text;
}

double strictToDouble(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty() || numberLength(text) != text.size()) throw NumberFailure{kTypeMismatch};
    return convertNumber(text);
}

bool isNumeric(std::string_view text) { return !text.empty() && numberLength(text) == text.size(); }

bool readsAsNumber(std::string_view text) {
    if (!isNumeric(text)) return false;
    try {
        convertNumber(text);
        return true;
    } catch (const NumberFailure&) {
        return false;
    }
}

double leadingNumber(std::string_view text) {
    const size_t length = numberLength(text);
    return length == 0 ? 0.0 : convertNumber(text.substr(0, length));
}

int32_t roundToInt32(double value) {
    double nearest = std::floor(value);
    const double fraction = value - nearest;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(nearest, 2.0) != 0)) nearest += 1;
    if (!(nearest >= std::numeric_limits<int32_t>::min() && nearest <= std::numeric_limits<int32_t>::max()))
        throw NumberFailure{kOverflow};
    return static_cast<int32_t>(nearest);
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

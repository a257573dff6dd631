#include "calculator/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace ombra::number_text {
namespace {

constexpr int kSmallestPlainExponent = -4;
constexpr int kMinimumExponentDigits = 2;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal exponent of the leading significant digit of a number text that
// std::from_chars found out of range; tells overflow from underflow.
long long leadingDigitExponent(std::string_view number) {
    const size_t exponentAt = number.find_first_of("Ee");
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

// Lays out a magnitude that std::to_chars rounded into the scientific form
// d.ddd...e±x.
std::string layOut(std::string_view scientific, bool negative, const Layout& layout) {
    const size_t e = scientific.find('e');
    std::string significant;
    significant.push_back(scientific[0]);
    if (e > 2) significant.append(scientific.substr(2, e - 2));
    while (significant.size() > 1 && significant.back() == '0') significant.pop_back();
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+'), scientific.data() + scientific.size(),
                    exponent);

    std::string text;
    if (negative) {
        text.push_back('-');
    } else if (layout.blankForNonNegative) {
        text.push_back(' ');
    }
    if (exponent >= kSmallestPlainExponent && exponent < layout.exponentFrom) {
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
            if (layout.zeroBeforePoint) text.push_back('0');
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

template <class Int>
std::optional<Int> nearestInteger(double value) {
    double nearest = std::floor(value);
    const double fraction = value - nearest;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(nearest, 2.0) != 0)) nearest += 1;
    if (!(nearest >= std::numeric_limits<Int>::min() && nearest <= std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(nearest);
}

}  // namespace

std::string write(double value, const Layout& layout) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
    if (value == 0) return layout.blankForNonNegative ? " 0" : "0";
    char buffer[64];
    const auto rounded = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific,
                                       layout.digits - 1);
    return layOut(std::string_view(buffer, static_cast<size_t>(rounded.ptr - buffer)), value < 0, layout);
}

std::string writeInteger(int64_t value, bool blankForNonNegative) {
    std::string text = value < 0 || !blankForNonNegative ? std::string() : std::string(1, ' ');
    text.append(std::to_string(value));
    return text;
}

size_t numberLength(std::string_view text, ExponentLetter letter) {
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
    if (k < text.size() && (text[k] == 'E' || (text[k] == 'e' && letter == ExponentLetter::kEither))) {
        ++k;
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
        size_t exponentDigits = 0;
        while (k < text.size() && isDigit(text[k])) ++k, ++exponentDigits;
        if (exponentDigits == 0) return mantissaEnd;
    }
    return k;
}

std::optional<double> valueOf(std::string_view number) {
    bool negative = false;
    if (number[0] == '+' || number[0] == '-') {
        negative = number[0] == '-';
        number.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        if (leadingDigitExponent(number) > 0) return std::nullopt;
        value = 0;
    } else if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<double> readDouble(std::string_view text) {
    if (text.empty() || numberLength(text, ExponentLetter::kEither) != text.size()) return std::nullopt;
    return valueOf(text);
}

std::optional<int32_t> nearestInt32(double value) { return nearestInteger<int32_t>(value); }

std::optional<int16_t> nearestInt16(double value) { return nearestInteger<int16_t>(value); }

}  // namespace ombra::number_text

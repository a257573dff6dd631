#include "calculator/number_text.h"

#include "decimal_digits.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
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

// Appends to a text buffer that is large enough for any number text.
class Appender {
public:
    explicit Appender(TextBuffer& buffer) : buffer_(buffer) {}
    void put(char c) { buffer_[size_++] = c; }
    void put(std::string_view text) {
        for (char c : text) put(c);
    }
    void repeat(char c, size_t count) {
        for (size_t k = 0; k < count; ++k) put(c);
    }
    std::string_view text() const { return std::string_view(buffer_.data(), size_); }

private:
    TextBuffer& buffer_;
    size_t size_ = 0;
};

// Lays out a magnitude that std::to_chars rounded into the scientific form
// d.ddd...e±x.
std::string_view layOut(std::string_view scientific, bool negative, const Layout& layout, TextBuffer& buffer) {
    const size_t e = scientific.find('e');
    char digits[kLongestNumberText];
    size_t digitCount = 0;
    digits[digitCount++] = scientific[0];
    for (size_t k = 2; k < e; ++k) digits[digitCount++] = scientific[k];
    while (digitCount > 1 && digits[digitCount - 1] == '0') --digitCount;
    const std::string_view significant(digits, digitCount);
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+'), scientific.data() + scientific.size(),
                    exponent);

    Appender text(buffer);
    if (negative) {
        text.put('-');
    } else if (layout.blankForNonNegative) {
        text.put(' ');
    }
    if (exponent >= kSmallestPlainExponent && exponent < layout.exponentFrom) {
        if (exponent >= 0) {
            const size_t integerDigits = static_cast<size_t>(exponent) + 1;
            if (significant.size() <= integerDigits) {
                text.put(significant);
                text.repeat('0', integerDigits - significant.size());
            } else {
                text.put(significant.substr(0, integerDigits));
                text.put('.');
                text.put(significant.substr(integerDigits));
            }
        } else {
            if (layout.zeroBeforePoint) text.put('0');
            text.put('.');
            text.repeat('0', static_cast<size_t>(-exponent - 1));
            text.put(significant);
        }
        return text.text();
    }
    text.put(significant[0]);
    if (significant.size() > 1) {
        text.put('.');
        text.put(significant.substr(1));
    }
    text.put('E');
    text.put(exponent < 0 ? '-' : '+');
    char exponentDigits[8];
    const char* exponentEnd =
        std::to_chars(exponentDigits, exponentDigits + sizeof exponentDigits, exponent < 0 ? -exponent : exponent).ptr;
    const auto written = static_cast<size_t>(exponentEnd - exponentDigits);
    if (written < kMinimumExponentDigits) text.repeat('0', kMinimumExponentDigits - written);
    text.put(std::string_view(exponentDigits, written));
    return text.text();
}

// Fifteen rounded digits in the scientific form std::to_chars writes,
// d.dddddddddddddde±XX, without formatting.
constexpr int kFifteen = 15;
std::string_view scientificText(const FifteenDigits& rounded, char* buffer) {
    uint64_t digits = rounded.digits;
    int exponent = kFifteen - 1 - rounded.scale;
    if (digits == kCarriedDigits) {
        digits /= 10;
        ++exponent;
    }
    char* at = buffer;
    for (int k = kFifteen; k >= 2; --k) {
        at[k] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    at[0] = static_cast<char>('0' + digits);
    at[1] = '.';
    at += kFifteen + 1;
    *at++ = 'e';
    *at++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    *at++ = static_cast<char>('0' + magnitude / 10);
    *at++ = static_cast<char>('0' + magnitude % 10);
    return std::string_view(buffer, static_cast<size_t>(at - buffer));
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

std::string_view write(double value, const Layout& layout, TextBuffer& buffer) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
    if (value == 0) return layout.blankForNonNegative ? " 0" : "0";
    char scientific[64];
    // Fifteen digits of an ordinary magnitude come from integer arithmetic;
    // everything else (and every exact tie) from formatting.
    if (layout.digits == kFifteen) {
        if (const std::optional<FifteenDigits> rounded = roundToFifteenDigits(std::fabs(value)))
            return layOut(scientificText(*rounded, scientific), value < 0, layout, buffer);
    }
    const auto rounded = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                       std::chars_format::scientific, layout.digits - 1);
    return layOut(std::string_view(scientific, static_cast<size_t>(rounded.ptr - scientific)), value < 0, layout,
                  buffer);
}

std::string write(double value, const Layout& layout) {
    TextBuffer buffer;
    return std::string(write(value, layout, buffer));
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
    if (k < text.size() && (text[k] == 'E' || (text[k] == 'e' && letter == ExponentLetter::Either))) {
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

namespace {

// A number of at most 15 significant digits whose decimal exponent lies
// within the exact powers of ten is read with one multiplication or
// division of two exact doubles, which rounds exactly as reading the whole
// text does; `std::nullopt` sends every other text to the full reading.
// The board reads one evaluator result per sample, and those all qualify.
std::optional<double> readShortNumber(std::string_view text) {
    constexpr int kMostDigits = 15;
    size_t k = 0;
    const bool negative = text[0] == '-';
    if (text[0] == '+' || text[0] == '-') ++k;
    uint64_t significand = 0;
    int digits = 0;    // significant digits taken into the significand
    int exponent = 0;  // decimal exponent of the significand's last digit
    bool anyDigit = false;
    bool point = false;
    for (; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!isDigit(c)) break;
        anyDigit = true;
        if (significand == 0 && c == '0') {
            if (point) --exponent;
            continue;
        }
        if (++digits > kMostDigits) return std::nullopt;
        significand = significand * 10 + static_cast<uint64_t>(c - '0');
        if (point) --exponent;
    }
    if (!anyDigit) return std::nullopt;
    if (k < text.size()) {
        if (text[k] != 'E' && text[k] != 'e') return std::nullopt;
        ++k;
        const bool negativeExponent = k < text.size() && text[k] == '-';
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
        if (k == text.size()) return std::nullopt;
        int written = 0;
        for (; k < text.size(); ++k) {
            if (!isDigit(text[k]) || written > 1000) return std::nullopt;
            written = written * 10 + (text[k] - '0');
        }
        exponent += negativeExponent ? -written : written;
    }
    if (exponent < -kLargestExactPowerOfTen || exponent > kLargestExactPowerOfTen) return std::nullopt;
    const double whole = static_cast<double>(significand);
    const double value = exponent >= 0 ? whole * kExactPowersOfTen[static_cast<size_t>(exponent)]
                                       : whole / kExactPowersOfTen[static_cast<size_t>(-exponent)];
    return negative ? -value : value;
}

}  // namespace

std::optional<double> readDouble(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (const std::optional<double> value = readShortNumber(text)) return value;
    if (numberLength(text, ExponentLetter::Either) != text.size()) return std::nullopt;
    return valueOf(text);
}

std::optional<int32_t> nearestInt32(double value) { return nearestInteger<int32_t>(value); }

std::optional<int16_t> nearestInt16(double value) { return nearestInteger<int16_t>(value); }

}  // namespace ombra::number_text

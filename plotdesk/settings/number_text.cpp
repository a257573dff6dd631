#include "settings/number_text.h"

#include <QByteArray>

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace plotdesk {
namespace {

// Blanks, sign, digits with an optional fraction, optional exponent: the
// number part of `text` without blanks and without a leading "+", or empty
// when the text is not such a number.
std::string numberPart(const QString& text) {
    const QByteArray latin = text.trimmed().toLatin1();
    std::string_view rest(latin.constData(), static_cast<size_t>(latin.size()));
    std::string number;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        if (rest.front() == '-') number += '-';
        rest.remove_prefix(1);
    }
    const auto digitsAt = [&rest](size_t from) {
        size_t end = from;
        while (end < rest.size() && rest[end] >= '0' && rest[end] <= '9') ++end;
        return end - from;
    };
    size_t at = digitsAt(0);
    size_t mantissaDigits = at;
    if (at < rest.size() && rest[at] == '.') {
        const size_t fraction = digitsAt(at + 1);
        mantissaDigits += fraction;
        at += 1 + fraction;
    }
    if (mantissaDigits == 0) return {};
    if (at < rest.size() && (rest[at] == 'e' || rest[at] == 'E')) {
        size_t exponentAt = at + 1;
        if (exponentAt < rest.size() && (rest[exponentAt] == '+' || rest[exponentAt] == '-')) ++exponentAt;
        const size_t exponentDigits = digitsAt(exponentAt);
        if (exponentDigits == 0) return {};
        at = exponentAt + exponentDigits;
    }
    if (at != rest.size()) return {};
    number.append(rest);
    return number;
}

// Whether a number text as numberPart() writes it lies below 1 in
// magnitude: the power of ten of its first significant digit, plus its
// exponent, is negative. It tells a value too small to hold from one too
// large, whichever way the digits and the exponent pull.
bool belowOne(std::string_view number) {
    if (!number.empty() && number.front() == '-') number.remove_prefix(1);
    const size_t ePos = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, ePos);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return true;
    const int64_t place =
        first < point ? static_cast<int64_t>(point - first - 1) : -static_cast<int64_t>(first - point);
    if (ePos == std::string_view::npos) return place < 0;
    std::string_view exponentText = number.substr(ePos + 1);
    const bool negativeExponent = exponentText.front() == '-';
    if (exponentText.front() == '+' || exponentText.front() == '-') exponentText.remove_prefix(1);
    int64_t magnitude = 0;
    const auto parsed = std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), magnitude);
    if (parsed.ec != std::errc()) return negativeExponent;
    return negativeExponent ? place < magnitude : place < -magnitude;
}

template <class Int>
std::optional<Int> toIntegerHalfEven(const QString& text) {
    const std::optional<double> value = toDouble(text);
    if (!value) return std::nullopt;
    // The default floating-point rounding mode takes halves to the even neighbour.
    const double rounded = std::nearbyint(*value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

// `value` with at most `digits` significant digits and no trailing zeros,
// written into `buffer`; exponent form ("1E-05", "1.5E+20") below 0.0001 and
// from 10^digits up. Nothing is allocated: the plot writes one per sample.
std::string_view writeShortest(double value, int digits, NumberTextBuffer& buffer) {
    char* out = buffer.data();
    auto put = [&out](std::string_view text) {
        std::memcpy(out, text.data(), text.size());
        out += text.size();
    };
    auto written = [&buffer, &out] {
        return std::string_view(buffer.data(), static_cast<size_t>(out - buffer.data()));
    };
    if (!std::isfinite(value)) {
        put(std::isnan(value) ? "NaN" : value > 0 ? "Inf" : "-Inf");
        return written();
    }
    if (value == 0) {
        put("0");
        return written();
    }

    // to_chars writes "-d.ddde+XX" with "." whatever the process locale.
    char scientific[48];
    const char* const sciEnd =
        std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific, digits - 1).ptr;
    const char* ePos = std::find(static_cast<const char*>(scientific), sciEnd, 'e');
    const char* exponentAt = ePos + 1;
    const bool negativeExponent = *exponentAt == '-';
    if (*exponentAt == '+' || *exponentAt == '-') ++exponentAt;
    int exponent = 0;
    std::from_chars(exponentAt, sciEnd, exponent);
    if (negativeExponent) exponent = -exponent;

    char mantissa[24];
    size_t count = 0;
    for (const char* c = scientific; c != ePos; ++c)
        if (*c >= '0' && *c <= '9') mantissa[count++] = *c;
    while (count > 1 && mantissa[count - 1] == '0') --count;
    const std::string_view mantissaDigits(mantissa, count);

    if (value < 0) put("-");
    if (exponent < -4 || exponent >= digits) {
        put(mantissaDigits.substr(0, 1));
        if (count > 1) {
            put(".");
            put(mantissaDigits.substr(1));
        }
        put(exponent < 0 ? "E-" : "E+");
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) put("0");
        out = std::to_chars(out, buffer.data() + buffer.size(), magnitude).ptr;
    } else if (exponent < 0) {
        put("0.");
        put(std::string_view("0000").substr(0, static_cast<size_t>(-exponent - 1)));
        put(mantissaDigits);
    } else {
        const size_t integerDigits = static_cast<size_t>(exponent) + 1;
        if (count <= integerDigits) {
            put(mantissaDigits);
            for (size_t zeros = count; zeros < integerDigits; ++zeros) put("0");
        } else {
            put(mantissaDigits.substr(0, integerDigits));
            put(".");
            put(mantissaDigits.substr(integerDigits));
        }
    }
    return written();
}

QString shortestText(double value, int digits) {
    NumberTextBuffer buffer;
    const std::string_view text = writeShortest(value, digits, buffer);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::optional<double> toDouble(const QString& text) {
    const std::string number = numberPart(text);
    if (number.empty()) return std::nullopt;
    double value = 0;
    const auto parsed = std::from_chars(number.data(), number.data() + number.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Too small to hold reads as zero; too large is not a number we can use.
        return belowOne(number) ? std::optional<double>(0.0) : std::nullopt;
    }
    if (parsed.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<float> toSingle(const QString& text) {
    const std::optional<double> value = toDouble(text);
    if (!value || std::fabs(*value) > static_cast<double>(FLT_MAX)) return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<int32_t> toInt32HalfEven(const QString& text) { return toIntegerHalfEven<int32_t>(text); }

std::optional<int16_t> toInt16HalfEven(const QString& text) { return toIntegerHalfEven<int16_t>(text); }

QString integerText(int64_t value) { return QString::number(value); }

QString singleText(float value) { return shortestText(static_cast<double>(value), 7); }

QString generalNumberText(double value) { return shortestText(value, 15); }

QString variantText(double value) { return shortestText(value, 15); }

std::string_view variantText(double value, NumberTextBuffer& buffer) { return writeShortest(value, 15, buffer); }

}  // namespace plotdesk

#pragma once
// Number <-> text conversions shared by the settings, the board and the
// dialogs. All of them use "." as the decimal point whatever the locale.
//
// Accepted number text: surrounding blanks, an optional sign, digits with an
// optional fraction (".5" and "5." included) and an optional exponent
// ("1e3", "2.5E-2"). Anything else is not a number.

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace plotdesk {

// The nearest integer, a half going to the even neighbour (2.5 -> 2,
// 3.5 -> 4); nullopt when not a number or outside the type's range.
std::optional<int32_t> toInt32HalfEven(const QString& text);
std::optional<int16_t> toInt16HalfEven(const QString& text);

// nullopt when not a number or beyond the type's finite range.
std::optional<double> toDouble(const QString& text);
std::optional<float> toSingle(const QString& text);

// "-1000", "2000".
QString integerText(int64_t value);

// Up to 7 significant digits, no leading blank, no trailing zeros:
// "120", "-350.5".
QString singleText(float value);

// Up to 15 significant digits, no trailing zeros: "1000", "500.5".
QString generalNumberText(double value);

// The text of a loop value substituted into an expression: up to 15
// significant digits, "-" for negatives, "0.5" with a zero before the point,
// exponent form ("1E-20", "1.5E+20", "-1.38777878078145E-16") for non-zero
// magnitudes below 0.0001 and for magnitudes of 1E+15 or more.
QString variantText(double value);

// Room for any number text written below.
inline constexpr size_t kNumberTextCapacity = 32;
using NumberTextBuffer = std::array<char, kNumberTextCapacity>;
// The same text written into `buffer`, without allocating: the plot writes
// one for every sample.
std::string_view variantText(double value, NumberTextBuffer& buffer);

}  // namespace plotdesk

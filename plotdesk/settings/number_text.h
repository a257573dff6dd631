#pragma once
// The number texts of the settings, the board and the dialogs, as QString:
// the evaluator library's number-text unit (calculator/number_text.h) with
// the conversions to and from Qt's strings. All of them use "." as the
// decimal point whatever the locale.
//
// Accepted number text: surrounding white space, an optional sign, digits
// with an optional fraction (".5" and "5." included) and an optional exponent
// ("1e3", "2.5E-2"). Anything else is not a number.

#include <QString>
#include <cstdint>
#include <optional>

namespace plotdesk {

// The nearest integer, a half going to the even neighbour (2.5 -> 2,
// 3.5 -> 4); nullopt when not a number or outside the type's range.
std::optional<int32_t> toInt32HalfEven(const QString& text);
std::optional<int16_t> toInt16HalfEven(const QString& text);

// nullopt when not a number or beyond the type's finite range; a number too
// small to hold reads as 0.
std::optional<double> toDouble(const QString& text);
std::optional<float> toSingle(const QString& text);

// "-1000", "2000".
QString integerText(int64_t value);

// Up to 7 significant digits, no leading blank, no trailing zeros:
// "120", "-350.5"; exponent form below 0.0001 and from 1E+07 up.
QString singleText(float value);

// The platform's general number format: up to 15 significant digits, no
// trailing zeros, "0.5" with a zero before the point, exponent form ("1E-20",
// "1.5E+20") below 0.0001 and from 1E+15 up: "1000", "500.5".
QString generalNumberText(double value);

}  // namespace plotdesk

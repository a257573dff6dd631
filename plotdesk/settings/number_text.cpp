#include "settings/number_text.h"

#include <QLocale>
#include <QRegularExpression>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>

namespace plotdesk {
namespace {

// Blanks, sign, digits with an optional fraction, optional exponent.
const QRegularExpression& numberPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^[ \\t]*[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?[ \\t]*$"));
    return pattern;
}

template <class Int>
std::optional<Int> toIntegerHalfEven(const QString& text)
{
    const std::optional<double> value = toDouble(text);
    if (!value)
        return std::nullopt;
    // The default floating-point rounding mode takes halves to the even neighbour.
    const double rounded = std::nearbyint(*value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

// `value` with at most `digits` significant digits and no trailing zeros;
// exponent form ("1E-05", "1.5E+20") below 0.0001 and from 10^digits up.
QString shortestText(double value, int digits)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? QStringLiteral("NaN") : value > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");
    if (value == 0)
        return QStringLiteral("0");

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
    const QString scientific = QString::fromLatin1(buffer);
    const qsizetype ePos = scientific.indexOf(QLatin1Char('e'));
    QString mantissa = scientific.left(ePos);
    const int exponent = scientific.mid(ePos + 1).toInt();

    const bool negative = mantissa.startsWith(QLatin1Char('-'));
    QString mantissaDigits = mantissa;
    mantissaDigits.remove(QLatin1Char('-')).remove(QLatin1Char('.'));
    while (mantissaDigits.size() > 1 && mantissaDigits.endsWith(QLatin1Char('0')))
        mantissaDigits.chop(1);

    QString out = negative ? QStringLiteral("-") : QString();
    if (exponent < -4 || exponent >= digits) {
        out += mantissaDigits.left(1);
        if (mantissaDigits.size() > 1)
            out += QLatin1Char('.') + mantissaDigits.mid(1);
        out += QLatin1String(exponent < 0 ? "E-" : "E+") +
               QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    } else if (exponent < 0) {
        out += QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + mantissaDigits;
    } else {
        const qsizetype integerDigits = exponent + 1;
        if (mantissaDigits.size() <= integerDigits) {
            out += mantissaDigits + QString(integerDigits - mantissaDigits.size(), QLatin1Char('0'));
        } else {
            out += mantissaDigits.left(integerDigits) + QLatin1Char('.') + mantissaDigits.mid(integerDigits);
        }
    }
    return out;
}

}  // namespace

std::optional<double> toDouble(const QString& text)
{
    if (!numberPattern().match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    // The syntax is checked already: a refusal is an overflow (infinite
    // value) or an underflow (zero), and a value too small to hold is zero.
    if (!ok && value == 0)
        return 0.0;
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> toSingle(const QString& text)
{
    const std::optional<double> value = toDouble(text);
    if (!value || std::fabs(*value) > static_cast<double>(FLT_MAX))
        return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<int32_t> toInt32HalfEven(const QString& text)
{
    return toIntegerHalfEven<int32_t>(text);
}

std::optional<int16_t> toInt16HalfEven(const QString& text)
{
    return toIntegerHalfEven<int16_t>(text);
}

QString integerText(int64_t value)
{
    return QString::number(value);
}

QString singleText(float value)
{
    return shortestText(static_cast<double>(value), 7);
}

QString generalNumberText(double value)
{
    return shortestText(value, 15);
}

QString variantText(double value)
{
    return shortestText(value, 15);
}

}  // namespace plotdesk

#include "settings/number_text.h"

#include <QByteArray>

#include <cfloat>
#include <cmath>
#include <string>
#include <string_view>

#include "calculator/number_text.h"

namespace plotdesk {
namespace {

namespace unit = ombra::number_text;

QString fromUnit(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::optional<double> toDouble(const QString& text) {
    const QByteArray latin = text.trimmed().toLatin1();
    return unit::readDouble(std::string_view(latin.constData(), static_cast<size_t>(latin.size())));
}

std::optional<float> toSingle(const QString& text) {
    const std::optional<double> value = toDouble(text);
    if (!value || std::fabs(*value) > static_cast<double>(FLT_MAX)) return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<int32_t> toInt32HalfEven(const QString& text) {
    const std::optional<double> value = toDouble(text);
    return value ? unit::nearestInt32(*value) : std::nullopt;
}

std::optional<int16_t> toInt16HalfEven(const QString& text) {
    const std::optional<double> value = toDouble(text);
    return value ? unit::nearestInt16(*value) : std::nullopt;
}

QString integerText(int64_t value) { return fromUnit(unit::writeInteger(value, false)); }

QString singleText(float value) { return fromUnit(unit::write(value, unit::kGeneralSingle)); }

QString generalNumberText(double value) { return fromUnit(unit::write(value, unit::kGeneralDouble)); }

}  // namespace plotdesk

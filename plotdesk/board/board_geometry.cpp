#include "board/board_geometry.h"

#include "settings/number_text.h"

#include <cmath>

namespace plotdesk {

double centredEdge(double scaleStart, double scaleExtent, double pictureSize, double viewportSize) {
    const float start = static_cast<float>(scaleStart);
    const float extent = static_cast<float>(scaleExtent);
    const float size = static_cast<float>(pictureSize);
    const float viewport = static_cast<float>(viewportSize);
    return static_cast<float>(start / extent * size + viewport / 2);
}

MarkerBox verticalMarker(double p) { return {0, p - 30, 300, p + 30}; }

MarkerBox horizontalMarker(double p) { return {p - 20, 0, p + 20, 500}; }

QString pointerReadout(double x, double y) {
    // Adding 0 turns the -0 of -floor(0.5) into 0.
    const float shownX = std::floor(static_cast<float>(x)) + 0.0f;
    const float shownY = -std::floor(static_cast<float>(y)) + 0.0f;
    return QStringLiteral("当前坐标  (") + singleText(shownX) + QLatin1Char(',') + singleText(shownY) +
           QLatin1Char(')');
}

QString axisLabel(int64_t value) {
    const QString digits = integerText(value);
    return (value < 0 ? digits : QLatin1Char(' ') + digits) + QLatin1Char(' ');
}

}  // namespace plotdesk

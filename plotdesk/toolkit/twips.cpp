#include "toolkit/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace plotdesk::toolkit {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kFallbackTwipsPerPixel = 15.0;  // 96 dpi

double twipsPerPixel(double (QScreen::*logicalDpi)() const) {
    const QScreen* screen =
        qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
    const double dpi = screen ? (screen->*logicalDpi)() : 0.0;
    return dpi > 0 && std::isfinite(dpi) ? kTwipsPerInch / dpi : kFallbackTwipsPerPixel;
}

int roundedPixels(double twips, double perPixel) {
    const double px = std::round(twips / perPixel);
    if (!std::isfinite(px)) return 0;
    constexpr double limit = 1 << 30;
    return static_cast<int>(std::clamp(px, -limit, limit));
}

}  // namespace

double twipsPerPixelX() { return twipsPerPixel(&QScreen::logicalDotsPerInchX); }

double twipsPerPixelY() { return twipsPerPixel(&QScreen::logicalDotsPerInchY); }

int twipsToPixelsX(double twips) { return roundedPixels(twips, twipsPerPixelX()); }

int twipsToPixelsY(double twips) { return roundedPixels(twips, twipsPerPixelY()); }

double pixelsToTwipsX(double px) { return px * twipsPerPixelX(); }

double pixelsToTwipsY(double px) { return px * twipsPerPixelY(); }

}  // namespace plotdesk::toolkit

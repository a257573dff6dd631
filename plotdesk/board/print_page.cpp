#include "board/print_page.h"

#include "toolkit/picture_area.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace plotdesk {
namespace {

constexpr double kMmPerInch = 25.4;

QSizeF trueSize(double dotsPerInch, QSizeF units, double mmPerUnit) {
    return units * (mmPerUnit * dotsPerInch / kMmPerInch);
}

QRectF centredIn(QSizeF printable, QSizeF size) {
    return {QPointF((printable.width() - size.width()) / 2, (printable.height() - size.height()) / 2), size};
}

QSizeF pictureUnits(const toolkit::PictureArea& picture) {
    return {std::fabs(picture.scaleWidth()), std::fabs(picture.scaleHeight())};
}

}  // namespace

QRectF printedPictureRect(QSizeF printable, double dotsPerInch, QSizeF picturePixels, QSizeF units,
                          const PrintOptions& options) {
    if (options.trueScale) return centredIn(printable, trueSize(dotsPerInch, units, options.mmPerUnit));
    if (picturePixels.isEmpty()) return {};
    return centredIn(printable, picturePixels.scaled(printable, Qt::KeepAspectRatio));
}

double fittingMmPerUnit(QSizeF printable, double dotsPerInch, QSizeF units) {
    const QSizeF atOne = trueSize(dotsPerInch, units, 1);
    if (atOne.isEmpty()) return 1;
    const double fitting = std::min(printable.width() / atOne.width(), printable.height() / atOne.height());
    if (!(fitting >= kLeastMmPerUnit)) return kLeastMmPerUnit;
    const double most = std::min(fitting, kMostMmPerUnit);
    const double decade = std::pow(10.0, std::floor(std::log10(most)));
    for (const double multiple : std::array{5.0, 2.0})
        if (multiple * decade <= most) return multiple * decade;
    return decade;
}

void paintPrintPage(QPainter& painter, const toolkit::PictureArea& picture, QSizeF printable, double dotsPerInch,
                    const PrintOptions& options) {
    const QRectF place =
        printedPictureRect(printable, dotsPerInch, QSizeF(picture.size()), pictureUnits(picture), options);
    if (place.isEmpty()) return;
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), printable));
    painter.translate(place.topLeft());
    picture.renderPicture(painter, place.size());
    painter.restore();
}

}  // namespace plotdesk

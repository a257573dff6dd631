#include "board/picture_size.h"

#include "settings/setting_keys.h"
#include "toolkit/picture_canvas.h"
#include "toolkit/twips.h"

#include <QDebug>
#include <algorithm>
#include <cmath>

namespace plotdesk {
namespace {

constexpr double kBytesPerPixel = 4;

// The most logical pixels a picture may cover at this pixel ratio.
double pixelBudget(double pixelRatio) {
    const double ratio = std::max(1.0, pixelRatio);
    return double(kLargestPictureBytes) / kBytesPerPixel / (ratio * ratio);
}

// A stored side in twips, or the key's default when it gives no pixel.
double usableSideTwips(int32_t twips, double twipsPerPixel, const char* key) {
    return std::round(twips / twipsPerPixel) >= 1 ? twips : defaultText(key).toDouble();
}

bool fits(double width, double height, double pixelRatio) {
    const double side = toolkit::kLargestPictureSide;
    return width >= 1 && height >= 1 && width <= side && height <= side && width * height <= pixelBudget(pixelRatio);
}

struct BoardPictureSize {
    double widthTwips = 0;
    double heightTwips = 0;
    bool shrunk = false;  // the stored size needed too much memory
};

// The picture's size for a stored width and height in twips, on a screen
// with the given twips per logical pixel and pixel ratio.
BoardPictureSize boardPictureSize(int32_t widthTwips, int32_t heightTwips, double twipsPerPixelX, double twipsPerPixelY,
                                  double pixelRatio) {
    const double widthTwipsUsed = usableSideTwips(widthTwips, twipsPerPixelX, key::width);
    const double heightTwipsUsed = usableSideTwips(heightTwips, twipsPerPixelY, key::_heiht);
    const double width = std::round(widthTwipsUsed / twipsPerPixelX);
    const double height = std::round(heightTwipsUsed / twipsPerPixelY);
    if (fits(width, height, pixelRatio)) return {widthTwipsUsed, heightTwipsUsed, false};
    // Each side within the longest one first, then both shrunk alike until
    // the image fits in memory; whole pixels rounded down, so it stays within.
    const double side = toolkit::kLargestPictureSide;
    const double clampedWidth = std::min(width, side);
    const double clampedHeight = std::min(height, side);
    const double factor = std::min(1.0, std::sqrt(pixelBudget(pixelRatio) / (clampedWidth * clampedHeight)));
    const double shrunkWidth = std::max(1.0, std::floor(clampedWidth * factor));
    const double shrunkHeight = std::max(1.0, std::floor(clampedHeight * factor));
    return {shrunkWidth * twipsPerPixelX, shrunkHeight * twipsPerPixelY, true};
}

}  // namespace

bool pictureFits(QSize pixels, double pixelRatio) { return fits(pixels.width(), pixels.height(), pixelRatio); }

void sizeBoardPicture(toolkit::PictureCanvas& picture, int32_t widthTwips, int32_t heightTwips) {
    const BoardPictureSize size = boardPictureSize(widthTwips, heightTwips, toolkit::twipsPerPixelX(),
                                                   toolkit::twipsPerPixelY(), picture.devicePixelRatioF());
    picture.setSizeTwips(size.widthTwips, size.heightTwips);
    if (size.shrunk)
        qWarning().noquote() << QStringLiteral(
                                    "画板尺寸 %1×%2 缇太大（每边不超过 %3 像素，图片不超过 %4 MB），"
                                    "已缩小为 %5×%6 像素")
                                    .arg(widthTwips)
                                    .arg(heightTwips)
                                    .arg(toolkit::kLargestPictureSide)
                                    .arg(kLargestPictureBytes / (1024 * 1024))
                                    .arg(picture.width())
                                    .arg(picture.height());
}

}  // namespace plotdesk

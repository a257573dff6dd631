#pragma once
// How large the board picture may be. A stored width or height that gives
// no pixel (0 or 1 twip, a negative size) takes its key's default, and a
// picture too large for the picture area or for memory (its image needing
// more than kLargestPictureBytes) shrinks to the largest that fits. The
// window's layout and the export's --size share these rules.

#include <QSize>
#include <cstdint>

namespace plotdesk {
namespace toolkit {
class PictureCanvas;
}

inline constexpr int64_t kLargestPictureBytes = int64_t{256} * 1024 * 1024;

// Whether a picture of `pixels` (logical pixels, drawn at `pixelRatio`
// device pixels each way) can be made: every side at least one pixel and
// within the picture area's longest side, its image within the memory limit.
bool pictureFits(QSize pixels, double pixelRatio);

// Gives the board picture its size from a stored width and height in twips,
// on the current screen; a picture that had to shrink is noted on standard
// error.
void sizeBoardPicture(toolkit::PictureCanvas& picture, int32_t widthTwips, int32_t heightTwips);

}  // namespace plotdesk

#pragma once
// What the board shows, drawn at any size onto any device: an image for the
// clipboard, or a picture file in the format its name asks for.

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace plotdesk {
namespace toolkit {
class PictureCanvas;
}

// The board picture (background, axes, curves, labels) as an image of
// `pixels`.
QImage boardPictureImage(const toolkit::PictureCanvas& picture, QSize pixels);

// Writes the board picture at `pixels` to `file`, in the format its suffix
// names; a message naming the file and the reason when it cannot, and the
// file is then left as it was.
std::optional<QString> saveBoardPicture(const toolkit::PictureCanvas& picture, const QString& file, QSize pixels);

}  // namespace plotdesk

#pragma once
// What the board shows, drawn at any size onto any device: an image for the
// clipboard, or a picture file in the format its name asks for.

#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <optional>

class QPainter;

namespace plotdesk {
namespace toolkit {
class PictureArea;
}

// Draws the board picture (background, axes, curves, labels) so that it
// fills `target` from the painter's origin.
void drawBoardPicture(const toolkit::PictureArea& picture, QPainter& painter, const QSizeF& target);

// The board picture as an image of `pixels`.
QImage boardPictureImage(const toolkit::PictureArea& picture, QSize pixels);

// Writes the board picture at `pixels` to `file`, in the format its suffix
// names; a message naming the file and the reason when it cannot, and the
// file is then left as it was.
std::optional<QString> saveBoardPicture(const toolkit::PictureArea& picture, const QString& file, QSize pixels);

}  // namespace plotdesk

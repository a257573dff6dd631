#pragma once
// Writing a picture to a file in the format its name asks for: PNG, JPEG and
// BMP images, an SVG drawing or a one-page PDF. The picture is drawn by a
// callback onto the format's device at the size asked for, made in memory,
// and only then put in place of the file, so a failed write never spoils
// an old file (see atomic_file.h).

#include <QByteArray>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <functional>
#include <optional>

class QPainter;

namespace plotdesk::toolkit {

enum class PictureFormat { Png, Jpeg, Bmp, Svg, Pdf };

// The format a file name's suffix asks for, in any case; nullopt for others.
std::optional<PictureFormat> pictureFormatOf(const QString& path);

// The suffixes accepted, for messages: ".png、.jpg、.jpeg、.bmp、.svg 或 .pdf".
QString acceptedPictureSuffixes();

// Draws the picture so that it fills `target`, from the painter's origin.
using DrawPicture = std::function<void(QPainter& painter, const QSizeF& target)>;

// The file's contents: an image of `pixels`, an SVG drawing of that many
// CSS pixels (96 to the inch), or a PDF page of that many points. nullopt
// when the picture cannot be made (not enough memory for the image or the
// file's bytes).
std::optional<QByteArray> pictureBytes(PictureFormat format, QSize pixels, const DrawPicture& draw);

// Writes the picture to `path` in the format its suffix names. Nothing when
// the file now holds the picture; otherwise a message that names the file
// and says why, and the file is left as it was.
std::optional<QString> writePictureFile(const QString& path, QSize pixels, const DrawPicture& draw);

}  // namespace plotdesk::toolkit

#pragma once
// Reading a background picture without ever waiting on it: only a regular
// file of bounded size is read (see regular_file.h); anything else gives no
// picture and a note on standard error.

#include <QImage>
#include <QString>

namespace plotdesk::toolkit {

// The largest picture file read, in bytes.
inline constexpr qint64 kPictureFileLimit = 64 * 1024 * 1024;

// The picture in the file at `path` (turned as its own orientation tag says);
// a null image when the file is no regular file, is larger than
// kPictureFileLimit, cannot be read or holds no picture.
QImage readPictureFile(const QString& path);

}  // namespace plotdesk::toolkit

#pragma once
// Replacing a file's contents without ever leaving it half written.
//
// The new bytes go to a temporary file in the same folder; every write, the
// flush to the disk and the closing are checked, and only then does the
// temporary file take the old one's place, keeping its permissions. When
// anything fails (a full disk, a file-size limit, a folder that cannot be
// written) the old file stays exactly as it was and the temporary file is
// removed, also when the program is ended by a signal meanwhile. A path that
// names anything but a regular file (a device such as /dev/full, a FIFO, a
// folder) is refused, so it is never replaced. Symbolic links are followed
// to the file they finally name, which gets the bytes while the links stay;
// a loop of links is refused. The path's bytes are those of
// fileNameBytes (file_name_bytes.h).

#include <QByteArray>
#include <QString>
#include <optional>

namespace plotdesk::toolkit {

// Nothing when the file now holds `bytes`; otherwise why it could not be
// written, in Chinese, for a message that also names the file.
std::optional<QString> replaceFileContents(const QString& path, const QByteArray& bytes);

}  // namespace plotdesk::toolkit

#pragma once
// Reading a file's bytes without ever waiting on it: only a regular file of
// bounded size is read. A FIFO would block the program until some other
// process writes to it, and a device such as /dev/zero never ends, so
// anything but a regular file is turned away.

#include <QByteArray>
#include <QString>

#include <optional>

namespace plotdesk::toolkit {

struct RegularFileRead {
    bool exists = false;              // something (of any kind) is at the path
    std::optional<QByteArray> bytes;  // the contents, or nothing when not read
    QString problem;                  // why not, in Chinese, for a message
};

// The contents of the regular file at `path` when it holds at most `limit`
// bytes. The file is opened without waiting, so a FIFO is turned away at once.
RegularFileRead readRegularFile(const QString& path, qint64 limit);

}  // namespace plotdesk::toolkit

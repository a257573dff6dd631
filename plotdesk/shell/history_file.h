#pragma once
// Reading and saving the history files: one item per line, CR LF line ends,
// in the Chinese code page (see gbk_text.h).
//
// Every item keeps the bytes of the line it was read from, so an item the
// user did not touch is written back byte for byte, even when its line holds
// bytes the code page cannot decode. Saving checks whether the file changed
// on disk since it was read (another instance of the program saved in the
// meantime) and then merges instead of overwriting.

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace plotdesk {

struct HistoryItem {
    QString text;      // as shown in the list
    QByteArray bytes;  // the line in the file, without its line end
};

// What a history file held when it was read.
struct HistoryFile {
    QList<HistoryItem> items;
    QByteArray bytes;  // the whole file as read (empty when it did not exist)
};

// The line an item made in this session is written as; nothing when the
// system has no converter for the code page. A line break inside the text
// would split it into two items when read back, so it becomes a blank.
std::optional<QByteArray> historyLine(const QString& text);

// The file at `path`, one item per line, so an item holding commas or quotes
// comes back exactly as it was written, however long it is. LF-only line
// ends and a last line without its line end are read as well. A file that is
// missing or cannot be read (no regular file, such as a FIFO, which is never
// waited on; over 64 MB), or a system without a converter for the code page,
// gives no items.
HistoryFile readHistoryFile(const QString& path);

// Saves `lines` (the list as it stands, one line per item) to `path`. When
// the file at `path` exists and no longer holds what `base` was read from,
// another instance saved it meanwhile, and the saved list is that file's
// items in their order, less the items deleted here since `base`, followed
// by the items added here since `base`, in their order: nothing the other
// instance stored is lost, and nothing deleted here comes back. An item the
// other instance deleted stays deleted. Items are matched by their bytes,
// each occurrence on its own.
//
// The file is replaced whole and only when every byte reached the disk;
// otherwise it stays as it was, and the result says why. A file that exists
// but cannot be read is never replaced.
std::optional<QString> saveHistoryFile(const QString& path, const HistoryFile& base, const QList<QByteArray>& lines);

}  // namespace plotdesk

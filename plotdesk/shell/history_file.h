#pragma once
// Reading and writing the history files: one item per line, CR LF line
// ends, in the Chinese code page (see gbk_text.h).

#include <QString>
#include <QStringList>

namespace plotdesk {

// The items of the history file at `path`, one whole line each, so an item
// holding commas or quotes comes back exactly as it was written. LF-only
// line ends and a last line without its line end are read as well. A file
// that is missing or cannot be read gives no items.
QStringList readHistoryFile(const QString& path);

// Rewrites the file at `path` with `items`, each followed by CR LF (an empty
// list gives an empty file). The new contents go to a temporary file that is
// renamed over the old one only when complete, so a failure or a crash never
// leaves half a history. A line break inside an item would split it into two
// items when read back, so it is written as a blank. Returns false, with the
// old file untouched, when the file cannot be written; `error` then tells why.
bool writeHistoryFile(const QString& path, const QStringList& items, QString* error = nullptr);

}  // namespace plotdesk

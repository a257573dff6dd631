#pragma once
// Conversion between the program's text and the Chinese multi-byte code page
// the history files are kept in.
//
// The files are written as GB18030, the standard superset of GBK (code page
// 936): every character GBK can hold gets exactly its GBK bytes, and the few
// characters GBK has no code for (rare ideographs, emoji) still get a valid
// encoding instead of a '?' or a broken file. Reading decodes GB18030, so
// files written by older GBK-only versions read back unchanged.

#include <QByteArray>
#include <QString>

#include <optional>

namespace plotdesk {

// The bytes of `text` in the history files' code page; nothing when the
// system has no converter for it (the caller must then not write at all,
// or the file would lose its items).
std::optional<QByteArray> toHistoryCodePage(const QString& text);

// The text held by `bytes`. A byte sequence that is not valid in the code
// page becomes U+FFFD for that byte and decoding goes on with the next one,
// so a damaged file still gives back everything else it holds. Nothing when
// the system has no converter for the code page.
std::optional<QString> fromHistoryCodePage(const QByteArray& bytes);

}  // namespace plotdesk

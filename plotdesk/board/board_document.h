#pragma once
// A drawing kept as a document: the board's state written out as UTF-8 JSON
// text ("format": "curvolo", "version": 1), and read back strictly. The
// README describes the format field by field.
//
// Reading takes only a regular file of bounded size, valid UTF-8, valid
// JSON of this format and version, and values the board can draw; anything
// else gives a message in Chinese that names the file and what is wrong
// (for a syntax error, the line and column) and no drawing. Writing goes
// through the checked replacement, so a failed save keeps the old file.

#include "board/board_state.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>

namespace plotdesk {

// The format's name and the newest version this program reads and writes.
inline constexpr char kDocumentFormat[] = "curvolo";
inline constexpr int kDocumentVersion = 1;
// The suffix of a document's file name, without the dot.
inline constexpr char kDocumentSuffix[] = "curvolo";

// What a document may hold, in one place.
inline constexpr int64_t kLargestDocumentBytes = 4 * 1024 * 1024;
inline constexpr int kMostDocumentCurves = 1000;
inline constexpr int64_t kLongestDocumentText = 64 * 1024;  // characters, for each text

// Whether a file name ends in the document's suffix, in any case.
bool namesDocument(const QString& path);

// The document's text for `state`.
QByteArray documentBytes(const BoardState& state);

// The state a document's text describes, or what is wrong with it (without
// the file's name).
std::variant<BoardState, QString> parseDocument(const QByteArray& bytes);

// The state in the document at `path`, or a message naming the file and
// what is wrong.
std::variant<BoardState, QString> readDocument(const QString& path);

// Writes `state` as a document to `path`, replacing the file only once all
// of it is on the disk. Nothing when done; otherwise a message naming the
// file and why, the old file being kept.
std::optional<QString> writeDocument(const QString& path, const BoardState& state);

}  // namespace plotdesk

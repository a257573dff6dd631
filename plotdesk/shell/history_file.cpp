#include "shell/history_file.h"

#include "shell/gbk_text.h"
#include "toolkit/atomic_file.h"
#include "toolkit/regular_file.h"

#include <QHash>

namespace plotdesk {
namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// The largest history file read, in bytes: far beyond any list a person
// keeps, well within memory.
constexpr qint64 kHistoryFileLimit = 64 * 1024 * 1024;

QString singleLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype lineStart = 0;
    while (lineStart < bytes.size()) {
        qsizetype lineEnd = bytes.indexOf('\n', lineStart);
        const qsizetype next = lineEnd < 0 ? bytes.size() : lineEnd + 1;
        if (lineEnd < 0) lineEnd = bytes.size();
        qsizetype textEnd = lineEnd;
        if (textEnd > lineStart && bytes.at(textEnd - 1) == '\r') --textEnd;
        lines << bytes.mid(lineStart, textEnd - lineStart);
        lineStart = next;
    }
    return lines;
}

// `disk` with this session's deletions and additions since `base` applied
// (see saveHistoryFile).
QList<QByteArray> merged(const QList<QByteArray>& base, const QList<QByteArray>& ours, const QList<QByteArray>& disk) {
    QHash<QByteArray, int> unmatchedBase;
    for (const QByteArray& line : base) ++unmatchedBase[line];
    QList<QByteArray> added;
    for (const QByteArray& line : ours) {
        int& count = unmatchedBase[line];
        if (count > 0)
            --count;
        else
            added << line;
    }
    // What is left of the base was deleted here.
    QHash<QByteArray, int>& deleted = unmatchedBase;
    QList<QByteArray> result;
    for (const QByteArray& line : disk) {
        int& count = deleted[line];
        if (count > 0)
            --count;
        else
            result << line;
    }
    return result + added;
}

}  // namespace

std::optional<QByteArray> historyLine(const QString& text) { return toHistoryCodePage(singleLine(text)); }

HistoryFile readHistoryFile(const QString& path) {
    HistoryFile file;
    // Without a converter every item would read as nothing useful.
    if (!fromHistoryCodePage(QByteArray())) return file;
    file.bytes = toolkit::readRegularFile(path, kHistoryFileLimit).bytes.value_or(QByteArray());
    for (const QByteArray& line : linesOf(file.bytes))
        file.items << HistoryItem{fromHistoryCodePage(line).value_or(QString()), line};
    return file;
}

std::optional<QString> saveHistoryFile(const QString& path, const HistoryFile& base, const QList<QByteArray>& lines) {
    const toolkit::RegularFileRead disk = toolkit::readRegularFile(path, kHistoryFileLimit);
    // What cannot be read cannot be merged: it is left as it is.
    if (disk.exists && !disk.bytes) return disk.problem;
    QList<QByteArray> toWrite = lines;
    if (disk.bytes && *disk.bytes != base.bytes) {
        QList<QByteArray> baseLines;
        for (const HistoryItem& item : base.items) baseLines << item.bytes;
        toWrite = merged(baseLines, lines, linesOf(*disk.bytes));
    }
    QByteArray bytes;
    for (const QByteArray& line : toWrite) bytes += line + kLineEnd;
    return toolkit::replaceFileContents(path, bytes);
}

}  // namespace plotdesk

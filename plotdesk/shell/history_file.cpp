#include "shell/history_file.h"

#include "shell/gbk_text.h"

#include <QFile>
#include <QSaveFile>

namespace plotdesk {
namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

QString singleLine(QString item) {
    item.replace(QLatin1String("\r\n"), QLatin1String(" "));
    item.replace(QLatin1Char('\r'), QLatin1Char(' '));
    item.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return item;
}

}  // namespace

QStringList readHistoryFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    QStringList items;
    qsizetype lineStart = 0;
    while (lineStart < bytes.size()) {
        qsizetype lineEnd = bytes.indexOf('\n', lineStart);
        const qsizetype next = lineEnd < 0 ? bytes.size() : lineEnd + 1;
        if (lineEnd < 0) lineEnd = bytes.size();
        qsizetype textEnd = lineEnd;
        if (textEnd > lineStart && bytes.at(textEnd - 1) == '\r') --textEnd;
        const std::optional<QString> item = fromHistoryCodePage(bytes.mid(lineStart, textEnd - lineStart));
        if (!item) return {};
        items << *item;
        lineStart = next;
    }
    return items;
}

bool writeHistoryFile(const QString& path, const QStringList& items, QString* error) {
    // Without a converter every item would come out empty: keep the old file.
    if (!toHistoryCodePage(QString())) {
        if (error) *error = QStringLiteral("no converter for the history files' code page");
        return false;
    }
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    for (const QString& item : items) {
        if (!ok) break;
        ok = file.write(toHistoryCodePage(singleLine(item)).value_or(QByteArray()) + kLineEnd) >= 0;
    }
    // An unfinished file is never committed: dropping it leaves the old one.
    ok = ok && file.commit();
    if (!ok && error) *error = file.errorString();
    return ok;
}

}  // namespace plotdesk

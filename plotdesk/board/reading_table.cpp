#include "board/reading_table.h"

namespace plotdesk {

void TextTableModel::setTable(TextTable table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.header.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const QStringList& row = table_.rows[static_cast<size_t>(index.row())];
    return index.column() < row.size() ? row[index.column()] : QString();
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return section < table_.header.size() ? table_.header[section] : QString();
}

QString tabSeparatedText(const TextTable& table) {
    QString text = table.header.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const QStringList& row : table.rows) text += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

namespace {

QString csvField(const QString& field) {
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\n')) &&
        !field.contains(QLatin1Char('\r')))
        return field;
    QString quoted = field;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvLine(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields) quoted << csvField(field);
    return quoted.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

}  // namespace

QByteArray csvBytes(const TextTable& table) {
    QString text = csvLine(table.header);
    for (const QStringList& row : table.rows) text += csvLine(row);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

}  // namespace plotdesk

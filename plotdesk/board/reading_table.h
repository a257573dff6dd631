#pragma once
// The tables the reading of curves shows (key points, values at an x, a
// table of values): the rows as texts, as a model for a table view, as
// tab-separated text for the clipboard and as CSV for a spreadsheet.

#include <QAbstractTableModel>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace plotdesk {

struct TextTable {
    QStringList header;
    std::vector<QStringList> rows;
};

class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setTable(TextTable table);
    const TextTable& table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    TextTable table_;
};

// Header and rows, fields joined by tabs, lines ended by "\n": pastes into
// a spreadsheet.
QString tabSeparatedText(const TextTable& table);
// UTF-8 with a byte-order mark, so a spreadsheet reads the Chinese headers
// right; fields quoted where they hold a comma, a quote or a line break;
// lines ended by CR LF.
QByteArray csvBytes(const TextTable& table);

}  // namespace plotdesk

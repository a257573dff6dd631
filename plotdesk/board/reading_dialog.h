#pragma once
// A non-modal window listing what the reading of curves found: an optional
// row of inputs above, the table, a note line, and 复制 (tab-separated, for a
// spreadsheet), optionally 保存为 CSV…, and 关闭.

#include "board/reading_table.h"

#include <QDialog>
#include <optional>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableView;

namespace plotdesk {

class ReadingDialog : public QDialog {
    Q_OBJECT
public:
    ReadingDialog(QWidget* parent, const QString& title, bool savesCsv);

    // Where a caller puts its inputs, above the table.
    QHBoxLayout* inputs() const { return inputs_; }
    void setTable(TextTable table);
    const TextTable& table() const { return model_->table(); }
    void setNote(const QString& note);
    QString note() const;
    QTableView* view() const { return view_; }

    // The table's bytes as the CSV file holds them, written to `path`; the
    // reason when they could not be written.
    std::optional<QString> saveCsv(const QString& path) const;

signals:
    void rowChosen(int row);

private:
    void copyTable();
    void chooseCsvFile();

    QHBoxLayout* inputs_;
    TextTableModel* model_;
    QTableView* view_;
    QLabel* note_;
};

}  // namespace plotdesk

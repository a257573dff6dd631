#include "board/reading_dialog.h"

#include "toolkit/atomic_file.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace plotdesk {

ReadingDialog::ReadingDialog(QWidget* parent, const QString& title, bool savesCsv)
    : QDialog(parent),
      inputs_(new QHBoxLayout),
      model_(new TextTableModel(this)),
      view_(new QTableView(this)),
      note_(new QLabel(this)) {
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->horizontalHeader()->setStretchLastSection(true);
    note_->setWordWrap(true);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(view_, &QTableView::clicked, this, [this](const QModelIndex& index) { emit rowChosen(index.row()); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* copy = new QPushButton(QStringLiteral("复制"), this);
    copy->setObjectName(QStringLiteral("copy"));
    connect(copy, &QPushButton::clicked, this, &ReadingDialog::copyTable);
    buttons->addWidget(copy);
    if (savesCsv) {
        auto* save = new QPushButton(QStringLiteral("保存为 CSV…"), this);
        save->setObjectName(QStringLiteral("saveCsv"));
        connect(save, &QPushButton::clicked, this, &ReadingDialog::chooseCsvFile);
        buttons->addWidget(save);
    }
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs_);
    layout->addWidget(view_, 1);
    layout->addWidget(note_);
    layout->addLayout(buttons);
    resize(560, 380);
}

void ReadingDialog::setTable(TextTable table) {
    model_->setTable(std::move(table));
    view_->resizeColumnsToContents();
}

void ReadingDialog::setNote(const QString& note) {
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
}

QString ReadingDialog::note() const { return note_->text(); }

void ReadingDialog::copyTable() { QGuiApplication::clipboard()->setText(tabSeparatedText(model_->table())); }

std::optional<QString> ReadingDialog::saveCsv(const QString& path) const {
    return toolkit::replaceFileContents(path, csvBytes(model_->table()));
}

void ReadingDialog::chooseCsvFile() {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("保存为 CSV"), QStringLiteral("数值表.csv"),
                                                      QStringLiteral("CSV 文件 (*.csv)"));
    if (path.isEmpty()) return;
    if (const std::optional<QString> failure = saveCsv(path))
        setNote(*failure);
    else
        setNote(QStringLiteral("已保存到 %1").arg(path));
}

}  // namespace plotdesk

#include "board/curve_list.h"

#include "board/board_model.h"
#include "board/board_texts.h"
#include "toolkit/color_word.h"

#include <QBoxLayout>
#include <QColorDialog>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

namespace plotdesk {
namespace {

QString curveText(const CurveRequest& request) {
    if (request.parametric)
        return QString::fromUtf8(boardtext::kParametricXLabel).trimmed() + request.xOfT + QStringLiteral("，") +
               QString::fromUtf8(boardtext::kParametricYLabel).trimmed() + request.yOfT;
    return QString::fromUtf8(boardtext::kFunctionLabel).trimmed() + request.function;
}

}  // namespace

CurveList::CurveList(BoardModel& model, QWidget* parent) : QWidget(parent, Qt::Tool), model_(model) {
    setObjectName(QStringLiteral("curveList"));
    setWindowTitle(QString::fromUtf8(boardtext::kCurveList));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("curves"));
    auto* rows = new QVBoxLayout(this);
    rows->addWidget(list_, 1);
    auto* buttons = new QHBoxLayout;
    rows->addLayout(buttons);
    auto button = [&](const char* name, const char* caption, auto action) {
        auto* pressed = new QPushButton(QString::fromUtf8(caption), this);
        pressed->setObjectName(QString::fromLatin1(name));
        pressed->setAutoDefault(false);
        connect(pressed, &QPushButton::clicked, this, action);
        buttons->addWidget(pressed);
    };
    button("colour", "颜色…", [this] { chooseColour(); });
    button("remove", "删除", [this] {
        if (chosen() >= 0) model_.removeCurve(chosen());
    });
    button("plotAgain", "再画一次", [this] {
        if (chosen() >= 0) model_.plotAgain(chosen());
    });
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!filling_) model_.setCurveVisible(list_->row(item), item->checkState() == Qt::Checked);
    });
    connect(&model_, &BoardModel::drawingChanged, this, &CurveList::refill);
    refill();
    resize(360, 240);
}

// Each curve with a swatch of its colour and its check box.
void CurveList::refill() {
    const int row = list_->currentRow();
    filling_ = true;
    list_->clear();
    for (const BoardCurve& curve : model_.state().curves) {
        QPixmap swatch(16, 16);
        swatch.fill(toolkit::colorFromWord(curve.request.colour));
        auto* item = new QListWidgetItem(QIcon(swatch), curveText(curve.request), list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(curve.visible ? Qt::Checked : Qt::Unchecked);
    }
    list_->setCurrentRow(std::min(row, list_->count() - 1));
    filling_ = false;
}

int CurveList::chosen() const { return list_->currentRow(); }

void CurveList::chooseColour() {
    const int row = chosen();
    if (row < 0) return;
    const QColor colour =
        QColorDialog::getColor(toolkit::colorFromWord(model_.state().curves[static_cast<size_t>(row)].request.colour),
                               this, QString::fromUtf8("曲线颜色"));
    if (colour.isValid()) model_.setCurveColour(row, toolkit::colorWord(colour));
}

}  // namespace plotdesk

#include "board/print_preview.h"

#include "board/print_page.h"
#include "toolkit/picture_area.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRadioButton>
#include <QToolBar>
#include <cmath>
#include <optional>

namespace plotdesk {
namespace {

constexpr QSize kPreviewSize(1000, 720);

// The choice made in the last preview of this run, offered again.
std::optional<PrintOptions>& lastOptions() {
    static std::optional<PrintOptions> options;
    return options;
}

QSizeF printableSize(const QPrinter& printer) { return printer.pageRect(QPrinter::DevicePixel).size(); }

QSizeF pictureUnits(const toolkit::PictureArea& picture) {
    return {std::fabs(picture.scaleWidth()), std::fabs(picture.scaleHeight())};
}

// The fit or true-scale choice, in the preview's tool bar.
class ScaleChoice : public QWidget {
public:
    ScaleChoice(const PrintOptions& options, QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("printScale"));
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(6, 0, 6, 0);
        fitPage = new QRadioButton(QStringLiteral("适合页面"), this);
        fitPage->setObjectName(QStringLiteral("fitPage"));
        trueScale = new QRadioButton(QStringLiteral("实际比例："), this);
        trueScale->setObjectName(QStringLiteral("trueScale"));
        mmPerUnit = new QDoubleSpinBox(this);
        mmPerUnit->setObjectName(QStringLiteral("mmPerUnit"));
        mmPerUnit->setDecimals(3);
        mmPerUnit->setRange(kLeastMmPerUnit, kMostMmPerUnit);
        mmPerUnit->setSuffix(QStringLiteral(" 毫米/单位"));
        mmPerUnit->setToolTip(QStringLiteral("纸上多少毫米表示坐标的一个单位"));
        mmPerUnit->setValue(options.mmPerUnit);
        (options.trueScale ? trueScale : fitPage)->setChecked(true);
        mmPerUnit->setEnabled(options.trueScale);
        row->addWidget(fitPage);
        row->addWidget(trueScale);
        row->addWidget(mmPerUnit);
        connect(trueScale, &QRadioButton::toggled, mmPerUnit, &QWidget::setEnabled);
    }
    PrintOptions options() const { return {trueScale->isChecked(), mmPerUnit->value()}; }

    QRadioButton* fitPage;
    QRadioButton* trueScale;
    QDoubleSpinBox* mmPerUnit;
};

}  // namespace

void showPrintPreview(const toolkit::PictureArea& picture, QWidget* parent) {
    // The dialog's own printer lives as long as the dialog.
    auto* dialog = new QPrintPreviewDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QPrinter& printer = *dialog->printer();
    printer.setDocName(QStringLiteral("Curvolo"));
    printer.setPageOrientation(picture.width() > picture.height() ? QPageLayout::Landscape : QPageLayout::Portrait);

    PrintOptions initial = lastOptions().value_or(PrintOptions{});
    if (!lastOptions())
        initial.mmPerUnit = fittingMmPerUnit(printableSize(printer), printer.resolution(), pictureUnits(picture));
    auto* choice = new ScaleChoice(initial, dialog);
    if (auto* bar = dialog->findChild<QToolBar*>()) {
        bar->addSeparator();
        bar->addWidget(choice);
    }
    auto* preview = dialog->findChild<QPrintPreviewWidget*>();
    const auto changed = [choice, preview] {
        lastOptions() = choice->options();
        if (preview) preview->updatePreview();
    };
    QObject::connect(choice->fitPage, &QRadioButton::toggled, dialog, changed);
    QObject::connect(choice->mmPerUnit, &QDoubleSpinBox::valueChanged, dialog, changed);

    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog, [&picture, choice](QPrinter* device) {
        QPainter painter(device);
        paintPrintPage(painter, picture, printableSize(*device), device->resolution(), choice->options());
    });
    // Room for the page and the whole tool bar, scale choice included.
    dialog->resize(dialog->sizeHint().expandedTo(kPreviewSize));
    dialog->open();
}

}  // namespace plotdesk

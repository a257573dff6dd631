#include "calculator/CalculatorFace.h"

#include <QAction>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>

#include "calculator/About.h"
#include "face_pictures.h"

namespace ombra {
namespace {
constexpr double kTwipsPerInch = 1440;
}  // namespace

CalculatorFace::CalculatorFace(QWidget* parent) : QWidget(parent) {
    setToolTip(QStringLiteral("Calculator"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* aboutAction = new QAction(QStringLiteral("关于..."), this);
    connect(aboutAction, &QAction::triggered, this, [this] { showAbout(); });
    addAction(aboutAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    UserControl_Initialize();
}

// The About page goes with the control it belongs to.
CalculatorFace::~CalculatorFace() { delete about_.data(); }

QSize CalculatorFace::sizeHint() const { return {sidePixels(), sidePixels()}; }

int CalculatorFace::sidePixels() const {
    const double twipsPerPixel = kTwipsPerInch / logicalDpiX();
    return static_cast<int>(std::lround(kSideTwips / twipsPerPixel));
}

void CalculatorFace::UserControl_Initialize() {
    const int side = sidePixels();
    resize(side, side);
}

void CalculatorFace::UserControl_Resize() {
    const int side = sidePixels();
    if (size() != QSize(side, side)) resize(side, side);
}

About* CalculatorFace::showAbout() {
    if (about_.isNull()) {
        about_ = new About();
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
    return about_.data();
}

void CalculatorFace::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    pictures::drawCalculatorGlyph(painter, QRectF(rect()));
}

void CalculatorFace::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

void CalculatorFace::mouseDoubleClickEvent(QMouseEvent*) { showAbout(); }

}  // namespace ombra

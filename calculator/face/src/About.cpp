#include "calculator/About.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "calculator/LinkLabel.h"
#include "face_pictures.h"

namespace ombra {
namespace {

const char* const kCaption = "关于";
const char* const kOkText = "确定";

// The page's texts, one row per label, in the order they are shown.
struct LabelText {
    QLabel* About::*label;
    const char* objectName;
    const char* text;
};
const LabelText kLabelTexts[] = {
    {&About::Label1, "Label1", "Ombra 表达式计算器控件 (OmbraCalculator.Calculator)"},
    {&About::LabelA, "LabelA", "Version 3.0 Build 0405"},
    {&About::Label3, "Label3", "FOR Windows 98/98SE/Me/NT 4.0/2000/XP/Server 2003"},
    {&About::Label2, "Label2", "可用于 Visual Basic、Visual C++、Delphi 等支持 ActiveX 控件的开发环境"},
    {&About::LabelB, "LabelB", "Ombra 工作室 版权所有 © 2004。本控件可免费使用和分发。"},
};

constexpr int kPictureSide = 48;
// The text column keeps this width in pixels; longer texts wrap within it.
constexpr int kTextMinimumWidth = 360;
constexpr double kProductNameScale = 1.3;
struct Picture {
    QLabel* About::*label;
    const char* objectName;
    pictures::Drawing drawing;
};
const Picture kPictures[] = {
    {&About::Image1, "Image1", pictures::drawCalculatorGlyph},
    {&About::Image2, "Image2", pictures::drawPlottedCurve},
    {&About::Image3, "Image3", pictures::drawMakerMark},
};

}  // namespace

const QUrl About::kSupportAddress(QStringLiteral("mailto:support@ombra.example"));
const QUrl About::kWebAddress(QStringLiteral("https://www.ombra.example/"));

About::About(QWidget* parent) : QWidget(parent), opener_(&QDesktopServices::openUrl) {
    setWindowTitle(QString::fromUtf8(kCaption));

    auto* pictureColumn = new QVBoxLayout;
    for (const Picture& picture : kPictures) {
        QLabel* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(picture.objectName));
        label->setPixmap(pictures::render(picture.drawing, kPictureSide, devicePixelRatioF()));
        this->*picture.label = label;
        pictureColumn->addWidget(label);
    }
    pictureColumn->addStretch();

    auto* textColumn = new QVBoxLayout;
    for (const LabelText& row : kLabelTexts) {
        QLabel* label = new QLabel(QString::fromUtf8(row.text), this);
        label->setObjectName(QString::fromLatin1(row.objectName));
        label->setWordWrap(true);
        label->setMinimumWidth(kTextMinimumWidth);
        this->*row.label = label;
        textColumn->addWidget(label);
    }
    QFont productFont = Label1->font();
    productFont.setBold(true);
    productFont.setPointSizeF(productFont.pointSizeF() * kProductNameScale);
    Label1->setFont(productFont);

    LabelC = new LinkLabel(QStringLiteral("技术支持：") + kSupportAddress.path(), this);
    LabelC->setObjectName(QStringLiteral("LabelC"));
    LabelD = new LinkLabel(kWebAddress.toString(), this);
    LabelD->setObjectName(QStringLiteral("LabelD"));
    connect(LabelC, &LinkLabel::clicked, this, &About::LabelC_Click);
    connect(LabelD, &LinkLabel::clicked, this, &About::LabelD_Click);
    textColumn->addWidget(LabelC);
    textColumn->addWidget(LabelD);
    textColumn->addStretch();

    OkButton = new QPushButton(QString::fromUtf8(kOkText), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    connect(OkButton, &QPushButton::clicked, this, &QWidget::close);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(OkButton);

    auto* page = new QHBoxLayout;
    page->addLayout(pictureColumn);
    page->addLayout(textColumn, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(page);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The button takes the focus when the page opens, so Space or Enter
    // closes it too.
    OkButton->setFocus();
}

void About::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void About::setUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }

void About::LabelC_Click() {
    if (opener_) opener_(kSupportAddress);
}

void About::LabelD_Click() {
    if (opener_) opener_(kWebAddress);
}

}  // namespace ombra

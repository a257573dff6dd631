// The board window's construction: its child controls and where they sit.

#include "board/mForm1.h"

#include "board/arrow_images.h"
#include "board/board_reading.h"
#include "board/board_texts.h"
#include "plotting/plot_rules.h"
#include "toolkit/color_word.h"
#include "toolkit/twips.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <calculator/CalculatorFace.h>

#include <limits>
#include <memory>

namespace plotdesk {
namespace {

// The scroll strips are 300 twips thick; the arrows sit 300 twips apart.
constexpr double kStripTwips = 300;
constexpr double kArrowSpacingTwips = 300;
constexpr int kArrowTimerMs = 70;
constexpr int kRangeFieldWidth = 56;
constexpr int kProgressStripMinimumWidth = 60;
constexpr int kProgressStripHeight = 14;

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

QLineEdit* holder(QWidget* parent, const char* name, const char* initialText) {
    auto* field = new QLineEdit(text(initialText), parent);
    field->setMaxLength(std::numeric_limits<int>::max());  // an expression is never cut short
    field->setObjectName(text(name));
    field->hide();
    return field;
}

}  // namespace

mForm1::mForm1() : model_(new BoardModel(this)), Calculator1(model_->calculator()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(text(boardtext::kTitle));

    viewport_ = new QWidget(this);
    viewport_->setObjectName(QStringLiteral("viewport"));
    pxp = new toolkit::PictureArea(viewport_);
    pxp->setObjectName(QStringLiteral("pxp"));
    pxp->setMouseTracking(true);
    pxp->showCanvas(model_->picture());

    表达式1 = holder(this, "表达式1", boardtext::kInitialFunction);
    表达式2 = holder(this, "表达式2", boardtext::kInitialParameter);
    表达式3 = holder(this, "表达式3", boardtext::kInitialParameter);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    for (const char* entry : kCurveColourEntries) List1->addItem(text(entry));
    List1->hide();

    createStrips();
    createBottomBar();
    createMenu();
    connectPointerHandlers();
    connectModel();

    arrangeFrame();
    routeBoardInput();
    new BoardReading(this);
}

mForm1::~mForm1() {
    // The picture, the curve list and the reading tools show and watch the
    // model: they are taken down first, and the model last.
    model_->setParent(nullptr);
    const std::unique_ptr<BoardModel> model(model_);
    QList<QPointer<QObject>> owned;
    for (QObject* child : children()) owned.append(child);
    for (const QPointer<QObject>& child : owned) delete child.data();
}

void mForm1::createStrips() {
    Picture3 = new toolkit::PictureArea(this);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture4 = new toolkit::PictureArea(this);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    // The vertical strip answers every move over it, held button or not.
    Picture3->setMouseTracking(true);
    const int32_t face = toolkit::colorWord(palette().color(QPalette::Button));
    for (toolkit::PictureArea* strip : {Picture3, Picture4}) {
        strip->setBackColor(face);
        strip->setForeColor(stripForeColor());
    }

    struct Arrow {
        toolkit::ImageControl** control;
        const char* name;
        ArrowDirection direction;
    };
    // Left to right along the strip: left, right, up, down.
    const Arrow arrows[] = {
        {&Image3, "Image3", ArrowDirection::Left},
        {&Image4, "Image4", ArrowDirection::Right},
        {&Image1, "Image1", ArrowDirection::Up},
        {&Image2, "Image2", ArrowDirection::Down},
    };
    int slot = 0;
    for (const Arrow& arrow : arrows) {
        auto* image = new toolkit::ImageControl(Picture4);
        image->setObjectName(text(arrow.name));
        image->setImage(arrowImage(arrow.direction));
        image->move(toolkit::twipsToPixelsX(slot++ * kArrowSpacingTwips), 1);
        *arrow.control = image;
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kArrowTimerMs);
}

void mForm1::createBottomBar() {
    Picture2 = new toolkit::PictureArea(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setMouseTracking(true);
    Picture2->setBackColor(toolkit::colorWord(palette().color(QPalette::Window)));

    // The bar reads left to right over two rows, so that it fits the
    // board's default width: the range and step, then progress and buttons.
    auto* rows = new QVBoxLayout(Picture2);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);
    auto* bar = new QHBoxLayout;
    bar->setSpacing(3);
    rows->addLayout(bar);
    auto label = [&](const char* caption) {
        auto* shown = new QLabel(text(caption), Picture2);
        bar->addWidget(shown);
    };
    auto field = [&](const char* name, const char* initialText) {
        auto* edit = new QLineEdit(text(initialText), Picture2);
        edit->setObjectName(text(name));
        edit->setFixedWidth(kRangeFieldWidth);
        bar->addWidget(edit);
        return edit;
    };
    auto button = [&](const char* name, const char* caption) {
        auto* pressed = new QPushButton(text(caption), Picture2);
        pressed->setObjectName(text(name));
        pressed->setAutoDefault(false);
        bar->addWidget(pressed);
        return pressed;
    };

    label(boardtext::kRangeOpen);
    start = field("start", boardtext::kInitialStart);
    label(boardtext::kRangeComma);
    end = field("end", boardtext::kInitialEnd);
    label(boardtext::kRangeClose);
    step1 = field("step1", boardtext::kInitialStep);
    bar->addStretch(1);
    bar = new QHBoxLayout;
    bar->setSpacing(3);
    rows->addLayout(bar);
    label(boardtext::kProgress);
    进度条 = new toolkit::PictureArea(Picture2);
    进度条->setObjectName(QStringLiteral("进度条"));
    进度条->setFixedHeight(kProgressStripHeight);
    进度条->setMinimumWidth(kProgressStripMinimumWidth);
    进度条->setForeColor(toolkit::colorWord(palette().color(QPalette::Highlight)));
    bar->addWidget(进度条, 1);
    Command3 = button("Command3", boardtext::kCentreButton);
    Command2 = button("Command2", boardtext::kClearButton);
    Command1 = button("Command1", boardtext::kPlotButton);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    // The evaluator's face sits at the right end of the bar, off the picture.
    auto* face = new ombra::CalculatorFace(Picture2);
    face->setObjectName(QStringLiteral("Calculator1"));
    bar->addWidget(face);
}

// Places the picture's viewport, the two strips and the bottom panel over
// the window's inner area.
void mForm1::arrangeFrame() {
    const int strip = toolkit::twipsToPixelsY(kStripTwips);
    const int panel = Picture2->layout()->sizeHint().height();
    const int viewWidth = std::max(0, width() - strip);
    const int viewHeight = std::max(0, height() - strip - panel);

    viewport_->setGeometry(0, 0, viewWidth, viewHeight);
    auto place = [](toolkit::PictureArea* area, int x, int y, int w, int h) {
        area->setLeftTwips(toolkit::pixelsToTwipsX(x));
        area->setTopTwips(toolkit::pixelsToTwipsY(y));
        area->setSizeTwips(toolkit::pixelsToTwipsX(w), toolkit::pixelsToTwipsY(h));
    };
    place(Picture3, viewWidth, 0, strip, viewHeight);
    place(Picture4, 0, viewHeight, viewWidth, strip);
    place(Picture2, 0, viewHeight + strip, width(), panel);
    Picture2->raise();
}

double mForm1::viewportWidthTwips() const { return toolkit::pixelsToTwipsX(viewport_->width()); }

double mForm1::viewportHeightTwips() const { return toolkit::pixelsToTwipsY(viewport_->height()); }

int32_t mForm1::stripForeColor() const { return toolkit::colorWord(palette().color(QPalette::WindowText)); }

}  // namespace plotdesk

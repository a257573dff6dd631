// The board model's construction, its layout, the curve being typed and the
// remembered curves one at a time.

#include "board/board_model.h"

#include "board/board_texts.h"
#include "plotting/plot_rules.h"
#include "settings/number_text.h"
#include "settings/setting_keys.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"

#include <QGuiApplication>
#include <QUndoStack>

namespace plotdesk {
namespace {

// The board's picture prints its labels in a small face, which keeps the
// labels of every tick at the default spacing apart as far as it can.
constexpr int kLabelPixelSize = 10;

// A pen width from a stored setting; 1 when it is not a number.
int storedPenWidth(const char* key) { return toInt16HalfEven(GetSetting(key, defaultText(key))).value_or(1); }

}  // namespace

BoardModel::BoardModel(QObject* parent)
    : QObject(parent),
      pxp(std::make_unique<toolkit::PictureCanvas>()),
      entry_{QString::fromUtf8(boardtext::kInitialFunction),  QString::fromUtf8(boardtext::kInitialParameter),
             QString::fromUtf8(boardtext::kInitialParameter), QString::fromUtf8(boardtext::kInitialStart),
             QString::fromUtf8(boardtext::kInitialEnd),       QString::fromUtf8(boardtext::kInitialStep)},
      Calculator1(ombra::com::LateBoundObject::create(ombra::com::kCalculatorProgId)),
      undo_(new QUndoStack(this)) {
    QFont labelFont = QGuiApplication::font();
    labelFont.setPixelSize(kLabelPixelSize);
    pxp->setFont(labelFont);
    undo_->setUndoLimit(kUndoSteps);
}

BoardModel::~BoardModel() = default;

BoardLayout BoardModel::storedLayout() {
    BoardLayout layout;
    layout.record = Settings();
    layout.smoothLines = storedSmoothLines();
    layout.axesPenWidth = storedPenWidth(key::xiankuan1);
    layout.backgroundPicture = GetSetting(key::backpicture, defaultText(key::backpicture));
    return layout;
}

// A new layout starts a new board: the curves drawn so far are forgotten
// and the view is the classic one.
void BoardModel::layOut(const BoardLayout& layout) {
    changeAsOneStep(QString::fromUtf8(boardtext::kLayoutStep), [&] {
        state_.layout = layout;
        state_.view = BoardView{};
        state_.curves.clear();
        caches_.clear();
        applyLayout();
        layoutPicture();
        drawAxes(axesFromLayout());
    });
}

// The layout's pen, background picture and look; a picture that cannot be
// read leaves the board without one.
void BoardModel::applyLayout() {
    pxp->setDrawWidth(state_.layout.axesPenWidth);
    if (state_.layout.backgroundPicture != loadedPicture_) {
        pxp->loadPicture(state_.layout.backgroundPicture);
        loadedPicture_ = state_.layout.backgroundPicture;
    }
    pxp->setSmooth(state_.layout.smoothLines);
}

void BoardModel::setGridQuestion(std::function<bool()> question) { gridQuestion_ = std::move(question); }

void BoardModel::setFunctionText(const QString& text) {
    if (entry_.function == text) return;
    entry_.function = text;
    emit entryChanged();
}

void BoardModel::setParametricTexts(const QString& xOfT, const QString& yOfT) {
    if (entry_.xOfT == xOfT && entry_.yOfT == yOfT) return;
    entry_.xOfT = xOfT;
    entry_.yOfT = yOfT;
    emit entryChanged();
}

void BoardModel::setStartText(const QString& text) {
    if (entry_.start == text) return;
    entry_.start = text;
    emit entryChanged();
}

void BoardModel::setEndText(const QString& text) {
    if (entry_.end == text) return;
    entry_.end = text;
    emit entryChanged();
}

void BoardModel::setStepText(const QString& text) {
    if (entry_.step == text) return;
    entry_.step = text;
    emit entryChanged();
}

// The cycle skips one colour after a parametric curve, so each of its two
// label lines could have had a colour of its own. The colour's advance
// belongs to the step of the plot that follows.
CurveRequest BoardModel::nextCurve(bool parametric, const SamplingRange& range) {
    if (!stepStart_) stepStart_ = std::pair(state_, caches_);
    state_.colourIndex = nextColourIndex(state_.colourIndex, static_cast<int>(kCurveColourEntries.size()));
    if (const std::optional<int32_t> colour =
            toInt32HalfEven(QString::fromLatin1(kCurveColourEntries[static_cast<size_t>(state_.colourIndex)])))
        Settings().fcolor = *colour;
    if (parametric) ++state_.colourIndex;

    CurveRequest request;
    request.parametric = parametric;
    request.range = range;
    request.colour = Settings().fcolor;
    request.penWidth = storedPenWidth(key::xiankuan2);
    return request;
}

bool BoardModel::validCurve(int index) const { return index >= 0 && static_cast<size_t>(index) < state_.curves.size(); }

void BoardModel::setCurveVisible(int index, bool visible) {
    if (!validCurve(index) || state_.curves[static_cast<size_t>(index)].visible == visible) return;
    changeAsOneStep(QString::fromUtf8(visible ? boardtext::kShowCurveStep : boardtext::kHideCurveStep), [&] {
        state_.curves[static_cast<size_t>(index)].visible = visible;
        drawViewAndCurves();
    });
}

void BoardModel::setCurveColour(int index, int32_t colour) {
    colour &= 0xFFFFFF;
    if (!validCurve(index) || state_.curves[static_cast<size_t>(index)].request.colour == colour) return;
    changeAsOneStep(QString::fromUtf8(boardtext::kCurveColourStep), [&] {
        state_.curves[static_cast<size_t>(index)].request.colour = colour;
        drawViewAndCurves();
    });
}

void BoardModel::removeCurve(int index) {
    if (!validCurve(index)) return;
    changeAsOneStep(QString::fromUtf8(boardtext::kRemoveCurveStep), [&] {
        state_.curves.erase(state_.curves.begin() + index);
        caches_.erase(caches_.begin() + index);
        drawViewAndCurves();
    });
}

PlotOutcome BoardModel::plotAgain(int index) {
    if (!validCurve(index)) return {};
    const CurveRequest& again = state_.curves[static_cast<size_t>(index)].request;
    CurveRequest request = nextCurve(again.parametric, again.range);
    request.function = again.function;
    request.xOfT = again.xOfT;
    request.yOfT = again.yOfT;
    return plot(request);
}

std::string BoardModel::calculate(const std::string& text) {
    return evaluator_ ? evaluator_(text) : calculateWithCalculator1(text);
}

std::string BoardModel::calculateWithCalculator1(const std::string& text) {
    return Calculator1.callText(ombra::com::DISPID_CALCULATE, text);
}

}  // namespace plotdesk

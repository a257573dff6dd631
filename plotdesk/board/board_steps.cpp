// The board model's undo steps: each change of the drawing is kept as the
// drawing before and after it, and an undo or redo draws the one it goes
// back to, the curves again from the points they kept.

#include "board/board_model.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace plotdesk {

// The drawing before and after, each with what its curves kept (shared
// with the model and the other steps, never copied).
class DrawingStep final : public QUndoCommand {
public:
    using Drawing = std::pair<BoardState, BoardModel::CurveCaches>;
    DrawingStep(BoardModel& model, Drawing before, Drawing after, const QString& text)
        : QUndoCommand(text), model_(model), before_(std::move(before)), after_(std::move(after)) {}

    void undo() override { model_.restore(before_.first, before_.second); }
    // The change itself was made before the step was pushed.
    void redo() override {
        if (made_) model_.restore(after_.first, after_.second);
        made_ = true;
    }

private:
    BoardModel& model_;
    Drawing before_;
    Drawing after_;
    bool made_ = false;
};

namespace {

// Two curves whose walks are the same, whatever their colour.
bool sameWalk(const CurveRequest& a, const CurveRequest& b) {
    return a.parametric == b.parametric && a.function == b.function && a.xOfT == b.xOfT && a.yOfT == b.yOfT &&
           a.range.start == b.range.start && a.range.end == b.range.end && a.range.step == b.range.step;
}

}  // namespace

// Runs `change` and pushes it as one step; within a gesture the step waits
// for the gesture's end.
void BoardModel::changeAsOneStep(const QString& text, const std::function<void()>& change) {
    if (restoring_) {
        change();
        return;
    }
    DrawingStep::Drawing before = stepStart_ ? std::move(*stepStart_) : DrawingStep::Drawing(state_, caches_);
    stepStart_.reset();
    change();
    emit drawingChanged();
    if (inGesture_) {
        gestureChanged_ = true;
        gestureText_ = text;
        return;
    }
    undo_->push(new DrawingStep(*this, std::move(before), {state_, caches_}, text));
}

void BoardModel::beginGesture() {
    gestureStart_ = {state_, caches_};
    inGesture_ = true;
    gestureChanged_ = false;
}

void BoardModel::endGesture() {
    if (!inGesture_) return;
    inGesture_ = false;
    if (gestureChanged_) undo_->push(new DrawingStep(*this, std::move(gestureStart_), {state_, caches_}, gestureText_));
    gestureChanged_ = false;
}

void BoardModel::restore(const BoardState& state) {
    // Each curve takes what a curve of the same walk kept.
    std::vector<std::shared_ptr<CurveCache>> caches;
    std::vector<bool> taken(caches_.size(), false);
    for (const BoardCurve& curve : state.curves) {
        std::shared_ptr<CurveCache> found;
        for (size_t i = 0; i < caches_.size() && !found; ++i)
            if (!taken[i] && sameWalk(state_.curves[i].request, curve.request)) {
                taken[i] = true;
                found = caches_[i];
            }
        caches.push_back(found ? found : std::make_shared<CurveCache>());
    }
    restore(state, std::move(caches));
}

void BoardModel::restore(const BoardState& state, CurveCaches caches) {
    state_ = state;
    caches_ = std::move(caches);
    restoring_ = true;
    applyLayout();
    drawViewAndCurves();
    restoring_ = false;
    emit drawingChanged();
    emit restored();
}

}  // namespace plotdesk

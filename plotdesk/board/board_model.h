#pragma once
// The drawing board as data, without widgets: what it was laid out from, its
// view, the curves it remembers and the picture they are drawn on, with the
// axes, grid, labels and curves recorded as drawing steps. It samples each
// curve through the plot walk and the evaluator, and keeps the curve being
// typed (the texts of the expression holders and of the bottom bar's range).
// The board window shows its picture; the export renders it; every change of
// the drawing is one step of its undo stack.

#include "board/board_state.h"
#include "board/plot_requests.h"
#include "board/view_scale.h"
#include "toolkit/picture_canvas.h"

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <calculator/component.h>

namespace plotdesk {

// The curve being typed: the texts of the expression holders and of the
// bottom bar's range, as the window shows them.
struct BoardEntry {
    QString function;
    QString xOfT;
    QString yOfT;
    QString start;
    QString end;
    QString step;
};

// What the window does while a curve is walked: the progress strip and the
// screen catching up. The export has none.
class PlotWatcher {
public:
    virtual ~PlotWatcher() = default;
    virtual void walkStarting(const SamplingRange& range) = 0;
    virtual void sampleReached(double v) = 0;
    // The screen catches up with a long walk; `yText` is the Y(t) text last
    // computed in a parametric walk the user started, else nullptr.
    virtual void catchUp(const std::string* yText) = 0;
    virtual void walkEnded() = 0;
};

class BoardModel : public QObject {
    Q_OBJECT
public:
    explicit BoardModel(QObject* parent = nullptr);
    ~BoardModel() override;

    // The drawing as data, and the picture it is drawn on.
    const BoardState& state() const { return state_; }
    toolkit::PictureCanvas& picture() { return *pxp; }
    const toolkit::PictureCanvas& picture() const { return *pxp; }
    BoardViewKind view() const { return state_.view.kind; }

    // The layout as the stored settings give it: the settings record as it
    // stands, the settings dialog's grid style, the stored switches, pen
    // width and background picture.
    static BoardLayout storedLayout();
    // Lays the picture out from `layout` and draws its axes: a new board,
    // without curves, in the classic view.
    void layOut(const BoardLayout& layout);
    // Where the grid style comes from while the board window shows the
    // model: asked at every round of the axis loops, as the classic board
    // asks its settings dialog, and kept in the layout. Without one the
    // layout's own style is drawn.
    void setGridQuestion(std::function<bool()> question);

    // The curve being typed.
    const BoardEntry& entry() const { return entry_; }
    void setFunctionText(const QString& text);
    void setParametricTexts(const QString& xOfT, const QString& yOfT);
    void setStartText(const QString& text);
    void setEndText(const QString& text);
    void setStepText(const QString& text);

    // A request for the next curve: the cycle's next colour (which also
    // becomes the settings record's pen colour) and the stored curve pen
    // width; the caller fills in the texts.
    CurveRequest nextCurve(bool parametric, const SamplingRange& range);
    // Samples and draws one curve as asked, then prints its label (" Y =" and
    // the function, or the "  X =" and "  Y =" lines) where the curve ended.
    // The board remembers the curve until it is laid out again, and draws it
    // again whenever its view changes.
    PlotOutcome plot(const CurveRequest& request);

    // One remembered curve at a time, by its place in state().curves: shown
    // or hidden, drawn in another colour, forgotten, or plotted once more as
    // a new curve in the cycle's next colour. Every other curve stays as it
    // was.
    void setCurveVisible(int index, bool visible);
    void setCurveColour(int index, int32_t colour);
    void removeCurve(int index);
    PlotOutcome plotAgain(int index);

    // The views. Zooming, panning or fitting changes only the picture's own
    // scale and size (no stored setting), lays out 1-2-5 ticks whose labels
    // keep apart, and draws every remembered curve again, functions sampled
    // at least once a pixel.
    // Magnifies by `factor` (below 1: shrinks) about board point (x, y),
    // which keeps its place on the picture.
    // Each answers whether the view changed.
    bool zoomAbout(double x, double y, double factor);
    bool zoomAboutCentre(double factor);
    // Moves the view by (dx, dy) scale units.
    bool panBy(double dx, double dy);
    // A picture of `pictureSize` pixels showing the remembered curves:
    // functions span their sampling ranges, parametric curves the x values
    // they reached; without curves the entry's range is shown.
    bool fitView(QSize pictureSize);
    // Back to the layout, with the remembered curves.
    void showClassicView();

    // A text printed on the picture (tick labels, curve labels) since it was
    // last laid out: the scale point of its top-left corner and the
    // rectangle it covers, in pixels of the picture.
    struct PrintedText {
        QString text;
        QPointF at;
        QRectF pixels;
    };
    const std::vector<PrintedText>& printedTexts() const { return printed_; }

    // Undo and redo: each change above is one step holding the drawing
    // before and after it. Between beginGesture and endGesture the changes
    // make one step (a drag that pans).
    QUndoStack& undoStack() { return *undo_; }
    void beginGesture();
    void endGesture();
    // Draws `state` as it stands, its curves again from what they kept.
    void restore(const BoardState& state);

    // The evaluator behind the plots, taking and giving UTF-8 texts as
    // Calculator1 does. Unless one is set, every text goes to Calculator1;
    // an empty function goes back to it.
    using Evaluator = std::function<std::string(const std::string& text)>;
    void setEvaluator(Evaluator evaluator) { evaluator_ = std::move(evaluator); }
    std::string calculate(const std::string& text);
    std::string calculateWithCalculator1(const std::string& text);
    ombra::com::LateBoundObject& calculator() { return Calculator1; }

    void setPlotWatcher(PlotWatcher* watcher) { watcher_ = watcher; }

signals:
    void entryChanged();
    // The drawing changed: a curve, the view or the layout.
    void drawingChanged();
    // An undo or redo put back a drawing.
    void restored();

private:
    friend class DrawingStep;
    // What a remembered curve kept of its walks: the box around its values
    // once a walk over its whole range has found it, and the points of a
    // walk over the whole range at its own step (NaN for a coordinate that
    // is missing), kept unless there are too many.
    struct CurveCache {
        bool boundsKnown = false;
        std::optional<CurveBounds> bounds;
        std::vector<QPointF> points;
    };
    using CurveCaches = std::vector<std::shared_ptr<CurveCache>>;
    void changeAsOneStep(const QString& text, const std::function<void()>& change);
    void restore(const BoardState& state, CurveCaches caches);
    void applyLayout();
    void layoutPicture();
    AxesRequest axesFromLayout();
    void drawAxes(const AxesRequest& axes);
    void drawXLoops(const AxesRequest& axes, bool towardsRight);
    void drawYLoops(const AxesRequest& axes, bool downwards);
    void drawViewAxes(const AxesRequest& axes);
    ViewScale shownScale() const;
    void showView(BoardViewKind kind, const ViewScale& scale);
    void drawViewAndCurves();
    void replotRemembered();
    PlotOutcome drawCurve(const BoardCurve& curve, CurveCache& cache);
    std::optional<CurveBounds> valueBounds(const CurveRequest& request, CurveCache& cache);
    void printCurveLabel(const CurveRequest& request);
    void printOnPicture(const QString& text);
    bool clearOfPrinted(const QRectF& pixels) const;
    // A curve that shows, with the points it kept.
    struct ShownCurve {
        const CurveRequest& request;
        const std::vector<QPointF>& points;
    };
    std::vector<ShownCurve> shownCurves() const;
    // The legend of a zoomed or fitted view: its rows (a text, and the
    // curve whose first label line it is) and its box, in pixels.
    struct Legend {
        struct Row {
            QString text;
            const CurveRequest* curve;
        };
        std::vector<Row> rows;
        QRectF box;
    };
    Legend legendLayout() const;
    QRectF quietestCorner(QSizeF size) const;
    void reserveLegendPlace();
    void drawLegend();
    bool validCurve(int index) const;

    // The picture; named as the board window's picture, which shows it.
    std::unique_ptr<toolkit::PictureCanvas> pxp;
    BoardState state_;
    // What each remembered curve kept of its walks, by the same index.
    CurveCaches caches_;
    BoardEntry entry_;
    QString loadedPicture_;  // the background picture file the picture holds
    std::vector<PrintedText> printed_;
    Evaluator evaluator_;
    ombra::com::LateBoundObject Calculator1;
    PlotWatcher* watcher_ = nullptr;
    std::function<bool()> gridQuestion_;
    bool restoring_ = false;  // an undo or redo draws the drawing as it was
    bool replotting_ = false;

    QUndoStack* undo_;
    // The drawing before the step being made.
    std::optional<std::pair<BoardState, CurveCaches>> stepStart_;
    bool inGesture_ = false;
    bool gestureChanged_ = false;
    std::pair<BoardState, CurveCaches> gestureStart_;
    QString gestureText_;
};

// The undo stack keeps at least this many steps.
inline constexpr int kUndoSteps = 1000;

}  // namespace plotdesk

#pragma once
// The board's reading of its function curves, beside the classic commands:
// 关键点 marks and lists the key points over the part of the picture seen,
// 跟踪 snaps a marker to the curve nearest the pointer and steps along it
// with the arrow keys, 求值… gives every function curve's value at a typed
// x, and 数值表… lists values over a range. The marks lie over the picture
// and never change the drawing.

#include "analysis/key_points.h"
#include "analysis/tracer.h"
#include "board/plot_requests.h"
#include "board/reading_dialog.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QShortcut;

namespace plotdesk {

class mForm1;
class ReadingMarks;

class BoardReading : public QObject {
    Q_OBJECT
public:
    // Adds its entries to the board's pop-up menu.
    explicit BoardReading(mForm1* board);
    ~BoardReading() override;

    QAction* keyPointsAction() const { return keyPoints_; }
    QAction* traceAction() const { return trace_; }
    QAction* valueAtAction() const { return valueAt_; }
    QAction* valueTableAction() const { return valueTable_; }
    ReadingMarks* marks() const { return marks_; }
    ReadingDialog* dialog() const { return dialog_; }

    // Trace: the pointer at a pixel of the picture, and the keys' steps.
    void traceTo(QPointF pixel);
    void traceStep(int pixels, bool bySamplingStep);
    void traceNextCurve(int direction);
    // The values at the x that `text` gives, listed and marked.
    void showValuesAt(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<CurveRequest> functionCurves() const;
    analysis::Evaluator evaluator() const;
    std::pair<double, double> seenRange() const;
    ReadingDialog* openDialog(const QString& title, bool savesCsv);
    QString curveList(const std::vector<CurveRequest>& curves) const;
    void showKeyPoints();
    void setTracing(bool on);
    void showTracePoint(const std::optional<analysis::TracePoint>& point);
    void openValueAt();
    void openValueTable();

    mForm1* board_;
    // The picture traced over, kept apart from the board: its events may
    // still arrive while the board window is being taken down.
    QPointer<QObject> picture_;
    ReadingMarks* marks_;
    QAction* keyPoints_;
    QAction* trace_;
    QAction* valueAt_;
    QAction* valueTable_;
    std::vector<QShortcut*> traceKeys_;
    QPointer<ReadingDialog> dialog_;
    // While tracing: the curves traced and where the marker is.
    std::vector<CurveRequest> traced_;
    std::unique_ptr<analysis::Tracer> tracer_;
    std::optional<analysis::TracePoint> at_;
};

}  // namespace plotdesk

#pragma once
// Plotting to a picture file without any widget: the board model is laid
// out from the stored settings (at another size when asked), each curve is
// plotted through it, and its picture is written in the format the file's
// suffix names.

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace plotdesk {

struct ExportCurve {
    bool parametric = false;
    QString function;  // y = f(x)
    QString xOfT;      // parametric X(t)
    QString yOfT;      // parametric Y(t)
};

struct ExportRequest {
    // The picture file, or a drawing document when it ends in .curvolo.
    QString file;
    // A drawing document to start from: its layout, view and curves.
    std::optional<QString> drawing;
    // Plotted in this order; none plots the board's initial expression.
    std::vector<ExportCurve> curves;
    // The sampling range; the stored settings when absent.
    std::optional<QString> start;
    std::optional<QString> end;
    std::optional<QString> step;
    // The picture's size in pixels: the board laid out that large with the
    // same scale range. The stored board size when absent.
    std::optional<QSize> size;
    // Show the curves' fitted view instead of the stored scale.
    bool fit = false;
};

struct ExportOutcome {
    enum class Result {
        Written,     // the file holds the picture
        Refused,     // the request cannot be plotted; nothing was written
        NotWritten,  // the picture was made but could not be written
    };
    Result result = Result::Written;
    // Why nothing was written.
    QString message;
    // One line for each curve that got no point at all: the expression and
    // the first answer the evaluator gave for it ("sin(x: ERROR#4").
    QStringList curvesWithoutPoints;
};

ExportOutcome exportPlot(const ExportRequest& request);

}  // namespace plotdesk

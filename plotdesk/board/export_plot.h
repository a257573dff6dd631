#pragma once
// Plotting to a picture file without showing a window: the real board is
// laid out from the stored settings, each curve is plotted through its plot
// command, and the board picture is written as PNG.

#include <QString>
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
    QString file;
    // Plotted in this order; none plots the board's initial expression.
    std::vector<ExportCurve> curves;
    // The sampling range; the stored settings when absent.
    std::optional<QString> start;
    std::optional<QString> end;
    std::optional<QString> step;
};

// Plots and writes the picture; the message when that fails.
std::optional<QString> exportPlot(const ExportRequest& request);

}  // namespace plotdesk

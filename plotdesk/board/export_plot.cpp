#include "board/export_plot.h"

#include "board/board_document.h"
#include "board/board_model.h"
#include "board/board_picture.h"
#include "board/error_explanation.h"
#include "board/picture_size.h"
#include "plotting/plot_rules.h"
#include "settings/number_text.h"
#include "settings/settings_record.h"
#include "toolkit/picture_canvas.h"
#include "toolkit/twips.h"

#include <cmath>
#include <variant>

namespace plotdesk {
namespace {

ExportOutcome refused(const QString& message) { return {ExportOutcome::Result::Refused, message, {}}; }

// The board at `pixels`, keeping the stored scale range, so a larger
// picture shows the same part of the plane in more detail.
void sizeLayout(BoardLayout& layout, QSize pixels) {
    layout.record.width = static_cast<int32_t>(std::lround(toolkit::pixelsToTwipsX(pixels.width())));
    layout.record._heiht = static_cast<int32_t>(std::lround(toolkit::pixelsToTwipsY(pixels.height())));
}

// What to say of a curve that got no point: the first answer that was not a
// number; for a function whose answers were all numbers, that each x lay
// beyond the single precision the picture draws in; or that its range gave
// no sample at all.
QString withoutPoints(const ExportCurve& curve, const PlotOutcome& outcome, const SamplingRange& range) {
    if (outcome.firstFailure)
        return QStringLiteral("%1: %2").arg(
            outcome.firstFailure->expression,
            explainedAnswer(outcome.firstFailure->expression, outcome.firstFailure->answer));
    if (!curve.parametric && range.contains(range.start))
        return QStringLiteral("%1: x 的取值都超出了能画出的范围（绝对值要小于 3.4E+38）").arg(curve.function);
    const QString expressions = curve.parametric ? curve.xOfT + QStringLiteral("，") + curve.yOfT : curve.function;
    return QStringLiteral("%1: 取值范围内没有一个采样点").arg(expressions);
}

}  // namespace

// The board is laid out from the stored settings, or shows the drawing
// asked for, without any window; each further curve is drawn in its cycle
// colour.
ExportOutcome exportPlot(const ExportRequest& request) {
    LoadSettings();
    BoardModel board;
    std::optional<BoardState> drawing;
    if (request.drawing) {
        auto read = readDocument(*request.drawing);
        if (const QString* problem = std::get_if<QString>(&read)) return refused(*problem);
        drawing = std::get<BoardState>(std::move(read));
    }
    BoardLayout layout = drawing ? drawing->layout : BoardModel::storedLayout();
    if (request.size) {
        if (!pictureFits(*request.size, board.picture().devicePixelRatioF()))
            return refused(QStringLiteral("--size：%1x%2 像素的图片太大。应写作 --size <WxH>，宽、高各不超过 %3，"
                                          "图片不超过 %4 MB（每像素 4 字节），例如 --size 4000x3000")
                               .arg(request.size->width())
                               .arg(request.size->height())
                               .arg(toolkit::kLargestPictureSide)
                               .arg(kLargestPictureBytes / (1024 * 1024)));
        sizeLayout(layout, *request.size);
    }
    if (drawing) {
        drawing->layout = layout;
        board.restore(*drawing);
    } else {
        board.layOut(layout);
    }
    const SettingsRecord& record = layout.record;
    board.setStartText(request.start.value_or(integerText(record.start)));
    board.setEndText(request.end.value_or(integerText(record.end)));
    board.setStepText(request.step.value_or(integerText(record.step)));

    const BoardEntry& entry = board.entry();
    // Without curves of its own or a drawing's, the export draws the board's
    // initial one.
    const std::vector<ExportCurve> initial{{false, entry.function, {}, {}}};
    const std::vector<ExportCurve>& curves = request.curves.empty() && !drawing ? initial : request.curves;
    const auto reading = readSamplingRange(entry.start, entry.end, entry.step);
    if (const QString* refusal = std::get_if<QString>(&reading); refusal && !curves.empty())
        return refused(
            *refusal +
            QStringLiteral("。可用 --start、--end 和 --step 给出取值范围，例如 --start -100 --end 100 --step 2"));

    ExportOutcome outcome;
    for (const ExportCurve& curve : curves) {
        const SamplingRange range = std::get<SamplingRange>(reading);
        CurveRequest plotted = board.nextCurve(curve.parametric, range);
        plotted.function = curve.function;
        plotted.xOfT = curve.xOfT;
        plotted.yOfT = curve.yOfT;
        const PlotOutcome drawn = board.plot(plotted);
        if (drawn.points == 0) outcome.curvesWithoutPoints << withoutPoints(curve, drawn, range);
    }

    const QSize pixels = request.size.value_or(board.picture().size());
    if (request.fit) board.fitView(pixels);
    // A document keeps the drawing itself; a picture, what it shows.
    const std::optional<QString> failure = namesDocument(request.file)
                                               ? writeDocument(request.file, board.state())
                                               : saveBoardPicture(board.picture(), request.file, pixels);
    if (failure) {
        outcome.result = ExportOutcome::Result::NotWritten;
        outcome.message = *failure;
    }
    return outcome;
}

}  // namespace plotdesk

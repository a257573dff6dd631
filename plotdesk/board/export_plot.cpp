#include "board/export_plot.h"

#include "board/board_picture.h"
#include "board/error_explanation.h"
#include "board/mForm1.h"
#include "board/picture_size.h"
#include "board/shell_questions.h"
#include "plotting/plot_rules.h"
#include "settings/number_text.h"
#include "settings/settings_record.h"
#include "toolkit/picture_area.h"
#include "toolkit/twips.h"

#include <QLineEdit>
#include <cmath>
#include <memory>
#include <variant>

namespace plotdesk {
namespace {

// Answers the board's questions while it loads for the export: grid style.
// Each curve says itself whether it is parametric, so the tab is never asked.
class ExportQuestions final : public ShellQuestions {
public:
    int selectedMainTab() override { return 0; }
    bool gridStyleSelected() override { return true; }
};

// Installs the export's answers for as long as it runs.
class QuestionsInstalled {
public:
    explicit QuestionsInstalled(ShellQuestions* questions) : previous_(&shellQuestions()) {
        setShellQuestions(questions);
    }
    ~QuestionsInstalled() { setShellQuestions(previous_); }
    QuestionsInstalled(const QuestionsInstalled&) = delete;
    QuestionsInstalled& operator=(const QuestionsInstalled&) = delete;

private:
    ShellQuestions* previous_;
};

ExportOutcome refused(const QString& message) { return {ExportOutcome::Result::Refused, message, {}}; }

// Lays the board out again at `pixels`, keeping the stored scale range, so
// a larger picture shows the same part of the plane in more detail.
void layOutAt(mForm1& board, QSize pixels) {
    SettingsRecord& record = Settings();
    record.width = static_cast<int32_t>(std::lround(toolkit::pixelsToTwipsX(pixels.width())));
    record._heiht = static_cast<int32_t>(std::lround(toolkit::pixelsToTwipsY(pixels.height())));
    board.relayoutFromRecord();
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

ExportOutcome exportPlot(const ExportRequest& request) {
    ExportQuestions questions;
    const QuestionsInstalled installed(&questions);

    auto board = std::make_unique<mForm1>();
    board->Form_Load();
    if (request.size) {
        if (!pictureFits(*request.size, board->pxp->devicePixelRatioF()))
            return refused(QStringLiteral("--size：%1x%2 像素的图片太大。应写作 --size <WxH>，宽、高各不超过 %3，"
                                          "图片不超过 %4 MB（每像素 4 字节），例如 --size 4000x3000")
                               .arg(request.size->width())
                               .arg(request.size->height())
                               .arg(toolkit::kLargestPictureSide)
                               .arg(kLargestPictureBytes / (1024 * 1024)));
        layOutAt(*board, *request.size);
    }
    const SettingsRecord& record = Settings();
    board->start->setText(request.start.value_or(integerText(record.start)));
    board->end->setText(request.end.value_or(integerText(record.end)));
    board->step1->setText(request.step.value_or(integerText(record.step)));

    const auto reading = readSamplingRange(board->start->text(), board->end->text(), board->step1->text());
    if (const QString* refusal = std::get_if<QString>(&reading))
        return refused(
            *refusal +
            QStringLiteral("。可用 --start、--end 和 --step 给出取值范围，例如 --start -100 --end 100 --step 2"));

    const SamplingRange range = std::get<SamplingRange>(reading);
    ExportOutcome outcome;
    // Without curves of its own the export draws the board's initial one.
    const std::vector<ExportCurve> initial{{false, board->表达式1->text(), {}, {}}};
    for (const ExportCurve& curve : request.curves.empty() ? initial : request.curves) {
        CurveRequest plotted = board->nextCurve(curve.parametric, range);
        plotted.function = curve.function;
        plotted.xOfT = curve.xOfT;
        plotted.yOfT = curve.yOfT;
        const PlotOutcome drawn = board->plot(plotted);
        if (drawn.points == 0) outcome.curvesWithoutPoints << withoutPoints(curve, drawn, range);
    }

    const QSize pixels = request.size.value_or(board->pxp->size());
    if (request.fit) board->fitView(pixels);
    if (const std::optional<QString> failure = saveBoardPicture(*board->pxp, request.file, pixels)) {
        outcome.result = ExportOutcome::Result::NotWritten;
        outcome.message = *failure;
    }
    return outcome;
}

}  // namespace plotdesk

#include "board/export_plot.h"

#include "board/mForm1.h"
#include "board/plot_rules.h"
#include "board/shell_questions.h"
#include "settings/number_text.h"
#include "settings/settings_record.h"

#include <QImage>
#include <QLineEdit>
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

}  // namespace

std::optional<QString> exportPlot(const ExportRequest& request) {
    ExportQuestions questions;
    const QuestionsInstalled installed(&questions);

    auto board = std::make_unique<mForm1>();
    board->Form_Load();
    const SettingsRecord& record = Settings();
    board->start->setText(request.start.value_or(integerText(record.start)));
    board->end->setText(request.end.value_or(integerText(record.end)));
    board->step1->setText(request.step.value_or(integerText(record.step)));

    const auto reading = readSamplingRange(board->start->text(), board->end->text(), board->step1->text());
    if (const QString* refusal = std::get_if<QString>(&reading)) return *refusal;

    const SamplingRange range = std::get<SamplingRange>(reading);
    // Without curves of its own the export draws the board's initial one.
    const std::vector<ExportCurve> initial{{false, board->表达式1->text(), {}, {}}};
    for (const ExportCurve& curve : request.curves.empty() ? initial : request.curves) {
        CurveRequest plotted = board->nextCurve(curve.parametric, range);
        plotted.function = curve.function;
        plotted.xOfT = curve.xOfT;
        plotted.yOfT = curve.yOfT;
        board->plot(plotted);
    }

    const QImage picture = board->pxp->image();
    if (!picture.save(request.file, "PNG")) return QStringLiteral("无法写入文件：%1").arg(request.file);
    return std::nullopt;
}

}  // namespace plotdesk

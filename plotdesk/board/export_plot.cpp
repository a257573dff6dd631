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

// Answers the board's questions for the curve being exported: the function
// tab or the parametric one, always in grid style.
class ExportQuestions final : public ShellQuestions {
public:
    int selectedMainTab() override { return tab; }
    bool gridStyleSelected() override { return true; }
    int tab = 0;
};

constexpr int kFunctionTab = 0;
constexpr int kParametricTab = 1;

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

    if (request.curves.empty()) board->Command1_Click();
    for (const ExportCurve& curve : request.curves) {
        questions.tab = curve.parametric ? kParametricTab : kFunctionTab;
        if (curve.parametric) {
            board->表达式2->setText(curve.xOfT);
            board->表达式3->setText(curve.yOfT);
        } else {
            board->表达式1->setText(curve.function);
        }
        board->Command1_Click();
    }

    const QImage picture = board->pxp->image();
    if (!picture.save(request.file, "PNG")) return QStringLiteral("无法写入文件：%1").arg(request.file);
    return std::nullopt;
}

}  // namespace plotdesk

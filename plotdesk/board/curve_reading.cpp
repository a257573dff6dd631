#include "board/curve_reading.h"

#include "analysis/key_points.h"
#include "analysis/value_table.h"
#include "board/error_explanation.h"
#include "plotting/plot_rules.h"
#include "settings/number_text.h"
#include "settings/settings_record.h"

#include <calculator/component.h>

#include <cstdio>
#include <string>
#include <variant>

namespace plotdesk {
namespace {

constexpr int kDone = 0;
constexpr int kRefused = 2;
constexpr int kCurveWithoutPoints = 3;

const char kRangeExample[] = "可用 --start、--end 和 --step 给出取值范围，例如 --start -100 --end 100 --step 2";

void printError(const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stderr);
    std::fflush(stderr);
}

// The board's own evaluator: the component created by its program identifier
// and called by its dispatch identifier.
analysis::Evaluator componentEvaluator(ombra::com::LateBoundObject& calculator) {
    return [&calculator](const std::string& text) { return calculator.callText(ombra::com::DISPID_CALCULATE, text); };
}

void printKeyPoints(const analysis::KeyPointReport& report) {
    std::string out;
    for (const analysis::KeyPoint& p : report.points) {
        out += analysis::kindName(p.kind).toStdString();
        out += '\t' + std::to_string(p.curve + 1);
        if (p.otherCurve >= 0) out += ',' + std::to_string(p.otherCurve + 1);
        out += '\t' + p.xText + '\t' + p.yText;
        if (!p.exactForm.empty()) out += '\t' + p.exactForm;
        out += '\n';
    }
    std::fputs(out.c_str(), stdout);
    std::fflush(stdout);
}

QString curveName(const std::vector<QString>& functions, int index) {
    return QStringLiteral("--function %1").arg(functions[static_cast<size_t>(index)]);
}

int keyPoints(const ReadingRequest& request, const SamplingRange& range, ombra::com::LateBoundObject& calculator) {
    if (!(range.start < range.end)) {
        printError(QStringLiteral("无法找关键点：取值范围%1。%2")
                       .arg(range.start == range.end ? QStringLiteral("宽度为 0") : QStringLiteral("起始值大于终止值"),
                            QString::fromUtf8(kRangeExample)));
        return kRefused;
    }
    const analysis::KeyPointReport report =
        analysis::findKeyPoints(request.functions, componentEvaluator(calculator), range.start, range.end, &range);
    printKeyPoints(report);
    for (const analysis::UnsearchedPart& part : report.unsearched) {
        const QString curves = part.otherCurve < 0 ? curveName(request.functions, part.curve)
                                                   : curveName(request.functions, part.curve) + QStringLiteral(" 与 ") +
                                                         curveName(request.functions, part.otherCurve);
        printError(QStringLiteral("%1：计算次数已到上限，%2 到 %3 之间没有找完")
                       .arg(curves, QString::fromStdString(analysis::evaluatorText(part.from)),
                            QString::fromStdString(analysis::evaluatorText(part.to))));
    }
    for (int curve : report.curvesWithoutPoints) {
        analysis::CurveReader reader(request.functions[static_cast<size_t>(curve)], componentEvaluator(calculator));
        printError(QStringLiteral("%1：取值范围内一个点也没有，x = %2 时的答案是 %3")
                       .arg(curveName(request.functions, curve),
                            QString::fromStdString(analysis::evaluatorText(range.start)),
                            explainedAnswer(request.functions[static_cast<size_t>(curve)],
                                            QString::fromStdString(reader.answerAt(range.start)))));
    }
    return report.curvesWithoutPoints.empty() ? kDone : kCurveWithoutPoints;
}

int table(const ReadingRequest& request, const SamplingRange& range, ombra::com::LateBoundObject& calculator) {
    const analysis::ValueTable values =
        analysis::makeValueTable(request.functions, componentEvaluator(calculator), range);
    if (values.rows.empty()) {
        printError(QStringLiteral("无法列数值表：从起始值按步长走不到终止值，一行也没有。%1")
                       .arg(QString::fromUtf8(kRangeExample)));
        return kRefused;
    }
    const std::string text = analysis::tabSeparated(values);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    int status = kDone;
    for (size_t curve = 0; curve < request.functions.size(); ++curve) {
        const bool anyPoint = std::any_of(values.rows.begin(), values.rows.end(), [curve](const auto& row) {
            return curveCoordinate(row[curve + 1]).has_value();
        });
        if (anyPoint) continue;
        printError(QStringLiteral("%1：取值范围内一个点也没有，x = %2 时的答案是 %3")
                       .arg(curveName(request.functions, static_cast<int>(curve)),
                            QString::fromStdString(values.rows.front()[0]),
                            explainedAnswer(request.functions[curve],
                                            QString::fromStdString(values.rows.front()[curve + 1]))));
        status = kCurveWithoutPoints;
    }
    return status;
}

}  // namespace

int runReading(const ReadingRequest& request) {
    LoadSettings();
    const SettingsRecord& record = Settings();
    const auto reading = readSamplingRange(request.start.value_or(integerText(record.start)),
                                           request.end.value_or(integerText(record.end)),
                                           request.step.value_or(integerText(record.step)));
    if (const QString* refusal = std::get_if<QString>(&reading)) {
        printError(*refusal + QStringLiteral("。") + QString::fromUtf8(kRangeExample));
        return kRefused;
    }
    ombra::com::LateBoundObject calculator = ombra::com::LateBoundObject::create(ombra::com::kCalculatorProgId);
    const SamplingRange& range = std::get<SamplingRange>(reading);
    return request.kind == ReadingRequest::Kind::KeyPoints ? keyPoints(request, range, calculator)
                                                           : table(request, range, calculator);
}

}  // namespace plotdesk

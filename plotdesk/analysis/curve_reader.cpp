#include "analysis/curve_reader.h"

#include "calculator/number_text.h"

#include <utility>

namespace plotdesk::analysis {

CurveReader::CurveReader(const QString& expression, Evaluator evaluator)
    : template_(expression, QLatin1Char('x')), evaluator_(std::move(evaluator)) {}

std::string CurveReader::answerAtText(std::string_view xText) {
    ++evaluations_;
    return evaluator_(template_.with(xText));
}

std::string CurveReader::answerAt(double x) { return answerAtText(variantText(x, buffer_)); }

std::optional<double> CurveReader::valueAt(double x) { return ombra::number_text::readDouble(answerAt(x)); }

std::string substitutedText(double x) {
    NumberTextBuffer buffer;
    return std::string(variantText(x, buffer));
}

std::string evaluatorText(double x) {
    namespace nt = ombra::number_text;
    return nt::write(x, nt::Layout{15, 15, false, false});
}

}  // namespace plotdesk::analysis

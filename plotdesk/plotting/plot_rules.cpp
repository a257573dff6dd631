#include "plotting/plot_rules.h"

#include "settings/number_text.h"

#include <cmath>
#include <limits>
#include <string_view>

#include "calculator/number_text.h"

namespace plotdesk {

int16_t nextColourIndex(int16_t index, int entryCount) {
    const int next = index + 1;
    return static_cast<int16_t>(next > entryCount - 1 ? 1 : next);
}

std::string_view variantText(double value, NumberTextBuffer& buffer) {
    return ombra::number_text::write(value, ombra::number_text::kGeneralDouble, buffer);
}

VariableTemplate::VariableTemplate(const QString& expression, QChar letter) {
    const qsizetype size = expression.size();
    qsizetype pieceStart = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const bool letterBefore = i > 0 && expression[i - 1].isLetter();
        const bool letterAfter = i + 1 < size && expression[i + 1].isLetter();
        if (expression[i] == letter && !letterBefore && !letterAfter) {
            pieces_.push_back(expression.mid(pieceStart, i - pieceStart).toStdString());
            pieceStart = i + 1;
        }
    }
    pieces_.push_back(expression.mid(pieceStart).toStdString());
}

const std::string& VariableTemplate::with(std::string_view valueText) {
    text_.assign(pieces_.front());
    for (size_t i = 1; i < pieces_.size(); ++i) {
        text_ += '(';
        text_ += valueText;
        text_ += ')';
        text_ += pieces_[i];
    }
    return text_;
}

// Result texts are read once per sample: the evaluator writes numbers in
// plain ASCII, which the number-text unit reads in place.
std::optional<double> curveCoordinate(std::string_view resultText) {
    const std::optional<double> value = ombra::number_text::readDouble(resultText);
    if (!value || !(std::fabs(*value) <= std::numeric_limits<float>::max())) return std::nullopt;
    return value;
}

bool joinsPrevious(double previousY, double y) { return std::fabs(previousY - y) < kPoleJump; }

std::optional<double> SamplingRange::after(double v) const {
    const double next = v + step;
    if (next == v) return std::nullopt;
    return next;
}

// The span is halved before it is divided, so that a range across the
// whole double range (-1E+308 to 1E+308) does not overflow to infinity and
// count as endless; halving and doubling are exact, so every other range
// gets the count the plain quotient gives.
double SamplingRange::expectedSamples() const {
    if (!contains(start)) return 0;
    return std::floor((end / 2 - start / 2) / step * 2) + 1;
}

std::variant<SamplingRange, QString> readSamplingRange(const QString& start, const QString& end, const QString& step) {
    const std::optional<double> first = toDouble(start);
    if (!first) return QStringLiteral("无法绘图：起始值不是数字");
    const std::optional<double> last = toDouble(end);
    if (!last) return QStringLiteral("无法绘图：终止值不是数字");
    const std::optional<double> by = toDouble(step);
    if (!by) return QStringLiteral("无法绘图：步长不是数字");
    if (*by == 0) return QStringLiteral("无法绘图：步长不能为 0");

    const SamplingRange range{*first, *last, *by};
    if (!(range.expectedSamples() <= kMaximumSamples))
        return QStringLiteral("无法绘图：采样点超过 1000000 个，请增大步长");
    return range;
}

}  // namespace plotdesk

// One operation: the leftmost operator of a level, its two operands cut out of
// the operand skeleton, checked, computed and spliced back as "[value]".

#include <string_view>

#include "alphabet.h"
#include "calculator/Calculator.h"
#include "encoding.h"
#include "numbers.h"
#include "operand_skeleton.h"

namespace ombra {
namespace {

using numbers::NumberFailure;
using numbers::roundToInt32;

// 1-based position of the first `mark` in `text`, 0 when absent.
size_t firstPosition(const std::string& text, char mark) {
    const size_t found = text.find(mark);
    return found == std::string::npos ? 0 : found + 1;
}

bool isComparisonMark(char mark) {
    return mark != 0 && alphabet::kComparisonMarks.find(mark) != std::string_view::npos;
}

bool compare(char mark, double left, double right) {
    switch (mark) {
        case '=': return left == right;
        case '>': return left > right;
        case '<': return left < right;
        case ':': return left >= right;
        case ';': return left <= right;
        default: return left != right;  // "}"
    }
}

bool isLogicalLevel(std::string_view level) {
    return level.size() == 1 && alphabet::kLogicalMarks.find(level[0]) != std::string_view::npos;
}

// The operations on two 32-bit integers: "\\", "%" and the logical ones.
int32_t integerOperation(std::string_view level, int32_t a, int32_t b) {
    switch (level[0]) {
        case '\\': return numbers::integerQuotient(a, b);
        case '%': return numbers::integerRemainder(a, b);
        case '&': return a & b;
        case '|': return a | b;
        case '!': return a ^ b;
        case '~': return ~(a ^ b);
        default: return ~a | b;  // "'": IMP
    }
}

std::string_view truthText(bool value) { return value ? alphabet::kTrueResult : alphabet::kFalseResult; }

}  // namespace

std::string Calculator::ApplyOperator(std::string text, const std::string& level) {
    encoding::cleanOperatorText(text);
    // The operator: the leftmost mark of the level (positions are 1-based).
    char op = 0;
    size_t position = 0;
    if (level == alphabet::kAddLevel || level == alphabet::kMultiplyLevel) {
        const size_t a = firstPosition(text, level[0]);
        const size_t b = firstPosition(text, level[1]);
        if (a != 0 || b != 0) {
            const bool first = (a < b && a != 0) || b == 0;
            op = first ? level[0] : level[1];
            position = first ? a : b;
        }
    } else if (level == alphabet::kComparisonLevel) {
        for (char mark : alphabet::kComparisonMarks) {
            const size_t at = firstPosition(text, mark);
            if (position == 0 || (at != 0 && at < position)) {
                position = at;
                op = mark;
            }
        }
    } else {
        const size_t found = text.find(level);
        position = found == std::string::npos ? 0 : found + 1;
    }
    if (position == 0) return text;

    // The operands: the runs of the skeleton around the operator.
    thread_local OperandCut cut;
    cutOperands(text, position, cut);
    const size_t leftStart = cut.leftStart;
    const size_t rightLength = cut.rightLength;  // j
    std::string& left = cut.left;
    std::string& right = cut.right;
    encoding::unwrapOperand(left);
    encoding::unwrapOperand(right);

    const bool isNot = level == alphabet::kNotLevel;
    const bool isSign = op == '+' || op == '-';
    if (!isSign && !isNot) {
        encoding::truthWordsAsNumbers(left);
        encoding::truthWordsAsNumbers(right);
        if (!numbers::isNumeric(left) || !numbers::isNumeric(right)) return failQuietly(alphabet::kSyntaxError);
    } else {
        encoding::truthWordsAsNumbers(right);
        if (!numbers::isNumeric(right)) return failQuietly(alphabet::kSyntaxError);
    }

    std::string value;
    try {
        const double r = numbers::leadingNumber(right);
        if (isNot) {
            LogicalResult = -1;
            value = numbers::integerText(~roundToInt32(r));
        } else {
            const double l = numbers::leadingNumber(left);
            if (isComparisonMark(op)) {
                LogicalResult = -1;
                value = truthText(compare(op, l, r));
            } else if (op == '*') {
                value = numbers::numberText(numbers::multiply(l, r));
            } else if (op == '/') {
                value = numbers::numberText(numbers::divide(l, r));
            } else if (op == '+') {
                value = numbers::numberText(numbers::add(l, r));
            } else if (op == '-') {
                value = numbers::numberText(numbers::subtract(l, r));
            } else if (level == alphabet::kPowerLevel) {
                value = numbers::numberText(numbers::power(l, r));
            } else {
                if (isLogicalLevel(level)) LogicalResult = -1;
                const int32_t a = roundToInt32(l);
                const int32_t b = roundToInt32(r);
                value = numbers::integerText(integerOperation(level, a, b));
            }
        }
    } catch (const NumberFailure& failure) {
        return failWithNumberText(failure.number);
    }

    // Splice: text before the left operand, the value, the next mark onwards.
    std::string result(text, 0, leftStart);
    result.push_back('[');
    result.append(value);
    result.push_back(']');
    if (rightLength != 0 && position + rightLength - 1 < text.size())
        result.append(text, position + rightLength - 1, std::string::npos);

    encoding::markValues(result);
    return result;
}

}  // namespace ombra

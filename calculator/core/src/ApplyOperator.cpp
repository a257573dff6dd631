// One operation: the leftmost operator of a level, which ReduceLevel found,
// its two operands cut out of the operand skeleton, checked, computed and
// spliced back as "[value]".

#include <string_view>

#include "alphabet.h"
#include "calculator/Calculator.h"
#include "calculator/error_numbers.h"
#include "encoding.h"
#include "level_text.h"
#include "numbers.h"

namespace ombra {
namespace {

using numbers::NumberFailure;
using numbers::roundToInt32;

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

bool Calculator::ApplyOperator(LevelText& text, const std::string& level, size_t position) {
    // The levels with more than one mark tell their operations by the mark.
    const bool markedOperation =
        level == alphabet::kAddLevel || level == alphabet::kMultiplyLevel || level == alphabet::kComparisonLevel;
    const char op = markedOperation ? text.at(position) : 0;

    // The operands: the runs of the skeleton around the operator.
    OperandCut& cut = text.cutOperands(position);
    std::string& left = cut.left;
    std::string& right = cut.right;
    encoding::unwrapOperand(left);
    encoding::unwrapOperand(right);

    const bool isNot = level == alphabet::kNotLevel;
    const bool isSign = op == '+' || op == '-';
    if (!isSign && !isNot) {
        encoding::truthWordsAsNumbers(left);
        encoding::truthWordsAsNumbers(right);
        if (!numbers::isNumeric(left) || !numbers::isNumeric(right)) return fails(errors::kSyntaxError);
    } else {
        encoding::truthWordsAsNumbers(right);
        if (!numbers::isNumeric(right)) return fails(errors::kSyntaxError);
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
        return fails(failure.number);
    }

    text.replace(position, value);
    return true;
}

}  // namespace ombra

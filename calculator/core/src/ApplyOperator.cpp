// One operation: the leftmost operator of a level, which ReduceLevel found,
// its two operands cut out of the operand skeleton, checked, computed by the
// operator's row and spliced back as "[value]".

#include "calculator/Calculator.h"
#include "calculator/error_numbers.h"
#include "encoding.h"
#include "level_text.h"
#include "numbers.h"
#include "operator_table.h"
#include "value_text.h"

namespace ombra {

bool Calculator::ApplyOperator(LevelText& text, size_t position) {
    const operators::OperatorRow* row = operators::rowOf(text.at(position));
    if (row == nullptr) return fails(errors::kSyntaxError);

    // The operands: the runs of the skeleton around the operator.
    OperandCut& cut = text.cutOperands(position);
    std::string& left = cut.left;
    std::string& right = cut.right;
    encoding::unwrapOperand(left);
    encoding::unwrapOperand(right);

    if (row->operands == operators::Operands::Both) {
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
        const double l = row->operands == operators::Operands::RightOnly ? 0 : numbers::leadingNumber(left);
        if (row->logical) LogicalResult = -1;
        value = writtenText(row->apply(l, r), row->written);
    } catch (const numbers::NumberFailure& failure) {
        return fails(failure.number);
    }

    text.replace(position, value);
    return true;
}

}  // namespace ombra

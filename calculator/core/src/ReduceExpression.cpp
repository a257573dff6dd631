// The whole reduction: groups from the inside out, then the flat remainder
// level by level, then the final value as number text.

#include "calculator/Calculator.h"
#include "calculator/error_numbers.h"
#include "encoding.h"
#include "group_text.h"
#include "numbers.h"

namespace ombra {

std::string Calculator::ReduceExpression(std::string& text) {
    try {
        encoding::cleanDriverArgument(text);
        std::string working = text;
        encoding::foldSignsForDriver(working);

        if (working.find(')') != std::string::npos) {
            thread_local GroupText groups;
            groups.start(std::move(working));
            // Every pass removes one ")" or fails, so this loop ends.
            while (groups.findClose() != std::string::npos) {
                if (!ReduceInnermostGroup(groups)) return failWithDigits(ErrorNumber);
            }
            working = groups.text();
        }
        if (working.find('(') != std::string::npos) return failWithDigits(errors::kUnclosedParenthesis);

        if (!ReduceAllLevels(working)) return {};
        encoding::unwrapFinalValue(working);
        return numbers::numberText(numbers::strictToDouble(working));
    } catch (const numbers::NumberFailure& failure) {
        return failWithDigits(failure.number);
    }
}

}  // namespace ombra

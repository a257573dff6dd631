// The whole reduction: groups from the inside out, then the flat remainder
// level by level, then the final value as number text.

#include "alphabet.h"
#include "calculator/Calculator.h"
#include "numbers.h"
#include "text_edit.h"

namespace ombra {
namespace {

void foldSigns(std::string& text) {
    Rewriter r(text);
    r.replaceAll("--", "+");
    r.removeAll(alphabet::kNotPair);
    r.replaceAll("++", "+");
    r.replaceWhilePresent("+-", "-");
    r.replaceWhilePresent("-+", "-");
    r.replaceWhilePresent(alphabet::kNotPair, "");
}

void unwrapFinalValue(std::string& text) {
    replaceAll(text, "EA", "E+");
    replaceAll(text, "EB", "E-");
    replaceAll(text, "{", "[-");
    removeAll(text, "[");
    removeAll(text, "]");
}

}  // namespace

std::string Calculator::ReduceExpression(std::string& text) {
    try {
        {
            Rewriter argument(text);
            argument.removeAll(alphabet::kHalfWidthBlank);
            argument.toUpper();
            argument.replaceAll(alphabet::kModWord, alphabet::kModMark);
        }
        std::string working = text;
        foldSigns(working);

        // Every pass removes one ")" or fails, so this loop ends.
        while (working.find(')') != std::string::npos) {
            working = ReduceInnermostGroup(std::move(working));
            removeAll(working, alphabet::kHalfWidthBlank);
            if (ErrorFlag != 0) return failWithDigits(ErrorNumber);
        }
        if (working.find('(') != std::string::npos) return failWithDigits(alphabet::kUnclosedParenthesis);

        if (!ReduceAllLevels(working)) return {};
        unwrapFinalValue(working);
        return numbers::numberText(numbers::strictToDouble(working));
    } catch (const numbers::NumberFailure& failure) {
        return failWithDigits(failure.number);
    }
}

}  // namespace ombra

// One precedence level: every operator of the level, leftmost first, until
// none is left.

#include "alphabet.h"
#include "calculator/Calculator.h"
#include "numbers.h"
#include "text_edit.h"

namespace ombra {
namespace {

// Folds signs, turns a computed negative value into "{...]", exponent signs
// into EA/EB and truth values written back as "TruE"/"FalsE" into numbers.
void cleanLevelText(std::string& text) {
    Rewriter r(text);
    r.removeAll(alphabet::kHalfWidthBlank);
    r.replaceAll("[-", "{");
    r.replaceAll("--", "+");
    r.replaceAll("++", "+");
    r.removeAll(alphabet::kNotPair);
    r.replaceWhilePresent("+-", "-");
    r.replaceWhilePresent("-+", "-");
    r.replaceWhilePresent(alphabet::kNotPair, "");
    r.replaceAll("e", "E");
    r.replaceAll("E+", "EA");
    r.replaceAll("E-", "EB");
    r.toUpper();
    r.replaceAll(alphabet::kTrueWord, "-1");
    r.replaceAll(alphabet::kFalseWord, "0");
}

std::string_view marksOfLevel(std::string_view level) {
    if (level == alphabet::kComparisonLevel) return alphabet::kComparisonMarks;
    return level;  // "+-", "*/", or a level that is its own single mark
}

}  // namespace

std::string Calculator::ReduceLevel(std::string& text, const std::string& level) {
    cleanLevelText(text);
    try {
        std::string working = text;
        const std::string_view marks = marksOfLevel(level);
        const bool comparing = level == alphabet::kComparisonLevel;
        while (working.find_first_of(marks) != std::string::npos) {
            if (comparing) LogicalResult = -1;
            working = ApplyOperator(std::move(working), level);
            if (ErrorFlag != 0) return {};
        }
        return working;
    } catch (const numbers::NumberFailure& failure) {
        return failWithDigits(failure.number);
    }
}

}  // namespace ombra

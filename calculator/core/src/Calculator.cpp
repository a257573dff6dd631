#include "calculator/Calculator.h"

#include "alphabet.h"
#include "calculator/error_numbers.h"
#include "normalise.h"
#include "numbers.h"
#include "plan_answer.h"

namespace ombra {

std::string Calculator::Calculate(std::string& X) { return Evaluate(X, true); }

std::string Calculator::Evaluate(std::string& X, bool usePlans) {
    ErrorFlag = 0;
    ErrorNumber = 0;
    LogicalResult = 0;

    normalise::cleanInput(X);
    // The bare truth words are answered as numbers, before any evaluation.
    if (X == alphabet::kTrueWord) return "-1";
    if (X == alphabet::kFalseWord) return "0";
    if (X.empty()) {
        std::string empty(alphabet::kResultErrorPrefix);
        empty.append(std::to_string(errors::kEmptyExpression));
        return empty;
    }

    // An expression whose shape has a plan is computed from its numbers alone.
    if (usePlans && plans::answerByPlan(X, LogicalResult)) return X;

    if (normalise::mentionsTruthWords(X)) LogicalResult = -1;

    if (normalise::usesOnlyKnownWords(X)) {
        normalise::rewriteToInternalForm(X);
        std::string reduced = ReduceExpression(X);
        X = std::move(reduced);
    } else {
        ErrorNumber = errors::kForeignCharacter;
        X = alphabet::kStageErrorPrefix;
        X.append(std::to_string(errors::kForeignCharacter));
    }
    normalise::shapeResult(X, {ErrorFlag, ErrorNumber, LogicalResult});
    return X;
}

bool Calculator::fails(int number) {
    ErrorFlag = -1;
    ErrorNumber = static_cast<int16_t>(number);
    return false;
}

std::string Calculator::failWithDigits(int number) {
    fails(number);
    std::string text(alphabet::kStageErrorPrefix);
    text.append(std::to_string(number));
    return text;
}

}  // namespace ombra

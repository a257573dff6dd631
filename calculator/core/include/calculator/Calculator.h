#pragma once
// The expression evaluator control. One operation, Calculate, rewrites an
// expression text step by step until one value is left and returns it as text.

#include <cstdint>
#include <string>

namespace ombra {

class GroupText;
class LevelText;

class Calculator {
public:
    // Evaluates X (UTF-8 text as a user typed it) and returns the result text:
    // a number, "True"/"False", "-1"/"0" for the bare words, or "ERROR#n".
    // X is rewritten in place: it holds the cleaned input after an early
    // answer, otherwise the same text as the result.
    std::string Calculate(std::string& X);

    // Per-call state, cleared at the start of every Calculate.
    int16_t ErrorFlag = 0;      // 0, or -1 once a stage has failed
    int16_t ErrorNumber = 0;    // the number reported as ERROR#n
    int16_t LogicalResult = 0;  // -1: show a final -1/0 as True/False

private:
    // The evaluator's tests reach the rewriting on its own through this
    // (calculator/test_access.h, not installed).
    friend struct CalculatorTestAccess;

    std::string Evaluate(std::string& X, bool usePlans);
    std::string ReduceExpression(std::string& text);
    // Replaces the innermost group of `text` by its value; false when it
    // failed (ErrorFlag is set then).
    bool ReduceInnermostGroup(GroupText& text);
    // Applies every operator of `level` in `text`, which it rewrites; false
    // when one failed (ErrorFlag is set then).
    bool ReduceLevel(std::string& text, const std::string& level);
    // Applies the operator at 1-based `position` of `text`; false
    // when it failed (ErrorFlag is set then).
    bool ApplyOperator(LevelText& text, size_t position);

    // Runs ReduceLevel for each level in precedence order over `text`;
    // false when a level failed (ErrorFlag is set then).
    bool ReduceAllLevels(std::string& text);

    // A stage's failure: set ErrorFlag and ErrorNumber, then answer with
    // false, or with "Error#n" where a stage answers with text.
    bool fails(int number);
    std::string failWithDigits(int number);
};

}  // namespace ombra

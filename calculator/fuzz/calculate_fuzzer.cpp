// Feeds arbitrary bytes to Calculate and aborts unless the answer is one of
// the four result forms: a number as the evaluator writes it, "True"/"False",
// "-1"/"0", or "ERROR#" followed by digits. The same text must also come back
// through X, except for the early answers. And the answer must be the text
// rewriting's own: Calculate may answer from a plan, calculateByRewriting never
// does, and both must leave the same result, X, state fields and random
// sequence.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calculator/Calculator.h"
#include "calculator/test_access.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool allDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!isDigit(c)) return false;
    }
    return true;
}

// Significant digits with no trailing zero after a point, a first digit that
// is not 0 except for the number 0 itself, at most 15 digits.
bool isWrittenNumber(std::string_view text) {
    if (text.starts_with('-')) text.remove_prefix(1);
    if (text == "0") return true;
    const size_t e = text.find('E');
    std::string_view mantissa = text.substr(0, e);
    if (e != std::string_view::npos) {
        std::string_view exponent = text.substr(e + 1);
        if (exponent.size() < 3 || (exponent[0] != '+' && exponent[0] != '-') || !allDigits(exponent.substr(1)))
            return false;
        if (mantissa.empty() || mantissa[0] == '0' || !isDigit(mantissa[0])) return false;
        if (mantissa.size() > 1 && (mantissa[1] != '.' || mantissa.size() < 3)) return false;
    }
    const size_t point = mantissa.find('.');
    std::string_view whole = mantissa.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
    if (point != std::string_view::npos && (fraction.empty() || fraction.back() == '0' || !allDigits(fraction)))
        return false;
    if (!whole.empty() && (!allDigits(whole) || whole[0] == '0')) return false;
    if (whole.empty() && fraction.empty()) return false;
    size_t significant = whole.size() + fraction.size();
    if (whole.empty()) {
        size_t zeros = 0;
        while (zeros < fraction.size() && fraction[zeros] == '0') ++zeros;
        significant -= zeros;
    }
    return significant <= 15;
}

bool isResultForm(std::string_view result) {
    if (result == "True" || result == "False") return true;
    if (result.starts_with("ERROR#")) return allDigits(result.substr(6));
    return isWrittenNumber(result);
}

// What one call leaves behind, the random sequence included: each path starts
// from the same point of it, and the draw after the call shows where the call
// left it.
struct Outcome {
    std::string result;
    std::string text;
    int16_t errorFlag;
    int16_t errorNumber;
    int16_t logicalResult;
    std::string nextRandom;
    bool operator==(const Outcome&) const = default;
};

Outcome run(ombra::Calculator& calculator, const std::string& input, bool byPlans) {
    std::string scratch = "RND(-7)";
    ombra::CalculatorTestAccess::calculateByRewriting(calculator, scratch);
    Outcome o;
    o.text = input;
    o.result =
        byPlans ? calculator.Calculate(o.text) : ombra::CalculatorTestAccess::calculateByRewriting(calculator, o.text);
    o.errorFlag = calculator.ErrorFlag;
    o.errorNumber = calculator.ErrorNumber;
    o.logicalResult = calculator.LogicalResult;
    scratch = "RND(1)";
    o.nextRandom = ombra::CalculatorTestAccess::calculateByRewriting(calculator, scratch);
    return o;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ombra::Calculator calculator;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const Outcome answered = run(calculator, input, true);
    if (!(answered == run(calculator, input, false))) std::abort();
    if (!isResultForm(answered.result)) std::abort();
    const bool earlyAnswer = answered.result == "-1" || answered.result == "0" || answered.result == "ERROR#7";
    if (!earlyAnswer && answered.text != answered.result) std::abort();
    return 0;
}

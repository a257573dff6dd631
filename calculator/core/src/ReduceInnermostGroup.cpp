// One parenthesised group: the innermost one is reduced level by level, the
// function in front of it (if any) applied, and the value put in its place.

#include "alphabet.h"
#include "calculator/Calculator.h"
#include "encoding.h"
#include "functions.h"
#include "numbers.h"
#include "text_edit.h"

namespace ombra {
namespace {

constexpr size_t kFunctionNameLength = 3;

// 1-based positions of the first ")" and of the last "(" before it (0: none).
struct Group {
    size_t open = 0;
    size_t close = 0;
};

Group locateGroup(const std::string& text) {
    Group group;
    const size_t close = text.find(')');
    if (close == std::string::npos) return group;
    group.close = close + 1;
    const size_t open = close == 0 ? std::string::npos : text.rfind('(', close - 1);
    group.open = open == std::string::npos ? 0 : open + 1;
    return group;
}

bool allowedBeforeGroup(char c) { return alphabet::isOperatorMark(c) || c == '(' || c == '{'; }
bool allowedAfterGroup(char c) { return alphabet::isOperatorMark(c) || c == ')' || c == '{'; }

bool isFunctionName(std::string_view name) {
    for (std::string_view known : alphabet::kFunctionNames) {
        if (known == name) return true;
    }
    return false;
}

}  // namespace

std::string Calculator::ReduceInnermostGroup(std::string text) {
    toUpperCase(text);
    const Group group = locateGroup(text);

    // The neighbours of the group are checked with the function names taken
    // out, so that a name counts as part of its group.
    thread_local std::string check;
    check = text;
    {
        Rewriter k(check);
        for (std::string_view name : alphabet::kFunctionNames) k.removeAll(name);
    }
    const Group checked = locateGroup(check);
    if (checked.open > 1 && !allowedBeforeGroup(check[checked.open - 2])) return failQuietly(alphabet::kSyntaxError);
    if (checked.close < check.size() && !allowedAfterGroup(check[checked.close]))
        return failQuietly(alphabet::kSyntaxError);
    if (group.open == 0) return failWithNumberText(alphabet::kUnopenedParenthesis);

    std::string content = text.substr(group.open, group.close - group.open - 1);
    try {
        if (!ReduceAllLevels(content)) return {};
        encoding::unmarkValue(content);

        std::string result;
        const std::string_view name =
            group.open > kFunctionNameLength
                ? std::string_view(text).substr(group.open - 1 - kFunctionNameLength, kFunctionNameLength)
                : std::string_view();
        if (isFunctionName(name)) {
            const double x = numbers::strictToDouble(content);
            result.assign(text, 0, group.open - 1 - kFunctionNameLength);
            result.push_back('[');
            result.append(functions::valueText(name, x));
        } else {
            result.assign(text, 0, group.open - 1);
            result.push_back('[');
            result.append(content);
        }
        result.push_back(']');
        result.append(text, group.close, std::string::npos);

        encoding::markValues(result);
        return result;
    } catch (const numbers::NumberFailure& failure) {
        return failWithNumberText(failure.number);
    }
}

}  // namespace ombra

// One parenthesised group: the innermost one is reduced level by level, the
// function in front of it (if any) applied, and the value put in its place.

#include "alphabet.h"
#include "calculator/Calculator.h"
#include "calculator/error_numbers.h"
#include "encoding.h"
#include "functions.h"
#include "group_text.h"
#include "numbers.h"
#include "text_edit.h"

namespace ombra {
namespace {

constexpr size_t kNone = std::string::npos;

using alphabet::allowedAfterGroup;
using alphabet::allowedBeforeGroup;
using alphabet::kFunctionNameLength;

}  // namespace

bool Calculator::ReduceInnermostGroup(GroupText& text) {
    text.toUpper();
    // The group: the first ")" (the driver calls only while there is one)
    // and the last "(" before it.
    const size_t close = text.findClose();
    const size_t open = text.findOpen(close);

    if (open != kNone) {
        const std::optional<char> before = text.checkedBefore(open);
        if (before && !allowedBeforeGroup(*before)) return fails(errors::kSyntaxError);
    }
    const std::optional<char> after = text.checkedAfter(close);
    if (after && !allowedAfterGroup(*after)) return fails(errors::kSyntaxError);
    if (open == kNone) return fails(errors::kUnopenedParenthesis);

    thread_local std::string content;
    content.clear();
    text.copy(open + 1, close, content);
    try {
        if (!ReduceAllLevels(content)) return false;
        encoding::unmarkValue(content);

        thread_local std::string name;
        name.clear();
        if (open >= kFunctionNameLength) text.copy(open - kFunctionNameLength, open, name);
        thread_local std::string value;
        value.assign(1, '[');
        size_t from = open;
        if (const functions::FunctionRow* function = functions::rowNamed(name)) {
            value.append(functions::valueText(*function, numbers::strictToDouble(content)));
            from -= kFunctionNameLength;
        } else {
            value.append(content);
        }
        value.push_back(']');
        encoding::markValues(value);
        // The driver drops every blank after each group; only the value can
        // hold one.
        removeAll(value, alphabet::kHalfWidthBlank);
        text.replace(from, close, value);
        return true;
    } catch (const numbers::NumberFailure& failure) {
        return fails(failure.number);
    }
}

}  // namespace ombra

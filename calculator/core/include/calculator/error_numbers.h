#pragma once
// The error numbers a result "ERROR#n" can carry, each with what it means.
// The stages raise 1, 2, 3, 4 and 7 themselves; 5, 6, 11 and 13 are the
// run-time failures of the arithmetic, passed through unchanged.

#include <array>
#include <string_view>

namespace ombra::errors {

enum Number : int {
    kUnopenedParenthesis = 1,
    kUnclosedParenthesis = 2,
    kForeignCharacter = 3,
    kSyntaxError = 4,
    kInvalidArgument = 5,
    kOverflow = 6,
    kEmptyExpression = 7,
    kDivisionByZero = 11,
    kTypeMismatch = 13,
};

struct Meaning {
    Number number;
    std::string_view text;
};

inline constexpr auto kMeanings = std::to_array<Meaning>({
    {kUnopenedParenthesis, "a \")\" with no \"(\" before it"},
    {kUnclosedParenthesis, "a \"(\" that is never closed"},
    {kForeignCharacter, "a character or word outside the alphabet (a variable, a comma)"},
    {kSyntaxError, "syntax error (a number right before \"(\", an operator without a number)"},
    {kInvalidArgument, "invalid argument (LOG of 0 or less, SQR of a negative number)"},
    {kOverflow, "overflow, or an invalid result such as 0/0"},
    {kEmptyExpression, "the expression is empty"},
    {kDivisionByZero, "division by zero, also inside a function such as COSEC(0)"},
    {kTypeMismatch, "not a number (a function with an empty argument)"},
});

}  // namespace ombra::errors

#pragma once
// The evaluator's rewrite sequences, each listed once under the name of the
// step it serves, in the order that step applies it: sign folding, the
// cleaning at the start of a level, the operand skeleton, and the marking and
// unmarking of computed values. The stages call the named functions below;
// each function either applies its sequence literally or takes a shortcut
// that the tests check against the sequence.

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "alphabet.h"

namespace ombra::encoding {

enum class StepKind {
    ReplaceAll,        // every occurrence, found left to right in one pass
    ReplaceUntilGone,  // replaceAll again and again until none is left
    UpperCase,
};

struct Step {
    StepKind kind;
    std::string_view from;
    std::string_view to;
};

// One replace-all pass, a pass that removes, and a replace-until-gone.
constexpr Step pass(std::string_view from, std::string_view to) { return {StepKind::ReplaceAll, from, to}; }
constexpr Step strip(std::string_view what) { return {StepKind::ReplaceAll, what, {}}; }
constexpr Step untilGone(std::string_view from, std::string_view to) { return {StepKind::ReplaceUntilGone, from, to}; }
inline constexpr Step kUpperCase{StepKind::UpperCase, {}, {}};

// Applies the steps in order. A replace-until-gone of one of the folding
// pairs ("+-", "-+", "``") runs in one pass over the text: the result of
// those rewritings does not depend on the order in which pairs are taken.
void apply(std::span<const Step> sequence, std::string& text);

// ReduceExpression, on its argument: no blanks, upper case, MOD as its mark.
inline constexpr auto kDriverArgumentCleaning = std::to_array<Step>({
    strip(" "),
    kUpperCase,
    pass("MOD", "%"),
});

// ReduceExpression, on its working text before the first group.
inline constexpr auto kDriverSignFolding = std::to_array<Step>({
    pass("--", "+"),
    strip("``"),
    pass("++", "+"),
    untilGone("+-", "-"),
    untilGone("-+", "-"),
    untilGone("``", ""),
});

// The sequences put together, one after the other.
template <size_t... Sizes>
constexpr auto joined(const std::array<Step, Sizes>&... parts) {
    std::array<Step, (Sizes + ...)> all{};
    size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), all.begin() + at), at += parts.size()), ...);
    return all;
}

// ReduceLevel's sign folding, in an order of its own ("++" before the NOT
// pairs).
inline constexpr auto kLevelSignFolding = std::to_array<Step>({
    pass("--", "+"),
    pass("++", "+"),
    strip("``"),
    untilGone("+-", "-"),
    untilGone("-+", "-"),
    untilGone("``", ""),
});

// ReduceLevel, on its text before the first operator: signs folded,
// computed negative values as "{", exponent signs as EA/EB, and truth values
// written back as TruE/FalsE as numbers again.
inline constexpr auto kLevelCleaning = joined(std::to_array<Step>({strip(" "), pass("[-", "{")}), kLevelSignFolding,
                                              std::to_array<Step>({
                                                  pass("e", "E"),
                                                  pass("E+", "EA"),
                                                  pass("E-", "EB"),
                                                  kUpperCase,
                                                  pass("TRUE", "-1"),
                                                  pass("FALSE", "0"),
                                              }));

// ApplyOperator, on its text before it looks for the operator.
inline constexpr auto kOperatorTextCleaning = std::to_array<Step>({
    strip(" "),
    pass("[-", "{"),
});

// ApplyOperator's operand skeleton: exponent signs and sign pairs folded, a
// "-" right behind one of the seventeen marks other than "+" and "-" made the
// sign "{" of the right operand, then every operator mark a ",".
inline constexpr auto kOperandSkeleton = std::to_array<Step>({
    pass("E+", "EA"),     pass("E-", "EB"),      //
    pass("--", "+"),      strip("``"),           //
    pass("++", "+"),      untilGone("+-", "-"),  //
    untilGone("-+", "-"), untilGone("``", ""),   //
    pass("*-", "*{"),     pass("/-", "/{"),      //
    pass("\\-", "\\{"),   pass("%-", "%{"),      //
    pass("^-", "^{"),     pass("=-", "={"),      //
    pass(">-", ">{"),     pass("<-", "<{"),      //
    pass("}-", "}{"),     pass(":-", ":{"),      //
    pass(";-", ";{"),     pass("`-", "`{"),      //
    pass("&-", "&{"),     pass("|-", "|{"),      //
    pass("!-", "!{"),     pass("~-", "~{"),      //
    pass("'-", "'{"),                            //
    pass("+", ","),       pass("-", ","),        //
    pass("*", ","),       pass("/", ","),        //
    pass("\\", ","),      pass("%", ","),        //
    pass("^", ","),       pass("=", ","),        //
    pass(">", ","),       pass("<", ","),        //
    pass("}", ","),       pass(":", ","),        //
    pass(";", ","),       pass("`", ","),        //
    pass("&", ","),       pass("|", ","),        //
    pass("!", ","),       pass("~", ","),        //
    pass("'", ","),                              //
    pass("e", "E"),
});

// A value freshly written into the text by ApplyOperator or
// ReduceInnermostGroup: a negative one as "{v]", exponent signs as EA/EB.
inline constexpr auto kValueMarking = std::to_array<Step>({
    pass("[-", "{"),
    pass("e", "E"),
    pass("E+", "EA"),
    pass("E-", "EB"),
});

// The reduced content of a group, back to the plain text of its value.
inline constexpr auto kValueUnmarking = std::to_array<Step>({
    pass("{", "[-"),
    strip("["),
    strip("]"),
    pass("EA", "E+"),
    pass("EB", "E-"),
});

// An operand cut out of the skeleton, back to plain upper-case text.
inline constexpr auto kOperandUnwrapping = std::to_array<Step>({
    pass("{", "[-"),
    strip("["),
    strip("]"),
    pass("EA", "E+"),
    pass("EB", "E-"),
    kUpperCase,
});

// An operand whose truth words count as the numbers -1 and 0.
inline constexpr auto kTruthWordsAsNumbers = std::to_array<Step>({
    pass("TRUE", "-1"),
    pass("FALSE", "0"),
});

// ReduceExpression's final value before it is read as a number (an order of
// its own: the exponent marks go first).
inline constexpr auto kFinalValueUnwrapping = std::to_array<Step>({
    pass("EA", "E+"),
    pass("EB", "E-"),
    pass("{", "[-"),
    strip("["),
    strip("]"),
});

// Calculate's result text before it is checked as a number.
inline constexpr auto kResultUnwrapping = std::to_array<Step>({
    strip(" "),
    pass("{", "[-"),
    strip("["),
    strip("]"),
    kUpperCase,
});

// ReduceInnermostGroup's check copy: every function name and code removed,
// one pass each, in the order of alphabet::kFunctionNames.
inline constexpr auto kFunctionNameRemoval = [] {
    std::array<Step, alphabet::kFunctionNames.size()> steps{};
    for (size_t k = 0; k < steps.size(); ++k) steps[k] = strip(alphabet::kFunctionNames[k]);
    return steps;
}();

// The named steps. Each applies its sequence above to the whole text, after a
// test that skips texts the sequence would leave unchanged.
void cleanDriverArgument(std::string& text);
void foldSignsForDriver(std::string& text);
void foldSignsForLevel(std::string& text);
void cleanForLevel(std::string& text);
void cleanOperatorText(std::string& text);
void markValues(std::string& text);
void unmarkValue(std::string& text);
void unwrapOperand(std::string& text);
void truthWordsAsNumbers(std::string& text);
void unwrapFinalValue(std::string& text);
void unwrapResult(std::string& text);
void removeFunctionNames(std::string& text);

// ReduceLevel's skip test: true exactly when kLevelCleaning would change a
// text of the internal alphabet (any byte from 0x80 up counts as a change).
bool needsLevelCleaning(std::string_view text);

}  // namespace ombra::encoding

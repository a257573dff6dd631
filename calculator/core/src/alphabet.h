#pragma once
// The evaluator's internal alphabet: operator marks, function names and
// codes, precedence levels, the full-width map, the words the input may hold
// and the order in which the input is rewritten. Every stage reads these
// tables; no stage spells a mark or a name of its own.

#include <algorithm>
#include <array>
#include <string_view>

#include "function_table.h"

namespace ombra::alphabet {

struct Replacement {
    std::string_view from;
    std::string_view to;
};

// The mark that stands for NOT (the grave accent).
inline constexpr char kNotMark = '`';
inline constexpr std::string_view kNotLevel = "`";

// The precedence levels, in the order in which they are reduced.
inline constexpr std::string_view kComparisonLevel = "比较";
inline constexpr std::string_view kAddLevel = "+-";
inline constexpr std::string_view kMultiplyLevel = "*/";
inline constexpr std::string_view kPowerLevel = "^";
// Every other level is its own single mark.
inline constexpr std::array<std::string_view, 12> kLevels = {"^", "*/", "\\", "%", "+-", "比较",
                                                             "`", "&",  "|",  "!", "~",  "'"};

// Mark sets that stages loop over are named arrays, so every view of one
// points into the same object.
// The seventeen marks after which a "-" is the sign of the right operand.
inline constexpr char kMarksTakingSignedOperandText[] = "*/\\%^=><}:;`&|!~'";
// All nineteen operator marks: "+", "-" and the seventeen above.
inline constexpr char kOperatorMarksText[] = "+-*/\\%^=><}:;`&|!~'";
// Comparison marks in the order in which their first positions are compared.
inline constexpr char kComparisonMarksText[] = "=><:;}";
inline constexpr std::string_view kComparisonMarks = kComparisonMarksText;

// The marks a level looks for: "+-" and "*/" look for both of their marks,
// the comparison level for the six comparison marks, every other level for
// its own single mark.
constexpr std::string_view marksOfLevel(std::string_view level) {
    return level == kComparisonLevel ? kComparisonMarks : level;
}

// Function names and codes written in front of "(", all three characters,
// in the order of the function table.
inline constexpr size_t kFunctionNameLength = 3;
inline constexpr auto kFunctionNames = [] {
    std::array<std::string_view, functions::kFunctionTable.size()> names{};
    for (size_t k = 0; k < names.size(); ++k) {
        names[k] = functions::kFunctionTable[k].code;
        if (names[k].size() != kFunctionNameLength) throw "every name in front of a group has three characters";
    }
    return names;
}();

// Full-width characters and their half-width equivalents, in mapping order:
// digits, capitals, then the punctuation the input may use. Nothing else is
// mapped; the lower-case full-width letters become capitals beforehand.
inline constexpr auto kFullWidthMap = std::to_array<Replacement>({
    {"０", "0"}, {"１", "1"}, {"２", "2"}, {"３", "3"}, {"４", "4"}, {"５", "5"}, {"６", "6"},  {"７", "7"},
    {"８", "8"}, {"９", "9"}, {"Ａ", "A"}, {"Ｂ", "B"}, {"Ｃ", "C"}, {"Ｄ", "D"}, {"Ｅ", "E"},  {"Ｆ", "F"},
    {"Ｇ", "G"}, {"Ｈ", "H"}, {"Ｉ", "I"}, {"Ｊ", "J"}, {"Ｋ", "K"}, {"Ｌ", "L"}, {"Ｍ", "M"},  {"Ｎ", "N"},
    {"Ｏ", "O"}, {"Ｐ", "P"}, {"Ｑ", "Q"}, {"Ｒ", "R"}, {"Ｓ", "S"}, {"Ｔ", "T"}, {"Ｕ", "U"},  {"Ｖ", "V"},
    {"Ｗ", "W"}, {"Ｘ", "X"}, {"Ｙ", "Y"}, {"Ｚ", "Z"}, {"．", "."}, {"％", "%"}, {"︿", "^"},  {"＋", "+"},
    {"－", "-"}, {"＊", "*"}, {"／", "/"}, {"＞", ">"}, {"＜", "<"}, {"＝", "="}, {"＼", "\\"}, {"（", "("},
    {"）", ")"}, {"＇", "'"},
});

// The words and characters the cleaned input may consist of, removed in this
// order from a scratch copy; anything left over is foreign. The function
// words stand between the digits and MOD: the long words in their check
// order, then the short names in table order, so that "SEC" is removed twice,
// once among the long words and once among the short names.
inline constexpr std::string_view kCheckedBeforeFunctions[] = {
    "+", "-", "*", "/", "%", "^", "\\", "(", ")", ".", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
};
inline constexpr std::string_view kCheckedAfterFunctions[] = {
    "MOD", "PI", "TRUE", "FALSE", "=", "<", ">", "NOT", "AND", "XOR", "OR", "EQV", "IMP", "E+", "E-", "E",
};
inline constexpr auto kAlphabetCheckList = [] {
    constexpr auto& table = functions::kFunctionTable;
    constexpr size_t longWords = std::ranges::count_if(table, [](const auto& row) { return row.checkPlace != 0; });
    constexpr size_t shortNames = std::ranges::count_if(table, functions::isShortName);
    std::array<std::string_view,
               std::size(kCheckedBeforeFunctions) + longWords + shortNames + std::size(kCheckedAfterFunctions)>
        list{};
    size_t n = 0;
    for (std::string_view word : kCheckedBeforeFunctions) list[n++] = word;
    for (int place = 1; place <= static_cast<int>(longWords); ++place) {
        const auto* row = std::ranges::find(table, place, &functions::FunctionRow::checkPlace);
        if (std::ranges::count(table, place, &functions::FunctionRow::checkPlace) != 1)
            throw "each check place is held by one row";
        list[n++] = row->word;
    }
    for (const auto& row : table) {
        if (functions::isShortName(row)) list[n++] = row.word;
    }
    for (std::string_view word : kCheckedAfterFunctions) list[n++] = word;
    return list;
}();

// The rewrite of the checked input into the internal form, one replace-all
// per row, in this order: MOD, the long function words to their codes in
// rewrite order, then the rows below. EXP and SEC are parked as CCCCC and
// DDDDD while every other E becomes "(E)"; an "(E)" right after a digit (or
// after the constant e) and followed by a sign is an exponent, any other is
// e itself.
inline constexpr auto kRewriteAfterFunctions = std::to_array<Replacement>({
    {"PI", "(3.14159265358979)"},
    {"TRUE", "(-1)"},
    {"FALSE", "(0)"},
    {"NOT", "`"},
    {"AND", "&"},
    {"XOR", "!"},
    {"OR", "|"},
    {"EQV", "~"},
    {"IMP", "'"},
    {"EXP", "CCCCC"},
    {"SEC", "DDDDD"},
    {"E", "(E)"},
    {"1(E)+", "1EA"},
    {"2(E)+", "2EA"},
    {"3(E)+", "3EA"},
    {"4(E)+", "4EA"},
    {"5(E)+", "5EA"},
    {"6(E)+", "6EA"},
    {"7(E)+", "7EA"},
    {"8(E)+", "8EA"},
    {"9(E)+", "9EA"},
    {"0(E)+", "0EA"},
    {"(E)(E)+", "(E)EA"},
    {"1(E)-", "1EB"},
    {"2(E)-", "2EB"},
    {"3(E)-", "3EB"},
    {"4(E)-", "4EB"},
    {"5(E)-", "5EB"},
    {"6(E)-", "6EB"},
    {"7(E)-", "7EB"},
    {"8(E)-", "8EB"},
    {"9(E)-", "9EB"},
    {"0(E)-", "0EB"},
    {"(E)(E)-", "(E)EB"},
    {"(E)", "(2.71828182845905)"},
    {"CCCCC", "EXP"},
    {"DDDDD", "SEC"},
    {"<>", "}"},
    {">=", ":"},
    {"=<", "<="},
    {"<=", ";"},
});
inline constexpr auto kInternalFormRewrite = [] {
    constexpr auto& table = functions::kFunctionTable;
    constexpr size_t codes = std::ranges::count_if(table, [](const auto& row) { return row.rewritePlace != 0; });
    std::array<Replacement, 1 + codes + kRewriteAfterFunctions.size()> list{};
    size_t n = 0;
    list[n++] = {"MOD", "%"};
    for (int place = 1; place <= static_cast<int>(codes); ++place) {
        const auto* row = std::ranges::find(table, place, &functions::FunctionRow::rewritePlace);
        if (std::ranges::count(table, place, &functions::FunctionRow::rewritePlace) != 1)
            throw "each rewrite place is held by one row";
        list[n++] = {row->word, row->code};
    }
    for (const Replacement& row : kRewriteAfterFunctions) list[n++] = row;
    return list;
}();

inline constexpr std::string_view kCommentStart = "'";
inline constexpr std::string_view kHalfWidthBlank = " ";
inline constexpr std::string_view kIdeographicSpace = "\u3000";
inline constexpr std::string_view kTrueWord = "TRUE";
inline constexpr std::string_view kFalseWord = "FALSE";
inline constexpr std::string_view kNotWord = "NOT";

// Result and error texts.
inline constexpr std::string_view kStageErrorPrefix = "Error#";
inline constexpr std::string_view kResultErrorPrefix = "ERROR#";
inline constexpr std::string_view kTrueResult = "True";
inline constexpr std::string_view kFalseResult = "False";

// Byte tables for the mark sets the stages test character by character.
constexpr std::array<bool, 256> byteTable(std::string_view bytes) {
    std::array<bool, 256> table{};
    for (char c : bytes) table[static_cast<unsigned char>(c)] = true;
    return table;
}
inline constexpr std::array<bool, 256> kIsOperatorMark = byteTable(kOperatorMarksText);
inline constexpr std::array<bool, 256> kIsMarkTakingSignedOperand = byteTable(kMarksTakingSignedOperandText);

constexpr bool isOperatorMark(char c) { return kIsOperatorMark[static_cast<unsigned char>(c)]; }
constexpr bool isMarkTakingSignedOperand(char c) { return kIsMarkTakingSignedOperand[static_cast<unsigned char>(c)]; }

// What may stand right before the "(" of a group (once the function names
// are taken out) and right after its ")": an operator mark, another bracket
// of the same kind, or the sign of a negative value.
constexpr bool allowedBeforeGroup(char c) { return isOperatorMark(c) || c == '(' || c == '{'; }
constexpr bool allowedAfterGroup(char c) { return isOperatorMark(c) || c == ')' || c == '{'; }

}  // namespace ombra::alphabet

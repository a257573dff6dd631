// The named rewrite sequences: every shortcut a stage takes gives what its
// full sequence gives, on texts made of the internal alphabet.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "encoding.h"
#include "text_edit.h"

namespace ombra::encoding {
namespace {

// Pieces of working texts: marks, digits, values in their marked and
// unmarked forms, exponent marks, truth words in every case they occur in.
constexpr std::string_view kPieces[] = {
    "0",  "7",  ".",  "+",  "-",  "*",    "/",     "\\",   "%",     "^",    "=",     ">",   "<", "}",  ":",  ";",
    "`",  "&",  "|",  "!",  "~",  "'",    "{",     "[",    "]",     "(",    ")",     "E",   "e", "EA", "EB", " ",
    "[-", "--", "+-", "``", "E+", "TRUE", "FALSE", "TruE", "FalsE", "True", "False", "MOD", "r", "T",  "F",
};

std::vector<std::string> sampleTexts(unsigned seed, int count) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> pick(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> length(0, 12);
    std::vector<std::string> texts;
    for (int k = 0; k < count; ++k) {
        std::string text;
        for (int n = length(random); n > 0; --n) text.append(kPieces[pick(random)]);
        texts.push_back(std::move(text));
    }
    return texts;
}

std::string applied(std::span<const Step> sequence, std::string text) {
    apply(sequence, text);
    return text;
}

struct NamedStep {
    const char* name;
    void (*run)(std::string&);
    std::span<const Step> sequence;
};

// Each named step skips texts it judges unchanged; what it leaves must be
// what the whole sequence leaves.
TEST(NamedSteps, GiveWhatTheirSequenceGives) {
    const NamedStep steps[] = {
        {"cleanDriverArgument", cleanDriverArgument, kDriverArgumentCleaning},
        {"foldSignsForDriver", foldSignsForDriver, kDriverSignFolding},
        {"foldSignsForLevel", foldSignsForLevel, kLevelSignFolding},
        {"cleanForLevel", cleanForLevel, kLevelCleaning},
        {"cleanOperatorText", cleanOperatorText, kOperatorTextCleaning},
        {"markValues", markValues, kValueMarking},
        {"unmarkValue", unmarkValue, kValueUnmarking},
        {"unwrapOperand", unwrapOperand, kOperandUnwrapping},
        {"truthWordsAsNumbers", truthWordsAsNumbers, kTruthWordsAsNumbers},
        {"unwrapFinalValue", unwrapFinalValue, kFinalValueUnwrapping},
        {"unwrapResult", unwrapResult, kResultUnwrapping},
    };
    for (const std::string& text : sampleTexts(2024, 20000)) {
        for (const NamedStep& step : steps) {
            std::string named = text;
            step.run(named);
            ASSERT_EQ(named, applied(step.sequence, text)) << step.name << " on \"" << text << '"';
        }
    }
}

// ReduceAllLevels skips a level on this test, so it must be exact: a text
// needs cleaning when, and only when, the cleaning changes it.
TEST(NamedSteps, LevelCleaningTestIsExact) {
    for (const std::string& text : sampleTexts(77, 40000)) {
        ASSERT_EQ(needsLevelCleaning(text), applied(kLevelCleaning, text) != text) << '"' << text << '"';
    }
}

// The one-pass fold gives the text that repeated passes give.
TEST(NamedSteps, FoldingPairsInOnePassAsByRepeatedPasses) {
    constexpr std::string_view kFoldPieces[] = {"+", "-", "`", "1", "E", "+-", "-+", "``"};
    const std::pair<std::string_view, std::string_view> pairs[] = {{"+-", "-"}, {"-+", "-"}, {"``", ""}};
    std::mt19937 random(99);
    std::uniform_int_distribution<size_t> pick(0, std::size(kFoldPieces) - 1);
    std::uniform_int_distribution<int> length(0, 16);
    for (int trial = 0; trial < 20000; ++trial) {
        std::string text;
        for (int n = length(random); n > 0; --n) text.append(kFoldPieces[pick(random)]);
        for (const auto& [from, to] : pairs) {
            std::string repeated = text;
            while (repeated.find(from) != std::string::npos) replaceAll(repeated, from, to);
            std::string onePass = text;
            replaceUntilGone(onePass, from, to);
            ASSERT_EQ(onePass, repeated) << from << " in \"" << text << '"';
        }
    }
}

}  // namespace
}  // namespace ombra::encoding

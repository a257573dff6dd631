// The operand skeleton built unit by unit, and kept alongside a level's text
// while values replace operators, is the skeleton the full sequence makes of
// the current text; operands are cut from it as from that full skeleton.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "alphabet.h"
#include "encoding.h"
#include "level_text.h"
#include "operand_skeleton.h"

namespace ombra {
namespace {

std::string fullSkeleton(std::string text) {
    encoding::apply(encoding::kOperandSkeleton, text);
    return text;
}

// The cut by its definition: the runs of the full skeleton around `position`.
OperandCut cutOfFullSkeleton(const std::string& text, size_t position) {
    const std::string s = fullSkeleton(text);
    const std::string before = s.substr(0, std::min(position - 1, s.size()));
    const std::string after = position < s.size() ? s.substr(position) : std::string();
    OperandCut cut;
    const size_t lastComma = before.rfind(',');
    cut.leftStart = lastComma == std::string::npos ? 0 : lastComma + 1;
    const size_t firstComma = after.find(',');
    cut.rightLength = firstComma == std::string::npos ? 0 : firstComma + 1;
    cut.left = before.substr(cut.leftStart);
    cut.right = cut.rightLength != 0 ? after.substr(0, cut.rightLength - 1) : after;
    return cut;
}

std::string withoutBlanks(std::string text) {
    std::erase(text, ' ');
    return text;
}

std::string randomText(std::mt19937& random, std::span<const std::string_view> pieces, int longest) {
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    std::string text;
    for (int k = std::uniform_int_distribution<int>(0, longest)(random); k > 0; --k) text.append(pieces[pick(random)]);
    return text;
}

TEST(OperandSkeleton, UnitByUnitAgreesWithTheReplacementSequence) {
    static constexpr std::string_view kPieces[] = {"0", "7", ".", "+", "-", "*",  "/",  "\\",   "%", "^", "=",
                                                   ">", "<", "}", ":", ";", "`",  "&",  "|",    "!", "~", "'",
                                                   "{", "[", "]", "E", "e", "EA", "EB", "TRUE", " "};
    std::mt19937 random(12345);
    std::string skeleton;
    for (int trial = 0; trial < 20000; ++trial) {
        const std::string text = randomText(random, kPieces, 14);
        buildOperandSkeleton(text, skeleton);
        ASSERT_EQ(skeleton, fullSkeleton(text)) << '"' << text << '"';
    }
}

// Operators taken one after the other, as a level takes them, with values of
// every form spliced in: after each step the kept skeleton, the cut and the
// text are what the full skeleton of the current text gives.
TEST(LevelText, KeepsTheSkeletonOfTheCurrentTextAndCutsAsTheFullSkeleton) {
    static constexpr std::string_view kPieces[] = {"12", "3.5", "+",  "-",  "*",  "/",  "^",  "=",  "<",   "}",
                                                   "`",  "&",   "'",  "{",  "[",  "]",  "E",  "e",  "EA",  "EB",
                                                   "--", "+-",  "``", "++", "-`", "+`", "E-", "E+", "[-1]"};
    static constexpr std::string_view kValues[] = {" 6", "-6", "True", "False", " 1E+20", "-2E-07", " .5"};
    static constexpr std::string_view kLevelMarks[] = {"+-", "*/", "^", "=<}", "`", "&", "'"};
    std::mt19937 random(54321);
    LevelText working;
    std::string text;
    for (int trial = 0; trial < 20000; ++trial) {
        const std::string start = randomText(random, kPieces, 14);
        const std::string_view marks = kLevelMarks[random() % std::size(kLevelMarks)];
        working.start(start);
        std::string current = start;
        encoding::apply(encoding::kOperatorTextCleaning, current);
        for (size_t position; (position = working.findOperator(alphabet::byteTable(marks))) != 0;) {
            ASSERT_EQ(working.skeleton(), fullSkeleton(current)) << '"' << start << "\" now \"" << current << '"';
            const OperandCut& cut = working.cutOperands(position);
            const OperandCut expected = cutOfFullSkeleton(current, position);
            ASSERT_EQ(cut.leftStart, expected.leftStart) << '"' << current << "\" at " << position;
            ASSERT_EQ(cut.rightLength, expected.rightLength) << '"' << current << "\" at " << position;
            ASSERT_EQ(cut.left, expected.left) << '"' << current << "\" at " << position;
            ASSERT_EQ(cut.right, expected.right) << '"' << current << "\" at " << position;

            const std::string_view value = kValues[random() % std::size(kValues)];
            std::string marked(1, '[');
            marked.append(value);
            marked.push_back(']');
            encoding::apply(encoding::kValueMarking, marked);
            std::string next = current.substr(0, cut.leftStart) + marked;
            if (cut.rightLength != 0) next += current.substr(position + cut.rightLength - 1);
            working.replace(position, value);
            working.copyText(text);
            ASSERT_EQ(text, next) << '"' << current << "\" at " << position;
            current = withoutBlanks(next);
        }
        ASSERT_EQ(working.skeleton(), fullSkeleton(current)) << '"' << start << "\" now \"" << current << '"';
    }
}

}  // namespace
}  // namespace ombra

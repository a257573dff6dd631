// The group stage's working text: after any number of groups replaced by
// values, the group it finds and the neighbours it checks are those of the
// whole current text and of its full check copy.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "encoding.h"
#include "group_text.h"

namespace ombra {
namespace {

TEST(GroupText, FindsAndChecksAsTheWholeTextAndItsFullCheckCopy) {
    static constexpr std::string_view kPieces[] = {
        "SIN", "COS", "SEC", "EXP", "F01", "F21", "SI", "N", "SE", "C", "F", "0",   "12",  "E",   "EA",
        "X",   "(",   "(",   ")",   ")",   "+",   "*",  "`", "{",  "[", "]", "SGN", "RND", "TAN", "INT"};
    static constexpr std::string_view kValues[] = {"[1]", "{2]", "[SIN]", "[EXP1]", "[]"};
    std::mt19937 random(4242);
    std::uniform_int_distribution<size_t> pick(0, std::size(kPieces) - 1);
    GroupText groups;
    for (int trial = 0; trial < 20000; ++trial) {
        std::string text;
        for (int k = std::uniform_int_distribution<int>(1, 16)(random); k > 0; --k) text.append(kPieces[pick(random)]);
        groups.start(text);
        for (size_t close; (close = groups.findClose()) != std::string::npos;) {
            const std::string current = groups.text();
            ASSERT_EQ(close, current.find(')')) << current;
            const size_t open = groups.findOpen(close);
            ASSERT_EQ(open, current.rfind('(', close)) << current;

            std::string check = current;
            encoding::apply(encoding::kFunctionNameRemoval, check);
            const size_t checkedClose = check.find(')');
            const size_t checkedOpen = check.rfind('(', checkedClose);
            const std::optional<char> after =
                checkedClose + 1 < check.size() ? std::optional<char>(check[checkedClose + 1]) : std::nullopt;
            ASSERT_EQ(groups.checkedAfter(close), after) << current;
            if (open == std::string::npos) break;
            const std::optional<char> before =
                checkedOpen > 0 ? std::optional<char>(check[checkedOpen - 1]) : std::nullopt;
            ASSERT_EQ(groups.checkedBefore(open), before) << current;

            const size_t from = open >= 3 && random() % 2 ? open - 3 : open;
            groups.replace(from, close, kValues[random() % std::size(kValues)]);
        }
    }
}

}  // namespace
}  // namespace ombra

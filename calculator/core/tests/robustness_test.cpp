// Inputs of any size and shape answer with a result text; the text handed in
// comes back as documented; nothing carries over from one call to the next.

#include <gtest/gtest.h>
#include <malloc.h>

#include <string>
#include <thread>
#include <vector>

#include "calculate_case.h"

namespace ombra {
namespace {

using testing::calculate;

std::string repeated(std::string_view piece, size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (size_t k = 0; k < times; ++k) text.append(piece);
    return text;
}

// How long these take is measured by the benchmarks; here they must answer.
TEST(LongInputs, TenThousandCharactersOfSumsAnswer) {
    std::string input = repeated("+1", 4999);
    input.insert(input.begin(), '1');
    ASSERT_EQ(input.size(), 9999u);
    EXPECT_EQ(calculate(input), "5000");
}

TEST(LongInputs, FiveThousandNestedParenthesesAnswer) {
    const std::string input = repeated("(", 5000) + "1" + repeated(")", 5000);
    EXPECT_EQ(calculate(input), "1");
}

TEST(LongInputs, NestedFunctionsAndUnbalancedRunsAnswer) {
    EXPECT_EQ(calculate(repeated("ABS(", 2000) + "-2" + repeated(")", 2000)), "2");
    EXPECT_EQ(calculate(repeated("(", 100000)), "ERROR#2");
    EXPECT_EQ(calculate(repeated(")", 100000)), "ERROR#1");
    EXPECT_EQ(calculate(repeated("-", 100001) + "1"), "-1");
    EXPECT_EQ(calculate(repeated("NOT ", 10001) + "0"), "True");
    EXPECT_EQ(calculate(repeated("\xFF", 10000)), "ERROR#3");
    EXPECT_EQ(calculate(repeated(" ", 100000)), "ERROR#7");
}

TEST(InputText, EmbeddedNulIsAForeignCharacter) { EXPECT_EQ(calculate(std::string("1\0+2", 4)), "ERROR#3"); }

struct InOutRow {
    const char* input;
    const char* result;
    const char* textAfterwards;
};

TEST(InputText, HoldsTheCleanedInputAfterAnEarlyAnswerAndTheResultOtherwise) {
    const std::vector<InOutRow> rows = {
        {" true ", "-1", "TRUE"},        {"fAlse 'comment", "0", "FALSE"}, {"  'comment", "ERROR#7", ""},
        {" 1 + 2 ", "3", "3"},           {"x", "ERROR#3", "ERROR#3"},      {"1=1", "True", "True"},
        {"1/0", "ERROR#11", "ERROR#11"},
    };
    for (const auto& row : rows) {
        Calculator calculator;
        std::string text = row.input;
        EXPECT_EQ(calculator.Calculate(text), row.result) << row.input;
        EXPECT_EQ(text, row.textAfterwards) << row.input;
    }
}

TEST(State, IsClearedAtTheStartOfEveryCall) {
    Calculator calculator;
    auto run = [&](const char* input) {
        std::string text = input;
        return calculator.Calculate(text);
    };
    EXPECT_EQ(run("1/0"), "ERROR#11");
    EXPECT_EQ(calculator.ErrorFlag, -1);
    EXPECT_EQ(calculator.ErrorNumber, 11);
    EXPECT_EQ(run("1+1"), "2");
    EXPECT_EQ(calculator.ErrorFlag, 0);
    EXPECT_EQ(calculator.ErrorNumber, 0);
    EXPECT_EQ(run("1=1"), "True");
    EXPECT_EQ(calculator.LogicalResult, -1);
    EXPECT_EQ(run("1-1"), "0");
    EXPECT_EQ(calculator.LogicalResult, 0);
    EXPECT_EQ(run("x"), "ERROR#3");
    EXPECT_EQ(calculator.ErrorFlag, 0);  // refused before any stage ran
    EXPECT_EQ(calculator.ErrorNumber, 3);
}

TEST(State, SeparateInstancesWorkInParallel) {
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &wrong] {
            Calculator calculator;
            for (int k = 0; k < 500; ++k) {
                std::string text = "sin(-100/20)*300+" + std::to_string(t) + "-RND(1)*0";
                if (calculator.Calculate(text) != std::to_string(287 + t) + ".677282398941") ++wrong[t];
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

TEST(Memory, RepeatedCallsDoNotGrowTheHeap) {
    Calculator calculator;
    auto runMany = [&](int times) {
        for (int k = 0; k < times; ++k) {
            for (const char* input : {"tan(-100 / 20) * 50", "(1<2) AND HSIN(1)", "1/(3-3)", "x"}) {
                std::string text = input;
                calculator.Calculate(text);
            }
        }
    };
    runMany(1000);
    const size_t before = mallinfo2().uordblks;
    runMany(20000);
    EXPECT_EQ(mallinfo2().uordblks, before);
}

}  // namespace
}  // namespace ombra

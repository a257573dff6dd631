// The calc command run as a user runs it: arguments, standard input, help.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator/Calculator.h"
#include "calculator/error_numbers.h"
#include "child_process.h"

namespace {

const std::string kCalc = CALC_PROGRAM_PATH;

std::string directAnswer(std::string expression) {
    ombra::Calculator calculator;
    return calculator.Calculate(expression);
}

std::string linesOf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

TEST(CalcCommand, PrintsOneResultLinePerArgument) {
    const RunResult run = runToEnd(kCalc, {"1+1", "x", "", "true", "1=1"}, "ignored\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, linesOf({"2", "ERROR#3", "ERROR#7", "-1", "True"}));
}

TEST(CalcCommand, ReadsStandardInputLineByLine) {
    struct Case {
        const char* what;
        std::string input;
        std::string output;
    };
    const Case cases[] = {
        {"no input at all", "", ""},
        {"one line", "1+1\n", "2\n"},
        {"carriage returns dropped", "1+1\r\nx\r\n", "2\nERROR#3\n"},
        {"last line without a line end", "1+1\n1=2", "2\nFalse\n"},
        {"empty lines answered too", "\n\n", "ERROR#7\nERROR#7\n"},
        {"only the final carriage return goes", "1\r+1\n", directAnswer("1\r+1") + "\n"},
    };
    for (const Case& c : cases) {
        const RunResult run = runToEnd(kCalc, {}, c.input);
        EXPECT_EQ(run.status, 0) << c.what;
        EXPECT_EQ(run.output, c.output) << c.what;
    }
}

TEST(CalcCommand, HandlesLinesOfAnyLengthAndAnyBytes) {
    const std::vector<std::string> lines = {
        std::string(300000, 'x'),
        std::string("1\0+1", 4),
        "\xff\xfe\x80 1+1",
        "\xef\xbc\x95+\xef\xbc\x93",  // full-width 5 and 3
        "1+1",
    };
    std::string input;
    std::vector<std::string> expected;
    for (const std::string& line : lines) {
        input += line + "\n";
        expected.push_back(directAnswer(line));
    }
    const RunResult run = runToEnd(kCalc, {}, input);
    EXPECT_EQ(run.status, 0);
    // Compared without printing: the inputs run to hundreds of kilobytes.
    EXPECT_TRUE(run.output == linesOf(expected)) << run.output.size() << " bytes of output";
    EXPECT_TRUE(expected.front() == "ERROR#3") << "a long line of letters is refused";
    EXPECT_EQ(expected.back(), "2");
}

// A reader that waits for each answer before it sends more is never left
// waiting: calc writes its answers in batches only while more lines are
// already there. Each step sends some bytes, then reads the answers they
// call for (each read waits at most ten seconds).
TEST(CalcCommand, AnswersEachLineBeforeTheNextArrives) {
    struct Step {
        std::string send;
        std::vector<std::string> answers;
    };
    const std::vector<Step> steps = {
        {"1+1\n", {"2"}},   {"2*3\n", {"6"}}, {"1\n2\n3\n", {"1", "2", "3"}},  // a burst: the last answer too
        {"4+4\n2*", {"8"}},  // a line that has begun arriving holds back no answer
        {"5\n", {"10"}},    {"7", {}},        {"=7\n", {"True"}},
    };
    ChildProcess calc(kCalc, {});
    for (const Step& step : steps) {
        ASSERT_TRUE(calc.write(step.send));
        for (const std::string& answer : step.answers) ASSERT_EQ(calc.readLine(), answer) << "after " << step.send;
    }
    EXPECT_EQ(calc.wait(), 0);
}

TEST(CalcCommand, HelpExplainsUsage) {
    for (const char* option : {"--help", "-h"}) {
        const RunResult run = runToEnd(kCalc, {option}, "");
        EXPECT_EQ(run.status, 0) << option;
        EXPECT_NE(run.output.find("Usage: calc"), std::string::npos) << option;
        EXPECT_NE(run.output.find("standard input"), std::string::npos) << option;
        for (const auto& [number, meaning] : ombra::errors::kMeanings) {
            const std::string line = std::to_string(number) + "  " + std::string(meaning) + "\n";
            EXPECT_NE(run.output.find(line), std::string::npos) << option << ": " << line;
        }
    }
}

TEST(CalcCommand, NegativeNumbersAreExpressionsNotOptions) {
    const RunResult run = runToEnd(kCalc, {"-1", "-2*3"}, "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, linesOf({"-1", "-6"}));
}

TEST(CalcCommand, FailsWhenResultsCannotBeWritten) {
    ChildProcess calc(kCalc, {"1+1"}, "/dev/full");
    EXPECT_EQ(calc.wait(), 1);
}

}  // namespace

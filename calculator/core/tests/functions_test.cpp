// Every function: its value as text, and the failure of each formula at the
// points where it divides by zero, leaves its domain or overflows.

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "alphabet.h"
#include "calculate_case.h"
#include "function_table.h"
#include "functions.h"
#include "numbers.h"
#include "random_number.h"

CALCULATE_TABLE(FunctionValues, {"SIN(1)", ".841470984807897"}, {"SIN(-100/20)", ".958924274663138"},
                {"SIN(COS(0))", ".841470984807897"}, {"COS(2)", "-.416146836547142"}, {"TAN(1)", "1.5574077246549"},
                {"ATN(1)", ".785398163397448"}, {"EXP(2)", "7.38905609893065"}, {"EXP(1)", "2.71828182845905"},
                {"LOG(10)", "2.30258509299405"}, {"SQR(2)", "1.4142135623731"}, {"2*SQR(9)", "6"}, {"ABS(-2)", "2"},
                {"INT(-2.5)", "-3"}, {"INT(2.5)", "2"}, {"FIX(-2.5)", "-2"}, {"FIX(2.5)", "2"}, {"SGN(-5)", "-1"},
                {"SGN(0)", "0"}, {"SGN(1E-300)", "1"}, {"SEC(1)", "1.85081571768093"}, {"COSEC(1)", "1.18839510577812"},
                {"COTAN(1)", ".642092615934331"}, {"ARCSIN(.5)", ".523598775598299"}, {"ARCCOS(.5)", "1.0471975511966"},
                {"ARCSEC(2)", "1.0471975511966"}, {"ARCSEC(-2)", "2.0943951023932"}, {"ARCSEC(10)", "1.47062890563334"},
                {"ARCCOSEC(2)", ".523598775598299"}, {"ARCCOSEC(-2)", "-.523598775598299"},
                {"ARCCOSEC(1.5)", ".729727656226966"}, {"ARCCOTAN(1)", ".785398163397448"},
                {"ARCCOTAN(-1)", "2.35619449019234"}, {"ARCCOTAN(0)", "1.5707963267949"},
                {"HSIN(1)", "1.1752011936438"}, {"HCOS(1)", "1.54308063481524"}, {"HTAN(.5)", ".46211715726001"},
                {"HSEC(1)", ".648054273663885"}, {"HCOSEC(1)", ".850918128239322"}, {"HCOTAN(2)", "1.03731472072755"},
                {"HARCSIN(1)", ".881373587019543"}, {"HARCCOS(2)", "1.31695789692482"},
                {"HARCTAN(.5)", ".549306144334055"}, {"HARCSEC(.5)", "1.31695789692482"},
                {"HARCCOSEC(2)", ".481211825059603"}, {"HARCCOSEC(-2)", "-.481211825059603"},
                {"HARCCOTAN(2)", ".549306144334055"}, {"ATOR(90)", "1.5707963267949"},
                {"ATOR(180)", "3.14159265358979"}, {"RTOA(1)", "57.2957795130824"}, {"RTOA(3.14159265358979)", "180"},
                {"ABS(SIN(COS(-3/20)))*300", "250.605315117151"}, {"SIN(-(1))", "-.841470984807897"});

CALCULATE_TABLE(FunctionFailures, {"LOG(0)", "ERROR#5"}, {"SQR(-1)", "ERROR#5"}, {"ARCSIN(2)", "ERROR#5"},
                {"ARCCOS(-2)", "ERROR#5"}, {"ARCSEC(.5)", "ERROR#5"}, {"ARCSEC(0)", "ERROR#5"},
                {"ARCCOSEC(-.5)", "ERROR#5"}, {"ARCCOSEC(0)", "ERROR#5"}, {"HARCCOS(.5)", "ERROR#5"},
                {"HARCTAN(-1)", "ERROR#5"}, {"HARCTAN(2)", "ERROR#5"}, {"HARCSEC(-.5)", "ERROR#5"},
                {"HARCSEC(2)", "ERROR#5"}, {"HARCCOTAN(-1)", "ERROR#5"}, {"HARCCOTAN(.5)", "ERROR#5"},
                {"COSEC(0)", "ERROR#11"}, {"COTAN(0)", "ERROR#11"}, {"ARCSIN(1)", "ERROR#11"},
                {"ARCSIN(-1)", "ERROR#11"}, {"ARCCOS(1)", "ERROR#11"}, {"ARCCOS(-1)", "ERROR#11"},
                {"ARCSEC(1)", "ERROR#11"}, {"ARCSEC(-1)", "ERROR#11"}, {"ARCCOSEC(1)", "ERROR#11"},
                {"ARCCOSEC(-1)", "ERROR#11"}, {"HCOSEC(0)", "ERROR#11"}, {"HCOTAN(0)", "ERROR#11"},
                {"HARCTAN(1)", "ERROR#11"}, {"HARCSEC(0)", "ERROR#11"}, {"HARCCOSEC(0)", "ERROR#11"},
                {"HARCCOTAN(1)", "ERROR#11"}, {"HSIN(1000)", "ERROR#6"}, {"HCOS(-1000)", "ERROR#6"},
                {"EXP(1000)", "ERROR#6"}, {"SIN()", "ERROR#13"}, {"SIN(+)", "ERROR#4"}, {"HARCSIN(1E+200)", "ERROR#6"});

namespace ombra::functions {
namespace {

int failureOf(const FunctionRow& row, double x) {
    try {
        valueText(row, x);
    } catch (const numbers::NumberFailure& failure) {
        return failure.number;
    }
    return 0;
}

TEST(FunctionNames, EveryNameTheReductionRecognisesHasARow) {
    for (std::string_view name : alphabet::kFunctionNames) {
        const FunctionRow* row = rowNamed(name);
        ASSERT_NE(row, nullptr) << name;
        EXPECT_EQ(row->code, name);
    }
    for (std::string_view other : {"F22", "SINH", "SI", "", "sin"}) EXPECT_EQ(rowNamed(other), nullptr) << other;
}

// The alphabet check list and the rewrite of words to codes are made from the
// function table; each comes out in its own fixed order.
TEST(FunctionTable, GivesTheCheckListAndTheRewriteInTheirOrders) {
    const std::vector<std::string_view> checkList = {
        "+",      "-",     "*",         "/",         "%",       "^",        "\\",       "(",       ")",
        ".",      "0",     "1",         "2",         "3",       "4",        "5",        "6",       "7",
        "8",      "9",     "HARCCOSEC", "HARCCOTAN", "HARCSIN", "HARCCOS",  "HARCTAN",  "HARCSEC", "HCOSEC",
        "HCOTAN", "HSIN",  "HCOS",      "HTAN",      "HSEC",    "ARCCOTAN", "ARCCOSEC", "ARCSEC",  "ARCSIN",
        "ARCCOS", "COSEC", "COTAN",     "SEC",       "ATOR",    "RTOA",     "SIN",      "COS",     "ABS",
        "ATN",    "EXP",   "LOG",       "SQR",       "TAN",     "INT",      "FIX",      "RND",     "SGN",
        "SEC",    "MOD",   "PI",        "TRUE",      "FALSE",   "=",        "<",        ">",       "NOT",
        "AND",    "XOR",   "OR",        "EQV",       "IMP",     "E+",       "E-",       "E"};
    EXPECT_EQ(std::vector<std::string_view>(alphabet::kAlphabetCheckList.begin(), alphabet::kAlphabetCheckList.end()),
              checkList);

    const std::vector<std::pair<std::string_view, std::string_view>> wordsToCodes = {{"MOD", "%"},
                                                                                     {"ATOR", "F20"},
                                                                                     {"RTOA", "F21"},
                                                                                     {"HARCCOSEC", "F18"},
                                                                                     {"HARCCOTAN", "F19"},
                                                                                     {"HARCSIN", "F14"},
                                                                                     {"HARCCOS", "F15"},
                                                                                     {"HARCTAN", "F16"},
                                                                                     {"HARCSEC", "F17"},
                                                                                     {"HCOSEC", "F12"},
                                                                                     {"HCOTAN", "F13"},
                                                                                     {"HSIN", "F08"},
                                                                                     {"HCOS", "F09"},
                                                                                     {"HTAN", "F10"},
                                                                                     {"HSEC", "F11"},
                                                                                     {"ARCCOSEC", "F06"},
                                                                                     {"ARCCOTAN", "F07"},
                                                                                     {"ARCSIN", "F03"},
                                                                                     {"ARCCOS", "F04"},
                                                                                     {"ARCSEC", "F05"},
                                                                                     {"COSEC", "F01"},
                                                                                     {"COTAN", "F02"},
                                                                                     {"PI", "(3.14159265358979)"}};
    std::vector<std::pair<std::string_view, std::string_view>> derived;
    for (size_t k = 0; k < wordsToCodes.size(); ++k) {
        derived.emplace_back(alphabet::kInternalFormRewrite[k].from, alphabet::kInternalFormRewrite[k].to);
    }
    EXPECT_EQ(derived, wordsToCodes);
}

// Over a grid of arguments, each formula fails with exactly the error numbers
// its row lists, and with each of them somewhere.
TEST(FunctionTable, EachFormulaRaisesExactlyItsListedFailures) {
    const double grid[] = {0,     1,      -1,    0.5,    -0.5,   2,       -2,  1000, -1000,           1e200, -1e200,
                           1e300, -1e300, 1e307, -1e307, 1e-300, -1e-300, 710, -710, 1.5707963267949, 1e308};
    for (const FunctionRow& row : kFunctionTable) {
        uint32_t raised = 0;
        for (double x : grid) {
            const int number = failureOf(row, x);
            if (number != 0) raised |= 1u << number;
        }
        EXPECT_EQ(raised, row.failures) << row.word;
    }
}

// The inverse secant, cosecant and cotangent are the angles whose secant,
// cosecant and cotangent give x back, on their usual principal branches.
TEST(InverseFunctions, GiveTheAngleBack) {
    const auto number = [](const std::string& text) {
        double result = std::nan("");
        std::from_chars(text.data(), text.data() + text.size(), result);
        return result;
    };
    const auto value = [&](std::string text) { return number(Calculator().Calculate(text)); };
    for (const std::string x : {"1.25", "2", "10", "-1.25", "-2", "-10"}) {
        const std::string arg = "(" + x + ")";
        EXPECT_NEAR(value("SEC(ARCSEC" + arg + ")"), number(x), 1e-9) << x;
        EXPECT_NEAR(value("COSEC(ARCCOSEC" + arg + ")"), number(x), 1e-9) << x;
        EXPECT_NEAR(value("COTAN(ARCCOTAN" + arg + ")"), number(x), 1e-9) << x;
        const double secantAngle = value("ARCSEC" + arg);
        EXPECT_GE(secantAngle, 0);
        EXPECT_LE(secantAngle, 3.15);
        EXPECT_LE(std::abs(value("ARCCOSEC" + arg)), 1.571);
        const double cotangentAngle = value("ARCCOTAN" + arg);
        EXPECT_GT(cotangentAngle, 0);
        EXPECT_LT(cotangentAngle, 3.15);
    }
}

TEST(RandomNumbers, NegativeArgumentRestartsTheSequenceAndZeroRepeats) {
    const float first = randomNumber(-7);
    const float next = randomNumber(1);
    EXPECT_EQ(randomNumber(0), next);
    EXPECT_EQ(randomNumber(-7), first);
    EXPECT_EQ(randomNumber(1), next);
    EXPECT_NE(randomNumber(-8), first);
}

TEST(RandomNumbers, StayInTheUnitIntervalAndVary) {
    float smallest = 1;
    float largest = 0;
    for (int k = 0; k < 1000; ++k) {
        const float value = randomNumber(1);
        ASSERT_GE(value, 0.0f);
        ASSERT_LT(value, 1.0f);
        smallest = std::min(smallest, value);
        largest = std::max(largest, value);
    }
    EXPECT_LT(smallest, 0.1f);
    EXPECT_GT(largest, 0.9f);
}

TEST(RandomNumbers, TextHasAtMostSevenSignificantDigits) {
    for (int k = 0; k < 200; ++k) {
        std::string input = "RND(1)";
        const std::string text = Calculator().Calculate(input);
        ASSERT_FALSE(text.empty());
        const std::string mantissa = text.substr(0, text.find('E'));
        const size_t firstSignificant = mantissa.find_first_of("123456789");
        size_t digits = 0;
        for (char c : mantissa.substr(std::min(firstSignificant, mantissa.size()))) digits += (c >= '0' && c <= '9');
        EXPECT_LE(digits, 7u) << text;
    }
}

}  // namespace
}  // namespace ombra::functions

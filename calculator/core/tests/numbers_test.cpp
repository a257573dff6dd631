// The number layer on its own: text forms, conversions, rounding and the
// failure numbers of the checked arithmetic.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "calculator/number_text.h"
#include "numbers.h"

namespace ombra::numbers {
namespace {

struct TextRow {
    double value;
    const char* text;
};

TEST(NumberText, WritesFifteenSignificantDigitsInTheEvaluatorsLayout) {
    const std::vector<TextRow> rows = {
        {0.0, " 0"},
        {-0.0, " 0"},
        {5, " 5"},
        {-2, "-2"},
        {0.5, " .5"},
        {-0.25, "-.25"},
        {1.0 / 3, " .333333333333333"},
        {2.0 / 3, " .666666666666667"},
        {std::sqrt(2.0), " 1.4142135623731"},
        {1e15, " 1E+15"},
        {999999999999999.0, " 999999999999999"},
        {999999999999999.9, " 1E+15"},
        {1234567890123456.0, " 1.23456789012346E+15"},
        {1e14, " 100000000000000"},
        {0.0001, " .0001"},
        {0.00009999999999999999, " .0001"},
        {0.00001, " 1E-05"},
        {-1.5e-7, "-1.5E-07"},
        {1e100, " 1E+100"},
        {1e-100, " 1E-100"},
        {123.456, " 123.456"},
        {-1e20, "-1E+20"},
        {std::numeric_limits<double>::max(), " 1.79769313486232E+308"},
        {std::numeric_limits<double>::denorm_min(), " 4.94065645841247E-324"},
        {100, " 100"},
        {0.1 + 0.2, " .3"},
    };
    for (const auto& row : rows) EXPECT_EQ(numberText(row.value), row.text) << row.value;
}

TEST(NumberText, SingleAndIntegerForms) {
    EXPECT_EQ(singleText(0.5f), " .5");
    EXPECT_EQ(singleText(0.12345678f), " .1234568");
    EXPECT_EQ(singleText(0.00001234f), " 1.234E-05");
    EXPECT_EQ(integerText(6), " 6");
    EXPECT_EQ(integerText(0), " 0");
    EXPECT_EQ(integerText(-6), "-6");
    EXPECT_EQ(integerText(-2147483648LL), "-2147483648");
}

struct ConversionRow {
    const char* text;
    double value;
};

// Reading a value through its text without writing the text out must give
// what writing and reading give, failure included, across the whole range:
// integers, ordinary values, the smallest and the largest doubles.
TEST(NumberText, ReadingThroughTheTextEqualsWritingAndReading) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<uint64_t> bits;
    auto writtenAndRead = [](double value) -> std::optional<double> {
        try {
            return strictToDouble(numberText(value));
        } catch (const NumberFailure&) {
            return std::nullopt;
        }
    };
    auto throughText = [](double value) -> std::optional<double> {
        try {
            return throughNumberText(value);
        } catch (const NumberFailure&) {
            return std::nullopt;
        }
    };
    std::vector<double> values = {0.0,
                                  -0.0,
                                  3.0,
                                  -7.0,
                                  1e15 - 1,
                                  1e15,
                                  0.1,
                                  std::numeric_limits<double>::max(),
                                  -std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min()};
    for (int k = 0; k < 200000; ++k) {
        const double value = std::bit_cast<double>(bits(random));
        if (std::isfinite(value)) values.push_back(value);
        values.push_back(std::nextafter(std::numeric_limits<double>::max(), 0.0) / (1 + k % 7));
        values.push_back(std::round(value * 1e-300));
    }
    for (double value : values) {
        const std::optional<double> expected = writtenAndRead(value);
        const std::optional<double> actual = throughText(value);
        ASSERT_EQ(actual.has_value(), expected.has_value()) << value;
        ASSERT_EQ(std::bit_cast<uint64_t>(actual.value_or(0)), std::bit_cast<uint64_t>(expected.value_or(0))) << value;
    }
}

// The digits written are the value's 15 significant digits rounded to
// nearest from its exact binary value, as the C library's own formatting
// rounds them: compared through the values the two texts read as, which
// differ whenever two texts of 15 digits differ. Values with few binary
// fraction digits make exact ties at the fifteenth digit.
TEST(NumberText, WritesTheCorrectlyRoundedFifteenDigits) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> decade(-10, 17);
    std::uniform_int_distribution<uint64_t> significand(1, uint64_t{1} << 52);
    std::uniform_int_distribution<int> fractionBits(0, 12);
    auto printed = [](double value) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.14e", value);
        return std::strtod(buffer, nullptr);
    };
    for (int k = 0; k < 300000; ++k) {
        const double ordinary = std::pow(10.0, decade(random)) * (k % 2 == 0 ? 1 : -1);
        const double dyadic = std::ldexp(static_cast<double>(significand(random)), -fractionBits(random));
        for (double value : {ordinary, dyadic, std::nextafter(dyadic, 0.0), std::nextafter(dyadic, 1e300)}) {
            ASSERT_EQ(strictToDouble(numberText(value)), printed(value)) << numberText(value);
            ASSERT_EQ(throughNumberText(value), printed(value)) << numberText(value);
        }
    }
}

// Reading a whole number text takes a short cut for short numbers; it must
// give what the full reading gives, to the bit, and refuse what it refuses.
TEST(NumberText, ReadingAWholeTextAgreesWithTheFullReading) {
    std::mt19937 random(11);
    auto pick = [&random](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    for (int k = 0; k < 300000; ++k) {
        std::string text;
        if (pick(0, 3) == 0) text.push_back("+-"[pick(0, 1)]);
        const int digits = pick(0, 20);
        const int pointAt = pick(-1, digits);
        for (int d = 0; d <= digits; ++d) {
            if (d == pointAt) text.push_back('.');
            if (d < digits) text.push_back(static_cast<char>('0' + (pick(0, 2) == 0 ? 0 : pick(0, 9))));
        }
        if (pick(0, 2) == 0) {
            text.push_back("eE"[pick(0, 1)]);
            if (pick(0, 1) == 0) text.push_back("+-"[pick(0, 1)]);
            text.append(std::to_string(pick(0, pick(0, 9) == 0 ? 400 : 30)));
        }
        if (pick(0, 50) == 0) text.insert(static_cast<size_t>(pick(0, static_cast<int>(text.size()))), ".");
        const std::optional<double> expected =
            !text.empty() && number_text::numberLength(text, number_text::ExponentLetter::Either) == text.size()
                ? number_text::valueOf(text)
                : std::nullopt;
        const std::optional<double> actual = number_text::readDouble(text);
        ASSERT_EQ(actual.has_value(), expected.has_value()) << text;
        if (actual) {
            ASSERT_EQ(std::bit_cast<uint64_t>(*actual), std::bit_cast<uint64_t>(*expected)) << text;
        }
    }
}

TEST(StrictConversion, ReadsOneWholeDecimalNumber) {
    const std::vector<ConversionRow> rows = {
        {"5", 5},        {" 5 ", 5},         {"-5", -5},
        {"+5", 5},       {".5", 0.5},        {"5.", 5},
        {"-.25", -0.25}, {"1E+5", 1e5},      {"1E-05", 1e-5},
        {"1E5", 1e5},    {"2.5E-3", 0.0025}, {"1E-400", 0},
        {"0", 0},        {"007", 7},         {"4.94065645841247E-324", std::numeric_limits<double>::denorm_min()},
    };
    for (const auto& row : rows) EXPECT_EQ(strictToDouble(row.text), row.value) << row.text;
}

int failureOf(double (*convert)(std::string_view), std::string_view text) {
    try {
        convert(text);
    } catch (const NumberFailure& failure) {
        return failure.number;
    }
    return 0;
}

TEST(StrictConversion, RefusesWithTypeMismatchOrOverflow) {
    for (const char* text : {"", " ", ".", "-", "E5", "1E", "1E+", "1..2", "1 2", "SIN1", "inf", "nan", "0x10", "1,5",
                             "5e3", "--5", "1E+5.5"}) {
        EXPECT_EQ(failureOf(strictToDouble, text), kTypeMismatch) << '"' << text << '"';
    }
    for (const char* text : {"1E+400", "-1E+309", "1000000000000000000000E+300"}) {
        EXPECT_EQ(failureOf(strictToDouble, text), kOverflow) << text;
    }
    EXPECT_EQ(strictToDouble("0.0000000000000000000001E-310"), 0);
    EXPECT_EQ(strictToDouble("1000000000000000000000E-320"), 1e-299);
}

TEST(NumericTest, AcceptsTheDecimalFormOnly) {
    for (const char* text : {"5", "-5", "+5", ".5", "5.", "1E+5", "1E5", "1E-5", "-1.5E-07", "1E+400"})
        EXPECT_TRUE(isNumeric(text)) << text;
    for (const char* text : {"", "-", ".", "+.", "E5", "1E", "1E+", "1.2.3", " 5", "5 ", "TRUE", "1D5", "&H10"})
        EXPECT_FALSE(isNumeric(text)) << text;
    EXPECT_FALSE(readsAsNumber("1E+400"));
    EXPECT_TRUE(readsAsNumber("1.79769313486231E+308"));
}

TEST(LeadingNumber, TakesTheLongestNumberAtTheStart) {
    const std::vector<ConversionRow> rows = {
        {"", 0},    {"X", 0},  {"5", 5},       {"5X", 5}, {"-3", -3}, {"1E+5X", 1e5},
        {"1E+", 1}, {"1E", 1}, {"2.5.1", 2.5}, {".", 0},  {"-", 0},   {"12E-1", 1.2},
    };
    for (const auto& row : rows) EXPECT_EQ(leadingNumber(row.text), row.value) << row.text;
    EXPECT_EQ(failureOf(leadingNumber, "1E+400*"), kOverflow);
}

TEST(RoundToInt32, RoundsHalfToEvenWithinRange) {
    const std::vector<std::pair<double, int32_t>> rows = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4, 2},
        {2.6, 3},
        {-2.6, -3},
        {7.5, 8},
        {6.5, 6},
        {2147483647.0, 2147483647},
        {-2147483648.0, -2147483647 - 1},
        {2147483647.4, 2147483647},
    };
    for (const auto& [value, rounded] : rows) EXPECT_EQ(roundToInt32(value), rounded) << value;
    for (double value : {2147483647.5, -2147483648.6, 1e10, -1e10, std::numeric_limits<double>::infinity()}) {
        EXPECT_THROW(roundToInt32(value), NumberFailure) << value;
    }
}

template <class Operation>
int failureNumber(Operation operation) {
    try {
        operation();
    } catch (const NumberFailure& failure) {
        return failure.number;
    }
    return 0;
}

TEST(CheckedArithmetic, ReportsDivisionByZeroOverflowAndInvalidResults) {
    const double big = std::numeric_limits<double>::max();
    EXPECT_EQ(failureNumber([] { return divide(1, 0); }), kDivisionByZero);
    EXPECT_EQ(failureNumber([] { return divide(-1, 0); }), kDivisionByZero);
    EXPECT_EQ(failureNumber([] { return divide(0, 0); }), kOverflow);
    EXPECT_EQ(failureNumber([&] { return add(big, big); }), kOverflow);
    EXPECT_EQ(failureNumber([&] { return subtract(-big, big); }), kOverflow);
    EXPECT_EQ(failureNumber([&] { return multiply(big, 2); }), kOverflow);
    EXPECT_EQ(failureNumber([&] { return divide(big, 0.5); }), kOverflow);
    EXPECT_EQ(divide(1, 4), 0.25);
    EXPECT_EQ(multiply(1e-200, 1e-200), 0);
}

TEST(Power, FailsForNegativeBasesWithFractionsZeroToNegativePowersAndOverflow) {
    EXPECT_EQ(power(2, 10), 1024);
    EXPECT_EQ(power(-2, 3), -8);
    EXPECT_EQ(power(0, 0), 1);
    EXPECT_EQ(power(4, 0.5), 2);
    EXPECT_EQ(failureNumber([] { return power(-8, 1.0 / 3); }), kInvalidArgument);
    EXPECT_EQ(failureNumber([] { return power(0, -1); }), kDivisionByZero);
    EXPECT_EQ(failureNumber([] { return power(0, -0.5); }), kDivisionByZero);
    EXPECT_EQ(failureNumber([] { return power(10, 400); }), kOverflow);
    EXPECT_EQ(failureNumber([] { return power(-10, 401); }), kOverflow);
}

TEST(IntegerDivision, TruncatesKeepsTheDividendsSignAndChecks) {
    EXPECT_EQ(integerQuotient(7, 2), 3);
    EXPECT_EQ(integerQuotient(-7, 2), -3);
    EXPECT_EQ(integerRemainder(-7, 2), -1);
    EXPECT_EQ(integerRemainder(7, -2), 1);
    EXPECT_EQ(integerRemainder(-2147483647 - 1, -1), 0);
    EXPECT_EQ(failureNumber([] { return integerQuotient(5, 0); }), kDivisionByZero);
    EXPECT_EQ(failureNumber([] { return integerRemainder(5, 0); }), kDivisionByZero);
    EXPECT_EQ(failureNumber([] { return integerQuotient(-2147483647 - 1, -1); }), kOverflow);
}

}  // namespace
}  // namespace ombra::numbers

#pragma once
// A table row for Calculate: an input as a user types it and the exact
// result text expected back.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "calculator/Calculator.h"

namespace ombra::testing {

struct CalculateCase {
    const char* input;
    const char* expected;
};

inline std::ostream& operator<<(std::ostream& out, const CalculateCase& row) {
    return out << '"' << row.input << "\" -> \"" << row.expected << '"';
}

inline std::string calculate(std::string input) {
    Calculator calculator;
    return calculator.Calculate(input);
}

class CalculateTable : public ::testing::TestWithParam<CalculateCase> {};

}  // namespace ombra::testing

// Each table file instantiates CalculateTable with its own rows and checks
// every row with this one test body.
#define CALCULATE_TABLE(Name, ...)                                                     \
    class Name : public ::ombra::testing::CalculateTable {};                           \
    TEST_P(Name, GivesExactResultText) {                                               \
        EXPECT_EQ(::ombra::testing::calculate(GetParam().input), GetParam().expected); \
    }                                                                                  \
    INSTANTIATE_TEST_SUITE_P(Rows, Name, ::testing::ValuesIn(std::vector<::ombra::testing::CalculateCase>{__VA_ARGS__}))

#pragma once
// One row per function of the evaluator: the word a user types, the name the
// internal form holds, how the value is formed, the error numbers its formula
// can raise, and the places of the word in the alphabet check and in the
// rewrite of words to codes. The alphabet check list, the rewrite list and
// the names the group stage recognises are made from these rows
// (alphabet.h); the value of a name is computed from its row (functions.cpp).

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "calculator/error_numbers.h"
#include "functions.h"
#include "value_text.h"

namespace ombra::functions {

// The formulas behind the rows, each with the failures of the platform
// routines and of the checked arithmetic it is built from (functions.cpp).
namespace formula {
double sine(double x);
double cosine(double x);
double absolute(double x);
double arcTangent(double x);
double exponential(double x);
double logarithm(double x);
double squareRoot(double x);
double tangent(double x);
double floored(double x);
double truncated(double x);
double random(double x);
double sign(double x);
double secant(double x);
double cosecant(double x);
double cotangent(double x);
double arcSine(double x);
double arcCosine(double x);
double arcSecant(double x);
double arcCosecant(double x);
double arcCotangent(double x);
double hyperbolicSine(double x);
double hyperbolicCosine(double x);
double hyperbolicTangent(double x);
double hyperbolicSecant(double x);
double hyperbolicCosecant(double x);
double hyperbolicCotangent(double x);
double inverseHyperbolicSine(double x);
double inverseHyperbolicCosine(double x);
double inverseHyperbolicTangent(double x);
double inverseHyperbolicSecant(double x);
double inverseHyperbolicCosecant(double x);
double inverseHyperbolicCotangent(double x);
double degreesToRadians(double x);
double radiansToDegrees(double x);

// The arguments for which the logarithm and the square root fail.
bool outsideLogarithm(double x);
bool outsideSquareRoot(double x);
}  // namespace formula

// A set of error numbers, one bit each.
constexpr uint32_t raises(std::initializer_list<errors::Number> numbers) {
    uint32_t set = 0;
    for (errors::Number number : numbers) set |= 1u << number;
    return set;
}

struct FunctionRow {
    std::string_view word;  // as typed, in capitals
    std::string_view code;  // in the internal form: the word itself, or F01..F21
    double (*formula)(double);
    Written form;
    uint32_t failures;  // the error numbers the formula raises for some argument
    int checkPlace;     // place among the long words of the alphabet check; 0: none
    int rewritePlace;   // place in the rewrite of words to codes; 0: kept as typed
    // Arguments with which the formula fails, known without computing it (a
    // plan gives up on them without a throw); null when the row names none.
    bool (*failsWith)(double x);
};

using errors::kDivisionByZero;
using errors::kInvalidArgument;
using errors::kOverflow;

// In the order the group stage looks for names: the short names first.
inline constexpr auto kFunctionTable = std::to_array<FunctionRow>({
    {"SIN", "SIN", formula::sine, Written::Double, raises({}), 0, 0, nullptr},
    {"COS", "COS", formula::cosine, Written::Double, raises({}), 0, 0, nullptr},
    {"ABS", "ABS", formula::absolute, Written::Double, raises({}), 0, 0, nullptr},
    {"ATN", "ATN", formula::arcTangent, Written::Double, raises({}), 0, 0, nullptr},
    // 6 above 709.78
    {"EXP", "EXP", formula::exponential, Written::Double, raises({kOverflow}), 0, 0, nullptr},
    // 5 for x <= 0
    {"LOG", "LOG", formula::logarithm, Written::Double, raises({kInvalidArgument}), 0, 0, formula::outsideLogarithm},
    // 5 for x < 0
    {"SQR", "SQR", formula::squareRoot, Written::Double, raises({kInvalidArgument}), 0, 0, formula::outsideSquareRoot},
    {"TAN", "TAN", formula::tangent, Written::Double, raises({}), 0, 0, nullptr},
    {"INT", "INT", formula::floored, Written::Double, raises({}), 0, 0, nullptr},
    {"FIX", "FIX", formula::truncated, Written::Double, raises({}), 0, 0, nullptr},
    {"RND", "RND", formula::random, Written::Single, raises({}), 0, 0, nullptr},
    {"SGN", "SGN", formula::sign, Written::Integer, raises({}), 0, 0, nullptr},
    {"SEC", "SEC", formula::secant, Written::Double, raises({}), 20, 0, nullptr},
    // 11 at 0
    {"COSEC", "F01", formula::cosecant, Written::Double, raises({kDivisionByZero}), 18, 20, nullptr},
    {"COTAN", "F02", formula::cotangent, Written::Double, raises({kDivisionByZero}), 19, 21, nullptr},
    // 5 beyond -1 and 1, 11 at -1 and 1, 6 where x * x overflows
    {"ARCSIN", "F03", formula::arcSine, Written::Double, raises({kInvalidArgument, kDivisionByZero, kOverflow}), 16, 17,
     nullptr},
    {"ARCCOS", "F04", formula::arcCosine, Written::Double, raises({kInvalidArgument, kDivisionByZero, kOverflow}), 17,
     18, nullptr},
    // 5 between -1 and 1, 11 at -1 and 1, 6 where x * x overflows
    {"ARCSEC", "F05", formula::arcSecant, Written::Double, raises({kInvalidArgument, kDivisionByZero, kOverflow}), 15,
     19, nullptr},
    {"ARCCOSEC", "F06", formula::arcCosecant, Written::Double, raises({kInvalidArgument, kDivisionByZero, kOverflow}),
     14, 15, nullptr},
    {"ARCCOTAN", "F07", formula::arcCotangent, Written::Double, raises({}), 13, 16, nullptr},
    // 6 beyond -709.78 and 709.78
    {"HSIN", "F08", formula::hyperbolicSine, Written::Double, raises({kOverflow}), 9, 11, nullptr},
    {"HCOS", "F09", formula::hyperbolicCosine, Written::Double, raises({kOverflow}), 10, 12, nullptr},
    {"HTAN", "F10", formula::hyperbolicTangent, Written::Double, raises({kOverflow}), 11, 13, nullptr},
    {"HSEC", "F11", formula::hyperbolicSecant, Written::Double, raises({kOverflow}), 12, 14, nullptr},
    // 11 at 0 (and where the difference of exponentials is 0), 6 beyond -709.78 and 709.78
    {"HCOSEC", "F12", formula::hyperbolicCosecant, Written::Double, raises({kDivisionByZero, kOverflow}), 7, 9,
     nullptr},
    {"HCOTAN", "F13", formula::hyperbolicCotangent, Written::Double, raises({kDivisionByZero, kOverflow}), 8, 10,
     nullptr},
    // 6 where x * x overflows
    {"HARCSIN", "F14", formula::inverseHyperbolicSine, Written::Double, raises({kOverflow}), 3, 5, nullptr},
    // 5 below 1, 6 where x * x overflows
    {"HARCCOS", "F15", formula::inverseHyperbolicCosine, Written::Double, raises({kInvalidArgument, kOverflow}), 4, 6,
     nullptr},
    // 5 from -1 down and above 1, 11 at 1
    {"HARCTAN", "F16", formula::inverseHyperbolicTangent, Written::Double, raises({kInvalidArgument, kDivisionByZero}),
     5, 7, nullptr},
    // 5 below 0 and above 1, 11 at 0, 6 where x * x overflows
    {"HARCSEC", "F17", formula::inverseHyperbolicSecant, Written::Double,
     raises({kInvalidArgument, kDivisionByZero, kOverflow}), 6, 8, nullptr},
    // 11 at 0, 6 where x * x overflows, 5 for negative x so near 0 (above
    // about -1.5E-08) that the sum in the formula comes out as 0
    {"HARCCOSEC", "F18", formula::inverseHyperbolicCosecant, Written::Double,
     raises({kInvalidArgument, kDivisionByZero, kOverflow}), 1, 3, nullptr},
    // 5 from -1 up to below 1, 11 at 1
    {"HARCCOTAN", "F19", formula::inverseHyperbolicCotangent, Written::Double,
     raises({kInvalidArgument, kDivisionByZero}), 2, 4, nullptr},
    {"ATOR", "F20", formula::degreesToRadians, Written::Double, raises({}), 21, 1, nullptr},
    // 6 beyond about -3.1E+306 and 3.1E+306
    {"RTOA", "F21", formula::radiansToDegrees, Written::Double, raises({kOverflow}), 22, 2, nullptr},
});

// A row's code kept as typed: one of the thirteen short names.
constexpr bool isShortName(const FunctionRow& row) { return row.code == row.word; }

// The row whose value is drawn from the random sequence.
constexpr bool drawsRandom(const FunctionRow& row) { return row.formula == &formula::random; }

}  // namespace ombra::functions

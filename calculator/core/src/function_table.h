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
    ValueForm form;
    uint32_t failures;  // the error numbers the formula raises for some argument
    int checkPlace;     // place among the long words of the alphabet check; 0: none
    int rewritePlace;   // place in the rewrite of words to codes; 0: kept as typed
};

using errors::kDivisionByZero;
using errors::kInvalidArgument;
using errors::kOverflow;

// In the order the group stage looks for names: the short names first.
inline constexpr auto kFunctionTable = std::to_array<FunctionRow>({
    {"SIN", "SIN", formula::sine, ValueForm::kDouble, raises({}), 0, 0},
    {"COS", "COS", formula::cosine, ValueForm::kDouble, raises({}), 0, 0},
    {"ABS", "ABS", formula::absolute, ValueForm::kDouble, raises({}), 0, 0},
    {"ATN", "ATN", formula::arcTangent, ValueForm::kDouble, raises({}), 0, 0},
    // 6 above 709.78
    {"EXP", "EXP", formula::exponential, ValueForm::kDouble, raises({kOverflow}), 0, 0},
    // 5 for x <= 0
    {"LOG", "LOG", formula::logarithm, ValueForm::kDouble, raises({kInvalidArgument}), 0, 0},
    // 5 for x < 0
    {"SQR", "SQR", formula::squareRoot, ValueForm::kDouble, raises({kInvalidArgument}), 0, 0},
    {"TAN", "TAN", formula::tangent, ValueForm::kDouble, raises({}), 0, 0},
    {"INT", "INT", formula::floored, ValueForm::kDouble, raises({}), 0, 0},
    {"FIX", "FIX", formula::truncated, ValueForm::kDouble, raises({}), 0, 0},
    {"RND", "RND", formula::random, ValueForm::kSingle, raises({}), 0, 0},
    {"SGN", "SGN", formula::sign, ValueForm::kInteger, raises({}), 0, 0},
    {"SEC", "SEC", formula::secant, ValueForm::kDouble, raises({}), 20, 0},
    // 11 at 0
    {"COSEC", "F01", formula::cosecant, ValueForm::kDouble, raises({kDivisionByZero}), 18, 20},
    {"COTAN", "F02", formula::cotangent, ValueForm::kDouble, raises({kDivisionByZero}), 19, 21},
    // 5 beyond -1 and 1, 11 at -1 and 1, 6 where x * x overflows
    {"ARCSIN", "F03", formula::arcSine, ValueForm::kDouble, raises({kInvalidArgument, kDivisionByZero, kOverflow}), 16,
     17},
    {"ARCCOS", "F04", formula::arcCosine, ValueForm::kDouble, raises({kInvalidArgument, kDivisionByZero, kOverflow}),
     17, 18},
    // 5 between -1 and 1, 11 at -1 and 1, 6 where x * x overflows
    {"ARCSEC", "F05", formula::arcSecant, ValueForm::kDouble, raises({kInvalidArgument, kDivisionByZero, kOverflow}),
     15, 19},
    {"ARCCOSEC", "F06", formula::arcCosecant, ValueForm::kDouble,
     raises({kInvalidArgument, kDivisionByZero, kOverflow}), 14, 15},
    {"ARCCOTAN", "F07", formula::arcCotangent, ValueForm::kDouble, raises({}), 13, 16},
    // 6 beyond -709.78 and 709.78
    {"HSIN", "F08", formula::hyperbolicSine, ValueForm::kDouble, raises({kOverflow}), 9, 11},
    {"HCOS", "F09", formula::hyperbolicCosine, ValueForm::kDouble, raises({kOverflow}), 10, 12},
    {"HTAN", "F10", formula::hyperbolicTangent, ValueForm::kDouble, raises({kOverflow}), 11, 13},
    {"HSEC", "F11", formula::hyperbolicSecant, ValueForm::kDouble, raises({kOverflow}), 12, 14},
    // 11 at 0 (and where the difference of exponentials is 0), 6 beyond -709.78 and 709.78
    {"HCOSEC", "F12", formula::hyperbolicCosecant, ValueForm::kDouble, raises({kDivisionByZero, kOverflow}), 7, 9},
    {"HCOTAN", "F13", formula::hyperbolicCotangent, ValueForm::kDouble, raises({kDivisionByZero, kOverflow}), 8, 10},
    // 6 where x * x overflows
    {"HARCSIN", "F14", formula::inverseHyperbolicSine, ValueForm::kDouble, raises({kOverflow}), 3, 5},
    // 5 below 1, 6 where x * x overflows
    {"HARCCOS", "F15", formula::inverseHyperbolicCosine, ValueForm::kDouble, raises({kInvalidArgument, kOverflow}), 4,
     6},
    // 5 from -1 down and above 1, 11 at 1
    {"HARCTAN", "F16", formula::inverseHyperbolicTangent, ValueForm::kDouble,
     raises({kInvalidArgument, kDivisionByZero}), 5, 7},
    // 5 below 0 and above 1, 11 at 0, 6 where x * x overflows
    {"HARCSEC", "F17", formula::inverseHyperbolicSecant, ValueForm::kDouble,
     raises({kInvalidArgument, kDivisionByZero, kOverflow}), 6, 8},
    // 11 at 0, 6 where x * x overflows, 5 for negative x so near 0 (above
    // about -1.5E-08) that the sum in the formula comes out as 0
    {"HARCCOSEC", "F18", formula::inverseHyperbolicCosecant, ValueForm::kDouble,
     raises({kInvalidArgument, kDivisionByZero, kOverflow}), 1, 3},
    // 5 from -1 up to below 1, 11 at 1
    {"HARCCOTAN", "F19", formula::inverseHyperbolicCotangent, ValueForm::kDouble,
     raises({kInvalidArgument, kDivisionByZero}), 2, 4},
    {"ATOR", "F20", formula::degreesToRadians, ValueForm::kDouble, raises({}), 21, 1},
    // 6 beyond about -3.1E+306 and 3.1E+306
    {"RTOA", "F21", formula::radiansToDegrees, ValueForm::kDouble, raises({kOverflow}), 22, 2},
});

// A row's code kept as typed: one of the thirteen short names.
constexpr bool isShortName(const FunctionRow& row) { return row.code == row.word; }

}  // namespace ombra::functions

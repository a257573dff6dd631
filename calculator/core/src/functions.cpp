#include "functions.h"

#include <cmath>
#include <cstdint>

#include "function_table.h"
#include "numbers.h"
#include "random_number.h"

namespace ombra::functions {
namespace {

using numbers::add;
using numbers::divide;
using numbers::multiply;
using numbers::NumberFailure;
using numbers::subtract;

// The degree/radian conversions use this decimal, not the full-precision pi.
constexpr double kPiAsWritten = 3.14159265358979;
constexpr double kDegreesInHalfTurn = 180;

// The platform routines the formulas are built from, each with its failure.
double sqr(double x) {
    if (formula::outsideSquareRoot(x)) throw NumberFailure{errors::kInvalidArgument};
    return std::sqrt(x);
}

double log(double x) {
    if (formula::outsideLogarithm(x)) throw NumberFailure{errors::kInvalidArgument};
    return std::log(x);
}

double exp(double x) {
    const double value = std::exp(x);
    if (!std::isfinite(value)) throw NumberFailure{errors::kOverflow};
    return value;
}

double atn(double x) { return std::atan(x); }

int16_t sgn(double x) { return static_cast<int16_t>((x > 0) - (x < 0)); }

// atn(1) * 2, computed afresh as the formulas write it.
double quarterTurnTwice() { return multiply(atn(1), 2); }

}  // namespace

namespace formula {

bool outsideLogarithm(double x) { return x <= 0; }
bool outsideSquareRoot(double x) { return x < 0; }

double sine(double x) { return std::sin(x); }
double cosine(double x) { return std::cos(x); }
double absolute(double x) { return std::fabs(x); }
double arcTangent(double x) { return atn(x); }
double exponential(double x) { return exp(x); }
double logarithm(double x) { return log(x); }
double squareRoot(double x) { return sqr(x); }
double tangent(double x) { return std::tan(x); }
double floored(double x) { return std::floor(x); }
double truncated(double x) { return std::trunc(x); }
double random(double x) { return randomNumber(x); }
double sign(double x) { return sgn(x); }

// The formulas, evaluated step by step from left to right, every step checked.
double secant(double x) { return divide(1, std::cos(x)); }
double cosecant(double x) { return divide(1, std::sin(x)); }
double cotangent(double x) { return divide(1, std::tan(x)); }

double arcSine(double x) {  // atn(x / sqr(x * (-x) + 1))
    return atn(divide(x, sqr(add(multiply(x, -x), 1))));
}

double arcCosine(double x) {  // atn(-x / sqr(x * (-x) + 1)) + atn(1) * 2
    const double angle = atn(divide(-x, sqr(add(multiply(x, -x), 1))));
    return add(angle, quarterTurnTwice());
}

// The three inverse functions below keep the domain and the failures of the
// classic derived-function table (5 between -1 and 1, 11 at ±1 for the two
// secant forms) but use formulas that give the true angle: the table's own
// forms, atn(x / sqr(x * x - 1)) + ..., return 2.43 for the inverse secant of
// 2 (it is pi/3) and 3pi/4 for the inverse cotangent of 1 (it is pi/4).

double arcSecant(double x) {  // atn(1) * 2 - atn(sgn(x) / sqr(x * x - 1)), in [0, pi]
    const double angle = atn(divide(sgn(x), sqr(subtract(multiply(x, x), 1))));
    return subtract(quarterTurnTwice(), angle);
}

double arcCosecant(double x) {  // atn(sgn(x) / sqr(x * x - 1)), in [-pi/2, pi/2]
    return atn(divide(sgn(x), sqr(subtract(multiply(x, x), 1))));
}

double arcCotangent(double x) {  // atn(1) * 2 - atn(x), in (0, pi)
    return subtract(quarterTurnTwice(), atn(x));
}

double hyperbolicSine(double x) {  // (exp(x) - exp(-x)) / 2
    const double up = exp(x);
    return divide(subtract(up, exp(-x)), 2);
}

double hyperbolicCosine(double x) {  // (exp(x) + exp(-x)) / 2
    const double up = exp(x);
    return divide(add(up, exp(-x)), 2);
}

double hyperbolicTangent(double x) {  // (exp(x) - exp(-x)) / (exp(-x) + exp(x))
    const double up = exp(x);
    const double numerator = subtract(up, exp(-x));
    const double down = exp(-x);
    return divide(numerator, add(down, exp(x)));
}

double hyperbolicSecant(double x) {  // 2 / (exp(-x) + exp(x))
    const double down = exp(-x);
    return divide(2, add(down, exp(x)));
}

double hyperbolicCosecant(double x) {  // 2 / (exp(x) - exp(-x))
    const double up = exp(x);
    return divide(2, subtract(up, exp(-x)));
}

double hyperbolicCotangent(double x) {  // (exp(x) + exp(-x)) / (exp(x) - exp(-x))
    const double up = exp(x);
    const double numerator = add(up, exp(-x));
    const double up2 = exp(x);
    return divide(numerator, subtract(up2, exp(-x)));
}

double inverseHyperbolicSine(double x) {  // log(x + sqr(x * x + 1))
    return log(add(x, sqr(add(multiply(x, x), 1))));
}

double inverseHyperbolicCosine(double x) {  // log(x + sqr(x * x - 1))
    return log(add(x, sqr(subtract(multiply(x, x), 1))));
}

double inverseHyperbolicTangent(double x) {  // log((x + 1) / (1 - x)) / 2
    const double numerator = add(x, 1);
    return divide(log(divide(numerator, subtract(1, x))), 2);
}

double inverseHyperbolicSecant(double x) {  // log((sqr(x * (-x) + 1) + 1) / x)
    return log(divide(add(sqr(add(multiply(x, -x), 1)), 1), x));
}

double inverseHyperbolicCosecant(double x) {  // log((sgn(x) * sqr(x * x + 1) + 1) / x)
    const double scaled = multiply(sgn(x), sqr(add(multiply(x, x), 1)));
    return log(divide(add(scaled, 1), x));
}

double inverseHyperbolicCotangent(double x) {  // log((x + 1) / (x - 1)) / 2
    const double numerator = add(x, 1);
    return divide(log(divide(numerator, subtract(x, 1))), 2);
}

double degreesToRadians(double x) { return multiply(divide(x, kDegreesInHalfTurn), kPiAsWritten); }
double radiansToDegrees(double x) { return multiply(divide(x, kPiAsWritten), kDegreesInHalfTurn); }

}  // namespace formula

const FunctionRow* rowNamed(std::string_view name) {
    for (const FunctionRow& row : kFunctionTable) {
        if (row.code == name) return &row;
    }
    return nullptr;
}

double value(const FunctionRow& row, double x) {
    const double number = row.formula(x);
    if (row.form == Written::Double && !std::isfinite(number)) throw NumberFailure{errors::kOverflow};
    return number;
}

std::string valueText(const FunctionRow& row, double x) { return writtenText(value(row, x), row.form); }

}  // namespace ombra::functions

#pragma once
// One row per operator mark of the internal form: the precedence level that
// looks for it, how it takes its operands, what it computes, the form its
// value is written back in, and whether it makes the call's result a truth
// value. ApplyOperator computes by these rows, and so does a plan's run.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "alphabet.h"
#include "numbers.h"
#include "value_text.h"

namespace ombra::operators {

// How an operation takes its operands out of the text.
enum class Operands : uint8_t {
    // Both must be numbers, the truth words counting as -1 and 0.
    Both,
    // "+" and "-": only the right one must be a number (truth words as
    // numbers); the left one may be empty (a sign) and is read as far as it
    // is a number, 0 when empty, its truth words left as they are.
    Sign,
    // NOT: the right one as for a sign; the left one is cut out and dropped.
    RightOnly,
};

struct OperatorRow {
    char mark;
    std::string_view level;
    Operands operands;
    Written written;
    bool logical;  // the operation leaves LogicalResult at -1
    // The value; failures of the number layer are thrown. RightOnly rows get
    // 0 for the left operand.
    double (*apply)(double left, double right);
    // A right operand with which `apply` fails whatever the left one is,
    // known without computing (a plan gives up on it without a throw); null
    // when the row names none.
    bool (*failsWith)(double right);
};

namespace apply {
using numbers::roundToInt32;
inline double power(double l, double r) { return numbers::power(l, r); }
inline double product(double l, double r) { return numbers::multiply(l, r); }
inline double quotient(double l, double r) { return numbers::divide(l, r); }
inline double sum(double l, double r) { return numbers::add(l, r); }
inline double difference(double l, double r) { return numbers::subtract(l, r); }
inline double integerQuotient(double l, double r) {
    const int32_t a = roundToInt32(l);
    return numbers::integerQuotient(a, roundToInt32(r));
}
inline double integerRemainder(double l, double r) {
    const int32_t a = roundToInt32(l);
    return numbers::integerRemainder(a, roundToInt32(r));
}
inline double truth(bool value) { return value ? -1 : 0; }
inline double equal(double l, double r) { return truth(l == r); }
inline double greater(double l, double r) { return truth(l > r); }
inline double less(double l, double r) { return truth(l < r); }
inline double greaterOrEqual(double l, double r) { return truth(l >= r); }
inline double lessOrEqual(double l, double r) { return truth(l <= r); }
inline double notEqual(double l, double r) { return truth(l != r); }
inline double logicalNot(double, double r) { return ~roundToInt32(r); }
inline double logicalAnd(double l, double r) {
    const int32_t a = roundToInt32(l);
    return a & roundToInt32(r);
}
inline double logicalOr(double l, double r) {
    const int32_t a = roundToInt32(l);
    return a | roundToInt32(r);
}
inline double logicalXor(double l, double r) {
    const int32_t a = roundToInt32(l);
    return a ^ roundToInt32(r);
}
inline double logicalEqv(double l, double r) {
    const int32_t a = roundToInt32(l);
    return ~(a ^ roundToInt32(r));
}
inline double logicalImp(double l, double r) {
    const int32_t a = roundToInt32(l);
    return ~a | roundToInt32(r);
}

// A divisor of 0, and one that rounds to the 32-bit integer 0.
inline bool zero(double r) { return r == 0; }
inline bool roundsToZero(double r) { return std::fabs(r) <= 0.5; }
}  // namespace apply

using enum Operands;
using enum Written;
inline constexpr auto kOperatorTable = std::to_array<OperatorRow>({
    {'^', alphabet::kPowerLevel, Both, Double, false, apply::power, nullptr},
    {'*', alphabet::kMultiplyLevel, Both, Double, false, apply::product, nullptr},
    {'/', alphabet::kMultiplyLevel, Both, Double, false, apply::quotient, apply::zero},
    {'\\', "\\", Both, Integer, false, apply::integerQuotient, apply::roundsToZero},
    {'%', "%", Both, Integer, false, apply::integerRemainder, apply::roundsToZero},
    {'+', alphabet::kAddLevel, Sign, Double, false, apply::sum, nullptr},
    {'-', alphabet::kAddLevel, Sign, Double, false, apply::difference, nullptr},
    {'=', alphabet::kComparisonLevel, Both, Truth, true, apply::equal, nullptr},
    {'>', alphabet::kComparisonLevel, Both, Truth, true, apply::greater, nullptr},
    {'<', alphabet::kComparisonLevel, Both, Truth, true, apply::less, nullptr},
    {':', alphabet::kComparisonLevel, Both, Truth, true, apply::greaterOrEqual, nullptr},
    {';', alphabet::kComparisonLevel, Both, Truth, true, apply::lessOrEqual, nullptr},
    {'}', alphabet::kComparisonLevel, Both, Truth, true, apply::notEqual, nullptr},
    {alphabet::kNotMark, alphabet::kNotLevel, RightOnly, Integer, true, apply::logicalNot, nullptr},
    {'&', "&", Both, Integer, true, apply::logicalAnd, nullptr},
    {'|', "|", Both, Integer, true, apply::logicalOr, nullptr},
    {'!', "!", Both, Integer, true, apply::logicalXor, nullptr},
    {'~', "~", Both, Integer, true, apply::logicalEqv, nullptr},
    {'\'', "'", Both, Integer, true, apply::logicalImp, nullptr},
});

// The place in the table of each byte that is an operator mark; kNoRow for
// every other byte.
inline constexpr uint8_t kNoRow = 0xFF;
inline constexpr auto kRowIndexOfMark = [] {
    std::array<uint8_t, 256> index{};
    index.fill(kNoRow);
    for (size_t k = 0; k < kOperatorTable.size(); ++k) {
        index[static_cast<unsigned char>(kOperatorTable[k].mark)] = static_cast<uint8_t>(k);
    }
    return index;
}();

// The row of `mark`; null for a byte that is no operator mark.
inline const OperatorRow* rowOf(char mark) {
    const uint8_t index = kRowIndexOfMark[static_cast<unsigned char>(mark)];
    return index == kNoRow ? nullptr : &kOperatorTable[index];
}

// The table and the alphabet agree: one row per operator mark, and each row
// on a level that looks for its mark. (Plain loops: under the sanitizers the
// compiler does not evaluate the library's searches at compile time.)
constexpr bool holds(std::string_view text, char c) {
    for (char x : text) {
        if (x == c) return true;
    }
    return false;
}
static_assert([] {
    if (kOperatorTable.size() != std::string_view(alphabet::kOperatorMarksText).size()) return false;
    for (char mark : std::string_view(alphabet::kOperatorMarksText)) {
        const uint8_t index = kRowIndexOfMark[static_cast<unsigned char>(mark)];
        if (index == kNoRow) return false;
        const std::string_view level = kOperatorTable[index].level;
        if (!holds(alphabet::marksOfLevel(level), mark)) return false;
        bool known = false;
        for (std::string_view other : alphabet::kLevels) known = known || other == level;
        if (!known) return false;
    }
    return true;
}());

}  // namespace ombra::operators

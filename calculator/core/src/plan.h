#pragma once
// A plan: the work the text rewriting does for every expression of one shape,
// written down once as a straight list of operations on numbered values
// (slots), so that an expression of that shape is computed from its numbers
// alone, with the same operations, roundings and number texts.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plan_shape.h"

namespace ombra::functions {
struct FunctionRow;
}
namespace ombra::operators {
struct OperatorRow;
}

namespace ombra::plans {

// A value as the rewriting leaves it in the text: the number its text reads
// as, whether that text starts with "-", and whether writing the number with
// 15 significant digits and reading it back is known to give it unchanged.
struct Operand {
    double value = 0;
    bool negativeText = false;
    bool keepsThroughText = false;
};

// How an operation takes an operand out of the text.
enum class Read : uint8_t {
    Text,     // the operand's own text
    Negated,  // a "-" in front of the operand's text; with a "-" already
              // there the pair reads as no number, and the plan gives up
    Zero,     // no text: the missing left operand of a sign reads as 0
    Dropped,  // the left operand of NOT: cut out, never read
};

// Values a plan can hold: literals, constants and step results together.
inline constexpr size_t kMostSlots = 128;

struct Step {
    enum class Kind : uint8_t { Operator, Function, Random };
    Kind kind = Kind::Operator;
    Read leftRead = Read::Text;
    Read rightRead = Read::Text;
    uint8_t left = 0;
    uint8_t right = 0;  // Function and Random: the argument
    uint8_t result = 0;
    const operators::OperatorRow* operation = nullptr;  // Operator: its row
    const functions::FunctionRow* function = nullptr;   // Function and Random: its row
};

struct Plan {
    uint8_t literalCount = 0;  // slots 0.. hold the text's literals in order
    uint8_t slotCount = 0;
    uint8_t finalSlot = 0;
    bool logicalResult = false;      // the call leaves LogicalResult at -1
    bool drawsRandom = false;        // some step is RND
    std::vector<Operand> constants;  // the slots after the literals
    std::vector<Step> steps;

    // Heap and object bytes the plan holds.
    size_t bytes() const;
};

// Runs `plan` on the literals of `text` (a cleaned input of the plan's
// shape) and writes the result text the rewriting would give into `answer`.
// `slots` is room for the values, reused from call to call. False, with
// nothing drawn from the random sequence, when any step fails or the result
// is an error: the rewriting then answers, with its own error number.
bool runPlan(const Plan& plan, std::string_view text, const Shape& shape, std::vector<Operand>& slots,
             std::string& answer);

}  // namespace ombra::plans

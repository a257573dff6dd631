// Running a plan: each step computes what the rewriting computes at that
// point, with the same number routines, and keeps the value its number text
// would read back as.

#include <algorithm>
#include <cmath>
#include <optional>

#include "alphabet.h"
#include "function_table.h"
#include "numbers.h"
#include "operator_table.h"
#include "plan.h"
#include "random_number.h"
#include "value_text.h"

namespace ombra::plans {
namespace {

// Within this range of magnitudes a decimal of 15 significant digits and the
// double nearest to it are each other's image: writing a value with 15 digits
// and reading it back changes it at most once, and never again after that.
constexpr double kSmallestOrdinary = 1e-300;
constexpr double kLargestOrdinary = 1e300;
constexpr size_t kDoubleDigits = 15;

bool isOrdinary(double value) {
    const double magnitude = std::fabs(value);
    return magnitude >= kSmallestOrdinary && magnitude <= kLargestOrdinary;
}

// A step's value before it is spliced into the text, and the form its text
// is written in.
struct Computed {
    double number;
    Written written;
};

// The operand a computed value becomes once written into the text and read.
Operand spliced(const Computed& c) {
    switch (c.written) {
        case Written::Double: {
            const double read = numbers::throughNumberText(c.number);
            return {read, c.number < 0, read == 0 || isOrdinary(read)};
        }
        case Written::Single: {
            const std::string text = writtenText(c.number, Written::Single);
            const double read = numbers::strictToDouble(text);
            return {read, text.starts_with('-'), read == 0 || isOrdinary(read)};
        }
        case Written::Integer:
        case Written::Truth: break;
    }
    return {c.number, c.number < 0, true};
}

// A literal keeps its value through its text when it has at most 15
// significant digits.
bool keepsThroughText(std::string_view literal, double value) {
    if (value != 0 && !isOrdinary(value)) return false;
    size_t digits = 0;
    for (char c : literal.substr(0, literal.find('E'))) {
        if (c >= '1' && c <= '9') {
            ++digits;
        } else if (c == '0' && digits != 0) {
            ++digits;
        }
    }
    return digits <= kDoubleDigits;
}

class Runner {
public:
    Runner(std::vector<Operand>& slots, std::optional<functions::RandomDraft>& draft) : slots_(slots), draft_(draft) {}

    // The value of one step; empty when the step fails without a failure
    // of the number layer (those are thrown).
    std::optional<Computed> compute(const Step& step) {
        const Operand& argument = slots_[step.right];
        switch (step.kind) {
            case Step::Kind::Function: {
                const functions::FunctionRow& function = *step.function;
                // The failures a plot meets most, outside a function's
                // domain, are found before the number layer throws for them:
                // a plan gives up on them anyway, and a thrown failure costs
                // more than the rest of the plan.
                if (function.failsWith != nullptr && function.failsWith(argument.value)) return std::nullopt;
                return Computed{functions::value(function, argument.value), function.form};
            }
            case Step::Kind::Random: return Computed{draft_->draw(argument.value), step.function->form};
            case Step::Kind::Operator: break;
        }
        Operand right;
        Operand left;
        if (!read(step.rightRead, step.right, right) || !read(step.leftRead, step.left, left)) return std::nullopt;
        const operators::OperatorRow& operation = *step.operation;
        // Likewise a division by zero, at a pole.
        if (operation.failsWith != nullptr && operation.failsWith(right.value)) return std::nullopt;
        return Computed{operation.apply(left.value, right.value), operation.written};
    }

    // Stores a step's value. A sign in front of a value that keeps through
    // its text gives a value that does too: no need to write and read it.
    void store(const Step& step, const Computed& value) {
        const bool signOnly = step.leftRead == Read::Zero && step.rightRead == Read::Text;
        if (signOnly && slots_[step.right].keepsThroughText) {
            slots_[step.result] = {value.number, value.number < 0, true};
        } else {
            slots_[step.result] = spliced(value);
        }
    }

private:
    bool read(Read how, uint8_t slot, Operand& operand) const {
        switch (how) {
            case Read::Text: operand = slots_[slot]; return true;
            case Read::Negated:
                if (slots_[slot].negativeText) return false;  // "--": not a number
                operand = slots_[slot];
                operand.value = -operand.value;
                return true;
            case Read::Zero:
            case Read::Dropped: operand = {}; return true;
        }
        return false;
    }

    std::vector<Operand>& slots_;
    std::optional<functions::RandomDraft>& draft_;
};

// The result text: the reduction reads its last value's text once more and
// writes it again, which for a value in the ordinary range gives the digits
// of the text it was read from, a text that reads as a number.
bool writeResult(double last, std::string& answer) {
    answer = numbers::numberText(last);
    return last == 0 || isOrdinary(last) ||
           numbers::readsAsNumber(std::string_view(answer).substr(answer.front() == ' '));
}

// The result shaping, of which only these steps can change a number text:
// its blank goes, and -1 and 0 become truth words after a comparison or a
// logical word. Then the draws from the random sequence count.
bool finish(const Plan& plan, std::string& answer, std::optional<functions::RandomDraft>& draft) {
    if (answer.front() == ' ') answer.erase(0, 1);
    if (plan.logicalResult && answer == "-1") {
        answer = alphabet::kTrueResult;
    } else if (plan.logicalResult && answer == "0") {
        answer = alphabet::kFalseResult;
    }
    return !draft || draft->commit();
}

}  // namespace

size_t Plan::bytes() const {
    return sizeof(Plan) + constants.capacity() * sizeof(Operand) + steps.capacity() * sizeof(Step);
}

bool runPlan(const Plan& plan, std::string_view text, const Shape& shape, std::vector<Operand>& slots,
             std::string& answer) {
    slots.resize(plan.slotCount);
    std::optional<functions::RandomDraft> draft;
    try {
        for (size_t k = 0; k < plan.literalCount; ++k) {
            const std::string_view literal = text.substr(shape.literals[k].start, shape.literals[k].length);
            const double value = numbers::strictToDouble(literal);
            slots[k] = {value, false, keepsThroughText(literal, value)};
        }
        std::copy(plan.constants.begin(), plan.constants.end(), slots.begin() + plan.literalCount);
        if (plan.drawsRandom) draft.emplace();
        Runner runner(slots, draft);
        for (const Step& step : plan.steps) {
            const std::optional<Computed> computed = runner.compute(step);
            if (!computed) return false;
            // The last step's number in the ordinary range is written with
            // the digits its text would read back and be written with.
            const bool last = &step == &plan.steps.back() && step.result == plan.finalSlot;
            if (last && computed->written == Written::Double && isOrdinary(computed->number)) {
                answer = numbers::numberText(computed->number);
                return finish(plan, answer, draft);
            }
            runner.store(step, *computed);
        }
        if (!writeResult(slots[plan.finalSlot].value, answer)) return false;
    } catch (const numbers::NumberFailure&) {
        return false;
    }
    return finish(plan, answer, draft);
}

}  // namespace ombra::plans

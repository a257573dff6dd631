// Running a plan: each step computes what the rewriting computes at that
// point, with the same number routines, and stores the value as its text
// would read back.

#include <algorithm>
#include <optional>

#include "functions.h"
#include "normalise.h"
#include "numbers.h"
#include "plan.h"
#include "random_number.h"

namespace ombra::plans {
namespace {

using numbers::roundToInt32;

constexpr std::string_view kErrorPrefix = "ERROR#";

// A value spliced into the text as number text, as later read back.
Operand fromText(std::string_view text) { return {numbers::strictToDouble(text), text.starts_with('-')}; }
Operand fromDouble(double value) { return fromText(numbers::numberText(value)); }
Operand fromInteger(int32_t value) { return {static_cast<double>(value), value < 0}; }
Operand fromTruth(bool value) { return value ? Operand{-1, true} : Operand{0, false}; }

class Runner {
public:
    Runner(std::vector<Operand>& slots, std::optional<functions::RandomDraft>& draft) : slots_(slots), draft_(draft) {}

    // False when the step fails; failures of the number layer are thrown.
    bool perform(const Step& step) {
        switch (step.kind) {
            case Step::Kind::Function:
                slots_[step.result] = fromText(functions::valueText(step.function, slots_[step.right].value));
                return true;
            case Step::Kind::Random:
                slots_[step.result] = fromText(numbers::singleText(draft_->draw(slots_[step.right].value)));
                return true;
            case Step::Kind::Operator: break;
        }
        double right = 0;
        double left = 0;
        if (!read(step.rightRead, step.right, right) || !read(step.leftRead, step.left, left)) return false;
        slots_[step.result] = operate(step.mark, left, right);
        return true;
    }

private:
    bool read(Read how, uint8_t slot, double& value) const {
        switch (how) {
            case Read::Text: value = slots_[slot].value; return true;
            case Read::Negated:
                if (slots_[slot].negativeText) return false;
                value = -slots_[slot].value;
                return true;
            case Read::Zero:
            case Read::Dropped: value = 0; return true;
        }
        return false;
    }

    static Operand operate(char mark, double left, double right) {
        switch (mark) {
            case '*': return fromDouble(numbers::multiply(left, right));
            case '/': return fromDouble(numbers::divide(left, right));
            case '+': return fromDouble(numbers::add(left, right));
            case '-': return fromDouble(numbers::subtract(left, right));
            case '^': return fromDouble(numbers::power(left, right));
            case '=': return fromTruth(left == right);
            case '>': return fromTruth(left > right);
            case '<': return fromTruth(left < right);
            case ':': return fromTruth(left >= right);
            case ';': return fromTruth(left <= right);
            case '}': return fromTruth(left != right);
            case '`': return fromInteger(~roundToInt32(right));
            default: break;
        }
        const int32_t a = roundToInt32(left);
        const int32_t b = roundToInt32(right);
        switch (mark) {
            case '\\': return fromInteger(numbers::integerQuotient(a, b));
            case '%': return fromInteger(numbers::integerRemainder(a, b));
            case '&': return fromInteger(a & b);
            case '|': return fromInteger(a | b);
            case '!': return fromInteger(a ^ b);
            case '~': return fromInteger(~(a ^ b));
            default: return fromInteger(~a | b);  // "'": IMP
        }
    }

    std::vector<Operand>& slots_;
    std::optional<functions::RandomDraft>& draft_;
};

}  // namespace

size_t Plan::bytes() const {
    return sizeof(Plan) + constants.capacity() * sizeof(Operand) + steps.capacity() * sizeof(Step);
}

bool runPlan(const Plan& plan, std::string_view text, const Shape& shape, std::string& answer) {
    thread_local std::vector<Operand> slots;
    slots.resize(plan.slotCount);
    std::optional<functions::RandomDraft> draft;
    try {
        for (size_t k = 0; k < plan.literalCount; ++k) {
            const Literal& literal = shape.literals[k];
            slots[k] = {numbers::strictToDouble(text.substr(literal.start, literal.length)), false};
        }
        std::copy(plan.constants.begin(), plan.constants.end(), slots.begin() + plan.literalCount);
        if (plan.drawsRandom) draft.emplace();
        Runner runner(slots, draft);
        for (const Step& step : plan.steps) {
            if (!runner.perform(step)) return false;
        }
        // The reduction ends by reading the last value and writing it again.
        answer = numbers::numberText(slots[plan.finalSlot].value);
    } catch (const numbers::NumberFailure&) {
        return false;
    }
    const int16_t logical = plan.logicalResult ? -1 : 0;
    normalise::shapeResult(answer, {0, 0, logical});
    if (answer.starts_with(kErrorPrefix)) return false;
    return !draft || draft->commit();
}

}  // namespace ombra::plans

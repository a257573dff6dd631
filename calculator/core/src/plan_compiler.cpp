#include "plan_compiler.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "alphabet.h"
#include "encoding.h"
#include "function_table.h"
#include "group_text.h"
#include "normalise.h"
#include "numbers.h"
#include "operator_table.h"

namespace ombra::plans {
namespace {

// In the symbolic text every value (a literal, a constant or a computed
// value) is one byte from here up, its slot added; every other byte is what
// the rewritten text holds there. Value texts hold no operator marks and no
// brackets, so the stages find the same operators, operands and groups in
// both texts.
constexpr unsigned kFirstValueByte = 256 - kMostSlots;

using alphabet::kFunctionNameLength;
using functions::FunctionRow;
using operators::Operands;
using operators::OperatorRow;

// Thrown while compiling: the shape gets no plan.
struct NotPlanned {};

bool isValue(char c) { return static_cast<unsigned char>(c) >= kFirstValueByte; }
uint8_t slotOf(char c) { return static_cast<uint8_t>(static_cast<unsigned char>(c) - kFirstValueByte); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }

// The operand skeleton of ApplyOperator: a "-" behind a mark is the right
// operand's sign, every mark a separator.
std::string skeletonOf(const std::string& text) {
    std::string skeleton = text;
    encoding::apply(encoding::kOperandSkeleton, skeleton);
    return skeleton;
}

// How an operand run of the skeleton reads: one value, or one value with a
// sign in front.
enum class Run { Empty, Value, SignedValue, Other };

Run runForm(std::string_view run) {
    if (run.empty()) return Run::Empty;
    if (run.size() == 1 && isValue(run[0])) return Run::Value;
    if (run.size() == 2 && run[0] == '{' && isValue(run[1])) return Run::SignedValue;
    return Run::Other;
}

class Compiler {
public:
    Compiler(Plan& plan, size_t literals) : plan_(plan) {
        plan_.literalCount = static_cast<uint8_t>(literals);
        slots_ = literals;
    }

    // The internal form of the shape's key, with every literal and constant
    // turned into its value byte. Any letter that is not a function name
    // right before "(" leaves the shape unplanned.
    std::string symbolicText(std::string_view internal) {
        std::string text;
        size_t literal = 0;
        for (size_t k = 0; k < internal.size();) {
            const char c = internal[k];
            char next = c;
            if (c == kPlainNumber || c == kExponentNumber) {
                if (literal == plan_.literalCount) throw NotPlanned{};
                next = valueByte(literal++);
                ++k;
            } else if (isDigit(c) || c == '.') {
                size_t end = k;
                while (end < internal.size() && (isDigit(internal[end]) || internal[end] == '.')) ++end;
                // The constants have 15 digits at most.
                plan_.constants.push_back({numbers::strictToDouble(internal.substr(k, end - k)), false, true});
                next = valueByte(newSlot());
                k = end;
            } else if (isCapital(c)) {
                const std::string_view name = internal.substr(k, kFunctionNameLength);
                if (functions::rowNamed(name) == nullptr || k + kFunctionNameLength >= internal.size() ||
                    internal[k + kFunctionNameLength] != '(')
                    throw NotPlanned{};
                text.append(name);
                k += kFunctionNameLength;
                continue;
            } else if (alphabet::isOperatorMark(c) || c == '(' || c == ')') {
                ++k;
            } else {
                throw NotPlanned{};
            }
            // Two values side by side would be one number in the real text.
            if (isValue(next) && !text.empty() && isValue(text.back())) throw NotPlanned{};
            text.push_back(next);
        }
        if (literal != plan_.literalCount) throw NotPlanned{};
        return text;
    }

    // The whole reduction: groups from the inside out, then the levels.
    void reduceExpression(std::string text) {
        encoding::foldSignsForDriver(text);
        if (text.find(')') != std::string::npos) {
            GroupText groups;
            groups.start(std::move(text));
            while (groups.findClose() != std::string::npos) reduceInnermostGroup(groups);
            text = groups.text();
        }
        if (text.find('(') != std::string::npos) throw NotPlanned{};
        reduceAllLevels(text);
        if (text.size() != 1 || !isValue(text[0])) throw NotPlanned{};
        plan_.finalSlot = slotOf(text[0]);
        plan_.slotCount = static_cast<uint8_t>(slots_);
    }

private:
    char valueByte(size_t slot) const { return static_cast<char>(kFirstValueByte + slot); }

    size_t newSlot() {
        if (slots_ == kMostSlots) throw NotPlanned{};
        return slots_++;
    }

    // The group stage's checks and splicing on the symbolic text: a group
    // the stage would refuse leaves the shape unplanned.
    void reduceInnermostGroup(GroupText& text) {
        const size_t close = text.findClose();
        const size_t open = text.findOpen(close);
        if (open == std::string::npos) throw NotPlanned{};
        const std::optional<char> before = text.checkedBefore(open);
        if (before && !alphabet::allowedBeforeGroup(*before)) throw NotPlanned{};
        const std::optional<char> after = text.checkedAfter(close);
        if (after && !alphabet::allowedAfterGroup(*after)) throw NotPlanned{};

        std::string content;
        text.copy(open + 1, close, content);
        reduceAllLevels(content);
        if (content.size() != 1 || !isValue(content[0])) throw NotPlanned{};

        std::string name;
        if (open >= kFunctionNameLength) text.copy(open - kFunctionNameLength, open, name);
        const FunctionRow* function = functions::rowNamed(name);
        if (function == nullptr) {
            // The value goes back between brackets as its own text.
            text.replace(open, close, content);
            return;
        }
        Step step;
        step.kind = functions::drawsRandom(*function) ? Step::Kind::Random : Step::Kind::Function;
        step.function = function;
        step.right = slotOf(content[0]);
        step.result = static_cast<uint8_t>(newSlot());
        plan_.drawsRandom = plan_.drawsRandom || step.kind == Step::Kind::Random;
        plan_.steps.push_back(step);
        text.replace(open - kFunctionNameLength, close, std::string(1, valueByte(step.result)));
    }

    void reduceAllLevels(std::string& text) {
        for (std::string_view level : alphabet::kLevels) reduceLevel(text, level);
    }

    void reduceLevel(std::string& text, std::string_view level) {
        encoding::foldSignsForLevel(text);
        // The level's cleaning turns truth words back into numbers.
        for (char c : text) {
            if (isValue(c)) truthText_[slotOf(c)] = false;
        }
        const std::string_view marks = alphabet::marksOfLevel(level);
        for (size_t at = text.find_first_of(marks); at != std::string::npos; at = text.find_first_of(marks)) {
            text = applyOperator(text, at + 1);
        }
    }

    // The operation at 1-based `position`, the leftmost mark of its level.
    std::string applyOperator(const std::string& text, size_t position) {
        const OperatorRow& operation = *operators::rowOf(text[position - 1]);
        // Folding that shortens the skeleton would shift its positions.
        const std::string skeleton = skeletonOf(text);
        if (skeleton.size() != text.size()) throw NotPlanned{};
        const std::string_view s = skeleton;
        const std::string_view before = s.substr(0, position - 1);
        const std::string_view after = s.substr(position);
        const size_t lastComma = before.rfind(',');
        const size_t leftStart = lastComma == std::string_view::npos ? 0 : lastComma + 1;
        const size_t firstComma = after.find(',');
        const size_t rightLength = firstComma == std::string_view::npos ? 0 : firstComma + 1;
        const std::string_view leftRun = before.substr(leftStart);
        const std::string_view rightRun = rightLength != 0 ? after.substr(0, rightLength - 1) : after;

        Step step;
        step.operation = &operation;
        readOperand(rightRun, step.rightRead, step.right);
        const Run left = runForm(leftRun);
        if (operation.operands == Operands::RightOnly) {
            if (left == Run::Other) throw NotPlanned{};
            step.leftRead = Read::Dropped;
        } else if (operation.operands == Operands::Sign) {
            if (left == Run::Empty) {
                step.leftRead = Read::Zero;
            } else if (left == Run::Value && !truthText_[slotOf(leftRun[0])]) {
                step.left = slotOf(leftRun[0]);  // read without mapping truth words
            } else {
                throw NotPlanned{};
            }
        } else {
            readOperand(leftRun, step.leftRead, step.left);
        }
        plan_.logicalResult = plan_.logicalResult || operation.logical;
        step.result = static_cast<uint8_t>(newSlot());
        truthText_[step.result] = operation.written == Written::Truth;
        plan_.steps.push_back(step);

        std::string result = text.substr(0, leftStart);
        result.push_back(valueByte(step.result));
        if (rightLength != 0 && position + rightLength - 1 < text.size())
            result.append(text, position + rightLength - 1, std::string::npos);
        return result;
    }

    // An operand that must pass the numeric test.
    static void readOperand(std::string_view run, Read& read, uint8_t& slot) {
        switch (runForm(run)) {
            case Run::Value: read = Read::Text; break;
            case Run::SignedValue: read = Read::Negated; break;
            default: throw NotPlanned{};
        }
        slot = slotOf(run.back());
    }

    Plan& plan_;
    size_t slots_ = 0;
    std::vector<bool> truthText_ = std::vector<bool>(kMostSlots);  // slots holding "True"/"False" text
};

}  // namespace

std::shared_ptr<const Plan> compilePlan(std::string_view text, const Shape& shape) {
    if (shape.literals.size() >= kMostSlots) return nullptr;
    auto plan = std::make_shared<Plan>();
    std::string internal = shape.key;
    normalise::rewriteToInternalForm(internal);
    try {
        Compiler compiler(*plan, shape.literals.size());
        compiler.reduceExpression(compiler.symbolicText(internal));
    } catch (const NotPlanned&) {
        return nullptr;
    } catch (const numbers::NumberFailure&) {
        return nullptr;
    }
    // Checked last: most texts with a foreign word fail above already, and
    // the rewriting checks them again.
    if (!normalise::usesOnlyKnownWords(text)) return nullptr;
    plan->logicalResult = plan->logicalResult || normalise::mentionsTruthWords(text);
    plan->constants.shrink_to_fit();
    plan->steps.shrink_to_fit();
    return plan;
}

}  // namespace ombra::plans

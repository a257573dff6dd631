#include "operand_skeleton.h"

#include "alphabet.h"
#include "encoding.h"

namespace ombra {
namespace {

constexpr char kSignOfOperand = '{';
constexpr char kOperandSeparator = ',';

bool isSign(char c) { return c == '+' || c == '-'; }

// True when none of the sign-folding replacements would change the text.
bool hasNothingToFold(std::string_view text) {
    for (size_t k = 1; k < text.size(); ++k) {
        const char before = text[k - 1];
        const char here = text[k];
        if (isSign(before) && isSign(here)) return false;
        if (before == alphabet::kNotMark && here == alphabet::kNotMark) return false;
    }
    return true;
}

// Without sign pairs every replacement keeps the length, so each character
// of the skeleton depends only on its own character and the one before.
char skeletonCharacter(std::string_view text, size_t k) {
    const char here = text[k];
    const char before = k > 0 ? text[k - 1] : 0;
    if (isSign(here) && before == 'E') return here == '+' ? 'A' : 'B';
    if (here == '-' && alphabet::isMarkTakingSignedOperand(before)) return kSignOfOperand;
    if (alphabet::isOperatorMark(here)) return kOperandSeparator;
    if (here == 'e') return 'E';
    return here;
}

void mapRange(std::string_view text, size_t from, size_t to, std::string& out) {
    out.clear();
    for (size_t k = from; k < to; ++k) out.push_back(skeletonCharacter(text, k));
}

}  // namespace

void buildOperandSkeletonByRewriting(std::string_view text, std::string& skeleton) {
    skeleton.assign(text);
    encoding::apply(encoding::kOperandSkeleton, skeleton);
}

void buildOperandSkeleton(std::string_view text, std::string& skeleton) {
    if (!hasNothingToFold(text)) {
        buildOperandSkeletonByRewriting(text, skeleton);
        return;
    }
    mapRange(text, 0, text.size(), skeleton);
}

void cutOperandsFromFullSkeleton(std::string_view text, size_t position, OperandCut& cut) {
    thread_local std::string skeleton;
    buildOperandSkeleton(text, skeleton);
    const std::string_view s = skeleton;
    const std::string_view before = s.substr(0, std::min(position - 1, s.size()));
    const std::string_view after = position < s.size() ? s.substr(position) : std::string_view();
    const size_t lastComma = before.rfind(kOperandSeparator);
    cut.leftStart = lastComma == std::string_view::npos ? 0 : lastComma + 1;
    const size_t firstComma = after.find(kOperandSeparator);
    cut.rightLength = firstComma == std::string_view::npos ? 0 : firstComma + 1;
    cut.left.assign(before.substr(cut.leftStart));
    cut.right.assign(cut.rightLength != 0 ? after.substr(0, cut.rightLength - 1) : after);
}

void cutOperands(std::string_view text, size_t position, OperandCut& cut) {
    // Where the right operand ends: the next separator after the operator.
    size_t end = position;  // 0-based index just past the operator
    while (end < text.size() && skeletonCharacter(text, end) != kOperandSeparator) ++end;
    // A sign pair up to one character past that end would shift positions.
    if (!hasNothingToFold(text.substr(0, std::min(end + 2, text.size())))) {
        cutOperandsFromFullSkeleton(text, position, cut);
        return;
    }
    size_t leftStart = position - 1;
    while (leftStart > 0 && skeletonCharacter(text, leftStart - 1) != kOperandSeparator) --leftStart;
    cut.leftStart = leftStart;
    cut.rightLength = end < text.size() ? end - position + 1 : 0;
    mapRange(text, leftStart, position - 1, cut.left);
    mapRange(text, position, end, cut.right);
}

}  // namespace ombra

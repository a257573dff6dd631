#include "operand_skeleton.h"

#include "alphabet.h"
#include "text_edit.h"

namespace ombra {
namespace {

constexpr std::string_view kDoubleMinus = "--";
constexpr std::string_view kDoublePlus = "++";
constexpr std::string_view kPlusMinus = "+-";
constexpr std::string_view kMinusPlus = "-+";
constexpr char kSignOfOperand = '{';
constexpr char kOperandSeparator = ',';

bool isSign(char c) { return c == '+' || c == '-'; }

bool isMarkTakingSignedOperand(char c) {
    return c != 0 && alphabet::kMarksTakingSignedOperand.find(c) != std::string_view::npos;
}

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

}  // namespace

void buildOperandSkeletonByRewriting(std::string_view text, std::string& skeleton) {
    skeleton.assign(text);
    Rewriter s(skeleton);
    s.replaceAll("E+", "EA");
    s.replaceAll("E-", "EB");
    s.replaceAll(kDoubleMinus, "+");
    s.removeAll(alphabet::kNotPair);
    s.replaceAll(kDoublePlus, "+");
    s.replaceWhilePresent(kPlusMinus, "-");
    s.replaceWhilePresent(kMinusPlus, "-");
    s.replaceWhilePresent(alphabet::kNotPair, "");
    for (const char mark : alphabet::kMarksTakingSignedOperand) {
        const std::string markThenMinus{mark, '-'};
        const std::string markThenSign{mark, kSignOfOperand};
        s.replaceAll(markThenMinus, markThenSign);
    }
    const std::string separator(1, kOperandSeparator);
    for (const char mark : alphabet::kOperatorMarks) s.replaceAll(std::string(1, mark), separator);
    s.replaceAll("e", "E");
}

void buildOperandSkeleton(std::string_view text, std::string& skeleton) {
    if (!hasNothingToFold(text)) {
        buildOperandSkeletonByRewriting(text, skeleton);
        return;
    }
    // Without sign pairs every replacement keeps the length, so each character
    // of the skeleton depends only on its own character and the one before.
    skeleton.resize(text.size());
    char before = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        const char here = text[k];
        char mapped = here;
        if (isSign(here) && before == 'E') {
            mapped = here == '+' ? 'A' : 'B';
        } else if (here == '-' && isMarkTakingSignedOperand(before)) {
            mapped = kSignOfOperand;
        } else if (alphabet::isOperatorMark(here)) {
            mapped = kOperandSeparator;
        } else if (here == 'e') {
            mapped = 'E';
        }
        skeleton[k] = mapped;
        before = here;
    }
}

}  // namespace ombra

#pragma once
// The operand skeleton of a bracket-free working text (the sequence
// encoding::kOperandSkeleton): exponent signs and sign pairs folded, a "-"
// right behind an operator mark made "{" (the sign of the right operand), and
// every operator mark a ",", so that the operands are the runs between
// commas.
//
// The sequence works unit by unit. A folding run (a maximal run of "+", "-"
// and the NOT mark, not counting a sign right after "E") becomes an image of
// its own that depends only on the run and the character before it; any other
// character becomes one character that depends at most on the one before it.
// So a skeleton can be built in one pass and patched where the text changes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "alphabet.h"

namespace ombra {

constexpr bool isSign(char c) { return c == '+' || c == '-'; }

// True for "+", "-" and the NOT mark.
constexpr bool isFoldingCharacter(char c) { return isSign(c) || c == alphabet::kNotMark; }

// True when text[k] belongs to a folding run: a folding character that is
// not a sign right after "E" (that sign becomes "A" or "B").
constexpr bool isInFoldingRun(std::string_view text, size_t k) {
    return isFoldingCharacter(text[k]) && !(isSign(text[k]) && k > 0 && text[k - 1] == 'E');
}

// The skeleton image of one character that is not in a folding run, or of a
// folding run of one character, after `before` (0 at the start of the text).
constexpr char skeletonCharacter(char before, char here) {
    if (isSign(here) && before == 'E') return here == '+' ? 'A' : 'B';
    if (here == '-' && alphabet::isMarkTakingSignedOperand(before)) return '{';
    if (alphabet::isOperatorMark(here)) return ',';
    if (here == 'e') return 'E';
    return here;
}

// The character in front of the folding run that starts at `runStart` of
// `text`, as the run sees it once exponent signs are marked: "A" or "B" for a
// sign right after "E", 0 at the start of the text.
char charBeforeRun(std::string_view text, size_t runStart);

// Appends the skeleton image of the folding run `run` standing after
// `before`, a character as charBeforeRun gives it.
void appendRunImage(char before, std::string_view run, std::string& image);

// The skeleton of `text`, unit by unit. When `unitStart` and `imageStart` are
// given, they receive for every position the start of its unit and the
// skeleton position where that unit's image starts (one more entry for the
// end of the text).
void buildOperandSkeleton(std::string_view text, std::string& skeleton, std::vector<uint32_t>* unitStart = nullptr,
                          std::vector<uint32_t>* imageStart = nullptr);

}  // namespace ombra

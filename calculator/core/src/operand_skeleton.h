#pragma once
// The operand skeleton of a bracket-free working text: a scratch copy in which
// exponent signs and sign pairs are folded, a "-" right behind an operator
// mark becomes "{" (the sign of the right operand), and every operator mark
// becomes ",", so that the operands are the runs between commas.

#include <string>
#include <string_view>

namespace ombra {

// Writes the skeleton of `text` into `skeleton`. Text without sign pairs to
// fold (the usual case) is mapped in one pass; any other text goes through
// buildOperandSkeletonByRewriting. Both give the same skeleton.
void buildOperandSkeleton(std::string_view text, std::string& skeleton);

// The skeleton made by the full sequence of replace-alls.
void buildOperandSkeletonByRewriting(std::string_view text, std::string& skeleton);

// The operands around the operator at 1-based `position` of `text`: the run
// of the skeleton before it (starting at leftStart, 0-based) and the run after
// it; rightLength is the 1-based position of the comma that ends the right
// run within the rest of the skeleton, 0 when the run reaches the end.
struct OperandCut {
    size_t leftStart = 0;
    size_t rightLength = 0;
    std::string left;
    std::string right;
};

// Looks only at the text up to the end of the right operand when no sign pair
// there needs folding (the usual case, so a long text costs no full pass);
// otherwise cuts the full skeleton. Both give the same cut.
void cutOperands(std::string_view text, size_t position, OperandCut& cut);

// The same cut taken from the full skeleton every time.
void cutOperandsFromFullSkeleton(std::string_view text, size_t position, OperandCut& cut);

}  // namespace ombra

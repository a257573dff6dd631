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

}  // namespace ombra

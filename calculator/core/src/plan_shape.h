#pragma once
// The shape of a cleaned expression text: the text with its number literals
// taken out. Expressions that differ only in their numbers share a shape, and
// the rewriting does the same work for all of them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ombra::plans {

// Where one number literal of the text lies.
struct Literal {
    uint32_t start;
    uint32_t length;
};

struct Shape {
    // The text with each literal replaced by kPlainNumber, or by
    // kExponentNumber when it has an exponent such as E+05: the "E" left in
    // the text by such a literal counts in the check of the input's words.
    std::string key;
    uint64_t hash = 0;
    std::vector<Literal> literals;
};

inline constexpr char kPlainNumber = '#';
inline constexpr char kExponentNumber = '$';

// The longest cleaned text that gets a shape; longer ones are rare, and
// bounding the key bounds what a cache of shapes holds.
inline constexpr size_t kLongestShapedText = 256;

// Reads the shape of `text` (a cleaned input) in one pass. False when the
// text is too long, holds a byte outside the evaluator's half-width alphabet,
// or holds a number that is not a plain decimal literal (two points, an
// exponent without digits, digits right after an exponent): the rewriting
// alone answers those.
bool readShape(std::string_view text, Shape& shape);

}  // namespace ombra::plans

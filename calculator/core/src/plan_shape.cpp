#include "plan_shape.h"

#include <array>

namespace ombra::plans {
namespace {

constexpr uint64_t kHashStart = 0xCBF29CE484222325ULL;  // FNV-1a
constexpr uint64_t kHashFactor = 0x100000001B3ULL;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isNumberCharacter(char c) { return isDigit(c) || c == '.'; }

// The bytes a cleaned input may hold around its numbers: capitals, brackets
// and the operator characters. The placeholders are not among them, so a key
// never mistakes a typed character for a number.
constexpr std::array<bool, 256> kShapeBytes = [] {
    std::array<bool, 256> table{};
    for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<size_t>(c)] = true;
    for (unsigned char c : std::string_view("+-*/\\%^()=<>")) table[c] = true;
    return table;
}();

// Length of the literal at `at`: digits and at most one point, then an
// exponent E+dd or E-dd when the last of them is a digit. 0 when there is no
// such literal there.
size_t literalLength(std::string_view text, size_t at, bool& exponent) {
    size_t end = at;
    size_t digits = 0;
    size_t points = 0;
    for (; end < text.size() && isNumberCharacter(text[end]); ++end) {
        if (text[end] == '.') {
            ++points;
        } else {
            ++digits;
        }
    }
    if (digits == 0 || points > 1) return 0;
    exponent = false;
    // The rewriting turns an E and a sign right after a digit into an
    // exponent whatever follows; without digits after it, no plan is made.
    if (isDigit(text[end - 1]) && end + 1 < text.size() && text[end] == 'E' &&
        (text[end + 1] == '+' || text[end + 1] == '-')) {
        size_t exponentEnd = end + 2;
        while (exponentEnd < text.size() && isDigit(text[exponentEnd])) ++exponentEnd;
        if (exponentEnd == end + 2) return 0;
        end = exponentEnd;
        exponent = true;
    }
    if (end < text.size() && isNumberCharacter(text[end])) return 0;
    return end - at;
}

}  // namespace

bool readShape(std::string_view text, Shape& shape) {
    if (text.size() > kLongestShapedText) return false;
    shape.key.resize(text.size());  // the key is never longer than the text
    shape.literals.clear();
    size_t written = 0;
    uint64_t hash = kHashStart;
    for (size_t k = 0; k < text.size();) {
        char c = text[k];
        if (isNumberCharacter(c)) {
            bool exponent = false;
            const size_t length = literalLength(text, k, exponent);
            if (length == 0) return false;
            shape.literals.push_back({static_cast<uint32_t>(k), static_cast<uint32_t>(length)});
            c = exponent ? kExponentNumber : kPlainNumber;
            k += length;
        } else {
            if (!kShapeBytes[static_cast<unsigned char>(c)]) return false;
            ++k;
        }
        shape.key[written++] = c;
        hash = (hash ^ static_cast<unsigned char>(c)) * kHashFactor;
    }
    shape.key.resize(written);
    shape.hash = hash;
    return true;
}

}  // namespace ombra::plans

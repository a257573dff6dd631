// One precedence level: every operator of the level, leftmost first, until
// none is left.

#include <array>

#include "alphabet.h"
#include "calculator/Calculator.h"
#include "numbers.h"
#include "text_edit.h"

namespace ombra {
namespace {

bool startsWith(std::string_view text, size_t at, std::string_view word) {
    return text.compare(at, word.size(), word) == 0;
}

// Bytes at which one of the replacements could start or end; digits, points,
// brackets and most marks are not among them.
constexpr std::array<bool, 256> kWorthALook = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : std::string_view(" +-`TF")) table[c] = true;
    for (int c = 'a'; c <= 'z'; ++c) table[static_cast<size_t>(c)] = true;
    for (size_t c = 0x80; c < table.size(); ++c) table[c] = true;
    return table;
}();

// True when at least one of the cleaning replacements below would find
// something. Most texts are clean already; one pass over them is much cheaper
// than the fourteen searches.
bool needsCleaning(std::string_view text) {
    char before = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        const char here = text[k];
        const auto byte = static_cast<unsigned char>(here);
        if (!kWorthALook[byte]) {
            before = here;
            continue;
        }
        if (here == ' ' || (here >= 'a' && here <= 'z') || byte >= 0x80) return true;
        if ((here == '-' && (before == '[' || before == '-' || before == '+' || before == 'E')) ||
            (here == '+' && (before == '+' || before == '-' || before == 'E')) ||
            (here == alphabet::kNotMark && before == alphabet::kNotMark))
            return true;
        if ((here == 'T' && startsWith(text, k, alphabet::kTrueWord)) ||
            (here == 'F' && startsWith(text, k, alphabet::kFalseWord)))
            return true;
        before = here;
    }
    return false;
}

// Folds signs, turns a computed negative value into "{...]", exponent signs
// into EA/EB and truth values written back as "TruE"/"FalsE" into numbers.
void cleanLevelText(std::string& text) {
    if (!needsCleaning(text)) return;
    Rewriter r(text);
    r.removeAll(alphabet::kHalfWidthBlank);
    r.replaceAll("[-", "{");
    r.replaceAll("--", "+");
    r.replaceAll("++", "+");
    r.removeAll(alphabet::kNotPair);
    r.replaceWhilePresent("+-", "-");
    r.replaceWhilePresent("-+", "-");
    r.replaceWhilePresent(alphabet::kNotPair, "");
    r.replaceAll("e", "E");
    r.replaceAll("E+", "EA");
    r.replaceAll("E-", "EB");
    r.toUpper();
    r.replaceAll(alphabet::kTrueWord, "-1");
    r.replaceAll(alphabet::kFalseWord, "0");
}

std::string_view marksOfLevel(std::string_view level) {
    if (level == alphabet::kComparisonLevel) return alphabet::kComparisonMarks;
    return level;  // "+-", "*/", or a level that is its own single mark
}

}  // namespace

bool Calculator::ReduceAllLevels(std::string& text) {
    // A level that finds nothing to clean and none of its marks hands back an
    // unchanged copy; such calls are skipped, and the cleaning check is only
    // repeated once a call has run.
    bool mayNeedCleaning = needsCleaning(text);
    for (std::string_view level : alphabet::kLevels) {
        if (!mayNeedCleaning && !containsAnyOf(text, marksOfLevel(level))) continue;
        text = ReduceLevel(text, std::string(level));
        if (ErrorFlag != 0) return false;
        mayNeedCleaning = needsCleaning(text);
    }
    return true;
}

std::string Calculator::ReduceLevel(std::string& text, const std::string& level) {
    cleanLevelText(text);
    try {
        std::string working = text;
        const std::string_view marks = marksOfLevel(level);
        const bool comparing = level == alphabet::kComparisonLevel;
        while (containsAnyOf(working, marks)) {
            if (comparing) LogicalResult = -1;
            working = ApplyOperator(std::move(working), level);
            if (ErrorFlag != 0) return {};
        }
        return working;
    } catch (const numbers::NumberFailure& failure) {
        return failWithDigits(failure.number);
    }
}

}  // namespace ombra

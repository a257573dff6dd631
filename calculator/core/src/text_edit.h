#pragma once
// In-place text rewriting for the reduction stages: one-pass replace-all,
// repeat-until-gone replacement and upper-casing. A rewriter remembers which
// byte values its text may hold, so a search for text that cannot be there is
// skipped without scanning; results are those of a plain replace-all.

#include <array>
#include <string>
#include <string_view>

namespace ombra {

// Upper-cases ASCII letters and maps the full-width small letters
// (U+FF41..U+FF5A) to the full-width capitals; every other byte is kept.
// Returns whether anything changed.
bool toUpperCase(std::string& text);

// One-pass replace-all on its own, for the short runs of two to five
// replacements where remembering byte values does not pay.
void replaceAll(std::string& text, std::string_view from, std::string_view to);
inline void removeAll(std::string& text, std::string_view needle) { replaceAll(text, needle, {}); }

// Repeats replaceAll until `from` no longer occurs. A two-character `from`
// with a `to` of at most one character is rewritten in one pass, keeping the
// text done so far as a stack and folding at its top; that gives the same
// text as the repeated passes whenever the result does not depend on the
// order in which occurrences are taken, as for the folding pairs "+-" -> "-",
// "-+" -> "-" and "``" -> "".
void replaceUntilGone(std::string& text, std::string_view from, std::string_view to);

// True when `text` holds at least one of the bytes of `marks`.
bool containsAnyOf(std::string_view text, std::string_view marks);

class Rewriter {
public:
    explicit Rewriter(std::string& text);

    // Replaces every non-overlapping occurrence, found left to right in one
    // pass; text brought together by a replacement is not looked at again.
    void replaceAll(std::string_view from, std::string_view to);
    void removeAll(std::string_view needle) { replaceAll(needle, {}); }
    // Repeats replaceAll until the search text no longer occurs (see the
    // free function of that name).
    void replaceUntilGone(std::string_view from, std::string_view to);
    void toUpper();

private:
    bool mayContain(std::string_view needle) const {
        for (char c : needle) {
            if (!present_[static_cast<unsigned char>(c)]) return false;
        }
        return true;
    }
    void notePresent(std::string_view bytes) {
        for (char c : bytes) present_[static_cast<unsigned char>(c)] = true;
    }
    void rescan();

    std::string& text_;
    std::array<bool, 256> present_{};  // which byte values the text may hold
};

}  // namespace ombra

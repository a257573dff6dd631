#include "encoding.h"

#include <array>

#include "alphabet.h"
#include "text_edit.h"

namespace ombra::encoding {
namespace {

bool isSign(char c) { return c == '+' || c == '-'; }

// True when no two signs and no two NOT marks stand side by side: then none
// of the folding replacements finds anything.
bool hasNothingToFold(std::string_view text) {
    for (size_t k = 1; k < text.size(); ++k) {
        const char before = text[k - 1];
        const char here = text[k];
        if (isSign(before) && isSign(here)) return false;
        if (before == alphabet::kNotMark && here == alphabet::kNotMark) return false;
    }
    return true;
}

// Bytes at which one of the level cleaning replacements could start or end;
// digits, points, brackets and most marks are not among them.
constexpr std::array<bool, 256> kWorthALook = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : std::string_view(" +-`TF")) table[c] = true;
    for (int c = 'a'; c <= 'z'; ++c) table[static_cast<size_t>(c)] = true;
    for (size_t c = 0x80; c < table.size(); ++c) table[c] = true;
    return table;
}();

bool startsWith(std::string_view text, size_t at, std::string_view word) {
    return text.compare(at, word.size(), word) == 0;
}

// True when some byte is a small letter or belongs to a multi-byte character.
bool mayChangeCase(std::string_view text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || byte >= 0x80) return true;
    }
    return false;
}

template <class Editor>
void applySteps(std::span<const Step> sequence, Editor& editor) {
    for (const Step& step : sequence) {
        switch (step.kind) {
            case StepKind::ReplaceAll: editor.replaceAll(step.from, step.to); break;
            case StepKind::ReplaceUntilGone: editor.replaceUntilGone(step.from, step.to); break;
            case StepKind::UpperCase: editor.toUpper(); break;
        }
    }
}

// The free text functions, for sequences too short for a Rewriter's byte
// survey to pay.
struct PlainEditor {
    std::string& text;
    void replaceAll(std::string_view from, std::string_view to) { ombra::replaceAll(text, from, to); }
    void replaceUntilGone(std::string_view from, std::string_view to) { ombra::replaceUntilGone(text, from, to); }
    void toUpper() { toUpperCase(text); }
};

constexpr size_t kStepsWorthASurvey = 8;

}  // namespace

void apply(std::span<const Step> sequence, std::string& text) {
    if (sequence.size() > kStepsWorthASurvey) {
        Rewriter r(text);
        applySteps(sequence, r);
    } else {
        PlainEditor plain{text};
        applySteps(sequence, plain);
    }
}

void cleanDriverArgument(std::string& text) { apply(kDriverArgumentCleaning, text); }

void foldSignsForDriver(std::string& text) {
    if (!hasNothingToFold(text)) apply(kDriverSignFolding, text);
}

void foldSignsForLevel(std::string& text) {
    if (!hasNothingToFold(text)) apply(kLevelSignFolding, text);
}

bool needsLevelCleaning(std::string_view text) {
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

void cleanForLevel(std::string& text) {
    if (needsLevelCleaning(text)) apply(kLevelCleaning, text);
}

void cleanOperatorText(std::string& text) {
    if (containsAnyOf(text, " -")) apply(kOperatorTextCleaning, text);
}

void markValues(std::string& text) {
    // Every replacement needs one of these bytes; most texts hold none.
    if (containsAnyOf(text, "-+e")) apply(kValueMarking, text);
}

void unmarkValue(std::string& text) {
    // A value is mostly plain digits already; then there is nothing to undo.
    if (containsAnyOf(text, "{[]E")) apply(kValueUnmarking, text);
}

void unwrapOperand(std::string& text) {
    if (containsAnyOf(text, "{[]E") || mayChangeCase(text)) apply(kOperandUnwrapping, text);
}

void truthWordsAsNumbers(std::string& text) {
    if (containsAnyOf(text, "TF")) apply(kTruthWordsAsNumbers, text);
}

void unwrapFinalValue(std::string& text) {
    if (containsAnyOf(text, "E{[]")) apply(kFinalValueUnwrapping, text);
}

void unwrapResult(std::string& text) { apply(kResultUnwrapping, text); }

void removeFunctionNames(std::string& text) { apply(kFunctionNameRemoval, text); }

}  // namespace ombra::encoding

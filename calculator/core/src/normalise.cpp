#include "normalise.h"

#include "alphabet.h"
#include "calculator/error_numbers.h"
#include "encoding.h"
#include "numbers.h"
#include "text_edit.h"

namespace ombra::normalise {
namespace {

// True when some byte belongs to a multi-byte character: only then may the
// text hold a full-width character, an ideographic space or a full-width
// small letter.
bool mayHoldFullWidth(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

// The same cleaning for text of ASCII bytes only, in one pass: blanks go,
// small letters become capitals, and the text ends before an apostrophe.
void cleanAsciiInput(std::string& text) {
    size_t kept = 0;
    for (char c : text) {
        if (c == alphabet::kCommentStart[0]) break;
        if (c == alphabet::kHalfWidthBlank[0]) continue;
        text[kept++] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    text.resize(kept);
}

}  // namespace

void cleanInput(std::string& text) {
    if (!mayHoldFullWidth(text)) {
        cleanAsciiInput(text);
        return;
    }
    Rewriter r(text);
    r.removeAll(alphabet::kHalfWidthBlank);
    r.toUpper();
    r.removeAll(alphabet::kIdeographicSpace);
    for (const auto& [fullWidth, halfWidth] : alphabet::kFullWidthMap) r.replaceAll(fullWidth, halfWidth);
    const size_t comment = text.find(alphabet::kCommentStart);
    if (comment != std::string::npos) text.resize(comment);
}

bool mentionsTruthWords(std::string_view text) {
    return text.find(alphabet::kNotWord) != std::string_view::npos ||
           text.find(alphabet::kTrueWord) != std::string_view::npos ||
           text.find(alphabet::kFalseWord) != std::string_view::npos;
}

bool usesOnlyKnownWords(std::string_view text) {
    thread_local std::string copy;
    copy.assign(text);
    Rewriter r(copy);
    for (std::string_view word : alphabet::kAlphabetCheckList) r.removeAll(word);
    return copy.empty();
}

void rewriteToInternalForm(std::string& text) {
    Rewriter r(text);
    for (const auto& [from, to] : alphabet::kInternalFormRewrite) r.replaceAll(from, to);
}

void shapeResult(std::string& text, const Outcome& outcome) {
    encoding::unwrapResult(text);
    if (text == "-1" && outcome.logicalResult == -1) text = alphabet::kTrueResult;
    if (text == "0" && outcome.logicalResult == -1) text = alphabet::kFalseResult;
    if (outcome.errorFlag != 0) {
        text = alphabet::kResultErrorPrefix;
        text.append(std::to_string(outcome.errorNumber));
    }
    const std::string_view shaped = text;
    if (!shaped.empty() && !numbers::readsAsNumber(shaped) && !shaped.starts_with(alphabet::kResultErrorPrefix) &&
        !shaped.starts_with(alphabet::kTrueResult) && shaped != alphabet::kFalseResult) {
        text = alphabet::kResultErrorPrefix;
        text.append(std::to_string(errors::kSyntaxError));
    }
}

}  // namespace ombra::normalise

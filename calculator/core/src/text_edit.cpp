#include "text_edit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace ombra {
namespace {

// Full-width small letters are EF BD 81..9A; their capitals are EF BC A1..BA.
constexpr unsigned char kFullWidthLead = 0xEF;
constexpr unsigned char kFullWidthSmallMiddle = 0xBD;
constexpr unsigned char kFullWidthCapitalMiddle = 0xBC;
constexpr unsigned char kFullWidthSmallFirst = 0x81;
constexpr unsigned char kFullWidthSmallLast = 0x9A;
constexpr unsigned char kSmallToCapitalOffset = 0xA1 - 0x81;

// True when some byte is a small ASCII letter or belongs to a multi-byte
// character. Looks at eight bytes at a time.
bool mayHoldSmallLetters(std::string_view text) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kHighBits = 0x80 * kOnes;
    size_t k = 0;
    for (; k + sizeof(uint64_t) <= text.size(); k += sizeof(uint64_t)) {
        uint64_t word;
        std::memcpy(&word, text.data() + k, sizeof word);
        if ((word & kHighBits) != 0) return true;
        // With every byte below 0x80 these sums carry into no neighbour:
        // bit 7 of a byte is set in atLeastA when it is >= 'a' and in
        // beyondZ when it is > 'z'.
        const uint64_t atLeastA = word + (0x80 - 'a') * kOnes;
        const uint64_t beyondZ = word + (0x80 - 'z' - 1) * kOnes;
        if ((atLeastA & ~beyondZ & kHighBits) != 0) return true;
    }
    for (; k < text.size(); ++k) {
        const auto byte = static_cast<unsigned char>(text[k]);
        if ((byte >= 'a' && byte <= 'z') || byte >= 0x80) return true;
    }
    return false;
}

constexpr size_t kLongText = 4096;

std::string& scratchBuffer() {
    thread_local std::string scratch;
    return scratch;
}

}  // namespace

bool toUpperCase(std::string& text) {
    // A quick sweep first: most texts hold no small letter and no byte of a
    // multi-byte character, and this loop is much cheaper than the one below.
    if (!mayHoldSmallLetters(text)) return false;
    bool changed = false;
    const size_t size = text.size();
    for (size_t k = 0; k < size; ++k) {
        const auto byte = static_cast<unsigned char>(text[k]);
        if (byte >= 'a' && byte <= 'z') {
            text[k] = static_cast<char>(byte - 'a' + 'A');
            changed = true;
        } else if (byte == kFullWidthLead && k + 2 < size &&
                   static_cast<unsigned char>(text[k + 1]) == kFullWidthSmallMiddle) {
            const auto last = static_cast<unsigned char>(text[k + 2]);
            if (last >= kFullWidthSmallFirst && last <= kFullWidthSmallLast) {
                text[k + 1] = static_cast<char>(kFullWidthCapitalMiddle);
                text[k + 2] = static_cast<char>(last + kSmallToCapitalOffset);
                changed = true;
                k += 2;
            }
        }
    }
    return changed;
}

Rewriter::Rewriter(std::string& text) : text_(text) { rescan(); }

void Rewriter::rescan() {
    // For a long text a search is cheap next to a full pass; then every byte
    // counts as present and every search runs.
    if (text_.size() > kLongText) {
        present_.fill(true);
        return;
    }
    present_.fill(false);
    for (char c : text_) present_[static_cast<unsigned char>(c)] = true;
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty()) return;
    if (from.size() == 1 && to.size() <= 1) {  // one character: replaced or removed in one sweep
        const char old = from[0];
        if (text.find(old) == std::string::npos) return;
        if (to.empty()) {
            std::erase(text, old);
        } else {
            std::replace(text.begin(), text.end(), old, to[0]);
        }
        return;
    }
    size_t found = text.find(from);
    if (found == std::string::npos) return;
    if (from.size() == to.size()) {
        while (found != std::string::npos) {
            text.replace(found, to.size(), to);
            found = text.find(from, found + from.size());
        }
        return;
    }
    std::string& out = scratchBuffer();
    out.clear();
    size_t copied = 0;
    while (found != std::string::npos) {
        out.append(text, copied, found - copied);
        out.append(to);
        copied = found + from.size();
        found = text.find(from, copied);
    }
    out.append(text, copied, std::string::npos);
    std::swap(text, out);
}

bool containsAnyOf(std::string_view text, std::string_view marks) {
    // One memchr pass per mark: for the handful of marks callers ask about,
    // that beats a byte-by-byte loop over long texts many times over.
    for (char mark : marks) {
        if (text.find(mark) != std::string_view::npos) return true;
    }
    return false;
}

void Rewriter::replaceAll(std::string_view from, std::string_view to) {
    if (from.empty() || !mayContain(from)) return;
    notePresent(to);
    ombra::replaceAll(text_, from, to);
}

void replaceUntilGone(std::string& text, std::string_view from, std::string_view to) {
    if (from.size() != 2 || to.size() > 1) {
        while (text.find(from) != std::string::npos) replaceAll(text, from, to);
        return;
    }
    size_t found = text.find(from);
    if (found == std::string::npos) return;
    // text[0, top) is the folded text so far; nothing before `found` folds.
    size_t top = found;
    for (size_t k = found; k < text.size(); ++k) {
        text[top++] = text[k];
        while (top >= 2 && text[top - 2] == from[0] && text[top - 1] == from[1]) {
            top -= 2;
            if (!to.empty()) text[top++] = to[0];
        }
    }
    text.resize(top);
}

void Rewriter::replaceUntilGone(std::string_view from, std::string_view to) {
    if (!mayContain(from)) return;
    notePresent(to);
    ombra::replaceUntilGone(text_, from, to);
}

void Rewriter::toUpper() {
    if (toUpperCase(text_)) rescan();
}

}  // namespace ombra

#include "text_edit.h"

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

std::string& scratchBuffer() {
    thread_local std::string scratch;
    return scratch;
}

}  // namespace

void toUpperCase(std::string& text) {
    const size_t size = text.size();
    for (size_t k = 0; k < size; ++k) {
        const auto byte = static_cast<unsigned char>(text[k]);
        if (byte >= 'a' && byte <= 'z') {
            text[k] = static_cast<char>(byte - 'a' + 'A');
        } else if (byte == kFullWidthLead && k + 2 < size &&
                   static_cast<unsigned char>(text[k + 1]) == kFullWidthSmallMiddle) {
            const auto last = static_cast<unsigned char>(text[k + 2]);
            if (last >= kFullWidthSmallFirst && last <= kFullWidthSmallLast) {
                text[k + 1] = static_cast<char>(kFullWidthCapitalMiddle);
                text[k + 2] = static_cast<char>(last + kSmallToCapitalOffset);
                k += 2;
            }
        }
    }
}

Rewriter::Rewriter(std::string& text) : text_(text) { rescan(); }

void Rewriter::rescan() {
    present_.reset();
    for (char c : text_) present_.set(static_cast<unsigned char>(c));
}

bool Rewriter::mayContain(std::string_view needle) const {
    for (char c : needle) {
        if (!present_.test(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

void Rewriter::notePresent(std::string_view bytes) {
    for (char c : bytes) present_.set(static_cast<unsigned char>(c));
}

bool Rewriter::contains(std::string_view needle) const {
    return mayContain(needle) && text_.find(needle) != std::string::npos;
}

void Rewriter::replaceAll(std::string_view from, std::string_view to) {
    if (from.empty() || !mayContain(from)) return;
    size_t found = text_.find(from);
    if (found == std::string::npos) return;
    notePresent(to);
    if (from.size() == to.size()) {
        while (found != std::string::npos) {
            text_.replace(found, to.size(), to);
            found = text_.find(from, found + from.size());
        }
        return;
    }
    std::string& out = scratchBuffer();
    out.clear();
    size_t copied = 0;
    while (found != std::string::npos) {
        out.append(text_, copied, found - copied);
        out.append(to);
        copied = found + from.size();
        found = text_.find(from, copied);
    }
    out.append(text_, copied, std::string::npos);
    std::swap(text_, out);
}

void Rewriter::replaceWhilePresent(std::string_view from, std::string_view to) {
    while (contains(from)) replaceAll(from, to);
}

void Rewriter::toUpper() {
    toUpperCase(text_);
    rescan();
}

}  // namespace ombra

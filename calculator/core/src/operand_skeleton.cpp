#include "operand_skeleton.h"

#include "alphabet.h"
#include "encoding.h"

namespace ombra {
namespace {

constexpr char kSignOfOperand = '{';
constexpr char kOperandSeparator = ',';

bool isSign(char c) { return c == '+' || c == '-'; }

}  // namespace

bool isFoldingCharacter(char c) { return isSign(c) || c == alphabet::kNotMark; }

bool isInFoldingRun(std::string_view text, size_t k) {
    const char here = text[k];
    if (!isFoldingCharacter(here)) return false;
    return !(isSign(here) && k > 0 && text[k - 1] == 'E');
}

char skeletonCharacter(char before, char here) {
    if (isSign(here) && before == 'E') return here == '+' ? 'A' : 'B';
    if (here == '-' && alphabet::isMarkTakingSignedOperand(before)) return kSignOfOperand;
    if (alphabet::isOperatorMark(here)) return kOperandSeparator;
    if (here == 'e') return 'E';
    return here;
}

char charBeforeRun(std::string_view text, size_t runStart) {
    if (runStart == 0) return 0;
    const char before = text[runStart - 1];
    if (isSign(before) && runStart >= 2 && text[runStart - 2] == 'E') return skeletonCharacter('E', before);
    return before;
}

void appendRunImage(char before, std::string_view run, std::string& image) {
    if (run.size() == 1) {
        image.push_back(skeletonCharacter(before, run[0]));
        return;
    }
    // The character before the run is not a folding one and has an image of
    // one character of its own: the run's image is what the whole sequence
    // makes of both, less that first character.
    thread_local std::string scratch;
    scratch.clear();
    if (before != 0) scratch.push_back(before);
    scratch.append(run);
    encoding::apply(encoding::kOperandSkeleton, scratch);
    image.append(scratch, before != 0 ? 1 : 0, std::string::npos);
}

void buildOperandSkeleton(std::string_view text, std::string& skeleton, std::vector<uint32_t>* unitStart,
                          std::vector<uint32_t>* imageStart) {
    skeleton.clear();
    if (unitStart) unitStart->resize(text.size());
    if (imageStart) imageStart->resize(text.size() + 1);
    size_t k = 0;
    while (k < text.size()) {
        size_t end = k + 1;
        if (isInFoldingRun(text, k)) {
            while (end < text.size() && isFoldingCharacter(text[end])) ++end;
        }
        const auto imageAt = static_cast<uint32_t>(skeleton.size());
        if (end == k + 1) {
            skeleton.push_back(skeletonCharacter(k > 0 ? text[k - 1] : 0, text[k]));
        } else {
            appendRunImage(charBeforeRun(text, k), text.substr(k, end - k), skeleton);
        }
        for (size_t u = k; u < end; ++u) {
            if (unitStart) (*unitStart)[u] = static_cast<uint32_t>(k);
            if (imageStart) (*imageStart)[u] = imageAt;
        }
        k = end;
    }
    if (imageStart) (*imageStart)[text.size()] = static_cast<uint32_t>(skeleton.size());
}

}  // namespace ombra

#include "operand_skeleton.h"

#include "encoding.h"

namespace ombra {

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
    // No unit's image is longer than the unit.
    skeleton.resize(text.size());
    if (unitStart) unitStart->resize(text.size());
    if (imageStart) imageStart->resize(text.size() + 1);
    size_t imageEnd = 0;
    size_t k = 0;
    while (k < text.size()) {
        const auto imageAt = static_cast<uint32_t>(imageEnd);
        size_t end = k + 1;
        if (!isInFoldingRun(text, k) || end == text.size() || !isFoldingCharacter(text[end])) {
            skeleton[imageEnd++] = skeletonCharacter(k > 0 ? text[k - 1] : 0, text[k]);
        } else {
            while (end < text.size() && isFoldingCharacter(text[end])) ++end;
            thread_local std::string run;
            run.clear();
            appendRunImage(charBeforeRun(text, k), text.substr(k, end - k), run);
            skeleton.replace(imageEnd, run.size(), run);
            imageEnd += run.size();
        }
        for (size_t u = k; u < end; ++u) {
            if (unitStart) (*unitStart)[u] = static_cast<uint32_t>(k);
            if (imageStart) (*imageStart)[u] = imageAt;
        }
        k = end;
    }
    skeleton.resize(imageEnd);
    if (imageStart) (*imageStart)[text.size()] = static_cast<uint32_t>(imageEnd);
}

}  // namespace ombra

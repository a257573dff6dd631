#include "level_text.h"

#include <algorithm>

#include "encoding.h"
#include "operand_skeleton.h"

namespace ombra {
namespace {

constexpr char kOperandSeparator = ',';
constexpr char kValueBlank = ' ';

bool hasFoldingPair(std::string_view text) {
    for (size_t k = 1; k < text.size(); ++k) {
        if (isFoldingCharacter(text[k]) && isFoldingCharacter(text[k - 1])) return true;
    }
    return false;
}

}  // namespace

void LevelText::start(std::string_view text) {
    rest_.assign(text);
    encoding::cleanOperatorText(rest_);
    // A value and a cut never put two folding characters side by side, so a
    // text without such a pair keeps its character-wise skeleton.
    characterWise_ = !hasFoldingPair(rest_);
    if (!characterWise_) buildOperandSkeleton(rest_, restImage_, &unitStart_, &imageStart_);
    restFrom_ = 0;
    patch_.clear();
    patchEnd_ = 0;
    searchFrom_ = 0;
    built_.clear();
    builtImage_.clear();
    builtUnitStart_.clear();
    builtImageStart_.clear();
    blankAt_ = std::string::npos;
}

size_t LevelText::findOperator(const MarkTable& marks) {
    for (size_t k = searchFrom_; k < rest_.size(); ++k) {
        if (marks[static_cast<unsigned char>(rest_[k])]) {
            searchFrom_ = k;
            return built_.size() + (k - restFrom_) + 1;
        }
    }
    searchFrom_ = rest_.size();
    return 0;
}

size_t LevelText::imageSize() const {
    if (characterWise_) return textSize();
    return builtImage_.size() + patch_.size() + restImage_.size() - restImageFrom();
}

char LevelText::imageAt(size_t k) const {
    if (characterWise_) return skeletonCharacter(k > 0 ? textAt(k - 1) : 0, textAt(k));
    if (k < builtImage_.size()) return builtImage_[k];
    k -= builtImage_.size();
    if (k < patch_.size()) return patch_[k];
    return restImage_[restImageFrom() + (k - patch_.size())];
}

OperandCut& LevelText::cutOperands(size_t position) {
    const size_t size = imageSize();
    const size_t beforeEnd = std::min(position - 1, size);
    size_t leftStart = beforeEnd;
    while (leftStart > 0 && imageAt(leftStart - 1) != kOperandSeparator) --leftStart;
    cut_.leftStart = leftStart;
    cut_.left.clear();
    for (size_t k = leftStart; k < beforeEnd; ++k) cut_.left.push_back(imageAt(k));
    cut_.rightLength = 0;
    cut_.right.clear();
    for (size_t k = position; k < size; ++k) {
        const char c = imageAt(k);
        if (c == kOperandSeparator) {
            cut_.rightLength = k - position + 1;
            break;
        }
        cut_.right.push_back(c);
    }
    return cut_;
}

void LevelText::replace(size_t position, std::string_view value) {
    value_.assign(1, '[');
    value_.append(value);
    value_.push_back(']');
    encoding::markValues(value_);

    const size_t builtLength = built_.size();
    // The operator lies in the rest, so the text after the right operand does too.
    const size_t nextRest =
        cut_.rightLength != 0 ? restFrom_ + (position + cut_.rightLength - 1 - builtLength) : rest_.size();
    if (cut_.leftStart <= builtLength) {
        cutBuilt(cut_.leftStart);
    } else {
        appendRest(restFrom_ + (cut_.leftStart - builtLength));
    }
    blankAt_ = value_.find(kValueBlank);
    if (blankAt_ != std::string::npos) {
        value_.erase(blankAt_, 1);
        blankAt_ += built_.size();
    }
    if (!characterWise_) {
        // A value holds no mark and no sign: it is its own skeleton.
        for (size_t k = 0; k < value_.size(); ++k) {
            builtUnitStart_.push_back(static_cast<uint32_t>(built_.size() + k));
            builtImageStart_.push_back(static_cast<uint32_t>(builtImage_.size() + k));
        }
        builtImage_.append(value_);
    }
    built_.append(value_);
    startRestAt(nextRest);
}

void LevelText::copyText(std::string& out) const {
    out.assign(built_);
    if (blankAt_ != std::string::npos) out.insert(blankAt_, 1, kValueBlank);
    out.append(rest_, restFrom_, std::string::npos);
}

std::string LevelText::skeleton() const {
    std::string image;
    for (size_t k = 0; k < imageSize(); ++k) image.push_back(imageAt(k));
    return image;
}

void LevelText::cutBuilt(size_t length) {
    if (length >= built_.size()) return;
    if (!characterWise_) {
        if (length > 0 && builtUnitStart_[length] == builtUnitStart_[length - 1]) {
            // The cut splits a folding run, whose image changes with its length.
            const uint32_t unit = builtUnitStart_[length - 1];
            builtImage_.resize(builtImageStart_[unit]);
            appendRunImage(charBeforeRun(built_, unit), std::string_view(built_).substr(unit, length - unit),
                           builtImage_);
        } else {
            builtImage_.resize(length > 0 ? builtImageStart_[length] : 0);
        }
        builtUnitStart_.resize(length);
        builtImageStart_.resize(length);
    }
    built_.resize(length);
}

void LevelText::appendRest(size_t end) {
    size_t k = restFrom_;
    if (characterWise_) {
        built_.append(rest_, k, end - k);
        return;
    }
    if (patchEnd_ > k) {
        // The folding run at the front of the rest, whole or in part.
        const size_t runEnd = std::min(end, patchEnd_);
        const auto unit = static_cast<uint32_t>(built_.size());
        const auto imageFrom = static_cast<uint32_t>(builtImage_.size());
        if (runEnd == patchEnd_) {
            builtImage_.append(patch_);
        } else {
            appendRunImage(charBeforeRun(built_, built_.size()), std::string_view(rest_).substr(k, runEnd - k),
                           builtImage_);
        }
        for (; k < runEnd; ++k) appendBuilt(rest_[k], unit, imageFrom);
    }
    if (k >= end) return;
    // Whole units keep the images they have in the rest's skeleton; a folding
    // run that `end` cuts is imaged afresh.
    const size_t tail = end < rest_.size() && unitStart_[end] == unitStart_[end - 1] ? unitStart_[end - 1] : end;
    const auto positionShift = static_cast<int64_t>(built_.size()) - static_cast<int64_t>(k);
    const auto imageShift = static_cast<int64_t>(builtImage_.size()) - static_cast<int64_t>(imageStart_[k]);
    builtImage_.append(restImage_, imageStart_[k], imageStart_[tail] - imageStart_[k]);
    for (; k < tail; ++k) {
        appendBuilt(rest_[k], static_cast<uint32_t>(unitStart_[k] + positionShift),
                    static_cast<uint32_t>(imageStart_[k] + imageShift));
    }
    if (tail < end) {
        const auto unit = static_cast<uint32_t>(built_.size());
        const auto imageFrom = static_cast<uint32_t>(builtImage_.size());
        appendRunImage(charBeforeRun(built_, built_.size()), std::string_view(rest_).substr(tail, end - tail),
                       builtImage_);
        for (; k < end; ++k) appendBuilt(rest_[k], unit, imageFrom);
    }
}

void LevelText::startRestAt(size_t rest) {
    restFrom_ = rest;
    searchFrom_ = rest;
    if (characterWise_) return;
    patch_.clear();
    patchEnd_ = rest;
    while (patchEnd_ < rest_.size() && isFoldingCharacter(rest_[patchEnd_])) ++patchEnd_;
    // After a value no sign reads as an exponent sign: a folding character
    // here starts a run, even where the rest's skeleton had it otherwise.
    if (patchEnd_ > rest) {
        appendRunImage(charBeforeRun(built_, built_.size()), std::string_view(rest_).substr(rest, patchEnd_ - rest),
                       patch_);
    }
}

}  // namespace ombra

#include "level_text.h"

#include <algorithm>

#include "encoding.h"
#include "operand_skeleton.h"

namespace ombra {
namespace {

constexpr char kOperandSeparator = ',';
constexpr char kValueBlank = ' ';

}  // namespace

void LevelText::start(std::string text) {
    rest_ = std::move(text);
    encoding::cleanOperatorText(rest_);
    buildOperandSkeleton(rest_, restImage_, &unitStart_, &imageStart_);
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

char LevelText::at(size_t position) const { return rest_[restFrom_ + (position - 1 - built_.size())]; }

char LevelText::imageAt(size_t k) const {
    if (k < builtImage_.size()) return builtImage_[k];
    k -= builtImage_.size();
    if (k < patch_.size()) return patch_[k];
    return restImage_[restImageFrom() + (k - patch_.size())];
}

void LevelText::cutOperands(size_t position, OperandCut& cut) const {
    const size_t size = imageSize();
    const size_t beforeEnd = std::min(position - 1, size);
    size_t leftStart = beforeEnd;
    while (leftStart > 0 && imageAt(leftStart - 1) != kOperandSeparator) --leftStart;
    cut.leftStart = leftStart;
    cut.left.clear();
    for (size_t k = leftStart; k < beforeEnd; ++k) cut.left.push_back(imageAt(k));
    cut.rightLength = 0;
    cut.right.clear();
    for (size_t k = position; k < size; ++k) {
        const char c = imageAt(k);
        if (c == kOperandSeparator) {
            cut.rightLength = k - position + 1;
            break;
        }
        cut.right.push_back(c);
    }
}

void LevelText::replace(size_t position, const OperandCut& cut, std::string_view value) {
    const size_t builtLength = built_.size();
    // The operator lies in the rest, so the text after the right operand does too.
    const size_t nextRest =
        cut.rightLength != 0 ? restFrom_ + (position + cut.rightLength - 1 - builtLength) : rest_.size();
    if (cut.leftStart <= builtLength) {
        cutBuilt(cut.leftStart);
    } else {
        appendRest(restFrom_ + (cut.leftStart - builtLength));
    }
    blankAt_ = std::string::npos;
    for (const char c : value) {
        if (c == kValueBlank) {
            blankAt_ = built_.size();
            continue;
        }
        const char before = built_.empty() ? 0 : built_.back();
        appendBuilt(c, static_cast<uint32_t>(built_.size()), static_cast<uint32_t>(builtImage_.size()));
        builtImage_.push_back(skeletonCharacter(before, c));
    }
    startRestAt(nextRest);
}

std::string LevelText::text() const {
    std::string text = built_;
    if (blankAt_ != std::string::npos) text.insert(blankAt_, 1, kValueBlank);
    text.append(rest_, restFrom_, std::string::npos);
    return text;
}

std::string LevelText::skeleton() const {
    std::string image = builtImage_ + patch_;
    image.append(restImage_, restImageFrom(), std::string::npos);
    return image;
}

void LevelText::appendBuilt(char c, uint32_t unitStart, uint32_t imageStart) {
    built_.push_back(c);
    builtUnitStart_.push_back(unitStart);
    builtImageStart_.push_back(imageStart);
}

void LevelText::cutBuilt(size_t length) {
    if (length >= built_.size()) return;
    if (length > 0 && builtUnitStart_[length] == builtUnitStart_[length - 1]) {
        // The cut splits a folding run, whose image changes with its length.
        const uint32_t unit = builtUnitStart_[length - 1];
        builtImage_.resize(builtImageStart_[unit]);
        appendRunImage(charBeforeRun(built_, unit), std::string_view(built_).substr(unit, length - unit), builtImage_);
    } else {
        builtImage_.resize(length > 0 ? builtImageStart_[length] : 0);
    }
    built_.resize(length);
    builtUnitStart_.resize(length);
    builtImageStart_.resize(length);
}

void LevelText::appendRest(size_t end) {
    size_t k = restFrom_;
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

#pragma once
// The working text of one precedence level while its operators are applied
// one after the other, with its operand skeleton kept alongside.
//
// Each operation replaces its operator and operands by a value, and the next
// operator of the level always lies to the right of that value. So the text
// is held in two parts: the part up to and including the last value, built
// as the operations go, and the untouched rest of the text the level
// started with. An operation then costs in proportion to its operands, not
// to the whole text.
//
// Most texts have no folding run longer than one character; then every
// skeleton character follows from the text character and the one before it,
// and nothing else is kept. Otherwise the skeleton is held in two parts as
// well: the skeleton of the built part, and the skeleton of the rest computed
// once, with a patch for the folding run that a cut may leave at the front
// of the rest.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ombra {

// The operands around an operator, cut out of the skeleton: the left one
// starts after the last "," before the operator, the right one ends before
// the first "," after it.
struct OperandCut {
    size_t leftStart = 0;    // 0-based skeleton position where the left operand starts
    size_t rightLength = 0;  // 1-based position of that "," after the operator; 0: none
    std::string left;
    std::string right;
};

class LevelText {
public:
    using MarkTable = std::array<bool, 256>;

    // Starts a level on `text`, cleaned as an operation cleans it first.
    void start(std::string_view text);

    // 1-based position in the current text of the leftmost byte that `marks`
    // holds; 0 when there is none. The search resumes where the last one
    // stopped: the text before the last value holds no mark of the level.
    size_t findOperator(const MarkTable& marks);
    // The byte at 1-based `position` of the current text, at or after the
    // last value.
    char at(size_t position) const { return rest_[restFrom_ + (position - 1 - built_.size())]; }

    // The operands around the operator at 1-based `position`, cut out of the
    // skeleton of the current text (positions past the end give empty
    // texts). The caller may rewrite the two operand texts.
    OperandCut& cutOperands(size_t position);

    // Replaces the operator at 1-based `position` and its operands, as the
    // last cut found them, by "[" `value` "]" marked: the text becomes its
    // first leftStart characters, the marked value, and, when rightLength is
    // not 0, the text from position + rightLength - 1 on. The blank of a
    // value is dropped at once, as the next operation would drop it, and kept
    // only for copyText.
    void replace(size_t position, std::string_view value);

    // The current text, the last value with its blank.
    void copyText(std::string& out) const;

    // The skeleton of the current text, from the parts kept (for tests).
    std::string skeleton() const;

private:
    size_t textSize() const { return built_.size() + (rest_.size() - restFrom_); }
    char textAt(size_t k) const { return k < built_.size() ? built_[k] : rest_[restFrom_ + (k - built_.size())]; }
    size_t imageSize() const;
    char imageAt(size_t k) const;
    size_t restImageFrom() const { return imageStart_[patchEnd_]; }

    void cutBuilt(size_t length);
    void appendRest(size_t end);
    void appendBuilt(char c, uint32_t unitStart, uint32_t imageStart) {
        built_.push_back(c);
        builtUnitStart_.push_back(unitStart);
        builtImageStart_.push_back(imageStart);
    }
    void startRestAt(size_t rest);

    // No folding run longer than one character: the skeleton is the text
    // mapped character by character, and the tables below stay unused.
    bool characterWise_ = true;

    // The untouched rest: rest_[restFrom_..], its skeleton restImage_, and
    // per position the start of its unit and of the unit's image.
    std::string rest_;
    std::string restImage_;
    std::vector<uint32_t> unitStart_;
    std::vector<uint32_t> imageStart_;
    size_t restFrom_ = 0;
    // The image of rest_[restFrom_, patchEnd_), the folding run at the front
    // of the rest, as it reads after the last value.
    std::string patch_;
    size_t patchEnd_ = 0;
    size_t searchFrom_ = 0;

    // The built part, its skeleton and the same two tables for it.
    std::string built_;
    std::string builtImage_;
    std::vector<uint32_t> builtUnitStart_;
    std::vector<uint32_t> builtImageStart_;

    // Where the blank of the last value goes back for copyText; npos: none.
    size_t blankAt_ = std::string::npos;

    OperandCut cut_;
    std::string value_;
};

}  // namespace ombra

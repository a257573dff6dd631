#pragma once
// The working text of the reduction while its parenthesised groups are
// replaced by their values, innermost first.
//
// Each group ends at the first ")" of the text, so everything before the
// value that replaced the last group holds no ")". The text is held in two
// parts: the part up to the last value, built as the groups go, and the
// untouched rest of the text the reduction started with. Finding, checking
// and replacing a group then costs in proportion to the group and its
// neighbours, not to the whole text.

#include <optional>
#include <string>
#include <string_view>

namespace ombra {

class GroupText {
public:
    void start(std::string text);

    // 0-based position of the first ")", npos when there is none.
    size_t findClose();
    // 0-based position of the last "(" before `close`, npos when none.
    size_t findOpen(size_t close) const;

    size_t size() const { return built_.size() + (rest_.size() - restFrom_); }
    char at(size_t k) const { return k < built_.size() ? built_[k] : rest_[restFrom_ + (k - built_.size())]; }
    // Appends the characters [from, to) of the current text to `out`.
    void copy(size_t from, size_t to, std::string& out) const;

    // The neighbours of a group are checked in a copy of the text with every
    // function name and code removed (encoding::kFunctionNameRemoval), so
    // that a name counts as part of its group. These give the character in
    // front of the "(" at `open` and the one behind the ")" at `close` in
    // that copy; nullopt when the copy has none there.
    std::optional<char> checkedBefore(size_t open) const;
    std::optional<char> checkedAfter(size_t close) const;

    // Replaces the characters from `from` up to and including the ")" at
    // `close`, the first ")" of the text, by `value`.
    void replace(size_t from, size_t close, std::string_view value);

    // Upper-cases the text. Only the last value can hold small letters: the
    // text starts in upper case and every earlier value was upper-cased here.
    void toUpper();

    std::string text() const;
    bool contains(char c) const;

private:
    std::string rest_;
    size_t restFrom_ = 0;
    size_t searchFrom_ = 0;
    std::string built_;
    size_t valueStart_ = 0;
};

}  // namespace ombra

#include "group_text.h"

#include "encoding.h"
#include "functions.h"
#include "text_edit.h"

namespace ombra {
namespace {

// Names and codes consist of these; any other character is never removed
// from the check copy and never joins two pieces into a name, so the removal
// works on each run of these characters on its own.
bool isNameCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// The run with the function names removed. A run that is one name (the
// common case, the name in front of its group) is removed whole: every name
// has three characters, so no earlier name of the removal's order can match
// inside it.
void removeNames(std::string& run) {
    if (functions::rowNamed(run) != nullptr) {
        run.clear();
        return;
    }
    encoding::removeFunctionNames(run);
}

}  // namespace

void GroupText::start(std::string text) {
    rest_ = std::move(text);
    restFrom_ = 0;
    searchFrom_ = 0;
    built_.clear();
    valueStart_ = 0;
}

size_t GroupText::findClose() {
    const size_t found = rest_.find(')', searchFrom_);
    if (found == std::string::npos) {
        searchFrom_ = rest_.size();
        return std::string::npos;
    }
    searchFrom_ = found;
    return built_.size() + (found - restFrom_);
}

size_t GroupText::findOpen(size_t close) const {
    for (size_t k = close; k > 0; --k) {
        if (at(k - 1) == '(') return k - 1;
    }
    return std::string::npos;
}

void GroupText::copy(size_t from, size_t to, std::string& out) const {
    for (size_t k = from; k < to && k < built_.size(); ++k) out.push_back(built_[k]);
    if (to > built_.size()) {
        const size_t restStart = from > built_.size() ? from : built_.size();
        out.append(rest_, restFrom_ + (restStart - built_.size()), to - restStart);
    }
}

std::optional<char> GroupText::checkedBefore(size_t open) const {
    size_t runStart = open;
    while (runStart > 0 && isNameCharacter(at(runStart - 1))) --runStart;
    if (runStart < open) {
        thread_local std::string run;
        run.clear();
        copy(runStart, open, run);
        removeNames(run);
        if (!run.empty()) return run.back();
    }
    if (runStart == 0) return std::nullopt;
    return at(runStart - 1);
}

std::optional<char> GroupText::checkedAfter(size_t close) const {
    size_t runEnd = close + 1;
    while (runEnd < size() && isNameCharacter(at(runEnd))) ++runEnd;
    if (runEnd > close + 1) {
        thread_local std::string run;
        run.clear();
        copy(close + 1, runEnd, run);
        removeNames(run);
        if (!run.empty()) return run.front();
    }
    if (runEnd == size()) return std::nullopt;
    return at(runEnd);
}

void GroupText::replace(size_t from, size_t close, std::string_view value) {
    const size_t nextRest = restFrom_ + (close + 1 - built_.size());
    if (from <= built_.size()) {
        built_.resize(from);
    } else {
        built_.append(rest_, restFrom_, from - built_.size());
    }
    valueStart_ = built_.size();
    built_.append(value);
    restFrom_ = nextRest;
    searchFrom_ = nextRest;
}

void GroupText::toUpper() {
    thread_local std::string value;
    value.assign(built_, valueStart_, std::string::npos);
    if (toUpperCase(value)) built_.replace(valueStart_, std::string::npos, value);
}

std::string GroupText::text() const {
    std::string text = built_;
    text.append(rest_, restFrom_, std::string::npos);
    return text;
}

bool GroupText::contains(char c) const {
    return built_.find(c) != std::string::npos || rest_.find(c, restFrom_) != std::string::npos;
}

}  // namespace ombra

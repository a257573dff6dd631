#pragma once
// Names of the component model (program identifiers, member names) compare
// without regard to ASCII case.

#include <algorithm>
#include <string_view>

namespace ombra::com {

inline bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace ombra::com

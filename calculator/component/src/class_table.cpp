#include "class_table.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "ascii_case.h"

namespace ombra::com::registry {
namespace {

std::mutex tableMutex;

std::vector<ClassEntry>& table() {
    static std::vector<ClassEntry> entries;
    return entries;
}

}  // namespace

void add(ClassEntry entry) {
    std::lock_guard guard(tableMutex);
    auto& entries = table();
    auto same =
        std::find_if(entries.begin(), entries.end(), [&](const ClassEntry& e) { return e.clsid == entry.clsid; });
    if (same != entries.end()) {
        *same = std::move(entry);
    } else {
        entries.push_back(std::move(entry));
    }
}

void remove(const CLSID& clsid) {
    std::lock_guard guard(tableMutex);
    std::erase_if(table(), [&](const ClassEntry& e) { return e.clsid == clsid; });
}

std::optional<ClassEntry> findByProgId(std::string_view progId) {
    std::lock_guard guard(tableMutex);
    for (const ClassEntry& e : table()) {
        if (equalIgnoringAsciiCase(e.progId, progId)) return e;
    }
    return std::nullopt;
}

std::optional<ClassEntry> findByClsid(const CLSID& clsid) {
    std::lock_guard guard(tableMutex);
    for (const ClassEntry& e : table()) {
        if (e.clsid == clsid) return e;
    }
    return std::nullopt;
}

}  // namespace ombra::com::registry

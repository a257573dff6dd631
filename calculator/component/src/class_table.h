#pragma once
// The host's table of registered classes: program identifier, class
// identifier and the entry point that hands out the class's factory.
// DllRegisterServer fills it and DllUnregisterServer empties it.

#include <optional>
#include <string>
#include <string_view>

#include "calculator/component.h"

namespace ombra::com::registry {

using GetClassObjectFn = HRESULT (*)(const CLSID* clsid, const IID* iid, void** object);

struct ClassEntry {
    std::string progId;
    CLSID clsid;
    GetClassObjectFn getClassObject;
};

// Adds the class, or replaces the entry that has the same class identifier.
void add(ClassEntry entry);
void remove(const CLSID& clsid);

// Program identifiers compare without regard to ASCII case.
std::optional<ClassEntry> findByProgId(std::string_view progId);
std::optional<ClassEntry> findByClsid(const CLSID& clsid);

}  // namespace ombra::com::registry

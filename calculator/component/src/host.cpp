// Host side of the component model: finding a class by program identifier,
// creating an object through the registered factory, and the late-bound
// handle that the plotter (and the calc command) use.

#include <utility>

#include "calculator/component.h"
#include "class_table.h"

namespace ombra::com {

HRESULT CLSIDFromProgID(const char* progId, CLSID* clsid) {
    if (progId == nullptr || clsid == nullptr) return E_POINTER;
    try {
        auto entry = registry::findByProgId(progId);
        if (!entry) return CO_E_CLASSSTRING;
        *clsid = entry->clsid;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, const IID& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    std::optional<registry::ClassEntry> entry;
    try {
        entry = registry::findByClsid(clsid);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    if (!entry) return REGDB_E_CLASSNOTREG;

    IClassFactory* factory = nullptr;
    HRESULT hr = entry->getClassObject(&clsid, &IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (!Succeeded(hr)) return hr;
    hr = factory->CreateInstance(outer, iid, object);
    factory->Release();
    return hr;
}

LateBoundObject::~LateBoundObject() {
    if (dispatch_ != nullptr) dispatch_->Release();
}

LateBoundObject::LateBoundObject(LateBoundObject&& other) noexcept
    : dispatch_(std::exchange(other.dispatch_, nullptr)) {}

LateBoundObject& LateBoundObject::operator=(LateBoundObject&& other) noexcept {
    if (this != &other) {
        if (dispatch_ != nullptr) dispatch_->Release();
        dispatch_ = std::exchange(other.dispatch_, nullptr);
    }
    return *this;
}

LateBoundObject LateBoundObject::create(const char* progId, HRESULT* hr) {
    auto report = [hr](HRESULT code) {
        if (hr != nullptr) *hr = code;
    };
    CLSID clsid{};
    HRESULT found = CLSIDFromProgID(progId, &clsid);
    if (found == CO_E_CLASSSTRING) {
        // Not registered yet in this process: register this library's own
        // classes and look again (an unknown identifier still fails).
        HRESULT registered = DllRegisterServer();
        if (!Succeeded(registered)) {
            report(registered);
            return {};
        }
        found = CLSIDFromProgID(progId, &clsid);
    }
    if (!Succeeded(found)) {
        report(found);
        return {};
    }
    IDispatch* dispatch = nullptr;
    HRESULT created = CoCreateInstance(clsid, nullptr, IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    report(created);
    if (!Succeeded(created)) return {};
    return LateBoundObject(dispatch);
}

HRESULT LateBoundObject::invoke(DISPID id, const std::vector<Variant>& args, Variant* result) {
    if (dispatch_ == nullptr) return E_POINTER;
    return dispatch_->Invoke(id, args.data(), static_cast<uint32_t>(args.size()), result);
}

std::string LateBoundObject::callText(DISPID id, const std::string& argument) {
    if (dispatch_ == nullptr) return {};
    Variant result;
    HRESULT hr;
    try {
        // One argument on the stack: a plot makes this call per sample.
        const Variant text = Variant::fromText(argument);
        hr = dispatch_->Invoke(id, &text, 1, &result);
    } catch (...) {
        return {};
    }
    if (!Succeeded(hr) || result.type != Variant::Type::Text) return {};
    return std::move(result.text);
}

}  // namespace ombra::com

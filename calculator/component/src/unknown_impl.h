#pragma once
// Interface lookup, reference counting and the library's live-object count,
// shared by every object the library hands out. `Interface` is the one
// interface the object implements besides IUnknown; `kInterfaceId` is its IID.

#include <atomic>
#include <cstdint>
#include <new>
#include <utility>

#include "calculator/component.h"
#include "module_counts.h"

namespace ombra::com {

template <class Interface, const IID& kInterfaceId>
class UnknownImpl : public Interface {
public:
    UnknownImpl() { module::objectCreated(); }
    UnknownImpl(const UnknownImpl&) = delete;
    UnknownImpl& operator=(const UnknownImpl&) = delete;

    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == kInterfaceId) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    uint32_t AddRef() override { return references_.fetch_add(1) + 1; }

    uint32_t Release() override {
        const uint32_t left = references_.fetch_sub(1) - 1;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~UnknownImpl() { module::objectDestroyed(); }

private:
    std::atomic<uint32_t> references_{1};
};

// Creates an object, asks it for `iid` into `object`, and drops the creation
// reference: the object lives on only if the interface was found.
template <class Object, class... Args>
HRESULT createAndQuery(const IID& iid, void** object, Args&&... args) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    auto* created = new (std::nothrow) Object(std::forward<Args>(args)...);
    if (created == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}

}  // namespace ombra::com

#include "class_factory.h"

#include <atomic>
#include <new>

#include "module_counts.h"

namespace ombra::com {
namespace {

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(CreateObjectFn create) : create_(create) { module::objectCreated(); }
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    uint32_t AddRef() override { return references_.fetch_add(1) + 1; }

    uint32_t Release() override {
        uint32_t left = references_.fetch_sub(1) - 1;
        if (left == 0) delete this;
        return left;
    }

    HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        return create_(iid, object);
    }

    HRESULT LockServer(bool lock) override {
        if (lock) {
            module::lock();
            return S_OK;
        }
        return module::unlock() ? S_OK : E_FAIL;
    }

private:
    ~ClassFactory() { module::objectDestroyed(); }

    std::atomic<uint32_t> references_{1};
    CreateObjectFn create_;
};

}  // namespace

HRESULT createClassFactory(CreateObjectFn create, const IID& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    auto* factory = new (std::nothrow) ClassFactory(create);
    if (factory == nullptr) return E_OUTOFMEMORY;
    HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
}

}  // namespace ombra::com

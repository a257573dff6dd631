#include "class_factory.h"

#include "module_counts.h"
#include "unknown_impl.h"

namespace ombra::com {
namespace {

class ClassFactory final : public UnknownImpl<IClassFactory, IID_IClassFactory> {
public:
    explicit ClassFactory(CreateObjectFn create) : create_(create) {}

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
    CreateObjectFn create_;
};

}  // namespace

HRESULT createClassFactory(CreateObjectFn create, const IID& iid, void** object) {
    return createAndQuery<ClassFactory>(iid, object, create);
}

}  // namespace ombra::com

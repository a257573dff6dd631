// The library's four standard entry points. Registration only writes the
// library's classes into the host's class table (and takes them out again).

#include "calculator/component.h"
#include "calculator_object.h"
#include "class_factory.h"
#include "class_table.h"
#include "module_counts.h"

using namespace ombra::com;

namespace {

// The classes this library serves.
struct ServedClass {
    const char* progId;
    const CLSID* clsid;
    CreateObjectFn create;
};
const ServedClass kServedClasses[] = {
    {kCalculatorProgId, &CLSID_Calculator, createCalculatorObject},
};

}  // namespace

extern "C" {

HRESULT DllRegisterServer(void) {
    try {
        for (const ServedClass& served : kServedClasses) {
            registry::add({served.progId, *served.clsid, DllGetClassObject});
        }
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT DllUnregisterServer(void) {
    for (const ServedClass& served : kServedClasses) registry::remove(*served.clsid);
    return S_OK;
}

HRESULT DllGetClassObject(const CLSID* clsid, const IID* iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (clsid == nullptr || iid == nullptr) return E_POINTER;
    for (const ServedClass& served : kServedClasses) {
        if (*served.clsid == *clsid) return createClassFactory(served.create, *iid, object);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT DllCanUnloadNow(void) { return module::idle() ? S_OK : S_FALSE; }

}  // extern "C"

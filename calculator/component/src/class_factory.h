#pragma once
// A class factory that makes objects of one class through a creation function.

#include "calculator/component.h"

namespace ombra::com {

using CreateObjectFn = HRESULT (*)(const IID& iid, void** object);

// A new factory for `create`, asked for `iid`.
HRESULT createClassFactory(CreateObjectFn create, const IID& iid, void** object);

}  // namespace ombra::com

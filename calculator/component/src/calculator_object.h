#pragma once
// The Calculator control as a component object: IDispatch over one
// ombra::Calculator, with its single member Calculate.

#include "calculator/component.h"

namespace ombra::com {

// Creates a new control object and asks it for `iid` (the object is gone
// again when the interface is not supported).
HRESULT createCalculatorObject(const IID& iid, void** object);

}  // namespace ombra::com

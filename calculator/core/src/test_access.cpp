#include "calculator/test_access.h"

#include "calculator/Calculator.h"
#include "plan_cache.h"

namespace ombra {

std::string CalculatorTestAccess::calculateByRewriting(Calculator& calculator, std::string& X) {
    return calculator.Evaluate(X, false);
}

CalculatorTestAccess::PlanCacheFigures CalculatorTestAccess::planCacheFigures() { return plans::planCache().figures(); }

}  // namespace ombra

#include "calculator/Calculator.h"

namespace ombra {

std::string Calculator::Calculate(std::string& X) {
    ErrorFlag = 0;
    ErrorNumber = 0;
    LogicalResult = 0;
    return X;
}

}  // namespace ombra

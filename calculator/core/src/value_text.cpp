#include "value_text.h"

#include "alphabet.h"
#include "numbers.h"

namespace ombra {

std::string writtenText(double number, Written form) {
    switch (form) {
        case Written::Integer: return numbers::integerText(static_cast<int64_t>(number));
        case Written::Single: return numbers::singleText(static_cast<float>(number));
        case Written::Truth: return std::string(number != 0 ? alphabet::kTrueResult : alphabet::kFalseResult);
        case Written::Double: break;
    }
    return numbers::numberText(number);
}

}  // namespace ombra

#pragma once
// How a computed value is written back into the expression text: the form
// each operator and each function gives its value, and the text of a value
// in that form.

#include <cstdint>
#include <string>

namespace ombra {

enum class Written : uint8_t {
    Double,   // 15 significant digits
    Integer,  // its digits
    Single,   // single precision, 7 significant digits
    Truth,    // "True" for a non-zero value, "False" for 0
};

// The text of `number` written in `form`: a leading blank when it is a
// number that is not negative.
std::string writtenText(double number, Written form);

}  // namespace ombra

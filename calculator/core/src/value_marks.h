#pragma once
// How computed values sit in the working text: a value is spliced in as
// "[v]", a negative one as "{v]", and exponent signs are written "EA"/"EB",
// so that no sign inside a value is taken for an operator.

#include <string>

namespace ombra {

// Marks the values of a freshly spliced text: "[-" becomes "{", "e" becomes
// "E", and "E+"/"E-" become "EA"/"EB".
void markValues(std::string& text);

// Takes the marks off one cut-out value: "{" becomes "[-", the brackets go,
// and "EA"/"EB" become "E+"/"E-".
void unmarkValue(std::string& text);

}  // namespace ombra

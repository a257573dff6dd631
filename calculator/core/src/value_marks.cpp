#include "value_marks.h"

#include "text_edit.h"

namespace ombra {

void markValues(std::string& text) {
    // Every replacement needs one of these bytes; most texts hold none.
    if (!containsAnyOf(text, "-+e")) return;
    replaceAll(text, "[-", "{");
    replaceAll(text, "e", "E");
    replaceAll(text, "E+", "EA");
    replaceAll(text, "E-", "EB");
}

void unmarkValue(std::string& text) {
    // A value is mostly plain digits already; then there is nothing to undo.
    if (!containsAnyOf(text, "{[]E")) return;
    replaceAll(text, "{", "[-");
    removeAll(text, "[");
    removeAll(text, "]");
    replaceAll(text, "EA", "E+");
    replaceAll(text, "EB", "E-");
}

}  // namespace ombra

// One precedence level: every operator of the level, leftmost first, until
// none is left.

#include "alphabet.h"
#include "calculator/Calculator.h"
#include "encoding.h"
#include "level_text.h"
#include "numbers.h"
#include "text_edit.h"

namespace ombra {

using alphabet::marksOfLevel;

bool Calculator::ReduceAllLevels(std::string& text) {
    // A level that finds nothing to clean and none of its marks hands back an
    // unchanged copy; such calls are skipped, and the cleaning check is only
    // repeated once a call has run.
    bool mayNeedCleaning = encoding::needsLevelCleaning(text);
    for (std::string_view level : alphabet::kLevels) {
        if (!mayNeedCleaning && !containsAnyOf(text, marksOfLevel(level))) continue;
        if (!ReduceLevel(text, std::string(level))) return false;
        mayNeedCleaning = encoding::needsLevelCleaning(text);
    }
    return true;
}

bool Calculator::ReduceLevel(std::string& text, const std::string& level) {
    encoding::cleanForLevel(text);
    try {
        const std::string_view marks = marksOfLevel(level);
        if (!containsAnyOf(text, marks)) return true;
        const LevelText::MarkTable table = alphabet::byteTable(marks);
        const bool comparing = level == alphabet::kComparisonLevel;
        // Every operation removes one mark of the level or fails, so this
        // loop ends.
        thread_local LevelText working;
        working.start(text);
        if (comparing) LogicalResult = -1;
        size_t position = working.findOperator(table);
        while (position != 0) {
            if (!ApplyOperator(working, position)) return false;
            position = working.findOperator(table);
            if (position != 0 && comparing) LogicalResult = -1;
        }
        working.copyText(text);
        return true;
    } catch (const numbers::NumberFailure& failure) {
        return fails(failure.number);
    }
}

}  // namespace ombra

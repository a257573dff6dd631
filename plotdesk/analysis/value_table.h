#pragma once
// A table of values: x walking the sampling range exactly as the plot walks
// it, and each curve's y as the evaluator answers.

#include "analysis/curve_reader.h"

#include <QString>
#include <string>
#include <vector>

namespace plotdesk::analysis {

struct ValueTable {
    std::vector<std::string> header;             // "x", then each expression
    std::vector<std::vector<std::string>> rows;  // x as substituted, then each answer
};

ValueTable makeValueTable(const std::vector<QString>& functions, const Evaluator& evaluator,
                          const SamplingRange& range);

// The header and the rows, fields joined by a tab, lines ended by "\n":
// pastes into a spreadsheet.
std::string tabSeparated(const ValueTable& table);

}  // namespace plotdesk::analysis

#include "analysis/value_table.h"

namespace plotdesk::analysis {

ValueTable makeValueTable(const std::vector<QString>& functions, const Evaluator& evaluator,
                          const SamplingRange& range) {
    ValueTable table;
    table.header.push_back("x");
    std::vector<CurveReader> readers;
    readers.reserve(functions.size());
    for (const QString& function : functions) {
        table.header.push_back(function.toStdString());
        readers.emplace_back(function, evaluator);
    }
    NumberTextBuffer buffer;
    range.forEachValue([&](double v) {
        const std::string_view x = variantText(v, buffer);
        std::vector<std::string> row;
        row.reserve(readers.size() + 1);
        row.emplace_back(x);
        for (CurveReader& reader : readers) row.push_back(reader.answerAtText(x));
        table.rows.push_back(std::move(row));
    });
    return table;
}

std::string tabSeparated(const ValueTable& table) {
    std::string text;
    const auto line = [&text](const std::vector<std::string>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) text += '\t';
            text += fields[i];
        }
        text += '\n';
    };
    line(table.header);
    for (const auto& row : table.rows) line(row);
    return text;
}

}  // namespace plotdesk::analysis

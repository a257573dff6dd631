#pragma once
// Entry points for the evaluator's own tests, benchmarks and fuzzer: the text
// rewriting on its own, and the figures of the plan cache. They are no part
// of the Calculator's public surface; nothing installs this header.

#include <cstddef>
#include <cstdint>
#include <string>

namespace ombra {

class Calculator;

struct CalculatorTestAccess {
    // The answer Calculate gives, worked out by the text rewriting alone,
    // without the plans it keeps for expressions of a recurring shape: the
    // reference those plans are checked against. Leaves the state fields and
    // X as Calculate does.
    static std::string calculateByRewriting(Calculator& calculator, std::string& X);

    // Figures of the process-wide plan cache behind Calculate.
    struct PlanCacheFigures {
        size_t shapes;     // shapes held now
        size_t bytes;      // memory they take now
        size_t byteLimit;  // the most they can ever take
        uint64_t hits;     // calls whose shape was held
        uint64_t misses;   // calls whose shape was new
        uint64_t planned;  // calls a plan answered
    };
    static PlanCacheFigures planCacheFigures();
};

}  // namespace ombra

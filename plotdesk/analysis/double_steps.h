#pragma once
// Doubles counted in order: every double gets an integer so that adjacent
// doubles get adjacent integers (-0 and +0 both 0). Halving an interval of
// these integers reaches adjacent doubles in at most 64 steps wherever the
// interval lies, also across zero and across powers of two.

#include <bit>
#include <cstdint>
#include <numeric>

namespace plotdesk::analysis {

inline int64_t doubleStep(double x) {
    const auto bits = std::bit_cast<uint64_t>(x);
    const auto magnitude = static_cast<int64_t>(bits & 0x7FFF'FFFF'FFFF'FFFFu);
    return (bits >> 63) ? -magnitude : magnitude;
}

inline double doubleAtStep(int64_t step) {
    if (step >= 0) return std::bit_cast<double>(static_cast<uint64_t>(step));
    return std::bit_cast<double>(static_cast<uint64_t>(-step) | 0x8000'0000'0000'0000u);
}

// The double halfway in steps between two doubles.
inline double middleStep(double a, double b) { return doubleAtStep(std::midpoint(doubleStep(a), doubleStep(b))); }

}  // namespace plotdesk::analysis

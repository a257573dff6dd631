#pragma once
// The four axis loops count v from 0 towards an edge of the board by the
// tick spacing, end included, with no round at all when the edge lies on the
// wrong side of 0 for the step's sign. Counting is done in 64 bits so that no
// combination of settings overflows.

#include <cstdint>

namespace plotdesk {

// A loop that would take more rounds than this draws no ticks or labels, so
// no setting can keep the board busy for minutes.
inline constexpr int64_t kMaximumAxisRounds = 100'000;

struct AxisLoop {
    int64_t end = 0;      // the board edge the loop runs to
    int64_t spacing = 0;  // the tick spacing as set (min_x or min_y)
    int direction = 1;    // +1: the loop steps by +spacing; -1: by -spacing

    int64_t step() const { return direction * spacing; }
    // Rounds of the loop as counted; 0 for a spacing of 0.
    int64_t rounds() const;
    // The loop's value in round `round` (0-based).
    int64_t value(int64_t round) const { return round * step(); }
    // Whether ticks, grid lines and labels are drawn: a spacing of 0 or a
    // loop of more than kMaximumAxisRounds rounds draws none.
    bool drawsTicks() const;
    // Whether the loop passes the origin, where the axis line is drawn. With
    // a spacing of 0 the axis is still drawn where a positive spacing would
    // draw it.
    bool reachesOrigin() const;
};

}  // namespace plotdesk

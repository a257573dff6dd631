#include "board/axis_loops.h"

namespace plotdesk {

int64_t AxisLoop::rounds() const {
    const int64_t by = step();
    if (by > 0) return end >= 0 ? end / by + 1 : 0;
    if (by < 0) return end <= 0 ? end / by + 1 : 0;
    return 0;
}

bool AxisLoop::drawsTicks() const {
    const int64_t count = rounds();
    return spacing != 0 && count > 0 && count <= kMaximumAxisRounds;
}

bool AxisLoop::reachesOrigin() const {
    if (spacing == 0) return direction * end >= 0;
    return rounds() > 0;
}

}  // namespace plotdesk

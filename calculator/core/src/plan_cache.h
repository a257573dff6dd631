#pragma once
// The process-wide cache of plans: one entry per recently seen shape, the
// least recently used shape making room for a new one. A shape that gets no
// plan is remembered as well, so that it is not compiled again on every call.
// Safe to use from several threads.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "calculator/test_access.h"
#include "plan.h"
#include "plan_shape.h"

namespace ombra::plans {

inline constexpr size_t kCachedShapes = 32;

class PlanCache {
public:
    // True when the shape is held; `plan` is then its plan, or empty for a
    // shape that gets none.
    bool find(const Shape& shape, std::shared_ptr<const Plan>& plan);
    void insert(const Shape& shape, std::shared_ptr<const Plan> plan);
    void countAnswer() { answers_.fetch_add(1, std::memory_order_relaxed); }
    CalculatorTestAccess::PlanCacheFigures figures();

private:
    struct Entry {
        std::string key;
        uint64_t hash = 0;
        uint64_t lastUse = 0;  // 0: the entry is free
        std::shared_ptr<const Plan> plan;
    };

    std::mutex lock_;
    std::array<Entry, kCachedShapes> entries_;
    uint64_t clock_ = 0;
    uint64_t hits_ = 0;
    uint64_t misses_ = 0;
    std::atomic<uint64_t> answers_{0};
};

PlanCache& planCache();

}  // namespace ombra::plans

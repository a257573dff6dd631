#include "plan_cache.h"

#include <utility>

namespace ombra::plans {
namespace {

// The most a plan holds: every slot a step and a constant at most.
constexpr size_t kLargestPlan = sizeof(Plan) + kMostSlots * (sizeof(Step) + sizeof(Operand));
// A key's buffer grows to at most twice the longest key.
constexpr size_t kLargestKeyBuffer = 2 * kLongestShapedText + 1;
// What make_shared adds to a plan: the shared count block.
constexpr size_t kSharedCountBytes = 16;

}  // namespace

bool PlanCache::find(const Shape& shape, std::shared_ptr<const Plan>& plan) {
    std::lock_guard guard(lock_);
    for (Entry& entry : entries_) {
        if (entry.lastUse != 0 && entry.hash == shape.hash && entry.key == shape.key) {
            entry.lastUse = ++clock_;
            ++hits_;
            plan = entry.plan;
            return true;
        }
    }
    ++misses_;
    return false;
}

void PlanCache::insert(const Shape& shape, std::shared_ptr<const Plan> plan) {
    std::shared_ptr<const Plan> evicted;  // released after the lock
    std::lock_guard guard(lock_);
    Entry* room = &entries_[0];
    for (Entry& entry : entries_) {
        if (entry.lastUse != 0 && entry.hash == shape.hash && entry.key == shape.key) {
            room = &entry;  // another thread compiled it meanwhile
            break;
        }
        if (entry.lastUse < room->lastUse) room = &entry;
    }
    room->key = shape.key;
    room->hash = shape.hash;
    room->lastUse = ++clock_;
    evicted = std::exchange(room->plan, std::move(plan));
}

CalculatorTestAccess::PlanCacheFigures PlanCache::figures() {
    std::lock_guard guard(lock_);
    CalculatorTestAccess::PlanCacheFigures figures{};
    figures.bytes = sizeof(PlanCache);
    for (const Entry& entry : entries_) {
        if (entry.lastUse == 0) continue;
        ++figures.shapes;
        figures.bytes += entry.key.capacity() + 1;
        if (entry.plan) figures.bytes += entry.plan->bytes() + kSharedCountBytes;
    }
    figures.byteLimit = sizeof(PlanCache) + kCachedShapes * (kLargestKeyBuffer + kLargestPlan + kSharedCountBytes);
    figures.hits = hits_;
    figures.misses = misses_;
    figures.planned = answers_.load(std::memory_order_relaxed);
    return figures;
}

PlanCache& planCache() {
    static PlanCache cache;
    return cache;
}

}  // namespace ombra::plans

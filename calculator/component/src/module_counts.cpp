#include "module_counts.h"

#include <atomic>

namespace ombra::com::module {
namespace {
std::atomic<int64_t> liveObjects{0};
std::atomic<int64_t> serverLocks{0};
}  // namespace

void objectCreated() { liveObjects.fetch_add(1); }
void objectDestroyed() { liveObjects.fetch_sub(1); }
void lock() { serverLocks.fetch_add(1); }

bool unlock() {
    int64_t held = serverLocks.load();
    while (held > 0) {
        if (serverLocks.compare_exchange_weak(held, held - 1)) return true;
    }
    return false;
}

bool idle() { return liveObjects.load() == 0 && serverLocks.load() == 0; }

}  // namespace ombra::com::module

#include "random_number.h"

#include <bit>
#include <cstdint>
#include <mutex>

namespace ombra::functions {
namespace {

constexpr uint64_t kStartSeed = 0x2545F4914F6CDD1DULL;
constexpr int kSingleMantissaBits = 24;

// SplitMix64: small, fast and well distributed.
uint64_t nextState(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

float toUnitInterval(uint64_t bits) {
    const auto top = static_cast<uint32_t>(bits >> (64 - kSingleMantissaBits));
    return static_cast<float>(top) / static_cast<float>(1u << kSingleMantissaBits);
}

struct Sequence {
    std::mutex lock;
    uint64_t state = kStartSeed;
    float last = 0;
    bool started = false;
};

Sequence& sequence() {
    static Sequence shared;
    return shared;
}

}  // namespace

float randomNumber(double x) {
    Sequence& s = sequence();
    std::lock_guard guard(s.lock);
    if (x == 0 && s.started) return s.last;
    if (x < 0) s.state = std::bit_cast<uint64_t>(x);
    s.last = toUnitInterval(nextState(s.state));
    s.started = true;
    return s.last;
}

}  // namespace ombra::functions

#include "random_number.h"

#include <bit>
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

float drawFrom(RandomDraft::State& s, double x) {
    if (x == 0 && s.started) return s.last;
    if (x < 0) s.seed = std::bit_cast<uint64_t>(x);
    s.last = toUnitInterval(nextState(s.seed));
    s.started = true;
    return s.last;
}

struct Sequence {
    std::mutex lock;
    RandomDraft::State state{kStartSeed, 0, false};
    uint64_t draws = 0;
};

Sequence& sequence() {
    static Sequence shared;
    return shared;
}

}  // namespace

float randomNumber(double x) {
    Sequence& s = sequence();
    std::lock_guard guard(s.lock);
    ++s.draws;
    return drawFrom(s.state, x);
}

RandomDraft::RandomDraft() {
    Sequence& s = sequence();
    std::lock_guard guard(s.lock);
    state_ = s.state;
    drawsSeen_ = s.draws;
}

float RandomDraft::draw(double x) { return drawFrom(state_, x); }

bool RandomDraft::commit() {
    Sequence& s = sequence();
    std::lock_guard guard(s.lock);
    if (s.draws != drawsSeen_) return false;
    s.state = state_;
    ++s.draws;
    return true;
}

}  // namespace ombra::functions

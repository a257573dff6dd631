#pragma once
// The process-wide pseudo-random sequence behind RND, safe to use from
// several threads. How the argument steers it:
//   x < 0  the sequence restarts from a seed made of x's bits and its first
//          number is returned, so the same negative x always gives the same
//          number;
//   x = 0  the most recently returned number is returned again;
//   x > 0  the next number of the sequence.
// The sequence starts from a fixed seed, so a program run is reproducible.
// Numbers lie in [0, 1) and are exact single-precision values.

#include <cstdint>

namespace ombra::functions {

float randomNumber(double x);

// A private copy of the sequence, for computing ahead: its draws follow the
// rules above and leave the shared sequence alone until commit() makes them
// the shared sequence's own. commit() changes nothing and answers false when
// the shared sequence was drawn from after the copy was taken, so drawing
// ahead and committing is the same as drawing at the moment of the commit.
class RandomDraft {
public:
    RandomDraft();
    float draw(double x);
    bool commit();

    struct State {
        uint64_t seed;
        float last;
        bool started;
    };

private:
    State state_;
    uint64_t drawsSeen_;  // the shared sequence's draw count when copied
};

}  // namespace ombra::functions

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

namespace ombra::functions {

float randomNumber(double x);

}  // namespace ombra::functions

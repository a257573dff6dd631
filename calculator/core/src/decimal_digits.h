#pragma once
// The significant decimal digits of a double, rounded to nearest from its
// exact binary value, found by integer arithmetic instead of by formatting:
// the double's 53-bit significand times 5^scale is exact in 128 bits. Only
// for the ordinary range of magnitudes, where every power of ten involved is
// an exact double; anything else, and every exact tie, is left to the caller's
// formatting.

#include <array>
#include <cstdint>
#include <optional>

namespace ombra::number_text {

// The powers of ten that are exact doubles: 10^0 to 10^22.
inline constexpr int kLargestExactPowerOfTen = 22;
inline constexpr std::array<double, kLargestExactPowerOfTen + 1> kExactPowersOfTen = [] {
    std::array<double, kLargestExactPowerOfTen + 1> powers{};
    double power = 1;
    for (double& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// A magnitude rounded to 15 significant digits: digits * 10^-scale, with
// digits from 10^14 up to 10^15 (10^15 when the rounding carried into a new
// digit).
struct FifteenDigits {
    uint64_t digits;
    int scale;
};
inline constexpr uint64_t kCarriedDigits = 1'000'000'000'000'000;

// Empty unless 1E-08 <= magnitude < 1E+15 and the rounding is no tie.
std::optional<FifteenDigits> roundToFifteenDigits(double magnitude);

// The double nearest to digits * 10^-scale: one correctly rounded division
// of two exact doubles.
double doubleOf(const FifteenDigits& rounded);

}  // namespace ombra::number_text

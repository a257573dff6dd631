#include "decimal_digits.h"

#include <array>
#include <bit>
#include <cmath>

namespace ombra::number_text {
namespace {

constexpr int kLargestScale = kLargestExactPowerOfTen;
constexpr double kSmallestMagnitude = 1e-8;
constexpr double kFirstMagnitudeBeyond = 1e15;
constexpr uint64_t kSmallestDigits = 100'000'000'000'000;  // 10^14
constexpr int kSignificandBits = 52;
constexpr int kExponentBias = 1075;  // 1023 + 52: value = significand * 2^(field - bias)
constexpr double kLog10Of2 = 0.301029995663981;

constexpr std::array<uint64_t, kLargestScale + 1> kPowersOfFive = [] {
    std::array<uint64_t, kLargestScale + 1> powers{};
    uint64_t power = 1;
    for (uint64_t& p : powers) {
        p = power;
        power *= 5;
    }
    return powers;
}();

// The magnitude times 10^scale, rounded to the nearest integer; empty on a
// tie or when the shift leaves the 128 bits.
std::optional<uint64_t> scaledAndRounded(uint64_t significand, int binaryExponent, int scale) {
    using Wide = unsigned __int128;
    const Wide product = static_cast<Wide>(significand) * kPowersOfFive[static_cast<size_t>(scale)];
    const int shift = -(binaryExponent + scale);  // magnitude * 10^scale = product * 2^-shift
    if (shift <= 0) {
        if (-shift > 10) return std::nullopt;  // far beyond fifteen digits
        return static_cast<uint64_t>(product << -shift);
    }
    if (shift >= 127) return std::nullopt;
    const Wide whole = product >> shift;
    const Wide rest = product - (whole << shift);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    if (rest == half) return std::nullopt;
    return static_cast<uint64_t>(whole) + (rest > half ? 1 : 0);
}

}  // namespace

std::optional<FifteenDigits> roundToFifteenDigits(double magnitude) {
    if (!(magnitude >= kSmallestMagnitude && magnitude < kFirstMagnitudeBeyond)) return std::nullopt;
    const auto bits = std::bit_cast<uint64_t>(magnitude);
    const int exponentField = static_cast<int>(bits >> kSignificandBits);
    const uint64_t significand = (bits & ((uint64_t{1} << kSignificandBits) - 1)) | (uint64_t{1} << kSignificandBits);
    const int binaryExponent = exponentField - kExponentBias;
    // A first guess at the decimal exponent, off by one at most.
    int scale = 14 - static_cast<int>(std::floor((binaryExponent + kSignificandBits) * kLog10Of2));
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (scale < 0 || scale > kLargestScale) return std::nullopt;
        const std::optional<uint64_t> digits = scaledAndRounded(significand, binaryExponent, scale);
        if (!digits) return std::nullopt;
        if (*digits < kSmallestDigits) {
            ++scale;
        } else if (*digits > kCarriedDigits) {
            --scale;
        } else {
            return FifteenDigits{*digits, scale};
        }
    }
    return std::nullopt;
}

double doubleOf(const FifteenDigits& rounded) {
    return static_cast<double>(rounded.digits) / kExactPowersOfTen[static_cast<size_t>(rounded.scale)];
}

}  // namespace ombra::number_text

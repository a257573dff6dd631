#include "analysis/exact_form.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace plotdesk::analysis {
namespace {

// Denominators whose fractions never end in decimal: a fraction over 2, 4, 5
// or 8 is already exact in the decimal text.
constexpr int kFractionDenominators[] = {3, 6, 7, 9, 11, 12};
constexpr int kPiDenominators[] = {1, 2, 3, 4, 6, 12};
constexpr int kLargestNumerator = 1000;
constexpr int kLargestRadicand = 99;
constexpr int kRootDenominators[] = {1, 2, 3};

std::string signText(bool negative) { return negative ? "-" : ""; }

void addPiMultiples(double x, double window, std::vector<ExactForm>& forms) {
    for (int q : kPiDenominators) {
        const double k = std::round(x * q / std::numbers::pi);
        if (k == 0 || std::fabs(k) > kLargestNumerator) continue;
        const auto whole = static_cast<int>(k);
        if (std::gcd(whole, q) != 1) continue;
        const double value = whole * std::numbers::pi / q;
        if (!(std::fabs(value - x) <= window)) continue;
        const int size = std::abs(whole);
        std::string text = signText(whole < 0) + (size == 1 ? "" : std::to_string(size) + "*") + "PI";
        std::string shown = signText(whole < 0) + (size == 1 ? "" : std::to_string(size)) + "π";
        if (q != 1) {
            const std::string over = std::to_string(q);
            text.append("/").append(over);
            shown.append("/").append(over);
        }
        forms.push_back({text, shown, value});
    }
}

void addFractions(double x, double window, std::vector<ExactForm>& forms) {
    for (int q : kFractionDenominators) {
        const double p = std::round(x * q);
        if (p == 0 || std::fabs(p) > kLargestNumerator * q) continue;
        const auto whole = static_cast<int>(p);
        if (std::gcd(whole, q) != 1) continue;
        const double value = static_cast<double>(whole) / q;
        if (!(std::fabs(value - x) <= window)) continue;
        const std::string text = std::to_string(whole) + "/" + std::to_string(q);
        forms.push_back({text, text, value});
    }
}

void addRoots(double x, double window, std::vector<ExactForm>& forms) {
    const bool negative = x < 0;
    const double size = std::fabs(x);
    for (int d : kRootDenominators) {
        const double n = std::round(size * d * size * d);
        if (n < 2 || n > kLargestRadicand) continue;
        const auto radicand = static_cast<int>(n);
        const auto root = static_cast<int>(std::lround(std::sqrt(n)));
        if (root * root == radicand) continue;
        const double value = std::sqrt(n) / d;
        if (!(std::fabs(value - size) <= window)) continue;
        if (d > 1 && radicand % (d * d) == 0) continue;  // √18/3 is √2
        std::string over;
        if (d > 1) over.append("/").append(std::to_string(d));
        forms.push_back({signText(negative) + "SQR(" + std::to_string(radicand) + ")" + over,
                         signText(negative) + "√" + std::to_string(radicand) + over, negative ? -value : value});
    }
}

}  // namespace

std::vector<ExactForm> exactFormsNear(double x, double window) {
    std::vector<ExactForm> forms;
    if (x == 0 || !std::isfinite(x)) return forms;
    addPiMultiples(x, window, forms);
    addFractions(x, window, forms);
    addRoots(x, window, forms);
    return forms;
}

}  // namespace plotdesk::analysis

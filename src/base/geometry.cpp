#include "base/geometry.h"

namespace corvane {

int MulDivRounded(long long value, long long numerator, long long denominator) noexcept {
    const long long product = value * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

} // namespace corvane

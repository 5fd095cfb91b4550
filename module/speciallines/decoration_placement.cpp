// Placement of a special line's decorations: centred, to the end, from the start or spread evenly.
#include "speciallines/decoration_placement.h"

#include <cmath>
#include <cstddef>

namespace kelvora::speciallines {

namespace {

// A position may overshoot the length by rounding of the repeated additions.
constexpr double kEndTolerance = 1e-8;
// Below this a period or step cannot advance along any drawing: one decoration only.
constexpr double kMinStep = 1e-9;
// Bounds the work of a line whose spacing is tiny against its length (a damaged or absurd drawing).
constexpr std::size_t kMaxPositions = 100000;

}  // namespace

Placement placeDecorations(double length, double decoration, double gap, double spacing, unsigned placement)
{
    Placement result;
    result.length = std::isfinite(length) && length > 0.0 ? length : 0.0;
    result.decoration = decoration;
    const double L = result.length;
    const double footprint = decoration + 2.0 * gap;
    const double period = footprint + spacing;
    if (!std::isfinite(period) || period < kMinStep) {
        // No period to repeat: a single decoration in the middle of the line.
        result.start = L / 2.0;
        result.step = 0.0;
        return result;
    }
    const double n = std::floor(L / period) + 1.0;
    const double remainder = L - (n - 1.0) * period;
    switch (placement) {
    case 0:
        result.step = period;
        result.start = footprint > remainder ? (remainder + period) / 2.0 : remainder / 2.0;
        break;
    case 1:
        result.start = remainder;
        result.step = period;
        break;
    case 2:
        result.start = 0.0;
        result.step = period;
        break;
    case 3:
        result.start = 0.0;
        result.step = L / n;
        break;
    default:
        result.start = L;
        result.step = L;
        break;
    }
    return result;
}

std::vector<double> decorationPositions(const Placement& placement)
{
    std::vector<double> positions;
    const double limit = placement.length + kEndTolerance;
    if (!(placement.start <= limit) || placement.start < -kEndTolerance)
        return positions;
    if (!(placement.step >= kMinStep)) {
        positions.push_back(placement.start);
        return positions;
    }
    // Positions are start + i * step, not a running sum, so rounding does not build up along long lines.
    for (std::size_t i = 0; positions.size() < kMaxPositions; ++i) {
        const double at = placement.start + static_cast<double>(i) * placement.step;
        if (at > limit)
            break;
        positions.push_back(at);
    }
    return positions;
}

}  // namespace kelvora::speciallines

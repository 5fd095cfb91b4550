// A linetype's dash pattern as device on/off lengths: merged, started on a dash, dots given a width.
#include "kelvora/linetype_dashes.h"

#include <cmath>
#include <cstddef>

namespace kelvora {

namespace {

// Dashes and dots are ink; gaps are not.
bool isInk(double dash)
{
    return dash >= 0.0;
}

// Positions along the pattern wrap around its period.
double wrapped(double position, double period)
{
    const double r = std::fmod(position, period);
    return r < 0.0 ? r + period : r;
}

}  // namespace

bool deviceDashes(const LinetypePattern& pattern, double scale, double curveLength, double strokeWidth,
                  DeviceDashes& out)
{
    out.lengths.clear();
    out.offset = 0.0;
    if (pattern.dashes.empty() || !std::isfinite(scale) || !(scale > 0.0))
        return false;

    // Merged runs of one kind, ink first at even indices once rotated; `inkFirst` says what the
    // first run is until then.
    std::vector<double>& runs = out.lengths;
    bool inkFirst = isInk(pattern.dashes.front());
    bool lastInk = inkFirst;
    bool anyInk = false;
    bool anyGap = false;
    for (std::size_t i = 0; i < pattern.dashes.size(); ++i) {
        const double dash = pattern.dashes[i];
        if (!std::isfinite(dash)) {
            runs.clear();
            return false;
        }
        const bool ink = isInk(dash);
        anyInk = anyInk || ink;
        anyGap = anyGap || !ink;
        const double length = std::fabs(dash) * scale;
        if (i > 0 && ink == lastInk)
            runs.back() += length;
        else
            runs.push_back(length);
        lastInk = ink;
    }
    double period = 0.0;
    for (const double run : runs)
        period += run;
    if (!anyInk || !anyGap || !std::isfinite(period) || period < kMinDashPeriodDevice ||
        !(curveLength / period <= kMaxDashRepeats)) {
        runs.clear();
        return false;
    }

    // Where the curve starts, measured from the start of runs[0].
    double offset = 0.0;
    // The last run and the first are neighbours in the repeating pattern: one run if of one kind.
    if (runs.size() > 1 && lastInk == inkFirst) {
        offset = runs.back();
        runs.front() += runs.back();
        runs.pop_back();
    }
    // Start on a dash: a leading gap moves to the end, and the start moves back by its length.
    if (!inkFirst) {
        const double gap = runs.front();
        runs.erase(runs.begin());
        runs.push_back(gap);
        offset -= gap;
    }

    // Dots (and dashes thinner than the stroke) grow to the stroke's width about their centres.
    const std::size_t n = runs.size();
    std::vector<double> grow(n, 0.0);
    for (std::size_t i = 0; i < n; i += 2) {
        if (runs[i] < strokeWidth)
            grow[i] = (strokeWidth - runs[i]) / 2.0;
    }
    for (std::size_t i = 0; i < n; i += 2) {
        if (grow[i] <= 0.0)
            continue;
        runs[i] += 2.0 * grow[i];
        runs[(i + 1) % n] -= grow[i];
        runs[(i + n - 1) % n] -= grow[i];
    }
    for (std::size_t i = 1; i < n; i += 2) {
        if (!(runs[i] > 0.0)) {
            runs.clear();
            return false;
        }
    }
    // The first dash now starts earlier, by its growth.
    offset += grow[0];
    out.offset = wrapped(offset, period);
    return true;
}

}  // namespace kelvora

// Where the division points of a stretch of a polyline fall, and how a typed step is read.
#pragma once

#include <functional>
#include <string>

namespace kelvora::division {

// The smallest step, and the slack allowed in reaching the end of the stretch: the kernel's zero
// length, so a point is never lost to the rounding of the accumulated steps.
constexpr double kSmallestStep = 1e-8;

// Reads a step typed as text: "/n" with n an integer of at least 1 gives stretchLength / n. False
// for any other text.
bool stepFromText(const std::wstring& text, double stretchLength, double& step);

// Calls `mark` with the distance from the polyline's start of each division point: from fromDist
// every `step` while toDist (beyond the whole length wholeLength when the stretch runs through the
// start of a closed polyline) is not passed by more than kSmallestStep. On a closed polyline the
// positions past the whole length wrap to the start; on an open one a position at or past the end
// (within the slack) stays at the end. Stops early, answering false, when `mark` answers false.
bool forEachDivision(double fromDist, double toDist, double wholeLength, bool closed, double step,
                     const std::function<bool(double distAlong)>& mark);

}  // namespace kelvora::division

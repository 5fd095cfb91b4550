// The tolerances and marker values that the surface division commands share.
#pragma once

namespace kelvora::division {

// Parcel areas reach 1e6 square units; 1e-7 is above their rounding and far below what a label
// shows (two decimals), so two areas closer than this are the same area.
constexpr double kAreaTolerance = 1e-7;
// Two points closer than this are one point: a cut point on a boundary, the end of a split piece.
// It matches the area tolerance, since a point error of 1e-7 moves an area by about that much.
constexpr double kPointTolerance = 1e-7;
// A picked centre this close to the boundary counts as lying on it: picks are rounded by the
// user's input, so the command is more lenient than the extraction itself.
constexpr double kPickedOnBoundaryTolerance = 1e-6;
// Tolerance of the rebuilds right after a cut: keeps every real vertex, drops repeated ones.
constexpr double kWorkingMergeTolerance = 1e-6;
// Tolerance of the rebuild of the pieces that enter the drawing: a tenth of a millimetre,
// below any surveyed detail, merges the vertices a cut leaves on a straight edge.
constexpr double kFinalMergeTolerance = 1e-4;
// The smallest part area that the "=" form accepts: below it a series would never end.
constexpr double kSmallestRepeatedArea = 1e-5;
// The start angle that says "the centre lies on the boundary, no start direction".
constexpr double kNoStartDirection = -999.0;

// True for the marker kNoStartDirection (a real angle never comes near it).
constexpr bool isNoStartDirection(double startAngleRad)
{
    return startAngleRad < kNoStartDirection + 0.5 && startAngleRad > kNoStartDirection - 0.5;
}

}  // namespace kelvora::division

// A linetype's dash pattern turned into the on/off lengths a device strokes with (cairo_set_dash).
#pragma once

#include "kelvora/canvas.h"

#include <vector>

namespace kelvora {

// A scaled pattern whose period is shorter than this (device units: pixels or points) is drawn
// continuous: below two units a dash and its gap blur into one grey line, and CAD programs too
// draw a linetype continuous once it is too fine to show.
inline constexpr double kMinDashPeriodDevice = 2.0;

// A curve that would repeat its pattern more often than this is drawn continuous: the stroker's
// work grows with the number of dashes, and a million repeats on one curve means a linetype scale
// that cannot be meant (the period is then far below anything the plot can show as dashes anyway).
inline constexpr double kMaxDashRepeats = 1.0e6;

// The device's dash pattern: on/off lengths in device units, starting with a dash, an even count,
// and the offset into them where a curve starts.
struct DeviceDashes {
    std::vector<double> lengths;
    double offset = 0.0;
};

// Turns the pattern, multiplied by `scale` (device units per pattern unit: the linetype scales
// times the view's scale), into device dashes for a curve `curveLength` device units long stroked
// `strokeWidth` wide. Consecutive elements of one kind merge (dash with dash or dot, gap with
// gap); a pattern that starts with a gap starts through the offset. A dot becomes a dash as long
// as the stroke is wide, centred where the dot is (the gaps beside it give up the room), drawn
// with flat ends: the smallest mark that shows, and dashes and gaps keep their true lengths.
// False, `out` emptied, when the curve is to be drawn continuous: no pattern, no gap or no dash
// in it, lengths that are not finite, a period under kMinDashPeriodDevice, more than
// kMaxDashRepeats repeats, or dots that would fill their gaps.
bool deviceDashes(const LinetypePattern& pattern, double scale, double curveLength, double strokeWidth,
                  DeviceDashes& out);

}  // namespace kelvora

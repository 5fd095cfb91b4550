// Where the decorations of a special line fall along its length.
#pragma once

#include <vector>

namespace kelvora::speciallines {

struct Placement {
    double length = 0.0;      // total length of the line
    double decoration = 0.0;  // length of one decoration along the line
    double start = 0.0;       // distance of the first decoration
    double step = 0.0;        // distance between consecutive decorations
};

// Fits the run of decorations to a line of the given length (placement mode 0..3, others = one at the end).
Placement placeDecorations(double length, double decoration, double gap, double spacing, unsigned placement);
// Distances of the decorations along the line; one only when the step cannot advance.
std::vector<double> decorationPositions(const Placement& placement);

}  // namespace kelvora::speciallines

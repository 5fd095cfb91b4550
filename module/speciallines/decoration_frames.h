// Where and how turned each decoration of one special line sits, and the symbol transformation there.
#pragma once

#include <vector>

#include "gemat3d.h"
#include "gepnt3d.h"
#include "speciallines/decoration_placement.h"

class eXtendedPolyline;

namespace kelvora::speciallines {

struct DecorationFrame {
    AcGePoint3d point;
    double angle = 0.0;  // of the tangent from the X axis about the line's normal, 0 to 2 pi
};

// The placement of the entity's decorations, from its length, decoration length and settings.
Placement placementOf(const eXtendedPolyline& line);
// Point and angle of each decoration of that placement.
std::vector<DecorationFrame> decorationFrames(const eXtendedPolyline& line, const Placement& placement);
// Translation to the frame's point, rotation by its angle about the normal, uniform scaling by size.
AcGeMatrix3d symbolTransform(const DecorationFrame& frame, const AcGeVector3d& normal, double size);

}  // namespace kelvora::speciallines

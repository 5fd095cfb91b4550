// The interrupted line of a special line: the visible pieces between its decorations, walked forward only.
#pragma once

#include <vector>

#include "gepnt3d.h"
#include "gevec3d.h"
#include "speciallines/decoration_placement.h"

class AcDbPolyline;

namespace kelvora::speciallines {

// One visible piece of one segment: straight (start to end) or an arc through start, middle and end.
struct LinePiece {
    bool isArc = false;
    AcGePoint3d start;
    AcGePoint3d middle;
    AcGePoint3d end;
    AcGePoint3d center;
    double radius = 0.0;
    bool counterClockwise = true;  // the arc runs counter-clockwise about the normal from start to end
};

// Walks the segments of one polyline forwards; a walk never goes back to an earlier segment.
class SegmentWalk {
public:
    explicit SegmentWalk(const AcDbPolyline& polyline);
    // Appends the visible parts of the line between the distances from and to.
    void piece(double from, double to, std::vector<LinePiece>& out);
    bool isOver() const { return m_over; }

private:
    enum class Kind { kNone, kStraight, kArc };
    void load(int index);
    void moveOn();
    bool straightPart(double from, double to, std::vector<LinePiece>& out);
    bool arcPart(double from, double to, std::vector<LinePiece>& out);

    const AcDbPolyline& m_polyline;
    AcGeVector3d m_normal;
    int m_index = -1;
    Kind m_kind = Kind::kNone;
    AcGePoint3d m_start;
    AcGePoint3d m_end;
    AcGePoint3d m_center;
    double m_radius = 0.0;
    double m_sweep = 0.0;
    double m_bulge = 0.0;
    double m_length = 0.0;
    double m_startDistance = 0.0;
    bool m_over = false;
};

// The pieces of the line left between the decorations of that placement, each clear of them by gap.
std::vector<LinePiece> interruptedLinePieces(const AcDbPolyline& polyline, const Placement& placement, double gap);

}  // namespace kelvora::speciallines

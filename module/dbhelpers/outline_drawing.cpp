// Segment-by-segment outline drawing, shared by the custom entities' proxy graphics.
#include "dbhelpers/outline_drawing.h"

#include "acgi.h"
#include "dbpl.h"

namespace kelvora::dbhelpers {

void drawOutlineSegments(const AcDbPolyline& polyline, AcGiWorldDraw* mode)
{
    if (mode == nullptr)
        return;
    const unsigned count = polyline.numVerts();
    const unsigned segments = polyline.isClosed() ? count : (count > 0 ? count - 1 : 0);
    for (unsigned i = 0; i < segments; ++i) {
        switch (polyline.segType(i)) {
        case AcDbPolyline::kLine: {
            AcGeLineSeg3d line;
            if (polyline.getLineSegAt(i, line) != Acad::eOk)
                break;
            const AcGePoint3d points[2] = {line.startPoint(), line.endPoint()};
            mode->geometry().polyline(2, points);
            break;
        }
        case AcDbPolyline::kArc: {
            AcGeCircArc3d arc;
            if (polyline.getArcSegAt(i, arc) != Acad::eOk)
                break;
            mode->geometry().circularArc(arc.center(), arc.radius(), arc.normal(),
                                         arc.refVec().rotateBy(arc.startAng(), arc.normal()),
                                         arc.endAng() - arc.startAng());
            break;
        }
        default:
            break;
        }
    }
}

}  // namespace kelvora::dbhelpers

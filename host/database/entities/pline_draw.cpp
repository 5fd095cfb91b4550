// Draws a lightweight polyline's centre line: runs of straight segments as polylines, arc segments as arcs.
#include "pline_draw.h"

#include <algorithm>
#include <vector>

#include "kelvora/gi_recorder.h"

namespace kelvora {

namespace {

Adesk::Boolean flushRun(const AcGiGeometry& geometry, std::vector<AcGePoint3d>& run, const AcGeVector3d& normal)
{
    Adesk::Boolean aborted = Adesk::kFalse;
    if (run.size() >= 2)
        aborted = geometry.polyline(static_cast<Adesk::UInt32>(run.size()), run.data(), &normal);
    run.clear();
    return aborted;
}

Adesk::Boolean recorderPline(const AcGiGeometry& geometry, const AcDbPolyline& polyline, Adesk::UInt32 fromIndex,
                             Adesk::UInt32 numSegs)
{
    return drawPlineSegments(geometry, polyline, fromIndex, numSegs);
}

}  // namespace

Adesk::Boolean drawPlineSegments(const AcGiGeometry& geometry, const AcDbPolyline& polyline, Adesk::UInt32 fromIndex,
                                 Adesk::UInt32 numSegs)
{
    const unsigned int n = polyline.numVerts();
    if (n < 2)
        return Adesk::kFalse;
    const unsigned int segments = polyline.isClosed() ? n : n - 1;
    if (fromIndex >= segments)
        return Adesk::kFalse;
    unsigned int last = numSegs == 0 ? segments : std::min<unsigned int>(segments, fromIndex + numSegs);
    AcGeVector3d normal = polyline.normal();
    std::vector<AcGePoint3d> run;
    for (unsigned int i = fromIndex; i < last; ++i) {
        AcDbPolyline::SegType type = polyline.segType(i);
        if (type == AcDbPolyline::kArc) {
            if (flushRun(geometry, run, normal))
                return Adesk::kTrue;
            AcGeCircArc3d arc;
            polyline.getArcSegAt(i, arc);
            if (geometry.circularArc(arc.center(), arc.radius(), arc.normal(), arc.refVec(),
                                     arc.endAng() - arc.startAng()))
                return Adesk::kTrue;
            continue;
        }
        if (type != AcDbPolyline::kLine)
            continue;
        AcGePoint3d a;
        AcGePoint3d b;
        polyline.getPointAt(i, a);
        polyline.getPointAt((i + 1) % n, b);
        if (run.empty())
            run.push_back(a);
        else if (!run.back().isEqualTo(a)) {
            if (flushRun(geometry, run, normal))
                return Adesk::kTrue;
            run.push_back(a);
        }
        run.push_back(b);
    }
    return flushRun(geometry, run, normal);
}

void installPlineDrawing()
{
    static const bool installed = [] {
        GiRecorder::setPlineHandler(&recorderPline);
        return true;
    }();
    (void)installed;
}

}  // namespace kelvora

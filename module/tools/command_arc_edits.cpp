// ENLEVERARC and METTREUNARC: the picked segment of a polyline made straight, or made a half circle.
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbents.h"
#include "dbpl.h"
#include "tools/tool_commands.h"
#include "tools/vertex_lookup.h"

namespace kelvora::tools {

namespace {

// Bulge 1: a half circle on the segment's chord, turning counter-clockwise from its start vertex.
constexpr double kHalfCircleBulge = 1.0;
constexpr double kStraightBulge = 0.0;
// acedNEntSelP without the pick flag: the user picks, no point is given in advance.
constexpr int kUserPicks = 0;

// Sets the bulge of the segment picked with the prompt; `refusal` is printed for a vertex of an
// old-style polyline that is not a simple vertex (a fitted polyline's vertices are computed).
void setPickedSegmentBulge(double bulge, const ACHAR* refusal)
{
    ads_name picked;
    ads_point at;
    ads_matrix xform;
    resbuf* containers = nullptr;
    if (acedNEntSelP(ACRX_T("\nArc à annuler:"), picked, at, kUserPicks, xform, &containers) != RTNORM) {
        acutRelRb(containers);
        return;
    }
    if (containers != nullptr) {
        acutPrintf(ACRX_T("\nCeci fait partie d'un block"));
        acutRelRb(containers);
        return;
    }
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acdbGetObjectId(id, picked) != Acad::eOk || acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk)
        return;
    if (AcDbPolyline* pline = AcDbPolyline::cast(entity)) {
        // No segment under the pick: the index past the last segment, which changes nothing seen.
        pline->setBulgeAt(segmentNearPoint(*pline, AcGePoint3d(at[X], at[Y], at[Z])), bulge);
    } else if (AcDb2dVertex* vertex = AcDb2dVertex::cast(entity)) {
        if (vertex->vertexType() == AcDb::k2dVertex)
            vertex->setBulge(bulge);
        else
            acutPrintf(refusal);
    }
    entity->close();
}

}  // namespace

void commandEnleverArc()
{
    setPickedSegmentBulge(kStraightBulge, ACRX_T("\nCet arc ne peut être annulé."));
}

void commandMettreUnArc()
{
    setPickedSegmentBulge(kHalfCircleBulge, ACRX_T("\nErreur."));
}

}  // namespace kelvora::tools

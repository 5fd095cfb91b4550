// PLINE: a polyline through the points given, with bulges (Bulge), Close and Undo; lightweight or old-style by PLINETYPE.
#include <vector>

#include "acedads.h"
#include "command_support.h"
#include "dbents.h"
#include "dbpl.h"
#include "drawing_commands.h"

namespace kelvora::commands {

namespace {

struct PlineVertex {
    AcGePoint3d point;
    double bulge = 0.0;  // of the segment from this vertex to the next
};

// A polyline needs two vertices; Close needs two as well (the closing segment may be an arc).
constexpr size_t kFewestVertices = 2;

// PLINETYPE 0 asks for old-style polylines; 1 and 2 make lightweight ones.
constexpr Adesk::Int16 kOldStylePlinetype = 0;

AcDbEntity* makePolyline(const std::vector<PlineVertex>& vertices, bool closed)
{
    double elevation = vertices.front().point.z;
    AcDbDatabase* db = drawing();
    if (db != nullptr && db->plinetype() == kOldStylePlinetype) {
        AcGePoint3dArray points;
        AcGeDoubleArray bulges;
        for (const PlineVertex& v : vertices) {
            points.append(AcGePoint3d(v.point.x, v.point.y, elevation));
            bulges.append(v.bulge);
        }
        return new AcDb2dPolyline(AcDb::k2dSimplePoly, points, elevation, closed ? Adesk::kTrue : Adesk::kFalse, 0.0,
                                  0.0, &bulges);
    }
    auto* pline = new AcDbPolyline(static_cast<unsigned int>(vertices.size()));
    for (const PlineVertex& v : vertices)
        pline->addVertexAt(pline->numVerts(), AcGePoint2d(v.point.x, v.point.y), v.bulge, 0.0, 0.0);
    pline->setElevation(elevation);
    pline->setClosed(closed ? Adesk::kTrue : Adesk::kFalse);
    return pline;
}

}  // namespace

// The polyline is added when the command ends, by Enter, Close or a cancel alike.
void plineCommand()
{
    ads_point answer = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify start point: ", answer) != RTNORM)
        return;
    std::vector<PlineVertex> vertices{{asPoint(answer), 0.0}};
    double nextBulge = 0.0;
    bool closed = false;
    while (true) {
        bool canClose = vertices.size() >= kFewestVertices;
        acedInitGet(0, canClose ? L"Bulge Close Undo" : L"Bulge Undo");
        ads_point from = {0, 0, 0};
        toAds(vertices.back().point, from);
        int status = acedGetPoint(from, canClose ? L"\nSpecify next point or [Bulge/Close/Undo]: "
                                                 : L"\nSpecify next point or [Bulge/Undo]: ",
                                  answer);
        if (status == RTKWORD) {
            std::wstring keyword = lastKeyword();
            if (keyword == L"Bulge") {
                ads_real bulge = 0.0;
                int got = acedGetReal(L"\nSpecify bulge of the next segment: ", &bulge);
                if (got == RTCAN)
                    break;
                if (got == RTNORM)
                    nextBulge = bulge;
            } else if (keyword == L"Close") {
                vertices.back().bulge = nextBulge;
                closed = true;
                break;
            } else if (vertices.size() > 1) {
                vertices.pop_back();
                vertices.back().bulge = 0.0;
                nextBulge = 0.0;
            } else {
                say(L"\nAll segments already undone.");
            }
            continue;
        }
        if (status != RTNORM)
            break;
        vertices.back().bulge = nextBulge;
        nextBulge = 0.0;
        vertices.push_back({asPoint(answer), 0.0});
    }
    if (vertices.size() < kFewestVertices)
        return;
    addToCurrentSpace(makePolyline(vertices, closed));
}

}  // namespace kelvora::commands

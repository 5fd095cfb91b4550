// Copying the vertices of an old-style 2D polyline into a new lightweight polyline.
#include "tools/polyline_2d_conversion.h"

#include <memory>

#include "dbents.h"
#include "dbpl.h"

namespace kelvora::tools {

namespace {

void appendVertex(AcDbPolyline& pline, const AcDb2dVertex& vertex)
{
    if (vertex.vertexType() == AcDb::k2dSplineCtlVertex)
        return;
    const AcGePoint3d position = vertex.position();
    pline.addVertexAt(pline.numVerts(), AcGePoint2d(position.x, position.y), vertex.bulge(), vertex.startWidth(),
                      vertex.endWidth());
}

}  // namespace

AcDbPolyline* lightweightFrom2dPolyline(const AcDb2dPolyline* pline2d)
{
    if (pline2d == nullptr)
        return nullptr;
    auto* pline = new AcDbPolyline();
    pline->setNormal(pline2d->normal());
    pline->setElevation(pline2d->elevation());
    pline->setClosed(pline2d->isClosed());
    std::unique_ptr<AcDbObjectIterator> vertices(pline2d->vertexIterator());
    for (; vertices != nullptr && !vertices->done(); vertices->step()) {
        // A polyline in a database opens its vertices by id; one that is not holds them itself.
        const AcDbObjectId id = vertices->objectId();
        if (id.isNull()) {
            if (const AcDb2dVertex* vertex = AcDb2dVertex::cast(vertices->entity()))
                appendVertex(*pline, *vertex);
            continue;
        }
        AcDb2dVertex* vertex = nullptr;
        if (pline2d->openVertex(vertex, id, AcDb::kForRead) != Acad::eOk)
            continue;
        appendVertex(*pline, *vertex);
        vertex->close();
    }
    return pline;
}

}  // namespace kelvora::tools

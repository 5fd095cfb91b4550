// Appending one polyline's vertices to another, joined at the destination's last vertex.
#include <vector>

#include "geometry/polyline_kernel.h"

namespace {

struct StoredVertex {
    AcGePoint2d point;
    double bulge = 0.0;
    double startWidth = 0.0;
    double endWidth = 0.0;
};

}  // namespace

// The source is read whole first, so that a polyline appended to itself doubles cleanly.
void appendPolylineVertices(AcDbPolyline* dest, const AcDbPolyline* source)
{
    if (dest == nullptr || source == nullptr)
        return;
    std::vector<StoredVertex> vertices;
    vertices.reserve(source->numVerts());
    for (unsigned int at = 0; at < source->numVerts(); ++at) {
        StoredVertex v;
        if (source->getPointAt(at, v.point) == Acad::eOk && source->getBulgeAt(at, v.bulge) == Acad::eOk &&
            source->getWidthsAt(at, v.startWidth, v.endWidth) == Acad::eOk)
            vertices.push_back(v);
    }
    for (size_t at = 0; at < vertices.size(); ++at) {
        const StoredVertex& v = vertices[at];
        const unsigned int destCount = dest->numVerts();
        if (at == 0 && destCount > 0) {
            const unsigned int last = destCount - 1;
            dest->setPointAt(last, v.point);
            dest->setBulgeAt(last, v.bulge);
            dest->setWidthsAt(last, v.startWidth, v.endWidth);
        } else {
            dest->addVertexAt(destCount, v.point, v.bulge, v.startWidth, v.endWidth);
        }
    }
}

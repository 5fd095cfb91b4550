// XPOLY: turns a picked polyline into a special line with the default decoration, keeping its identity.
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "speciallines/extended_polyline.h"
#include "speciallines/special_line_commands.h"

namespace kelvora::speciallines {

void commandXpoly()
{
    ads_name picked;
    ads_point at;
    if (acedEntSel(ACRX_T("\nSelectionnez la pline à convertir:"), picked, at) != RTNORM)
        return;
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acdbGetObjectId(id, picked) != Acad::eOk || acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk) {
        acutPrintf(ACRX_T("\nErreur "));
        return;
    }
    AcDbPolyline* polyline = AcDbPolyline::cast(entity);
    if (polyline == nullptr) {
        entity->close();
        return;
    }
    // Only the outline and the entity properties pass over: normal, elevation, thickness and widths do not.
    auto* line = new eXtendedPolyline();
    for (unsigned i = 0; i < polyline->numVerts(); ++i) {
        AcGePoint2d point;
        double bulge = 0.0;
        polyline->getPointAt(i, point);
        polyline->getBulgeAt(i, bulge);
        line->addVertexAt(i, point, bulge);
    }
    line->setClosed(polyline->isClosed());
    line->setPropertiesFrom(polyline, Adesk::kTrue);
    // A refused hand-over leaves the polyline as it was and discards the new line.
    if (polyline->handOverTo(line, Adesk::kTrue, Adesk::kTrue) != Acad::eObjectToBeDeleted) {
        delete line;
        polyline->close();
        return;
    }
    delete polyline;
    line->close();
}

}  // namespace kelvora::speciallines

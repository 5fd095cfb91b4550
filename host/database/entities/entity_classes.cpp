// Registers every entity class of the host's entity folder, so that drawings find them by DXF name.
#include "entity_classes.h"

#include "dbelipse.h"
#include "dbents.h"
#include "dbhatch.h"
#include "dbpl.h"
#include "dbproxy.h"
#include "dbray.h"
#include "dbspline.h"
#include "dbxline.h"

namespace kelvora {

void registerEntityClasses()
{
    AcDbCurve::desc();
    AcDbLine::desc();
    AcDbArc::desc();
    AcDbCircle::desc();
    AcDbPolyline::desc();
    AcDb2dPolyline::desc();
    AcDbVertex::desc();
    AcDb2dVertex::desc();
    AcDbSequenceEnd::desc();
    AcDbPoint::desc();
    AcDbText::desc();
    AcDbAttributeDefinition::desc();
    AcDbAttribute::desc();
    AcDbBlockReference::desc();
    AcDbHatch::desc();
    AcDbSpline::desc();
    AcDbEllipse::desc();
    AcDbRay::desc();
    AcDbXline::desc();
    AcDbProxyEntity::desc();
    AcDbProxyObject::desc();
    AcDbObjectIterator::desc();
}

}  // namespace kelvora

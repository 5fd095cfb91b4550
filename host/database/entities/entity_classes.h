// Registration of the entity classes of this folder in the run-time class dictionary (with their DXF names).
#pragma once

namespace kelvora {

// Registers AcDbCurve, AcDbPolyline, the entities of dbents.h, AcDbHatch, AcDbSpline, AcDbEllipse,
// AcDbRay, AcDbXline and the proxies (each class registers its parents first). Called once by the
// database layer's class registration; calling it again changes nothing.
void registerEntityClasses();

}  // namespace kelvora

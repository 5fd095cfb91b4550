// Zooming the current view: to a window, to an entity, centred on a picked point, or by a factor.
#pragma once

#include "acadstrc.h"
#include "dbid.h"
#include "gepnt3d.h"

Acad::ErrorStatus zoomWindow(const AcGePoint3d& lowerLeft, const AcGePoint3d& upperRight);
// The entity's extents widened by a tenth of their size at each end.
Acad::ErrorStatus zoomToEntity(AcDbObjectId id);
void zoomCenterAtPoint();
// A factor relative to the current view; exactly 0 does nothing.
void zoomScale(double factor);

// Small operations on the surfaces and polylines that the division commands cut and rebuild.
#pragma once

#include "dbpl.h"
#include "surfaces/ne_surface.h"

namespace kelvora::division {

// True when the entity's class is exactly NESurface (a class derived from it is refused).
bool isExactlySurface(const AcDbEntity* entity);

// A copy of the surface through its own filing, not in a database; null when the copy is not a
// surface.
NESurface* cloneSurface(const NESurface* surface);

// A copy of the polyline (of its own class), not in a database; null when the copy fails.
AcDbPolyline* clonePolyline(const AcDbPolyline* pline);

// The area of the polyline, an open one closed by its chord back to vertex 0; 0 when unknown.
double areaOf(const AcDbCurve* curve);

// Sets the closed flag with a straight closing segment (the last vertex's bulge 0).
void closeStraight(AcDbPolyline* pline);

// Rebuilds the polyline with the kernel's merge, both tolerances the same.
void rebuild(AcDbPolyline* pline, double tolerance);

// The first and last vertex of the polyline in world coordinates; false when it has none.
bool endPoints(const AcDbPolyline* pline, AcGePoint3d& first, AcGePoint3d& last);

// Appends vertex `index` of the source (point, bulge, widths) at the end of the destination.
void appendVertexFrom(AcDbPolyline* dest, const AcDbPolyline* source, unsigned int index);

// Empties the polyline's vertices and takes the source's plane (normal and elevation).
void takePlaneFrom(AcDbPolyline* dest, const AcDbPolyline* source);

// Deletes every polyline or curve of a split result (entries are owned by the caller).
void deleteCurves(AcDbVoidPtrArray& curves);

}  // namespace kelvora::division

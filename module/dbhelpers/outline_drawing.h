// Draws a polyline's outline segment by segment, for the proxy graphics of the module's entities.
#pragma once

class AcDbPolyline;
class AcGiWorldDraw;

namespace kelvora::dbhelpers {

// Each line segment as a two-point polyline, each arc segment as a circular arc.
void drawOutlineSegments(const AcDbPolyline& polyline, AcGiWorldDraw* mode);

}  // namespace kelvora::dbhelpers

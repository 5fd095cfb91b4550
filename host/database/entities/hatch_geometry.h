// Hatch geometry: the loops as polygons (islands by depth), the filled area, the fill polygon and the pattern lines.
#pragma once

#include <utility>
#include <vector>

#include "acadstrc.h"
#include "hatch_data.h"

namespace kelvora {

// The loops the hatch style fills, flattened: every loop (normal style, even-odd islands), the outer
// ones and their first islands (outer style), or the outermost only (ignore style).
void fillPolygons(const HatchData& data, double deviation, std::vector<std::vector<AcGePoint2d>>& polygons);
// The area filled by the even-odd rule over those polygons.
double filledArea(const HatchData& data, double deviation);
// One polygon of all: the first loop with each other joined by a bridge walked both ways.
void bridgedPolygon(const std::vector<std::vector<AcGePoint2d>>& polygons, std::vector<AcGePoint2d>& out);
// The pattern's dashes inside the polygons (even-odd); eInvalidInput when there would be more than
// maxSegments of them.
Acad::ErrorStatus patternSegments(const std::vector<PatternLine>& families,
                                  const std::vector<std::vector<AcGePoint2d>>& polygons, size_t maxSegments,
                                  std::vector<std::pair<AcGePoint2d, AcGePoint2d>>& out);

}  // namespace kelvora

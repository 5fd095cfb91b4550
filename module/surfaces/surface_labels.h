// The texts a surface shows for its area and perimeter, and the frame around a label for hatching.
#pragma once

#include <string>

#include "gept2dar.h"
#include "gepnt3d.h"

class NESurface;

namespace kelvora::surfaces {

// The area text in the format that the surface's labelFlags choose.
std::wstring areaText(double area, unsigned labelFlags, const std::wstring& prefix, const std::wstring& unit);
// "prefix length unit" with two decimals.
std::wstring perimeterText(double length, const std::wstring& prefix, const std::wstring& unit);
// Appends the five corners (the first again last) of the rectangle around text placed at point.
void labelBox(const NESurface& surface, const AcGePoint3d& point, const std::wstring& text,
              AcGePoint2dArray& corners);

}  // namespace kelvora::surfaces

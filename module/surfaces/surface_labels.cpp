// Composition of the area and perimeter texts (metres: 100 m2 an are, 10000 m2 a hectare) and the label frame.
#include "surfaces/surface_labels.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "dbents.h"
#include "surfaces/ne_surface.h"

namespace kelvora::surfaces {

namespace {

constexpr double kSquareMetresPerHectare = 10000.0;
constexpr double kSquareMetresPerAre = 100.0;
constexpr double kAresPerHectare = 100.0;
// The label frame stands off the text by a fifth of its height.
constexpr double kFrameMarginPerHeight = 0.2;

std::wstring widen(const char* text)
{
    std::wstring result;
    for (const char* c = text; *c != '\0'; ++c)
        result.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    return result;
}

std::wstring fixed(const char* format, double value)
{
    // Room for any double printed in fixed notation (up to 309 integer digits).
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, format, value);
    return widen(buffer);
}

std::wstring hectaresAresCentiares(double area, const std::wstring& prefix)
{
    double hectares = std::floor(area / kSquareMetresPerHectare);
    const double rest = area - hectares * kSquareMetresPerHectare;
    double ares = std::floor(rest / kSquareMetresPerAre);
    double centiares = rest - ares * kSquareMetresPerAre;
    // Centiares that round to a whole are carry, and so do 100 ares into a hectare.
    if (fixed("%.2f", centiares) == L"100.00") {
        centiares = 0.0;
        ares += 1.0;
        if (ares >= kAresPerHectare) {
            ares = 0.0;
            hectares += 1.0;
        }
    }
    std::wstring text;
    if (hectares > 0.0)
        text += prefix + L" " + fixed("%.0f", hectares) + L" Ha";
    text += L" " + fixed("%.0f", ares) + L" A ";
    text += L" " + fixed("%.2f", centiares) + L" Ca";
    return text;
}

}  // namespace

std::wstring areaText(double area, unsigned labelFlags, const std::wstring& prefix, const std::wstring& unit)
{
    if ((labelFlags & NESurface::kAreaHectares) != 0)
        return prefix + L" " + fixed("%.4f", area / kSquareMetresPerHectare) + L" Ha";
    if ((labelFlags & NESurface::kAreaHectaresAres) != 0)
        return hectaresAresCentiares(area, prefix);
    return prefix + L" " + fixed("%.2f", area) + L" " + unit;
}

std::wstring perimeterText(double length, const std::wstring& prefix, const std::wstring& unit)
{
    return prefix + L" " + fixed("%.2f", length) + L" " + unit;
}

void labelBox(const NESurface& surface, const AcGePoint3d& point, const std::wstring& text,
              AcGePoint2dArray& corners)
{
    AcDbText probe(point, text.c_str(), surface.textStyleId(), surface.textHeight(), 0.0);
    AcDbExtents extents;
    double width = 0.0;
    double height = 0.0;
    if (probe.getGeomExtents(extents) == Acad::eOk) {
        width = extents.maxPoint().x - extents.minPoint().x;
        height = extents.maxPoint().y - extents.minPoint().y;
    }
    const double margin = surface.textHeight() * kFrameMarginPerHeight;
    width += 2.0 * margin;
    height += 2.0 * margin;
    const AcGePoint2d origin(point.x, point.y);
    const double angle = surface.labelRotation();
    const AcGePoint2d box[5] = {
        {point.x - margin, point.y - margin},
        {point.x - margin + width, point.y - margin},
        {point.x - margin + width, point.y - margin + height},
        {point.x - margin, point.y - margin + height},
        {point.x - margin, point.y - margin},
    };
    for (AcGePoint2d corner : box)
        corners.append(corner.rotateBy(angle, origin));
}

}  // namespace kelvora::surfaces

// Decoration frames and length: positions turned into points and tangent angles, and the measured decoration.
#include "speciallines/decoration_frames.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "dbents.h"
#include "speciallines/builtin_symbols.h"
#include "speciallines/extended_polyline.h"

namespace kelvora::speciallines {

Placement placementOf(const eXtendedPolyline& line)
{
    return placeDecorations(line.lineLength(), line.decorationLength(), line.gap(), line.spacing(),
                            line.placement());
}

std::vector<DecorationFrame> decorationFrames(const eXtendedPolyline& line, const Placement& placement)
{
    std::vector<DecorationFrame> frames;
    const AcGeVector3d normal = line.normal();
    for (const double position : decorationPositions(placement)) {
        // The last position may overshoot the end by rounding: keep it on the line.
        const double distance = std::clamp(position, 0.0, placement.length);
        double param = 0.0;
        DecorationFrame frame;
        AcGeVector3d tangent;
        if (line.getParamAtDist(distance, param) != Acad::eOk || line.getPointAtParam(param, frame.point) != Acad::eOk ||
            line.getFirstDeriv(param, tangent) != Acad::eOk)
            continue;
        frame.angle = tangent.isZeroLength() ? 0.0 : AcGeVector3d::kXAxis.angleTo(tangent, normal);
        frames.push_back(frame);
    }
    return frames;
}

AcGeMatrix3d symbolTransform(const DecorationFrame& frame, const AcGeVector3d& normal, double size)
{
    return AcGeMatrix3d::translation(frame.point.asVector()) * AcGeMatrix3d::rotation(frame.angle, normal) *
           AcGeMatrix3d::scaling(size);
}

}  // namespace kelvora::speciallines

namespace {

// Width of the extents of a temporary entity; false when it has none or they are flat along X (an empty
// text or block), since a decoration of no length would leave nothing to interrupt the line for.
bool measuredWidth(const AcDbEntity& entity, double& width)
{
    AcDbExtents extents;
    if (entity.getGeomExtents(extents) != Acad::eOk)
        return false;
    width = extents.maxPoint().x - extents.minPoint().x;
    return std::isfinite(width) && width > 0.0;
}

}  // namespace

double eXtendedPolyline::decorationLength() const
{
    double width = 0.0;
    if (m_styleCode == kBlockStyle) {
        auto reference = std::make_unique<AcDbBlockReference>(AcGePoint3d::kOrigin, m_symbolRefId);
        if (measuredWidth(*reference, width))
            return width * m_symbolSize;
    } else if (m_styleCode == kTextStyle) {
        auto text = std::make_unique<AcDbText>(AcGePoint3d::kOrigin, symbolText(), m_symbolRefId, m_symbolSize, 0.0);
        if (measuredWidth(*text, width))
            return width;
    }
    // Built-in symbols, unknown codes and entities that cannot be measured take the symbol size.
    return m_symbolSize;
}

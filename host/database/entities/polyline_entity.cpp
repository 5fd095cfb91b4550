// AcDbPolyline as an entity: plane, extents, transform, explode, intersections, snaps, grips, stretch, drawing, LIST.
#include "dbpl.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "acgi.h"
#include "dbents.h"
#include "entity_util.h"
#include "geplane.h"
#include "kelvora/ge_extents.h"
#include "kelvora/host_output.h"
#include "kelvora/ocs.h"
#include "pline_draw.h"
#include "pline_geometry.h"

using kelvora::PlineGeometry;
using kelvora::PlineSegment;

namespace {

constexpr double kHalfPi = std::numbers::pi / 2.0;

void addPoint(AcDbExtents& extents, bool& any, const AcGePoint3d& p)
{
    extents.addPoint(p);
    any = true;
}

}  // namespace

Adesk::Boolean AcDbPolyline::isPlanar() const
{
    return Adesk::kTrue;
}

Acad::ErrorStatus AcDbPolyline::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    assertReadEnabled();
    plane.set(kelvora::planeToWorld(AcGePoint2d(0.0, 0.0), m_normal, m_elevation), m_normal);
    planarity = AcDb::kPlanar;
    return Acad::eOk;
}

void AcDbPolyline::getEcs(AcGeMatrix3d& retVal) const
{
    assertReadEnabled();
    retVal = kelvora::ocsToWcsMatrix(m_normal);
}

Acad::ErrorStatus AcDbPolyline::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    if (m_vertices.empty())
        return Acad::eInvalidExtents;
    AcDbExtents box;
    bool any = false;
    PlineGeometry geometry(m_vertices, m_closed);
    for (const Vertex& v : m_vertices)
        addPoint(box, any, kelvora::planeToWorld(v.point, m_normal, m_elevation));
    for (int i = 0; i < geometry.segmentCount(); ++i) {
        if (segType(static_cast<unsigned int>(i)) != kArc)
            continue;
        AcGeCircArc3d arc;
        getArcSegAt(static_cast<unsigned int>(i), arc);
        AcGePoint3d lo;
        AcGePoint3d hi;
        kelvora::arcExtents(arc, lo, hi);
        addPoint(box, any, lo);
        addPoint(box, any, hi);
    }
    // Widths: the box grows by half the widest width in the plane (a little more than the outline
    // needs at corners where the width runs along an axis, never less).
    double halfWidth = 0.0;
    for (const Vertex& v : m_vertices)
        halfWidth = std::max({halfWidth, 0.5 * v.startWidth, 0.5 * v.endWidth});
    if (halfWidth > 0.0) {
        AcGeVector3d x;
        AcGeVector3d y;
        AcGeVector3d z;
        kelvora::ocsAxes(m_normal, x, y, z);
        AcGePoint3d lo = box.minPoint();
        AcGePoint3d hi = box.maxPoint();
        AcGeVector3d grow(halfWidth * std::hypot(x.x, y.x), halfWidth * std::hypot(x.y, y.y),
                          halfWidth * std::hypot(x.z, y.z));
        box.addPoint(lo - grow);
        box.addPoint(hi + grow);
    }
    if (std::fabs(m_thickness) > 0.0) {
        AcGeVector3d up = m_normal * m_thickness;
        AcGePoint3d lo = box.minPoint();
        AcGePoint3d hi = box.maxPoint();
        box.addPoint(lo + up);
        box.addPoint(hi + up);
    }
    if (!any)
        return Acad::eInvalidExtents;
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::transformBy(const AcGeMatrix3d& xform)
{
    assertReadEnabled();
    const bool keepsCircles = xform.isUniScaledOrtho();
    if (!keepsCircles && hasBulges())
        return Acad::eNotApplicable;  // arcs would become ellipses
    AcGeVector3d x;
    AcGeVector3d y;
    AcGeVector3d z;
    kelvora::ocsAxes(m_normal, x, y, z);
    AcGeVector3d tx = xform * x;
    AcGeVector3d ty = xform * y;
    AcGeVector3d cross = tx.crossProduct(ty);
    const double det = xform.det();
    if (cross.isZeroLength() || std::fabs(det) <= 0.0)
        return Acad::eInvalidInput;  // the plane collapses
    // A mirroring keeps the normal's direction and turns the arcs the other way.
    AcGeVector3d newNormal = cross.normal() * (det < 0.0 ? -1.0 : 1.0);
    const double scale = xform.scale();
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    AcGePoint3d planePoint = xform * kelvora::planeToWorld(AcGePoint2d(0.0, 0.0), m_normal, m_elevation);
    double elevation = 0.0;
    kelvora::worldToPlane(planePoint, newNormal, &elevation);
    for (Vertex& v : m_vertices) {
        AcGePoint3d world = xform * kelvora::planeToWorld(v.point, m_normal, m_elevation);
        v.point = kelvora::worldToPlane(world, newNormal);
        if (det < 0.0)
            v.bulge = -v.bulge;
        v.startWidth *= scale;
        v.endWidth *= scale;
    }
    m_constantWidth *= scale;
    m_thickness *= scale;
    m_normal = newNormal;
    m_elevation = elevation;
    touch();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::explode(AcDbVoidPtrArray& entitySet) const
{
    assertReadEnabled();
    PlineGeometry geometry(m_vertices, m_closed);
    AcDbVoidPtrArray made;
    for (int i = 0; i < geometry.segmentCount(); ++i) {
        PlineSegment s = geometry.segment(i);
        AcDbEntity* ent = nullptr;
        if (s.kind == PlineSegment::Kind::kLine) {
            auto* line = new AcDbLine(kelvora::planeToWorld(s.start, m_normal, m_elevation),
                                      kelvora::planeToWorld(s.end, m_normal, m_elevation));
            line->setNormal(m_normal);
            line->setThickness(m_thickness);
            ent = line;
        } else if (s.kind == PlineSegment::Kind::kArc) {
            // An AcDbArc turns counter-clockwise about the normal: a clockwise segment runs from its
            // end angle to its start angle.
            double a0 = s.startAngle;
            double a1 = s.startAngle + s.sweep;
            if (s.sweep < 0.0)
                std::swap(a0, a1);
            auto* arc = new AcDbArc(kelvora::planeToWorld(s.center, m_normal, m_elevation), m_normal, s.radius,
                                    kelvora::normalizeAngle(a0), kelvora::normalizeAngle(a1));
            arc->setThickness(m_thickness);
            ent = arc;
        }
        if (ent == nullptr)
            continue;
        ent->setPropertiesFrom(this);
        made.append(ent);
    }
    entitySet.append(made);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                              Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, nullptr, points);
}

Acad::ErrorStatus AcDbPolyline::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                              const AcGePlane& projPlane, AcGePoint3dArray& points, Adesk::GsMarker,
                                              Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, &projPlane, points);
}

Acad::ErrorStatus AcDbPolyline::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker,
                                               const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                               const AcGeMatrix3d&, AcGePoint3dArray& snapPoints,
                                               AcDbIntArray&) const
{
    assertReadEnabled();
    PlineGeometry geometry(m_vertices, m_closed);
    auto world = [&](const AcGePoint2d& p) { return kelvora::planeToWorld(p, m_normal, m_elevation); };
    switch (osnapMode) {
    case AcDb::kOsModeEnd:
        for (const Vertex& v : m_vertices)
            snapPoints.append(world(v.point));
        break;
    case AcDb::kOsModeMid:
        for (int i = 0; i < geometry.segmentCount(); ++i) {
            PlineSegment s = geometry.segment(i);
            if (s.kind != PlineSegment::Kind::kCoincident)
                snapPoints.append(world(s.pointAt(0.5)));
        }
        break;
    case AcDb::kOsModeCen:
        for (int i = 0; i < geometry.segmentCount(); ++i) {
            PlineSegment s = geometry.segment(i);
            if (s.kind == PlineSegment::Kind::kArc)
                snapPoints.append(world(s.center));
        }
        break;
    case AcDb::kOsModeQuad:
        for (int i = 0; i < geometry.segmentCount(); ++i) {
            PlineSegment s = geometry.segment(i);
            if (s.kind != PlineSegment::Kind::kArc)
                continue;
            for (int q = 0; q < 4; ++q) {
                AcGePoint2d p(s.center.x + s.radius * std::cos(q * kHalfPi),
                              s.center.y + s.radius * std::sin(q * kHalfPi));
                double f = s.closestFraction(p);
                if (s.pointAt(f).distanceTo(p) <= kelvora::pointTolerance(world(p)))
                    snapPoints.append(world(p));
            }
        }
        break;
    case AcDb::kOsModeNear: {
        AcGePoint3d nearest;
        if (getClosestPointTo(pickPoint, nearest) == Acad::eOk)
            snapPoints.append(nearest);
        break;
    }
    case AcDb::kOsModePerp: {
        AcGePoint2d from = kelvora::worldToPlane(lastPoint, m_normal);
        for (int i = 0; i < geometry.segmentCount(); ++i) {
            PlineSegment s = geometry.segment(i);
            if (s.kind == PlineSegment::Kind::kLine) {
                AcGeVector2d d = s.end - s.start;
                double t = (from - s.start).dotProduct(d) / d.lengthSqrd();
                if (t >= 0.0 && t <= 1.0)
                    snapPoints.append(world(s.pointAt(t)));
            } else if (s.kind == PlineSegment::Kind::kArc) {
                AcGeVector2d radial = from - s.center;
                if (radial.isZeroLength())
                    continue;
                radial.normalize();
                for (double sign : {1.0, -1.0}) {
                    AcGePoint2d p = s.center + radial * (sign * s.radius);
                    if (s.pointAt(s.closestFraction(p)).distanceTo(p) <= kelvora::pointTolerance(world(p)))
                        snapPoints.append(world(p));
                }
            }
        }
        break;
    }
    default:
        break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                               const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                               const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                               AcDbIntArray& geomIds, const AcGeMatrix3d&) const
{
    return AcDbPolyline::getOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints,
                                        geomIds);
}

Acad::ErrorStatus AcDbPolyline::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    for (const Vertex& v : m_vertices)
        gripPoints.append(kelvora::planeToWorld(v.point, m_normal, m_elevation));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    return AcDbPolyline::moveStretchPointsAt(indices, offset);
}

Acad::ErrorStatus AcDbPolyline::getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize,
                                              const int gripSize, const AcGeVector3d& curViewDir,
                                              const int bitflags) const
{
    return AcDbCurve::getGripPoints(grips, curViewUnitSize, gripSize, curViewDir, bitflags);
}

Acad::ErrorStatus AcDbPolyline::moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                                 const int bitflags)
{
    return AcDbCurve::moveGripPointsAt(gripAppData, offset, bitflags);
}

Acad::ErrorStatus AcDbPolyline::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    for (const Vertex& v : m_vertices)
        stretchPoints.append(kelvora::planeToWorld(v.point, m_normal, m_elevation));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int index : indices)
        if (index < 0 || static_cast<size_t>(index) >= m_vertices.size())
            return Acad::eInvalidIndex;
    if (indices.isEmpty())
        return Acad::eOk;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    // Vertices stay in the polyline's plane: the part of the offset along the normal is dropped.
    AcGeVector3d inPlane = kelvora::wcsToOcs(offset, m_normal);
    for (int index : indices) {
        AcGePoint2d& p = m_vertices[static_cast<size_t>(index)].point;
        p.set(p.x + inPlane.x, p.y + inPlane.y);
    }
    touch();
    return Acad::eOk;
}

Adesk::Boolean AcDbPolyline::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort())
        return Adesk::kTrue;
    kelvora::drawPlineSegments(mode->geometry(), *this);
    return Adesk::kTrue;
}

void AcDbPolyline::saveAs(AcGiWorldDraw* mode, AcDb::SaveType)
{
    // The outline itself, whatever a derived class draws in its own worldDraw.
    AcDbPolyline::worldDraw(mode);
}

void AcDbPolyline::list() const
{
    assertReadEnabled();
    AcDbCurve::list();
    kelvora::hostPrintf(L"\n%18s %s", L"", m_closed ? L"Closed" : L"Open");
    double width = 0.0;
    if (getConstantWidth(width) == Acad::eOk)
        kelvora::listReal(this, L"Constant width", width);
    if (std::fabs(m_elevation) > 0.0)
        kelvora::listReal(this, L"elevation", m_elevation);
    if (std::fabs(m_thickness) > 0.0)
        kelvora::listReal(this, L"thickness", m_thickness);
    double area = 0.0;
    getArea(area);
    kelvora::listReal(this, L"area", area);
    double endParam = 0.0;
    double length = 0.0;
    if (getEndParam(endParam) == Acad::eOk && getDistAtParam(endParam, length) == Acad::eOk)
        kelvora::listReal(this, m_closed ? L"perimeter" : L"length", length);
    for (const Vertex& v : m_vertices) {
        kelvora::listPoint(this, L"at point", kelvora::planeToWorld(v.point, m_normal, m_elevation));
        if (std::fabs(v.bulge) > 0.0)
            kelvora::listReal(this, L"bulge", v.bulge);
        if (std::fabs(v.startWidth) > 0.0 || std::fabs(v.endWidth) > 0.0) {
            kelvora::listReal(this, L"starting width", v.startWidth);
            kelvora::listReal(this, L"ending width", v.endWidth);
        }
    }
}

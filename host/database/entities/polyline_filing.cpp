// AcDbPolyline filing: DWG items (base first) and the DXF LWPOLYLINE groups.
#include "dbpl.h"

#include <cmath>

#include "entity_util.h"
#include "kelvora/float_compare.h"

namespace {

constexpr Adesk::Int16 kClosedFlag = 1;      // 70
constexpr Adesk::Int16 kPlinegenFlag = 128;  // 70

// A count read from a filer only sizes a reservation up to this; the items themselves must follow.
constexpr Adesk::Int32 kMaxReserve = 1 << 16;

bool finitePoint(const AcGePoint2d& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

}  // namespace

Acad::ErrorStatus AcDbPolyline::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    Adesk::Int16 flags = static_cast<Adesk::Int16>((m_closed ? kClosedFlag : 0) | (m_plinegen ? kPlinegenFlag : 0));
    pFiler->writeInt32(static_cast<Adesk::Int32>(m_vertices.size()));
    pFiler->writeInt16(flags);
    pFiler->writeDouble(m_constantWidth);
    pFiler->writeDouble(m_elevation);
    pFiler->writeDouble(m_thickness);
    pFiler->writeVector3d(m_normal);
    for (const Vertex& v : m_vertices) {
        pFiler->writePoint2d(v.point);
        pFiler->writeDouble(v.bulge);
        pFiler->writeDouble(v.startWidth);
        pFiler->writeDouble(v.endWidth);
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbPolyline::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    // Everything is read aside first: a read that fails (an item of another type, the end of the
    // data) leaves the polyline's own data as it was.
    Adesk::Int32 count = 0;
    Adesk::Int16 flags = 0;
    double constantWidth = 0.0;
    double elevation = 0.0;
    double thickness = 0.0;
    AcGeVector3d normal;
    if ((es = pFiler->readInt32(&count)) != Acad::eOk || (es = pFiler->readInt16(&flags)) != Acad::eOk ||
        (es = pFiler->readDouble(&constantWidth)) != Acad::eOk || (es = pFiler->readDouble(&elevation)) != Acad::eOk ||
        (es = pFiler->readDouble(&thickness)) != Acad::eOk || (es = pFiler->readVector3d(&normal)) != Acad::eOk)
        return es;
    if (count < 0)
        return Acad::eFilerError;
    std::vector<Vertex> vertices;
    vertices.reserve(static_cast<size_t>(std::min(count, kMaxReserve)));
    for (Adesk::Int32 i = 0; i < count; ++i) {
        Vertex v;
        if ((es = pFiler->readPoint2d(&v.point)) != Acad::eOk || (es = pFiler->readDouble(&v.bulge)) != Acad::eOk ||
            (es = pFiler->readDouble(&v.startWidth)) != Acad::eOk || (es = pFiler->readDouble(&v.endWidth)) != Acad::eOk)
            return es;
        vertices.push_back(v);
    }
    AcGeVector3d unit;
    if (!kelvora::unitNormal(normal, unit))
        unit = AcGeVector3d::kZAxis;
    m_vertices.swap(vertices);
    m_closed = (flags & kClosedFlag) != 0;
    m_plinegen = (flags & kPlinegenFlag) != 0;
    m_constantWidth = constantWidth;
    m_elevation = elevation;
    m_thickness = thickness;
    m_normal = unit;
    touch();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    const bool defaults = pFiler->includesDefaultValues();
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbPolyline");
    pFiler->writeInt32(AcDb::kDxfInt32, static_cast<Adesk::Int32>(m_vertices.size()));
    pFiler->writeInt16(AcDb::kDxfInt16,
                       static_cast<Adesk::Int16>((m_closed ? kClosedFlag : 0) | (m_plinegen ? kPlinegenFlag : 0)));
    double constantWidth = 0.0;
    const bool constant = getConstantWidth(constantWidth) == Acad::eOk;
    if (constant)
        pFiler->writeDouble(AcDb::kDxfViewFrontClip, constantWidth);  // 43
    if (defaults || !kelvora::exactlyEqual(m_elevation, 0.0))
        pFiler->writeDouble(AcDb::kDxfElevation, m_elevation);
    if (defaults || !kelvora::exactlyEqual(m_thickness, 0.0))
        pFiler->writeDouble(AcDb::kDxfThickness, m_thickness);
    for (const Vertex& v : m_vertices) {
        pFiler->writePoint2d(AcDb::kDxfXCoord, v.point);
        if (!constant) {
            pFiler->writeDouble(AcDb::kDxfReal, v.startWidth);        // 40
            pFiler->writeDouble(AcDb::kDxfTxtStyleXScale, v.endWidth); // 41
        }
        if (defaults || !kelvora::exactlyEqual(v.bulge, 0.0))
            pFiler->writeDouble(AcDb::kDxfTxtStylePSize, v.bulge);     // 42
    }
    if (defaults || m_normal != AcGeVector3d::kZAxis)
        pFiler->writeVector3d(AcDb::kDxfNormalX, m_normal);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbPolyline::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbPolyline");
    long long count = -1;
    long long flags = 0;
    bool hasConstantWidth = false;
    double constantWidth = 0.0;
    double elevation = 0.0;
    double thickness = 0.0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    std::vector<Vertex> vertices;
    std::vector<bool> widthGiven;
    bool badValue = false;
    es = kelvora::readDxfGroups(pFiler, [&](kelvora::DxfGroup& g) {
        switch (g.code()) {
        case 90:
            count = g.integer();
            break;
        case 70:
            flags = g.integer();
            break;
        case 43:
            hasConstantWidth = true;
            constantWidth = g.real();
            break;
        case 38:
            elevation = g.real();
            break;
        case 39:
            thickness = g.real();
            break;
        case 10: {
            Vertex v;
            AcGePoint3d p = g.point();
            v.point.set(p.x, p.y);
            if (!finitePoint(v.point))
                badValue = true;
            vertices.push_back(v);
            widthGiven.push_back(false);
            break;
        }
        case 40:
        case 41:
        case 42:
            if (vertices.empty())
                break;  // a vertex value before any vertex belongs to none
            if (g.code() == 42) {
                vertices.back().bulge = g.real();
            } else {
                (g.code() == 40 ? vertices.back().startWidth : vertices.back().endWidth) = g.real();
                widthGiven.back() = true;
            }
            break;
        case 91:
            break;  // vertex identifiers are not kept
        case 210:
            normal = g.vector();
            break;
        case 100:
            if (g.subclassName() != L"AcDbPolyline")
                return kelvora::GroupUse::kNotMine;
            break;
        default:
            return kelvora::GroupUse::kNotMine;
        }
        return kelvora::GroupUse::kTaken;
    });
    if (es != Acad::eOk)
        return es;
    if (count >= 0 && static_cast<size_t>(count) != vertices.size()) {
        pFiler->setError(Acad::eBadDxfSequence, L"the polyline announces %lld vertices but has %zu", count,
                         vertices.size());
        return Acad::eBadDxfSequence;
    }
    if (badValue) {
        pFiler->setError(Acad::eInvalidResBuf, L"a polyline vertex is not a finite point");
        return Acad::eInvalidResBuf;
    }
    if (hasConstantWidth) {
        for (size_t i = 0; i < vertices.size(); ++i)
            if (!widthGiven[i])
                vertices[i].startWidth = vertices[i].endWidth = constantWidth;
    }
    AcGeVector3d unit;
    if (!kelvora::unitNormal(normal, unit))
        unit = AcGeVector3d::kZAxis;
    m_vertices.swap(vertices);
    m_closed = (flags & kClosedFlag) != 0;
    m_plinegen = (flags & kPlinegenFlag) != 0;
    m_constantWidth = hasConstantWidth ? constantWidth : 0.0;
    m_elevation = elevation;
    m_thickness = thickness;
    m_normal = unit;
    touch();
    return Acad::eOk;
}

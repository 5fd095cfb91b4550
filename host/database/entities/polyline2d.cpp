// AcDb2dPolyline: the old-style 2D polyline with owned vertex entities; its curve is that of its non-control vertices.
#include <cmath>

#include "acgi.h"
#include "dbents.h"
#include "dbpl.h"
#include "entity_util.h"
#include "geplane.h"
#include "kelvora/float_compare.h"
#include "kelvora/host_class.h"
#include "kelvora/ocs.h"
#include "owned_entities.h"
#include "pline_draw.h"
#include "pline_geometry.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDb2dPolyline, AcDbCurve, L"POLYLINE");

namespace {

// Group 70 bits of a POLYLINE.
constexpr Adesk::Int16 kClosed = 1;
constexpr Adesk::Int16 kCurveFit = 2;
constexpr Adesk::Int16 kSplineFit = 4;
constexpr Adesk::Int16 k3dPolyline = 8;
constexpr Adesk::Int16 k3dMesh = 16;
constexpr Adesk::Int16 kPolyfaceMesh = 64;
constexpr Adesk::Int16 kPlinegen = 128;

// Group 75 values.
constexpr Adesk::Int16 kQuadraticSurface = 5;
constexpr Adesk::Int16 kCubicSurface = 6;

AcDb2dVertex* asVertex(AcDbEntity* e)
{
    return AcDb2dVertex::cast(e);
}

}  // namespace

AcDb2dPolyline::AcDb2dPolyline() : m_owned(new kelvora::OwnedEntities()) {}

AcDb2dPolyline::AcDb2dPolyline(AcDb::Poly2dType type, AcGePoint3dArray& vertices, double elevation,
                               Adesk::Boolean closed, double defStartWidth, double defEndWidth,
                               AcGeDoubleArray* bulges)
    : AcDb2dPolyline()
{
    m_polyType = type;
    m_elevation = elevation;
    m_closed = closed;
    m_defaultStartWidth = defStartWidth;
    m_defaultEndWidth = defEndWidth;
    for (int i = 0; i < vertices.length(); ++i) {
        double bulge = bulges != nullptr && i < bulges->length() ? (*bulges)[i] : 0.0;
        AcGePoint3d p(vertices[i].x, vertices[i].y, elevation);
        appendVertex(new AcDb2dVertex(p, bulge, defStartWidth, defEndWidth));
    }
}

AcDb2dPolyline::~AcDb2dPolyline()
{
    delete m_owned;
}

template <class Fn>
Acad::ErrorStatus AcDb2dPolyline::forEachVertex(AcDb::OpenMode mode, Fn fn) const
{
    return m_owned->forEach(mode, [&](AcDbEntity* e) {
        AcDb2dVertex* v = asVertex(e);
        return v != nullptr ? fn(v) : Acad::eOk;
    });
}

void AcDb2dPolyline::getCurveVertices(std::vector<AcDbPolyline::Vertex>& vertices) const
{
    assertReadEnabled();
    vertices.clear();
    forEachVertex(AcDb::kForRead, [&](AcDb2dVertex* v) {
        if (v->vertexType() == AcDb::k2dSplineCtlVertex)
            return Acad::eOk;
        AcDbPolyline::Vertex pv;
        AcGePoint3d p = v->position();
        pv.point.set(p.x, p.y);
        pv.bulge = v->bulge();
        pv.startWidth = v->startWidth();
        pv.endWidth = v->endWidth();
        vertices.push_back(pv);
        return Acad::eOk;
    });
}

void AcDb2dPolyline::makeLightweight(AcDbPolyline& pline) const
{
    std::vector<AcDbPolyline::Vertex> vertices;
    getCurveVertices(vertices);
    for (unsigned int i = 0; i < vertices.size(); ++i)
        pline.addVertexAt(i, vertices[i].point, vertices[i].bulge, vertices[i].startWidth, vertices[i].endWidth);
    pline.setNormal(m_normal);
    pline.setElevation(m_elevation);
    pline.setThickness(m_thickness);
    pline.setClosed(m_closed);
    pline.setPlinegen(m_plinegen);
}

// ----- Properties ------------------------------------------------------------------------------------

AcDb::Poly2dType AcDb2dPolyline::polyType() const
{
    assertReadEnabled();
    return m_polyType;
}

Acad::ErrorStatus AcDb2dPolyline::setPolyType(AcDb::Poly2dType type)
{
    return convertToPolyType(type);
}

Acad::ErrorStatus AcDb2dPolyline::convertToPolyType(AcDb::Poly2dType newVal)
{
    if (newVal == m_polyType)
        return Acad::eOk;
    if (newVal != AcDb::k2dSimplePoly)
        return Acad::eNotImplementedYet;  // fitting curves is not done by the host
    return straighten();
}

Acad::ErrorStatus AcDb2dPolyline::makeClosed()
{
    return setClosed(Adesk::kTrue);
}

Acad::ErrorStatus AcDb2dPolyline::makeOpen()
{
    return setClosed(Adesk::kFalse);
}

Acad::ErrorStatus AcDb2dPolyline::setClosed(Adesk::Boolean closed)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_closed = closed;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::constantWidth(double& width) const
{
    assertReadEnabled();
    bool first = true;
    bool same = true;
    double w = m_defaultStartWidth;
    forEachVertex(AcDb::kForRead, [&](AcDb2dVertex* v) {
        if (first) {
            w = v->startWidth();
            first = false;
        }
        if (!kelvora::exactlyEqual(v->startWidth(), w) || !kelvora::exactlyEqual(v->endWidth(), w))
            same = false;
        return Acad::eOk;
    });
    if (!same)
        return Acad::eInvalidInput;
    width = w;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::setConstantWidth(double width)
{
    if (!std::isfinite(width) || width < 0.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_defaultStartWidth = m_defaultEndWidth = width;
    return forEachVertex(AcDb::kForWrite, [&](AcDb2dVertex* v) {
        v->setStartWidth(width);
        return v->setEndWidth(width);
    });
}

double AcDb2dPolyline::defaultStartWidth() const
{
    assertReadEnabled();
    return m_defaultStartWidth;
}

Acad::ErrorStatus AcDb2dPolyline::setDefaultStartWidth(double width)
{
    if (!std::isfinite(width) || width < 0.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_defaultStartWidth = width;
    return Acad::eOk;
}

double AcDb2dPolyline::defaultEndWidth() const
{
    assertReadEnabled();
    return m_defaultEndWidth;
}

Acad::ErrorStatus AcDb2dPolyline::setDefaultEndWidth(double width)
{
    if (!std::isfinite(width) || width < 0.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_defaultEndWidth = width;
    return Acad::eOk;
}

double AcDb2dPolyline::thickness() const
{
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDb2dPolyline::setThickness(double thickness)
{
    if (!std::isfinite(thickness))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_thickness = thickness;
    return Acad::eOk;
}

AcGeVector3d AcDb2dPolyline::normal() const
{
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDb2dPolyline::setNormal(const AcGeVector3d& normal)
{
    AcGeVector3d unit;
    if (!kelvora::unitNormal(normal, unit))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_normal = unit;
    return Acad::eOk;
}

double AcDb2dPolyline::elevation() const
{
    assertReadEnabled();
    return m_elevation;
}

Acad::ErrorStatus AcDb2dPolyline::setElevation(double elevation)
{
    if (!std::isfinite(elevation))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_elevation = elevation;
    return Acad::eOk;
}

Adesk::Boolean AcDb2dPolyline::isLinetypeGenerationOn() const
{
    assertReadEnabled();
    return m_plinegen;
}

Acad::ErrorStatus AcDb2dPolyline::setLinetypeGenerationOn()
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_plinegen = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::setLinetypeGenerationOff()
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_plinegen = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::straighten()
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    // Fit vertices go; control vertices become plain vertices again.
    std::vector<AcDbObjectId> fitted;
    Acad::ErrorStatus es = forEachVertex(AcDb::kForWrite, [&](AcDb2dVertex* v) {
        AcDb::Vertex2dType type = v->vertexType();
        if (type == AcDb::k2dSplineFitVertex || type == AcDb::k2dCurveFitVertex) {
            if (!v->objectId().isNull())
                return v->erase();
            return Acad::eOk;
        }
        return v->setVertexType(AcDb::k2dVertex);
    });
    if (es != Acad::eOk)
        return es;
    m_polyType = AcDb::k2dSimplePoly;
    m_curveFitFlag = false;
    return Acad::eOk;
}

// ----- Vertices --------------------------------------------------------------------------------------

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDb2dVertex* pNewVertex)
{
    AcDbObjectId id;
    return appendVertex(id, pNewVertex);
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDbObjectId& objId, AcDb2dVertex* pNewVertex)
{
    if (pNewVertex == nullptr)
        return Acad::eNullEntityPointer;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    return m_owned->insert(this, m_owned->size(), pNewVertex, objId);
}

Acad::ErrorStatus AcDb2dPolyline::insertVertexAt(const AcDb2dVertex* pIndexVert, AcDb2dVertex* pNewVertex)
{
    if (pNewVertex == nullptr)
        return Acad::eNullEntityPointer;
    int at = 0;
    if (pIndexVert != nullptr) {
        at = m_owned->indexOf(pIndexVert);
        if (at < 0)
            return Acad::eInvalidInput;
        ++at;  // after the index vertex, as the commercial host inserts
    }
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    AcDbObjectId id;
    return m_owned->insert(this, static_cast<size_t>(at), pNewVertex, id);
}

Acad::ErrorStatus AcDb2dPolyline::insertVertexAt(AcDbObjectId& newVertId, const AcDbObjectId& indexVertId,
                                                 AcDb2dVertex* pNewVertex)
{
    if (pNewVertex == nullptr)
        return Acad::eNullEntityPointer;
    int at = 0;
    if (!indexVertId.isNull()) {
        at = m_owned->indexOf(indexVertId);
        if (at < 0)
            return Acad::eInvalidInput;
        ++at;
    }
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    return m_owned->insert(this, static_cast<size_t>(at), pNewVertex, newVertId);
}

Acad::ErrorStatus AcDb2dPolyline::openVertex(AcDb2dVertex*& pVertex, AcDbObjectId vertId, AcDb::OpenMode mode,
                                             bool openErasedOne) const
{
    pVertex = nullptr;
    // A resident polyline asks the vertex for its owner: searching the vertex list made a walk over
    // every vertex quadratic.
    if (objectId().isNull()) {
        if (m_owned->indexOf(vertId) < 0)
            return Acad::eInvalidInput;
        return acdbOpenObject(pVertex, vertId, mode, openErasedOne);
    }
    Acad::ErrorStatus es = acdbOpenObject(pVertex, vertId, mode, openErasedOne);
    if (es != Acad::eOk) {
        pVertex = nullptr;
        return es == Acad::eNotThatKindOfClass ? Acad::eInvalidInput : es;
    }
    if (pVertex->ownerId() != objectId()) {
        pVertex->close();
        pVertex = nullptr;
        return Acad::eInvalidInput;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::openSequenceEnd(AcDbSequenceEnd*& pSeqEnd, AcDb::OpenMode mode)
{
    pSeqEnd = nullptr;
    m_owned->flush(this);
    if (m_owned->sequenceEndId().isNull())
        return Acad::eNotInDatabase;
    return acdbOpenObject(pSeqEnd, m_owned->sequenceEndId(), mode);
}

Acad::ErrorStatus AcDb2dPolyline::setSequenceEnd(AcDbSequenceEnd* pSeqEnd)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    return m_owned->setSequenceEnd(this, pSeqEnd);
}

AcDbObjectIterator* AcDb2dPolyline::vertexIterator() const
{
    assertReadEnabled();
    m_owned->flush(const_cast<AcDb2dPolyline*>(this));
    return m_owned->newIterator();
}

AcGePoint3d AcDb2dPolyline::vertexPosition(const AcDb2dVertex& vert) const
{
    AcGePoint3d p = vert.position();
    return kelvora::ocsToWcs(AcGePoint3d(p.x, p.y, m_elevation), m_normal);
}

Acad::ErrorStatus AcDb2dPolyline::subErase(Adesk::Boolean erasing)
{
    m_owned->eraseAll(erasing);
    return AcDbCurve::subErase(erasing);
}

Acad::ErrorStatus AcDb2dPolyline::subClose()
{
    if (isWriteEnabled())
        m_owned->flush(this);
    return AcDbCurve::subClose();
}

// ----- Entity ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDb2dPolyline::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    assertReadEnabled();
    plane.set(kelvora::ocsToWcs(AcGePoint3d(0.0, 0.0, m_elevation), m_normal), m_normal);
    planarity = AcDb::kPlanar;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::getGeomExtents(AcDbExtents& extents) const
{
    AcDbPolyline pline;
    makeLightweight(pline);
    return pline.getGeomExtents(extents);
}

Acad::ErrorStatus AcDb2dPolyline::transformBy(const AcGeMatrix3d& xform)
{
    assertReadEnabled();
    AcDbPolyline probe;
    makeLightweight(probe);
    if (!xform.isUniScaledOrtho() && probe.hasBulges())
        return Acad::eNotApplicable;
    AcGeVector3d x;
    AcGeVector3d y;
    AcGeVector3d z;
    kelvora::ocsAxes(m_normal, x, y, z);
    AcGeVector3d cross = (xform * x).crossProduct(xform * y);
    const double det = xform.det();
    AcGeVector3d newNormal;
    if (!kelvora::unitNormal(cross, newNormal) || std::fabs(det) <= 0.0)
        return Acad::eInvalidInput;
    if (det < 0.0)
        newNormal = -newNormal;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    const double scale = xform.scale();
    const AcGeVector3d oldNormal = m_normal;
    const double oldElevation = m_elevation;
    double elevation = 0.0;
    AcGePoint3d planePoint = xform * kelvora::ocsToWcs(AcGePoint3d(0.0, 0.0, oldElevation), oldNormal);
    kelvora::worldToPlane(planePoint, newNormal, &elevation);
    Acad::ErrorStatus es = forEachVertex(AcDb::kForWrite, [&](AcDb2dVertex* v) {
        AcGePoint3d p = v->position();
        AcGePoint3d world = xform * kelvora::ocsToWcs(AcGePoint3d(p.x, p.y, oldElevation), oldNormal);
        AcGePoint2d q = kelvora::worldToPlane(world, newNormal);
        v->setPosition(AcGePoint3d(q.x, q.y, elevation));
        v->setStartWidth(v->startWidth() * scale);
        v->setEndWidth(v->endWidth() * scale);
        return v->setBulge(det < 0.0 ? -v->bulge() : v->bulge());
    });
    m_normal = newNormal;
    m_elevation = elevation;
    m_thickness *= scale;
    m_defaultStartWidth *= scale;
    m_defaultEndWidth *= scale;
    return es;
}

Acad::ErrorStatus AcDb2dPolyline::explode(AcDbVoidPtrArray& entitySet) const
{
    AcDbPolyline pline;
    makeLightweight(pline);
    AcDbVoidPtrArray made;
    Acad::ErrorStatus es = pline.explode(made);
    if (es != Acad::eOk)
        return es;
    for (void* p : made)
        static_cast<AcDbEntity*>(p)->setPropertiesFrom(this);
    entitySet.append(made);
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                                AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, nullptr, points);
}

Acad::ErrorStatus AcDb2dPolyline::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                                const AcGePlane& projPlane, AcGePoint3dArray& points,
                                                Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, &projPlane, points);
}

Acad::ErrorStatus AcDb2dPolyline::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    return forEachVertex(AcDb::kForRead, [&](AcDb2dVertex* v) {
        gripPoints.append(vertexPosition(*v));
        return Acad::eOk;
    });
}

Acad::ErrorStatus AcDb2dPolyline::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i < 0 || static_cast<size_t>(i) >= m_owned->size())
            return Acad::eInvalidIndex;
    if (indices.isEmpty())
        return Acad::eOk;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    AcGeVector3d inPlane = kelvora::wcsToOcs(offset, m_normal);
    int index = 0;
    return forEachVertex(AcDb::kForWrite, [&](AcDb2dVertex* v) {
        Acad::ErrorStatus es = Acad::eOk;
        if (indices.contains(index)) {
            AcGePoint3d p = v->position();
            es = v->setPosition(AcGePoint3d(p.x + inPlane.x, p.y + inPlane.y, p.z));
        }
        ++index;
        return es;
    });
}

Acad::ErrorStatus AcDb2dPolyline::getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize,
                                                const int gripSize, const AcGeVector3d& curViewDir,
                                                const int bitflags) const
{
    return AcDbCurve::getGripPoints(grips, curViewUnitSize, gripSize, curViewDir, bitflags);
}

Acad::ErrorStatus AcDb2dPolyline::moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                                   const int bitflags)
{
    return AcDbCurve::moveGripPointsAt(gripAppData, offset, bitflags);
}

Acad::ErrorStatus AcDb2dPolyline::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    AcDbIntArray modes;
    AcDbIntArray ids;
    return AcDb2dPolyline::getGripPoints(stretchPoints, modes, ids);
}

Acad::ErrorStatus AcDb2dPolyline::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    return AcDb2dPolyline::moveGripPointsAt(indices, offset);
}

Adesk::Boolean AcDb2dPolyline::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort())
        return Adesk::kTrue;
    AcDbPolyline pline;
    makeLightweight(pline);
    kelvora::drawPlineSegments(mode->geometry(), pline);
    return Adesk::kTrue;
}

void AcDb2dPolyline::list() const
{
    assertReadEnabled();
    AcDbCurve::list();
    kelvora::listText(L"", m_closed ? L"Closed" : L"Open");
    double area = 0.0;
    getArea(area);
    kelvora::listReal(this, L"area", area);
    forEachVertex(AcDb::kForRead, [&](AcDb2dVertex* v) {
        kelvora::listPoint(this, L"VERTEX at point", vertexPosition(*v));
        if (std::fabs(v->bulge()) > 0.0)
            kelvora::listReal(this, L"bulge", v->bulge());
        return Acad::eOk;
    });
}

// ----- Filing ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDb2dPolyline::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeInt16(static_cast<Adesk::Int16>(m_polyType));
    pFiler->writeBoolean(m_closed);
    pFiler->writeBoolean(m_plinegen);
    pFiler->writeBoolean(m_curveFitFlag);
    pFiler->writeDouble(m_elevation);
    pFiler->writeDouble(m_thickness);
    pFiler->writeDouble(m_defaultStartWidth);
    pFiler->writeDouble(m_defaultEndWidth);
    pFiler->writeVector3d(m_normal);
    if ((es = pFiler->filerStatus()) != Acad::eOk)
        return es;
    return m_owned->dwgOut(pFiler);
}

Acad::ErrorStatus AcDb2dPolyline::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    Adesk::Int16 type = 0;
    Adesk::Boolean closed = false;
    Adesk::Boolean plinegen = false;
    Adesk::Boolean curveFit = false;
    double values[4] = {};
    AcGeVector3d normal;
    if ((es = pFiler->readInt16(&type)) != Acad::eOk || (es = pFiler->readBoolean(&closed)) != Acad::eOk ||
        (es = pFiler->readBoolean(&plinegen)) != Acad::eOk || (es = pFiler->readBoolean(&curveFit)) != Acad::eOk)
        return es;
    for (double& v : values)
        if ((es = pFiler->readDouble(&v)) != Acad::eOk)
            return es;
    if ((es = pFiler->readVector3d(&normal)) != Acad::eOk)
        return es;
    if ((es = m_owned->dwgIn(pFiler, [] { return new AcDb2dVertex(); })) != Acad::eOk)
        return es;
    m_polyType = static_cast<AcDb::Poly2dType>(std::clamp<int>(type, AcDb::k2dSimplePoly, AcDb::k2dCubicSplinePoly));
    m_closed = closed;
    m_plinegen = plinegen;
    m_curveFitFlag = curveFit;
    m_elevation = values[0];
    m_thickness = values[1];
    m_defaultStartWidth = values[2];
    m_defaultEndWidth = values[3];
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    const bool defaults = pFiler->includesDefaultValues();
    Adesk::Int16 flags = static_cast<Adesk::Int16>((m_closed ? kClosed : 0) | (m_plinegen ? kPlinegen : 0));
    Adesk::Int16 surface = 0;
    switch (m_polyType) {
    case AcDb::k2dFitCurvePoly:
        flags |= kCurveFit;
        break;
    case AcDb::k2dQuadSplinePoly:
        flags |= kSplineFit;
        surface = kQuadraticSurface;
        break;
    case AcDb::k2dCubicSplinePoly:
        flags |= kSplineFit;
        surface = kCubicSurface;
        break;
    default:
        break;
    }
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDb2dPolyline");
    pFiler->writeInt16(AcDb::kDxfHasSubentities, 1);
    pFiler->writePoint3d(AcDb::kDxfXCoord, AcGePoint3d(0.0, 0.0, m_elevation));
    if (defaults || !kelvora::exactlyEqual(m_thickness, 0.0))
        pFiler->writeDouble(AcDb::kDxfThickness, m_thickness);
    pFiler->writeInt16(AcDb::kDxfInt16, flags);
    if (defaults || !kelvora::exactlyEqual(m_defaultStartWidth, 0.0))
        pFiler->writeDouble(AcDb::kDxfReal, m_defaultStartWidth);
    if (defaults || !kelvora::exactlyEqual(m_defaultEndWidth, 0.0))
        pFiler->writeDouble(AcDb::kDxfTxtStyleXScale, m_defaultEndWidth);
    if (defaults || surface != 0)
        pFiler->writeInt16(static_cast<AcDb::DxfCode>(75), surface);
    if (defaults || m_normal != AcGeVector3d::kZAxis)
        pFiler->writeVector3d(AcDb::kDxfNormalX, m_normal);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDb2dPolyline::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDb2dPolyline");
    long long flags = 0;
    long long surface = 0;
    double elevation = 0.0;
    double thickness = 0.0;
    double sw = 0.0;
    double ew = 0.0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    es = kelvora::readDxfGroups(pFiler, [&](kelvora::DxfGroup& g) {
        switch (g.code()) {
        case 66: break;  // "vertices follow": they always do
        case 10: elevation = g.point().z; break;
        case 39: thickness = g.real(); break;
        case 70: flags = g.integer(); break;
        case 40: sw = g.real(); break;
        case 41: ew = g.real(); break;
        case 71:
        case 72:
        case 73:
        case 74: break;  // mesh counts and surface densities: nothing for a 2D polyline
        case 75: surface = g.integer(); break;
        case 210: normal = g.vector(); break;
        case 100:
            return g.subclassName() == L"AcDb2dPolyline" ? kelvora::GroupUse::kTaken : kelvora::GroupUse::kNotMine;
        default: return kelvora::GroupUse::kNotMine;
        }
        return kelvora::GroupUse::kTaken;
    });
    if (es != Acad::eOk)
        return es;
    if ((flags & (k3dPolyline | k3dMesh | kPolyfaceMesh)) != 0) {
        pFiler->setError(Acad::eWrongObjectType, L"a 3D polyline or mesh is not a 2D polyline");
        return Acad::eWrongObjectType;
    }
    m_closed = (flags & kClosed) != 0;
    m_plinegen = (flags & kPlinegen) != 0;
    m_curveFitFlag = (flags & kCurveFit) != 0;
    if ((flags & kSplineFit) != 0)
        m_polyType = surface == kQuadraticSurface ? AcDb::k2dQuadSplinePoly : AcDb::k2dCubicSplinePoly;
    else
        m_polyType = m_curveFitFlag ? AcDb::k2dFitCurvePoly : AcDb::k2dSimplePoly;
    m_elevation = elevation;
    m_thickness = thickness;
    m_defaultStartWidth = sw;
    m_defaultEndWidth = ew;
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    return Acad::eOk;
}

// ----- Curve -----------------------------------------------------------------------------------------

#define KELVORA_VIA_LIGHTWEIGHT(CALL)                                                                      \
    assertReadEnabled();                                                                                   \
    AcDbPolyline pline;                                                                                    \
    makeLightweight(pline);                                                                                \
    return pline.CALL

Adesk::Boolean AcDb2dPolyline::isClosed() const
{
    assertReadEnabled();
    return m_closed;
}

Acad::ErrorStatus AcDb2dPolyline::getStartParam(double& param) const { KELVORA_VIA_LIGHTWEIGHT(getStartParam(param)); }
Acad::ErrorStatus AcDb2dPolyline::getEndParam(double& param) const { KELVORA_VIA_LIGHTWEIGHT(getEndParam(param)); }
Acad::ErrorStatus AcDb2dPolyline::getStartPoint(AcGePoint3d& point) const
{
    KELVORA_VIA_LIGHTWEIGHT(getStartPoint(point));
}
Acad::ErrorStatus AcDb2dPolyline::getEndPoint(AcGePoint3d& point) const { KELVORA_VIA_LIGHTWEIGHT(getEndPoint(point)); }
Acad::ErrorStatus AcDb2dPolyline::getPointAtParam(double param, AcGePoint3d& point) const
{
    KELVORA_VIA_LIGHTWEIGHT(getPointAtParam(param, point));
}
Acad::ErrorStatus AcDb2dPolyline::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    KELVORA_VIA_LIGHTWEIGHT(getParamAtPoint(point, param));
}
Acad::ErrorStatus AcDb2dPolyline::getDistAtParam(double param, double& dist) const
{
    KELVORA_VIA_LIGHTWEIGHT(getDistAtParam(param, dist));
}
Acad::ErrorStatus AcDb2dPolyline::getParamAtDist(double dist, double& param) const
{
    KELVORA_VIA_LIGHTWEIGHT(getParamAtDist(dist, param));
}
Acad::ErrorStatus AcDb2dPolyline::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const
{
    KELVORA_VIA_LIGHTWEIGHT(getFirstDeriv(param, firstDeriv));
}
Acad::ErrorStatus AcDb2dPolyline::getSecondDeriv(double param, AcGeVector3d& secDeriv) const
{
    KELVORA_VIA_LIGHTWEIGHT(getSecondDeriv(param, secDeriv));
}
Acad::ErrorStatus AcDb2dPolyline::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                                    Adesk::Boolean extend) const
{
    KELVORA_VIA_LIGHTWEIGHT(getClosestPointTo(givenPnt, pointOnCurve, extend));
}
Acad::ErrorStatus AcDb2dPolyline::getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                                    AcGePoint3d& pointOnCurve, Adesk::Boolean extend) const
{
    KELVORA_VIA_LIGHTWEIGHT(getClosestPointTo(givenPnt, direction, pointOnCurve, extend));
}
Acad::ErrorStatus AcDb2dPolyline::getArea(double& area) const { KELVORA_VIA_LIGHTWEIGHT(getArea(area)); }

#undef KELVORA_VIA_LIGHTWEIGHT

Acad::ErrorStatus AcDb2dPolyline::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const
{
    assertReadEnabled();
    AcDbPolyline pline;
    makeLightweight(pline);
    AcDbVoidPtrArray made;
    Acad::ErrorStatus es = pline.getSplitCurves(params, made);
    if (es != Acad::eOk)
        return es;
    for (void* p : made)
        static_cast<AcDbEntity*>(p)->setPropertiesFrom(this);
    curveSegments.append(made);
    return Acad::eOk;
}

// ----- Conversions with AcDbPolyline -----------------------------------------------------------------

Acad::ErrorStatus AcDbPolyline::convertFrom(AcDbEntity*& pPline, Adesk::Boolean transferId)
{
    AcDb2dPolyline* old = AcDb2dPolyline::cast(pPline);
    if (old == nullptr)
        return Acad::eIllegalEntityType;
    if (old->polyType() != AcDb::k2dSimplePoly && old->polyType() != AcDb::k2dFitCurvePoly)
        return Acad::eNotApplicable;  // a splined polyline has no exact lightweight form
    if (!objectId().isNull())
        return Acad::eAlreadyInDb;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    std::vector<Vertex> vertices;
    old->getCurveVertices(vertices);
    m_vertices = std::move(vertices);
    m_closed = old->isClosed();
    m_plinegen = old->isLinetypeGenerationOn();
    m_normal = old->normal();
    m_elevation = old->elevation();
    m_thickness = old->thickness();
    touch();
    setPropertiesFrom(old);
    if (!transferId)
        return Acad::eOk;
    // The vertices and the sequence end go with the old polyline.
    AcDbObjectIterator* it = old->vertexIterator();
    for (; !it->done(); it->step()) {
        AcDbObject* v = nullptr;
        if (!it->objectId().isNull() && acdbOpenAcDbObject(v, it->objectId(), AcDb::kForWrite) == Acad::eOk) {
            v->erase();
            v->close();
        }
    }
    delete it;
    AcDbSequenceEnd* seqEnd = nullptr;
    if (old->openSequenceEnd(seqEnd, AcDb::kForWrite) == Acad::eOk) {
        seqEnd->erase();
        seqEnd->close();
    }
    Acad::ErrorStatus es = old->handOverTo(this);
    if (es != Acad::eObjectToBeDeleted)
        return es;
    delete old;
    pPline = this;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::convertTo(AcDb2dPolyline*& pPline, Adesk::Boolean transferId)
{
    assertReadEnabled();
    auto* made = new AcDb2dPolyline();
    made->setPropertiesFrom(this);
    made->setNormal(m_normal);
    made->setElevation(m_elevation);
    made->setThickness(m_thickness);
    made->setClosed(m_closed);
    if (m_plinegen)
        made->setLinetypeGenerationOn();
    for (const Vertex& v : m_vertices)
        made->appendVertex(new AcDb2dVertex(AcGePoint3d(v.point.x, v.point.y, m_elevation), v.bulge, v.startWidth,
                                            v.endWidth));
    if (transferId) {
        Acad::ErrorStatus es = handOverTo(made);
        if (es != Acad::eObjectToBeDeleted) {
            delete made;
            return es;
        }
    }
    pPline = made;
    return Acad::eOk;
}

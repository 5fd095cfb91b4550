// AcDbPolyline: construction, vertices, bulges, widths, flags and plane.
#include "dbpl.h"

#include <algorithm>
#include <cmath>

#include "entity_util.h"
#include "kelvora/bulge.h"
#include "kelvora/float_compare.h"
#include "kelvora/host_class.h"
#include "pline_draw.h"
#include "pline_geometry.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbPolyline, AcDbCurve, L"LWPOLYLINE");

namespace {

bool isFiniteWidth(double w)
{
    return std::isfinite(w);
}

}  // namespace

AcDbPolyline::AcDbPolyline()
{
    kelvora::installPlineDrawing();
}

AcDbPolyline::AcDbPolyline(unsigned int num_verts) : AcDbPolyline()
{
    m_vertices.reserve(num_verts);
}

AcDbPolyline::~AcDbPolyline() = default;

void AcDbPolyline::touch()
{
    invalidateLengths();
}

void AcDbPolyline::invalidateLengths() const
{
    m_lengthsValid = false;
    m_lengths.clear();
}

const std::vector<double>& AcDbPolyline::cumulativeLengths() const
{
    if (!m_lengthsValid) {
        kelvora::PlineGeometry(m_vertices, m_closed).cumulativeLengths(m_lengths);
        m_lengthsValid = true;
    }
    return m_lengths;
}

double AcDbPolyline::resolvedWidth(double width) const
{
    return width < 0.0 ? m_constantWidth : width;
}

void AcDbPolyline::replaceVertices(std::vector<Vertex>&& vertices, bool closed)
{
    assertWriteEnabled();
    m_vertices = std::move(vertices);
    m_closed = closed;
    touch();
}

// ----- Segments --------------------------------------------------------------------------------------

AcDbPolyline::SegType AcDbPolyline::segType(unsigned int index) const
{
    assertReadEnabled();
    const size_t n = m_vertices.size();
    if (index >= n)
        return kEmpty;
    if (n == 1)
        return kPoint;
    if (!m_closed && index == n - 1)
        return kPoint;
    kelvora::PlineSegment s = kelvora::PlineGeometry(m_vertices, m_closed).segment(static_cast<int>(index));
    switch (s.kind) {
    case kelvora::PlineSegment::Kind::kLine:
        return kLine;
    case kelvora::PlineSegment::Kind::kArc:
        return kArc;
    default:
        return kCoincident;
    }
}

Acad::ErrorStatus AcDbPolyline::getLineSegAt(unsigned int index, AcGeLineSeg2d& ln) const
{
    assertReadEnabled();
    if (index >= m_vertices.size())
        return Acad::eInvalidIndex;
    if (segType(index) != kLine)
        return Acad::eWrongObjectType;
    kelvora::PlineSegment s = kelvora::PlineGeometry(m_vertices, m_closed).segment(static_cast<int>(index));
    ln.set(s.start, s.end);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getLineSegAt(unsigned int index, AcGeLineSeg3d& ln) const
{
    AcGeLineSeg2d ln2;
    Acad::ErrorStatus es = getLineSegAt(index, ln2);
    if (es != Acad::eOk)
        return es;
    ln.set(kelvora::planeToWorld(ln2.startPoint(), m_normal, m_elevation),
           kelvora::planeToWorld(ln2.endPoint(), m_normal, m_elevation));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getArcSegAt(unsigned int index, AcGeCircArc2d& arc) const
{
    assertReadEnabled();
    if (index >= m_vertices.size())
        return Acad::eInvalidIndex;
    if (segType(index) != kArc)
        return Acad::eWrongObjectType;
    kelvora::PlineSegment s = kelvora::PlineGeometry(m_vertices, m_closed).segment(static_cast<int>(index));
    // As AcGeCircArc2d counts angles in its own turning sense from the reference vector, the start
    // direction serves as reference and the sweep runs from 0.
    AcGeVector2d ref(std::cos(s.startAngle), std::sin(s.startAngle));
    arc.set(s.center, s.radius, 0.0, std::fabs(s.sweep), ref, s.sweep < 0.0);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getArcSegAt(unsigned int index, AcGeCircArc3d& arc) const
{
    assertReadEnabled();
    if (index >= m_vertices.size())
        return Acad::eInvalidIndex;
    if (segType(index) != kArc)
        return Acad::eWrongObjectType;
    kelvora::PlineSegment s = kelvora::PlineGeometry(m_vertices, m_closed).segment(static_cast<int>(index));
    AcGePoint3d center = kelvora::planeToWorld(s.center, m_normal, m_elevation);
    AcGePoint3d start = kelvora::planeToWorld(s.start, m_normal, m_elevation);
    // A clockwise segment is a counter-clockwise arc about the reversed normal.
    AcGeVector3d normal = s.sweep < 0.0 ? -m_normal : m_normal;
    arc.set(center, normal, start - center, s.radius, 0.0, std::fabs(s.sweep));
    return Acad::eOk;
}

Adesk::Boolean AcDbPolyline::onSegAt(unsigned int index, const AcGePoint2d& pt2d, double& param) const
{
    assertReadEnabled();
    kelvora::PlineGeometry geometry(m_vertices, m_closed);
    if (static_cast<int>(index) >= geometry.segmentCount())
        return Adesk::kFalse;
    kelvora::PlineSegment s = geometry.segment(static_cast<int>(index));
    if (s.kind == kelvora::PlineSegment::Kind::kCoincident)
        return Adesk::kFalse;
    double f = s.closestFraction(pt2d);
    AcGePoint2d p = s.pointAt(f);
    if (p.distanceTo(pt2d) > kelvora::pointTolerance(AcGePoint3d(pt2d.x, pt2d.y, 0.0)))
        return Adesk::kFalse;
    param = index + f;
    return Adesk::kTrue;
}

// ----- Flags and plane -------------------------------------------------------------------------------

void AcDbPolyline::setClosed(Adesk::Boolean closed)
{
    if (!kelvora::beginWrite(this))
        return;
    m_closed = closed;
    touch();
}

void AcDbPolyline::setPlinegen(Adesk::Boolean plinegen)
{
    if (!kelvora::beginWrite(this))
        return;
    m_plinegen = plinegen;
}

void AcDbPolyline::setElevation(double elevation)
{
    if (!std::isfinite(elevation) || !kelvora::beginWrite(this))
        return;
    m_elevation = elevation;
}

Acad::ErrorStatus AcDbPolyline::setThickness(double thickness)
{
    if (!std::isfinite(thickness))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_thickness = thickness;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setConstantWidth(double width)
{
    if (!std::isfinite(width) || width < 0.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_constantWidth = width;
    for (Vertex& v : m_vertices)
        v.startWidth = v.endWidth = width;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setNormal(const AcGeVector3d& normal)
{
    AcGeVector3d unit;
    if (!kelvora::unitNormal(normal, unit))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_normal = unit;
    touch();
    return Acad::eOk;
}

Adesk::Boolean AcDbPolyline::isOnlyLines() const
{
    assertReadEnabled();
    return !hasBulges();
}

Adesk::Boolean AcDbPolyline::isPlinegen() const
{
    assertReadEnabled();
    return m_plinegen;
}

double AcDbPolyline::elevation() const
{
    assertReadEnabled();
    return m_elevation;
}

double AcDbPolyline::thickness() const
{
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbPolyline::getConstantWidth(double& width) const
{
    assertReadEnabled();
    if (m_vertices.empty()) {
        width = m_constantWidth;
        return Acad::eOk;
    }
    double w = m_vertices.front().startWidth;
    for (const Vertex& v : m_vertices)
        if (!kelvora::exactlyEqual(v.startWidth, w) || !kelvora::exactlyEqual(v.endWidth, w))
            return Acad::eInvalidInput;
    width = w;
    return Acad::eOk;
}

AcGeVector3d AcDbPolyline::normal() const
{
    assertReadEnabled();
    return m_normal;
}

// ----- Vertices --------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge,
                                            double startWidth, double endWidth)
{
    if (index > m_vertices.size())
        return Acad::eInvalidIndex;
    if (!std::isfinite(pt.x) || !std::isfinite(pt.y) || !std::isfinite(bulge) || !isFiniteWidth(startWidth) ||
        !isFiniteWidth(endWidth))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Vertex v;
    v.point = pt;
    v.bulge = bulge;
    v.startWidth = resolvedWidth(startWidth);
    v.endWidth = resolvedWidth(endWidth);
    m_vertices.insert(m_vertices.begin() + index, v);
    touch();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned int index)
{
    if (index >= m_vertices.size())
        return Acad::eInvalidIndex;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_vertices.erase(m_vertices.begin() + index);
    touch();
    return Acad::eOk;
}

unsigned int AcDbPolyline::numVerts() const
{
    assertReadEnabled();
    return static_cast<unsigned int>(m_vertices.size());
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& pt) const
{
    assertReadEnabled();
    if (index >= m_vertices.size())
        return Acad::eInvalidIndex;
    pt = m_vertices[index].point;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& pt) const
{
    assertReadEnabled();
    if (index >= m_vertices.size())
        return Acad::eInvalidIndex;
    pt = kelvora::planeToWorld(m_vertices[index].point, m_normal, m_elevation);
    return Acad::eOk;
}

// eInvalidIndex rather than clamping: callers walk vertices by index.
Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const
{
    assertReadEnabled();
    if (index >= m_vertices.size())
        return Acad::eInvalidIndex;
    bulge = m_vertices[index].bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const
{
    assertReadEnabled();
    if (index >= m_vertices.size())
        return Acad::eInvalidIndex;
    startWidth = m_vertices[index].startWidth;
    endWidth = m_vertices[index].endWidth;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setPointAt(unsigned int index, const AcGePoint2d& pt)
{
    if (index >= m_vertices.size())
        return Acad::eInvalidIndex;
    if (!std::isfinite(pt.x) || !std::isfinite(pt.y))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_vertices[index].point = pt;
    touch();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int index, double bulge)
{
    if (index >= m_vertices.size())
        return Acad::eInvalidIndex;
    if (!std::isfinite(bulge))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_vertices[index].bulge = bulge;
    touch();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setWidthsAt(unsigned int index, double startWidth, double endWidth)
{
    if (index >= m_vertices.size())
        return Acad::eInvalidIndex;
    if (!isFiniteWidth(startWidth) || !isFiniteWidth(endWidth))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_vertices[index].startWidth = resolvedWidth(startWidth);
    m_vertices[index].endWidth = resolvedWidth(endWidth);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::minimizeMemory()
{
    assertReadEnabled();
    m_vertices.shrink_to_fit();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::maximizeMemory()
{
    assertReadEnabled();
    return Acad::eOk;
}

void AcDbPolyline::reset(Adesk::Boolean reuse, unsigned int numVerts)
{
    if (!kelvora::beginWrite(this))
        return;
    if (!reuse)
        m_vertices.clear();
    else if (numVerts < m_vertices.size())
        m_vertices.resize(numVerts);
    touch();
}

Adesk::Boolean AcDbPolyline::hasBulges() const
{
    assertReadEnabled();
    return std::any_of(m_vertices.begin(), m_vertices.end(),
                       [](const Vertex& v) { return std::fabs(v.bulge) >= kelvora::kStraightBulge; });
}

Adesk::Boolean AcDbPolyline::hasVertexIdentifiers() const
{
    assertReadEnabled();
    return Adesk::kFalse;
}

Adesk::Boolean AcDbPolyline::hasWidth() const
{
    assertReadEnabled();
    return std::any_of(m_vertices.begin(), m_vertices.end(), [](const Vertex& v) {
        return !kelvora::exactlyEqual(v.startWidth, 0.0) || !kelvora::exactlyEqual(v.endWidth, 0.0);
    });
}

double AcDbPolyline::minimumWidth() const
{
    assertReadEnabled();
    if (m_vertices.empty())
        return 0.0;
    double w = std::min(m_vertices.front().startWidth, m_vertices.front().endWidth);
    for (const Vertex& v : m_vertices)
        w = std::min({w, v.startWidth, v.endWidth});
    return w;
}

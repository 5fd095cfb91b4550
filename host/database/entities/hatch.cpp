// AcDbHatch: loops, pattern and style; evaluation, drawing, extents, transform and LIST.
#include <cmath>
#include <numbers>

#include "acgi.h"
#include "dbhatch.h"
#include "entity_util.h"
#include "gearc2d.h"
#include "gelnsg2d.h"
#include "hatch_edges.h"
#include "hatch_geometry.h"
#include "kelvora/host_class.h"
#include "kelvora/ocs.h"
#include "pline_geometry.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbHatch, AcDbEntity, L"HATCH");

namespace {

using kelvora::HatchEdge;
using kelvora::HatchLoop;

// Loops are flattened for evaluation and extents to chords within this fraction of the hatch's size.
constexpr double kFillDeviationRatio = 1e-4;

// Areas are measured on loops flattened this much finer than for drawing: the chords cut off at
// most a millionth of the hatch's size from its arcs.
constexpr double kAreaRefinement = 1e-2;

// A pattern that would need more dashes than this is refused, as the commercial host refuses a
// hatch too dense to show.
constexpr size_t kMaxPatternSegments = 1000000;

// Without the pattern file, a named pattern the hatch does not define is drawn as ANSI31's single
// family: lines at 45 degrees, 3.175 units apart at scale 1.
constexpr double kFallbackPatternAngle = std::numbers::pi / 4.0;
constexpr double kFallbackPatternSpacing = 3.175;

std::vector<kelvora::PatternLine> patternFamilies(const kelvora::HatchData& d)
{
    if (!d.patternLines.empty())
        return d.patternLines;
    std::vector<kelvora::PatternLine> families;
    auto family = [&](double angle, double spacing) {
        kelvora::PatternLine line;
        line.angle = angle;
        line.offsetX = -std::sin(angle) * spacing;
        line.offsetY = std::cos(angle) * spacing;
        families.push_back(line);
    };
    if (d.patternType == AcDbHatch::kUserDefined) {
        family(d.patternAngle, d.patternSpace);
        if (d.patternDouble)
            family(d.patternAngle + std::numbers::pi / 2.0, d.patternSpace);
    } else {
        family(d.patternAngle + kFallbackPatternAngle, kFallbackPatternSpacing * d.patternScale);
    }
    return families;
}

double fillDeviation(const kelvora::HatchData& d)
{
    double size = kelvora::loopsSize(d);
    return size > 0.0 ? size * kFillDeviationRatio : kFillDeviationRatio;
}

bool finite(const AcGePoint2d& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

}  // namespace

AcDbHatch::AcDbHatch() : m_data(std::make_unique<kelvora::HatchData>()) {}

AcDbHatch::~AcDbHatch() = default;

double AcDbHatch::elevation() const
{
    assertReadEnabled();
    return m_data->elevation;
}

Acad::ErrorStatus AcDbHatch::setElevation(double elevation)
{
    if (!std::isfinite(elevation))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->elevation = elevation;
    return Acad::eOk;
}

AcGeVector3d AcDbHatch::normal() const
{
    assertReadEnabled();
    return m_data->normal;
}

Acad::ErrorStatus AcDbHatch::setNormal(const AcGeVector3d& normal)
{
    AcGeVector3d unit;
    if (!kelvora::unitNormal(normal, unit))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->normal = unit;
    return Acad::eOk;
}

// ----- Loops -----------------------------------------------------------------------------------------

int AcDbHatch::numLoops() const
{
    assertReadEnabled();
    return static_cast<int>(m_data->loops.size());
}

Adesk::Int32 AcDbHatch::loopTypeAt(int loopIndex) const
{
    assertReadEnabled();
    if (loopIndex < 0 || loopIndex >= numLoops())
        return 0;
    return m_data->loops[static_cast<size_t>(loopIndex)].type;
}

Acad::ErrorStatus AcDbHatch::getLoopAt(int loopIndex, Adesk::Int32& loopType, AcGeVoidPointerArray& edgePtrs,
                                       AcGeIntArray& edgeTypes) const
{
    assertReadEnabled();
    if (loopIndex < 0 || loopIndex >= numLoops())
        return Acad::eInvalidIndex;
    const HatchLoop& loop = m_data->loops[static_cast<size_t>(loopIndex)];
    loopType = loop.type;
    if ((loop.type & kPolyline) != 0) {
        // A polyline loop answers its segments as edges.
        std::vector<kelvora::PlineVertex> vertices;
        for (size_t i = 0; i < loop.vertices.size(); ++i) {
            kelvora::PlineVertex v;
            v.point = loop.vertices[i];
            v.bulge = i < loop.bulges.size() ? loop.bulges[i] : 0.0;
            vertices.push_back(v);
        }
        kelvora::PlineGeometry geometry(vertices, true);
        for (int i = 0; i < geometry.segmentCount(); ++i) {
            kelvora::PlineSegment s = geometry.segment(i);
            if (s.kind == kelvora::PlineSegment::Kind::kArc) {
                edgePtrs.append(new AcGeCircArc2d(s.start, s.end, s.bulge, Adesk::kFalse));
                edgeTypes.append(kCirArc);
            } else if (s.kind == kelvora::PlineSegment::Kind::kLine) {
                edgePtrs.append(new AcGeLineSeg2d(s.start, s.end));
                edgeTypes.append(kLine);
            }
        }
        return Acad::eOk;
    }
    for (const HatchEdge& e : loop.edges) {
        edgePtrs.append(kelvora::newCurveOfEdge(e));
        edgeTypes.append(e.type);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getLoopAt(int loopIndex, Adesk::Int32& loopType, AcGePoint2dArray& vertices,
                                       AcGeDoubleArray& bulges) const
{
    assertReadEnabled();
    if (loopIndex < 0 || loopIndex >= numLoops())
        return Acad::eInvalidIndex;
    const HatchLoop& loop = m_data->loops[static_cast<size_t>(loopIndex)];
    loopType = loop.type;
    if ((loop.type & kPolyline) != 0) {
        for (size_t i = 0; i < loop.vertices.size(); ++i) {
            vertices.append(loop.vertices[i]);
            bulges.append(i < loop.bulges.size() ? loop.bulges[i] : 0.0);
        }
        return Acad::eOk;
    }
    // Edges of lines and arcs make a polyline; elliptic and spline edges do not.
    for (const HatchEdge& e : loop.edges) {
        if (e.type == kLine) {
            vertices.append(e.start);
            bulges.append(0.0);
        } else if (e.type == kCirArc) {
            double sweep = e.endAngle - e.startAngle;
            if (sweep <= 0.0)
                sweep += 2.0 * std::numbers::pi;
            double sign = e.ccw ? 1.0 : -1.0;
            double a = sign * e.startAngle;
            vertices.append(e.start + AcGeVector2d(std::cos(a), std::sin(a)) * e.radius);
            bulges.append(sign * std::tan(sweep / 4.0));
        } else {
            return Acad::eNotApplicable;
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::appendLoop(Adesk::Int32 loopType, const AcGeVoidPointerArray& edgePtrs,
                                        const AcGeIntArray& edgeTypes)
{
    if (edgePtrs.length() != edgeTypes.length() || edgePtrs.isEmpty())
        return Acad::eInvalidInput;
    HatchLoop loop;
    loop.type = loopType & ~kPolyline;
    for (int i = 0; i < edgePtrs.length(); ++i) {
        HatchEdge e;
        Acad::ErrorStatus es = kelvora::edgeOfCurve(edgePtrs[i], edgeTypes[i], e);
        if (es != Acad::eOk)
            return es;
        loop.edges.push_back(std::move(e));
    }
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->loops.push_back(std::move(loop));
    m_data->evaluated = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::appendLoop(Adesk::Int32 loopType, const AcGePoint2dArray& vertices,
                                        const AcGeDoubleArray& bulges)
{
    return insertLoopAt(numLoops(), loopType, vertices, bulges);
}

Acad::ErrorStatus AcDbHatch::insertLoopAt(int loopIndex, Adesk::Int32 loopType, const AcGePoint2dArray& vertices,
                                          const AcGeDoubleArray& bulges)
{
    if (loopIndex < 0 || loopIndex > numLoops())
        return Acad::eInvalidIndex;
    if (vertices.length() < 2 || (!bulges.isEmpty() && bulges.length() != vertices.length()))
        return Acad::eInvalidInput;
    HatchLoop loop;
    loop.type = loopType | kPolyline;
    for (int i = 0; i < vertices.length(); ++i) {
        if (!finite(vertices[i]))
            return Acad::eInvalidInput;
        loop.vertices.push_back(vertices[i]);
        loop.bulges.push_back(bulges.isEmpty() ? 0.0 : bulges[i]);
    }
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->loops.insert(m_data->loops.begin() + loopIndex, std::move(loop));
    m_data->evaluated = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::removeLoopAt(int loopIndex)
{
    if (loopIndex < 0 || loopIndex >= numLoops())
        return Acad::eInvalidIndex;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->loops.erase(m_data->loops.begin() + loopIndex);
    m_data->evaluated = false;
    return Acad::eOk;
}

bool AcDbHatch::associative() const
{
    assertReadEnabled();
    return m_data->associative;
}

Acad::ErrorStatus AcDbHatch::setAssociative(bool isAssociative)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->associative = isAssociative;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getAssocObjIdsAt(int loopIndex, AcDbObjectIdArray& dbObjIds) const
{
    assertReadEnabled();
    if (loopIndex < 0 || loopIndex >= numLoops())
        return Acad::eInvalidIndex;
    for (const AcDbObjectId& id : m_data->loops[static_cast<size_t>(loopIndex)].sources)
        dbObjIds.append(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getAssocObjIds(AcDbObjectIdArray& dbObjIds) const
{
    assertReadEnabled();
    for (const HatchLoop& loop : m_data->loops)
        for (const AcDbObjectId& id : loop.sources)
            dbObjIds.append(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setAssocObjIdsAt(int loopIndex, const AcDbObjectIdArray& dbObjIds)
{
    if (loopIndex < 0 || loopIndex >= numLoops())
        return Acad::eInvalidIndex;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    std::vector<AcDbObjectId>& sources = m_data->loops[static_cast<size_t>(loopIndex)].sources;
    sources.assign(dbObjIds.begin(), dbObjIds.end());
    return Acad::eOk;
}

// ----- Pattern ---------------------------------------------------------------------------------------

AcDbHatch::HatchPatternType AcDbHatch::patternType() const
{
    assertReadEnabled();
    return m_data->patternType;
}

const ACHAR* AcDbHatch::patternName() const
{
    assertReadEnabled();
    return m_data->patternName.c_str();
}

Acad::ErrorStatus AcDbHatch::setPattern(HatchPatternType patType, const ACHAR* patName)
{
    if (patName == nullptr || patName[0] == L'\0' || patType < kUserDefined || patType > kCustomDefined)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    if (m_data->patternName != patName || m_data->patternType != patType)
        m_data->patternLines.clear();  // the definition lines belonged to the former pattern
    m_data->patternType = patType;
    m_data->patternName = patName;
    m_data->evaluated = false;
    return Acad::eOk;
}

double AcDbHatch::patternAngle() const
{
    assertReadEnabled();
    return m_data->patternAngle;
}

Acad::ErrorStatus AcDbHatch::setPatternAngle(double angle)
{
    if (!std::isfinite(angle))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->patternAngle = angle;
    m_data->evaluated = false;
    return Acad::eOk;
}

double AcDbHatch::patternSpace() const
{
    assertReadEnabled();
    return m_data->patternSpace;
}

Acad::ErrorStatus AcDbHatch::setPatternSpace(double space)
{
    if (!std::isfinite(space) || space <= 0.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->patternSpace = space;
    m_data->evaluated = false;
    return Acad::eOk;
}

double AcDbHatch::patternScale() const
{
    assertReadEnabled();
    return m_data->patternScale;
}

Acad::ErrorStatus AcDbHatch::setPatternScale(double scale)
{
    if (!std::isfinite(scale) || scale <= 0.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->patternScale = scale;
    m_data->evaluated = false;
    return Acad::eOk;
}

bool AcDbHatch::patternDouble() const
{
    assertReadEnabled();
    return m_data->patternDouble;
}

Acad::ErrorStatus AcDbHatch::setPatternDouble(bool isDouble)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->patternDouble = isDouble;
    m_data->evaluated = false;
    return Acad::eOk;
}

int AcDbHatch::numPatternDefinitions() const
{
    assertReadEnabled();
    return static_cast<int>(m_data->patternLines.size());
}

Acad::ErrorStatus AcDbHatch::getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY,
                                                    double& offsetX, double& offsetY, AcGeDoubleArray& dashes) const
{
    assertReadEnabled();
    if (index < 0 || index >= numPatternDefinitions())
        return Acad::eInvalidIndex;
    const kelvora::PatternLine& line = m_data->patternLines[static_cast<size_t>(index)];
    angle = line.angle;
    baseX = line.baseX;
    baseY = line.baseY;
    offsetX = line.offsetX;
    offsetY = line.offsetY;
    for (double d : line.dashes)
        dashes.append(d);
    return Acad::eOk;
}

AcDbHatch::HatchStyle AcDbHatch::hatchStyle() const
{
    assertReadEnabled();
    return m_data->style;
}

Acad::ErrorStatus AcDbHatch::setHatchStyle(HatchStyle hstyle)
{
    if (hstyle < kNormal || hstyle > kIgnore)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->style = hstyle;
    m_data->evaluated = false;
    return Acad::eOk;
}

AcDbHatch::HatchObjectType AcDbHatch::hatchObjectType() const
{
    assertReadEnabled();
    return m_data->objectType;
}

Acad::ErrorStatus AcDbHatch::setHatchObjectType(HatchObjectType type)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->objectType = type;
    return Acad::eOk;
}

bool AcDbHatch::isGradient() const
{
    assertReadEnabled();
    return m_data->objectType == kGradientObject;
}

bool AcDbHatch::isSolidFill() const
{
    assertReadEnabled();
    return m_data->isSolid();
}

// ----- Evaluation ------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbHatch::evaluateHatch(bool)
{
    if (m_data->loops.empty())
        return Acad::eInvalidInput;
    std::vector<std::vector<AcGePoint2d>> polygons;
    kelvora::fillPolygons(*m_data, fillDeviation(*m_data), polygons);
    if (polygons.empty())
        return Acad::eDegenerateGeometry;
    std::vector<std::pair<AcGePoint2d, AcGePoint2d>> lines;
    if (!m_data->isSolid() && !isGradient()) {
        Acad::ErrorStatus es = kelvora::patternSegments(patternFamilies(*m_data), polygons, kMaxPatternSegments, lines);
        if (es != Acad::eOk)
            return es;
    }
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_data->lines.swap(lines);
    m_data->evaluated = true;
    return Acad::eOk;
}

int AcDbHatch::numHatchLines() const
{
    assertReadEnabled();
    return static_cast<int>(m_data->lines.size());
}

Acad::ErrorStatus AcDbHatch::getHatchLineDataAt(int lineIndex, AcGePoint2d& startPt, AcGePoint2d& endPt) const
{
    assertReadEnabled();
    if (lineIndex < 0 || lineIndex >= numHatchLines())
        return Acad::eInvalidIndex;
    startPt = m_data->lines[static_cast<size_t>(lineIndex)].first;
    endPt = m_data->lines[static_cast<size_t>(lineIndex)].second;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getHatchLinesData(AcGePoint2dArray& startPts, AcGePoint2dArray& endPts) const
{
    assertReadEnabled();
    for (const auto& [a, b] : m_data->lines) {
        startPts.append(a);
        endPts.append(b);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getArea(double& area) const
{
    assertReadEnabled();
    if (m_data->loops.empty())
        return Acad::eInvalidInput;
    area = kelvora::filledArea(*m_data, fillDeviation(*m_data) * kAreaRefinement);
    return Acad::eOk;
}

// ----- Entity ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbHatch::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    AcDbExtents box;
    bool any = false;
    std::vector<AcGePoint2d> pts;
    for (const HatchLoop& loop : m_data->loops) {
        kelvora::flattenLoop(loop, fillDeviation(*m_data), pts);
        for (const AcGePoint2d& p : pts) {
            box.addPoint(kelvora::planeToWorld(p, m_data->normal, m_data->elevation));
            any = true;
        }
    }
    if (!any)
        return Acad::eInvalidExtents;
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::transformBy(const AcGeMatrix3d& xform)
{
    assertReadEnabled();
    if (!xform.isUniScaledOrtho())
        return Acad::eNotApplicable;
    kelvora::HatchData& d = *m_data;
    AcGeVector3d x;
    AcGeVector3d y;
    AcGeVector3d z;
    kelvora::ocsAxes(d.normal, x, y, z);
    const double det = xform.det();
    AcGeVector3d newNormal;
    if (!kelvora::unitNormal((xform * x).crossProduct(xform * y), newNormal))
        return Acad::eInvalidInput;
    if (det < 0.0)
        newNormal = -newNormal;
    const bool mirrored = det < 0.0;
    const double scale = xform.scale();
    double elevation = 0.0;
    kelvora::worldToPlane(xform * kelvora::planeToWorld(AcGePoint2d(0.0, 0.0), d.normal, d.elevation), newNormal,
                          &elevation);
    auto map = [&](const AcGePoint2d& p) {
        return kelvora::worldToPlane(xform * kelvora::planeToWorld(p, d.normal, d.elevation), newNormal);
    };
    const AcGePoint2d origin2 = map(AcGePoint2d(0.0, 0.0));
    auto mapVector = [&](const AcGeVector2d& v) { return map(AcGePoint2d(v.x, v.y)) - origin2; };
    const double rotation = mapVector(AcGeVector2d::kXAxis).angle();
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    for (HatchLoop& loop : d.loops) {
        for (AcGePoint2d& p : loop.vertices)
            p = map(p);
        if (mirrored)
            for (double& b : loop.bulges)
                b = -b;
        for (HatchEdge& e : loop.edges) {
            if (e.type == kLine) {
                e.start = map(e.start);
                e.end = map(e.end);
            } else if (e.type == kCirArc) {
                // Rebuild the angles from the moved end points, in the (possibly reversed) sense.
                double sign = e.ccw ? 1.0 : -1.0;
                AcGePoint2d s = map(e.start + AcGeVector2d(std::cos(sign * e.startAngle), std::sin(sign * e.startAngle)) * e.radius);
                AcGePoint2d t = map(e.start + AcGeVector2d(std::cos(sign * e.endAngle), std::sin(sign * e.endAngle)) * e.radius);
                e.start = map(e.start);
                e.radius *= scale;
                if (mirrored)
                    e.ccw = !e.ccw;
                double newSign = e.ccw ? 1.0 : -1.0;
                e.startAngle = kelvora::normalizeAngle(newSign * std::atan2(s.y - e.start.y, s.x - e.start.x));
                e.endAngle = kelvora::normalizeAngle(newSign * std::atan2(t.y - e.start.y, t.x - e.start.x));
            } else if (e.type == kEllArc) {
                e.start = map(e.start);
                e.end = AcGePoint2d::kOrigin + mapVector(e.end.asVector());
                if (mirrored)
                    e.ccw = !e.ccw;
            } else {
                for (AcGePoint2d& p : e.controlPoints)
                    p = map(p);
                for (AcGePoint2d& p : e.fitPoints)
                    p = map(p);
                e.startTangent = mapVector(e.startTangent);
                e.endTangent = mapVector(e.endTangent);
            }
        }
    }
    for (AcGePoint2d& p : d.seeds)
        p = map(p);
    for (kelvora::PatternLine& line : d.patternLines) {
        AcGePoint2d base = map(AcGePoint2d(line.baseX, line.baseY));
        AcGeVector2d offset = mapVector(AcGeVector2d(line.offsetX, line.offsetY));
        AcGeVector2d dir = mapVector(AcGeVector2d(std::cos(line.angle), std::sin(line.angle)));
        line.angle = dir.angle();
        line.baseX = base.x;
        line.baseY = base.y;
        line.offsetX = offset.x;
        line.offsetY = offset.y;
        for (double& dash : line.dashes)
            dash *= scale;
    }
    d.patternAngle = kelvora::normalizeAngle(d.patternAngle + rotation);
    d.patternScale *= scale;
    d.patternSpace *= scale;
    d.normal = newNormal;
    d.elevation = elevation;
    if (d.evaluated)
        evaluateHatch();
    return Acad::eOk;
}

Adesk::Boolean AcDbHatch::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort() || m_data->loops.empty())
        return Adesk::kTrue;
    const kelvora::HatchData& d = *m_data;
    auto world = [&](const AcGePoint2d& p) { return kelvora::planeToWorld(p, d.normal, d.elevation); };
    if (d.isSolid() || isGradient()) {
        double deviation = mode->deviation(kAcGiMaxDevForBoundary, world(AcGePoint2d(0.0, 0.0)));
        if (!(deviation > 0.0))
            deviation = fillDeviation(d);
        std::vector<std::vector<AcGePoint2d>> polygons;
        kelvora::fillPolygons(d, deviation, polygons);
        std::vector<AcGePoint2d> outline;
        kelvora::bridgedPolygon(polygons, outline);
        if (outline.size() < 3)
            return Adesk::kTrue;
        std::vector<AcGePoint3d> pts;
        pts.reserve(outline.size());
        for (const AcGePoint2d& p : outline)
            pts.push_back(world(p));
        AcGiSubEntityTraits& traits = mode->subEntityTraits();
        AcGiFillType previous = traits.fillType();
        traits.setFillType(kAcGiFillAlways);
        mode->geometry().polygon(static_cast<Adesk::UInt32>(pts.size()), pts.data());
        traits.setFillType(previous);
        return Adesk::kTrue;
    }
    std::vector<std::pair<AcGePoint2d, AcGePoint2d>> computed;
    const std::vector<std::pair<AcGePoint2d, AcGePoint2d>>* lines = &d.lines;
    if (!d.evaluated) {
        std::vector<std::vector<AcGePoint2d>> polygons;
        kelvora::fillPolygons(d, fillDeviation(d), polygons);
        kelvora::patternSegments(patternFamilies(d), polygons, kMaxPatternSegments, computed);
        lines = &computed;
    }
    for (const auto& [a, b] : *lines) {
        AcGePoint3d pts[2] = {world(a), world(b)};
        if (mode->geometry().polyline(2, pts, &d.normal))
            break;
    }
    return Adesk::kTrue;
}

void AcDbHatch::list() const
{
    assertReadEnabled();
    AcDbEntity::list();
    kelvora::listText(L"Hatch pattern", m_data->patternName.c_str());
    if (!m_data->isSolid()) {
        kelvora::listAngle(this, L"Hatch angle", m_data->patternAngle);
        kelvora::listReal(this, L"Hatch scale", m_data->patternScale);
    }
    kelvora::listText(L"Associative", m_data->associative ? L"Yes" : L"No");
    kelvora::listReal(this, L"Loops", static_cast<double>(m_data->loops.size()));
    double area = 0.0;
    if (getArea(area) == Acad::eOk)
        kelvora::listReal(this, L"Area", area);
}

// Shared entity helpers: DXF groups, angles and normals, the piece chains of curve entities, LIST output.
#include "entity_util.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "acgi.h"
#include "database/filing_util.h"
#include "dbelipse.h"
#include "dbents.h"
#include "dbpl.h"
#include "dbray.h"
#include "dbspline.h"
#include "dbxline.h"
#include "geplane.h"
#include "kelvora/host_output.h"
#include "kelvora/resbuf_util.h"
#include "pline_geometry.h"

namespace kelvora {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Ellipses and splines meet other curves through chords that stray at most this fraction of their
// size from the curve: intersections with them are good to that, not exact.
constexpr double kChordDeviationRatio = 1e-7;

int listPrecision(const AcDbObject* object)
{
    AcDbDatabase* db = object != nullptr ? object->database() : nullptr;
    return db != nullptr ? db->luprec() : 4;
}

void sampledChain(const AcGeCurve3d& curve, double fromParam, double toParam, double size, PieceChain& chain)
{
    AcGePoint3dArray pts;
    AcGeDoubleArray params;
    curve.getSamplePoints(fromParam, toParam, std::max(size, 1.0) * kChordDeviationRatio, pts, params);
    for (int i = 0; i + 1 < pts.length(); ++i)
        chain.pieces.push_back(CurvePiece::segment(pts[i], pts[i + 1], i));
}

}  // namespace

// ----- DXF groups ------------------------------------------------------------------------------------

DxfGroup::DxfGroup()
{
    m_rb.rbnext = nullptr;
    m_rb.restype = 0;
    m_rb.resval.rstring = nullptr;
}

DxfGroup::~DxfGroup()
{
    clearResbufValue(m_rb);
}

AcGePoint3d DxfGroup::point() const
{
    return AcGePoint3d(m_rb.resval.rpoint[0], m_rb.resval.rpoint[1], m_rb.resval.rpoint[2]);
}

AcGeVector3d DxfGroup::vector() const
{
    return AcGeVector3d(m_rb.resval.rpoint[0], m_rb.resval.rpoint[1], m_rb.resval.rpoint[2]);
}

long long DxfGroup::integer() const
{
    switch (resbufValueKind(m_rb.restype)) {
    case ResbufValueKind::kShort:
        return m_rb.resval.rint;
    case ResbufValueKind::kLong:
        return m_rb.resval.rlong;
    case ResbufValueKind::kInt64:
        return m_rb.resval.mnInt64;
    case ResbufValueKind::kReal:
        return static_cast<long long>(m_rb.resval.rreal);
    default:
        return 0;
    }
}

const ACHAR* DxfGroup::text() const
{
    if (resbufValueKind(m_rb.restype) != ResbufValueKind::kString || m_rb.resval.rstring == nullptr)
        return L"";
    return m_rb.resval.rstring;
}

std::wstring DxfGroup::subclassName() const
{
    return m_rb.restype == AcDb::kDxfSubclass ? std::wstring(text()) : std::wstring();
}

void skipSubclassMarker(AcDbDxfFiler* filer, const ACHAR* name)
{
    filer->atSubclassData(name);
}

double radiansToDegrees(double radians)
{
    return radians * 180.0 / std::numbers::pi;
}

double degreesToRadians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

double normalizeAngle(double radians)
{
    if (!std::isfinite(radians))
        return 0.0;
    double a = std::fmod(radians, kTwoPi);
    if (a < 0.0)
        a += kTwoPi;
    if (a >= kTwoPi)
        a = 0.0;
    return a;
}

bool unitNormal(const AcGeVector3d& vector, AcGeVector3d& unit)
{
    if (!std::isfinite(vector.x) || !std::isfinite(vector.y) || !std::isfinite(vector.z))
        return false;
    if (vector.isZeroLength())
        return false;
    unit = vector.normal();
    return true;
}

// ----- Curves as chains ------------------------------------------------------------------------------

bool entityChain(const AcDbEntity* entity, PieceChain& chain)
{
    chain.pieces.clear();
    chain.closed = false;
    if (entity == nullptr)
        return false;
    const double inf = std::numeric_limits<double>::infinity();
    if (const AcDbPolyline* pl = AcDbPolyline::cast(entity)) {
        std::vector<PlineVertex> vertices;
        vertices.reserve(pl->numVerts());
        for (unsigned int i = 0; i < pl->numVerts(); ++i) {
            PlineVertex v;
            pl->getPointAt(i, v.point);
            pl->getBulgeAt(i, v.bulge);
            vertices.push_back(v);
        }
        PlineGeometry(vertices, pl->isClosed()).pieces(pl->normal(), pl->elevation(), chain);
        return true;
    }
    if (const AcDb2dPolyline* pl2 = AcDb2dPolyline::cast(entity)) {
        std::vector<PlineVertex> vertices;
        pl2->getCurveVertices(vertices);
        PlineGeometry(vertices, pl2->isClosed()).pieces(pl2->normal(), pl2->elevation(), chain);
        return true;
    }
    if (const AcDbLine* line = AcDbLine::cast(entity)) {
        chain.pieces.push_back(CurvePiece::segment(line->startPoint(), line->endPoint(), 0));
        return true;
    }
    if (const AcDbArc* arc = AcDbArc::cast(entity)) {
        AcGePoint3d start;
        arc->getStartPoint(start);
        chain.pieces.push_back(
            CurvePiece::arc(arc->center(), arc->normal(), start - arc->center(), arc->radius(), arc->totalAngle(), 0));
        return true;
    }
    if (const AcDbCircle* circle = AcDbCircle::cast(entity)) {
        AcGePoint3d start;
        circle->getStartPoint(start);
        chain.pieces.push_back(CurvePiece::arc(circle->center(), circle->normal(), start - circle->center(),
                                               circle->radius(), kTwoPi, 0));
        chain.closed = true;
        return true;
    }
    if (const AcDbRay* ray = AcDbRay::cast(entity)) {
        chain.pieces.push_back(CurvePiece::line(ray->basePoint(), ray->unitDir(), 0.0, inf, 0));
        return true;
    }
    if (const AcDbXline* xline = AcDbXline::cast(entity)) {
        chain.pieces.push_back(CurvePiece::line(xline->basePoint(), xline->unitDir(), -inf, inf, 0));
        chain.closed = true;  // nothing to extend
        return true;
    }
    if (const AcDbEllipse* ellipse = AcDbEllipse::cast(entity)) {
        AcDbSpline* spline = nullptr;
        if (ellipse->getSpline(spline) != Acad::eOk || spline == nullptr)
            return false;
        const AcGeNurbCurve3d& curve = spline->nurbs();
        sampledChain(curve, curve.startParam(), curve.endParam(), ellipse->majorAxis().length(), chain);
        chain.closed = ellipse->isClosed();
        delete spline;
        return true;
    }
    if (const AcDbSpline* spline = AcDbSpline::cast(entity)) {
        if (spline->isNull())
            return false;
        const AcGeNurbCurve3d& curve = spline->nurbs();
        AcDbExtents box;
        double size = 1.0;
        AcGePoint3d lo;
        AcGePoint3d hi;
        for (int i = 0; i < curve.numControlPoints(); ++i) {
            AcGePoint3d p = curve.controlPointAt(i);
            if (i == 0) {
                lo = hi = p;
            } else {
                lo.set(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
                hi.set(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
            }
        }
        size = lo.distanceTo(hi);
        sampledChain(curve, curve.startParam(), curve.endParam(), size, chain);
        chain.closed = spline->isClosed();
        return true;
    }
    return false;
}

Acad::ErrorStatus intersectEntities(const AcDbEntity* self, const AcDbEntity* other, AcDb::Intersect intType,
                                    const AcGePlane* plane, AcGePoint3dArray& points)
{
    if (other == nullptr)
        return Acad::eInvalidInput;
    PieceChain mine;
    PieceChain theirs;
    if (!entityChain(self, mine) || !entityChain(other, theirs))
        return Acad::eNotApplicable;
    if (intType == AcDb::kExtendThis || intType == AcDb::kExtendBoth)
        extendChain(mine);
    if (intType == AcDb::kExtendArg || intType == AcDb::kExtendBoth)
        extendChain(theirs);
    std::vector<AcGePoint3d> found;
    if (plane != nullptr)
        intersectChainsProjected(mine, theirs, *plane, found);
    else
        intersectChains(mine, theirs, found);
    for (const AcGePoint3d& p : found)
        points.append(p);
    return Acad::eOk;
}

Acad::ErrorStatus closestPointOfEntity(const AcDbEntity* entity, const AcGePoint3d& pt, const AcGeVector3d* direction,
                                       bool extend, AcGePoint3d& nearest)
{
    PieceChain chain;
    if (!entityChain(entity, chain))
        return Acad::eNotApplicable;
    if (chain.pieces.empty())
        return Acad::eDegenerateGeometry;
    if (extend)
        extendChain(chain);
    bool found = direction != nullptr ? closestPointOnChain(chain, pt, *direction, nearest)
                                      : closestPointOnChain(chain, pt, nearest);
    return found ? Acad::eOk : Acad::eDegenerateGeometry;
}

// ----- Splits ---------------------------------------------------------------------------------------

bool normalizeSplitParams(const AcGeDoubleArray& params, double start, double end, bool closed, double tol,
                          std::vector<double>& out)
{
    out.clear();
    for (double p : params) {
        if (!std::isfinite(p))
            return false;
        if (closed) {
            if (p < start - tol || p > end + tol)
                continue;
            if (p >= end - tol)
                p = start;  // the end of a closed curve is its start
            out.push_back(std::max(p, start));
        } else if (p > start + tol && p < end - tol) {
            out.push_back(p);
        }
    }
    std::sort(out.begin(), out.end());
    std::vector<double> merged;
    for (double p : out)
        if (merged.empty() || p - merged.back() > tol)
            merged.push_back(p);
    out.swap(merged);
    return true;
}

// ----- LIST ------------------------------------------------------------------------------------------

void listPoint(const AcDbObject* object, const ACHAR* label, const AcGePoint3d& pt)
{
    int prec = listPrecision(object);
    hostPrintf(L"\n%18s X=%.*f  Y=%.*f  Z=%.*f", label, prec, pt.x, prec, pt.y, prec, pt.z);
}

void listReal(const AcDbObject* object, const ACHAR* label, double value)
{
    hostPrintf(L"\n%18s %.*f", label, listPrecision(object), value);
}

void listAngle(const AcDbObject* object, const ACHAR* label, double radians)
{
    hostPrintf(L"\n%18s %.*f", label, listPrecision(object), radiansToDegrees(radians));
}

void listText(const ACHAR* label, const ACHAR* text)
{
    hostPrintf(L"\n%18s %s", label, text != nullptr ? text : L"");
}

// ----- Drawing ---------------------------------------------------------------------------------------

Adesk::Boolean drawPiece(AcGiWorldDraw* mode, const CurvePiece& piece)
{
    if (piece.kind == CurvePiece::Kind::kArc) {
        if (piece.isFullCircle())
            return mode->geometry().circle(piece.center, piece.radius, piece.normal);
        return mode->geometry().circularArc(piece.center, piece.radius, piece.normal, piece.xAxis, piece.sweep);
    }
    AcGePoint3d pts[2] = {piece.pointAt(piece.tMin), piece.pointAt(piece.tMax)};
    return mode->geometry().polyline(2, pts);
}

}  // namespace kelvora

// AcDbHatch filing: the DXF HATCH groups (boundary paths, edges, pattern lines, seeds, kept gradient groups) and DWG items.
#include <cmath>
#include <string>

#include "acutads.h"
#include "database/filing_util.h"
#include "dbhatch.h"
#include "entity_util.h"
#include "hatch_data.h"
#include "kelvora/resbuf_util.h"

namespace {

using kelvora::DxfGroup;
using kelvora::HatchData;
using kelvora::HatchEdge;
using kelvora::HatchLoop;

// Counts read from a file or filer only size reservations up to this; the items must follow.
constexpr long long kMaxReserve = 1 << 16;

bool isGradientCode(int code)
{
    return (code >= 450 && code <= 470) || code == 421;
}

AcGePoint2d point2(const DxfGroup& g)
{
    AcGePoint3d p = g.point();
    return AcGePoint2d(p.x, p.y);
}

// Reads the groups of a HATCH in their fixed order; an unexpected group is malformed input.
class HatchReader {
public:
    explicit HatchReader(AcDbDxfFiler* filer) : m_filer(filer)
    {
        AcDb::AcDbDwgVersion version = AcDb::kDHL_CURRENT;
        AcDb::MaintenanceReleaseVersion maint = AcDb::kMReleaseCurrent;
        if (filer->dwgVersion(version, maint) == Acad::eOk)
            m_splineFitData = version >= AcDb::kDHL_1024;
    }

    Acad::ErrorStatus read(HatchData& d)
    {
        while (true) {
            DxfGroup g;
            Acad::ErrorStatus es = m_filer->readResBuf(g.rb());
            if (es == Acad::eEndOfObject || es == Acad::eEndOfFile)
                return Acad::eOk;
            if (es != Acad::eOk)
                return es;
            switch (g.code()) {
            case 100:
                if (g.subclassName() != L"AcDbHatch")
                    return stop();
                break;
            case 10: d.elevation = g.point().z; break;
            case 210: d.normal = g.vector(); break;
            case 2: d.patternName = g.text(); break;
            case 70: break;  // the solid flag follows from the pattern name
            case 63: break;
            case 71: d.associative = g.integer() != 0; break;
            case 91:
                if ((es = readLoops(d, g.integer())) != Acad::eOk)
                    return es;
                break;
            case 75: d.style = static_cast<AcDbHatch::HatchStyle>(std::clamp<long long>(g.integer(), 0, 2)); break;
            case 76:
                d.patternType = static_cast<AcDbHatch::HatchPatternType>(std::clamp<long long>(g.integer(), 0, 2));
                break;
            case 52: d.patternAngle = kelvora::degreesToRadians(g.real()); break;
            case 41: d.patternScale = d.patternSpace = g.real(); break;
            case 77: d.patternDouble = g.integer() != 0; break;
            case 78:
                if ((es = readPatternLines(d, g.integer())) != Acad::eOk)
                    return es;
                break;
            case 47:
                d.pixelSize = g.real();
                d.hasPixelSize = true;
                break;
            case 98:
                if ((es = readSeeds(d, g.integer())) != Acad::eOk)
                    return es;
                break;
            default:
                if (isGradientCode(g.code())) {
                    kelvora::appendToList(d.gradient, g.value());
                    if (g.code() == 450 && g.integer() != 0)
                        d.objectType = AcDbHatch::kGradientObject;
                    break;
                }
                return stop();
            }
        }
    }

private:
    Acad::ErrorStatus stop()
    {
        m_filer->pushBackItem();
        return Acad::eOk;
    }

    Acad::ErrorStatus fail(int expected, int found)
    {
        m_filer->setError(Acad::eBadDxfSequence, L"a HATCH boundary expects group %d, not %d", expected, found);
        return Acad::eBadDxfSequence;
    }

    Acad::ErrorStatus expect(int code, DxfGroup& g)
    {
        Acad::ErrorStatus es = m_filer->readResBuf(g.rb());
        if (es == Acad::eEndOfObject || es == Acad::eEndOfFile)
            return fail(code, 0);
        if (es != Acad::eOk)
            return es;
        return g.code() == code ? Acad::eOk : fail(code, g.code());
    }

    // The next group when it has that code; otherwise it is pushed back.
    bool optional(int code, DxfGroup& g)
    {
        Acad::ErrorStatus es = m_filer->readResBuf(g.rb());
        if (es != Acad::eOk)
            return false;
        if (g.code() == code)
            return true;
        m_filer->pushBackItem();
        return false;
    }

    Acad::ErrorStatus badCount(const ACHAR* what, long long count)
    {
        m_filer->setError(Acad::eBadDxfSequence, L"a HATCH announces %lld %s", count, what);
        return Acad::eBadDxfSequence;
    }

    Acad::ErrorStatus readLoops(HatchData& d, long long count)
    {
        if (count < 0)
            return badCount(L"boundary paths", count);
        std::vector<HatchLoop> loops;
        loops.reserve(static_cast<size_t>(std::min(count, kMaxReserve)));
        for (long long i = 0; i < count; ++i) {
            HatchLoop loop;
            Acad::ErrorStatus es = readLoop(loop);
            if (es != Acad::eOk)
                return es;
            loops.push_back(std::move(loop));
        }
        d.loops = std::move(loops);
        return Acad::eOk;
    }

    Acad::ErrorStatus readLoop(HatchLoop& loop)
    {
        DxfGroup g;
        Acad::ErrorStatus es = expect(92, g);
        if (es != Acad::eOk)
            return es;
        loop.type = static_cast<Adesk::Int32>(g.integer());
        if ((loop.type & AcDbHatch::kPolyline) != 0) {
            DxfGroup hasBulge;
            DxfGroup closed;
            DxfGroup count;
            if ((es = expect(72, hasBulge)) != Acad::eOk || (es = expect(73, closed)) != Acad::eOk ||
                (es = expect(93, count)) != Acad::eOk)
                return es;
            loop.closed = closed.integer() != 0;
            if (count.integer() < 0)
                return badCount(L"loop vertices", count.integer());
            for (long long i = 0; i < count.integer(); ++i) {
                DxfGroup v;
                if ((es = expect(10, v)) != Acad::eOk)
                    return es;
                loop.vertices.push_back(point2(v));
                DxfGroup b;
                loop.bulges.push_back(optional(42, b) ? b.real() : 0.0);
            }
        } else {
            DxfGroup count;
            if ((es = expect(93, count)) != Acad::eOk)
                return es;
            if (count.integer() < 0)
                return badCount(L"loop edges", count.integer());
            for (long long i = 0; i < count.integer(); ++i) {
                HatchEdge e;
                if ((es = readEdge(e)) != Acad::eOk)
                    return es;
                loop.edges.push_back(std::move(e));
            }
        }
        DxfGroup sources;
        if ((es = expect(97, sources)) != Acad::eOk)
            return es;
        for (long long i = 0; i < sources.integer(); ++i) {
            DxfGroup id;
            if ((es = expect(330, id)) != Acad::eOk)
                return es;
            loop.sources.push_back(kelvora::idFromResbuf(id.value()));
        }
        return Acad::eOk;
    }

    Acad::ErrorStatus readEdge(HatchEdge& e)
    {
        DxfGroup type;
        Acad::ErrorStatus es = expect(72, type);
        if (es != Acad::eOk)
            return es;
        e.type = static_cast<int>(type.integer());
        DxfGroup a;
        DxfGroup b;
        DxfGroup c;
        DxfGroup d;
        DxfGroup f;
        switch (e.type) {
        case AcDbHatch::kLine:
            if ((es = expect(10, a)) != Acad::eOk || (es = expect(11, b)) != Acad::eOk)
                return es;
            e.start = point2(a);
            e.end = point2(b);
            return Acad::eOk;
        case AcDbHatch::kCirArc:
            if ((es = expect(10, a)) != Acad::eOk || (es = expect(40, b)) != Acad::eOk ||
                (es = expect(50, c)) != Acad::eOk || (es = expect(51, d)) != Acad::eOk ||
                (es = expect(73, f)) != Acad::eOk)
                return es;
            e.start = point2(a);
            e.radius = b.real();
            e.startAngle = kelvora::degreesToRadians(c.real());
            e.endAngle = kelvora::degreesToRadians(d.real());
            e.ccw = f.integer() != 0;
            return Acad::eOk;
        case AcDbHatch::kEllArc: {
            DxfGroup g;
            if ((es = expect(10, a)) != Acad::eOk || (es = expect(11, b)) != Acad::eOk ||
                (es = expect(40, c)) != Acad::eOk || (es = expect(50, d)) != Acad::eOk ||
                (es = expect(51, f)) != Acad::eOk || (es = expect(73, g)) != Acad::eOk)
                return es;
            e.start = point2(a);
            e.end = point2(b);
            e.radius = c.real();
            e.startAngle = kelvora::degreesToRadians(d.real());
            e.endAngle = kelvora::degreesToRadians(f.real());
            e.ccw = g.integer() != 0;
            return Acad::eOk;
        }
        case AcDbHatch::kSpline:
            return readSplineEdge(e);
        default:
            m_filer->setError(Acad::eBadDxfSequence, L"a HATCH edge has the unknown type %d", e.type);
            return Acad::eBadDxfSequence;
        }
    }

    Acad::ErrorStatus readSplineEdge(HatchEdge& e)
    {
        DxfGroup degree;
        DxfGroup rational;
        DxfGroup periodic;
        DxfGroup knotCount;
        DxfGroup pointCount;
        Acad::ErrorStatus es = Acad::eOk;
        if ((es = expect(94, degree)) != Acad::eOk || (es = expect(73, rational)) != Acad::eOk ||
            (es = expect(74, periodic)) != Acad::eOk || (es = expect(95, knotCount)) != Acad::eOk ||
            (es = expect(96, pointCount)) != Acad::eOk)
            return es;
        e.degree = static_cast<int>(degree.integer());
        e.rational = rational.integer() != 0;
        e.periodic = periodic.integer() != 0;
        if (knotCount.integer() < 0 || pointCount.integer() < 0)
            return badCount(L"spline knots or control points", std::min(knotCount.integer(), pointCount.integer()));
        for (long long i = 0; i < knotCount.integer(); ++i) {
            DxfGroup k;
            if ((es = expect(40, k)) != Acad::eOk)
                return es;
            e.knots.push_back(k.real());
        }
        for (long long i = 0; i < pointCount.integer(); ++i) {
            DxfGroup p;
            if ((es = expect(10, p)) != Acad::eOk)
                return es;
            e.controlPoints.push_back(point2(p));
            DxfGroup w;
            if (optional(42, w))
                e.weights.push_back(w.real());
        }
        if (!m_splineFitData)
            return Acad::eOk;
        DxfGroup fitCount;
        if ((es = expect(97, fitCount)) != Acad::eOk)
            return es;
        for (long long i = 0; i < fitCount.integer(); ++i) {
            DxfGroup p;
            if ((es = expect(11, p)) != Acad::eOk)
                return es;
            e.fitPoints.push_back(point2(p));
        }
        DxfGroup t;
        if (optional(12, t))
            e.startTangent = AcGeVector2d(t.vector().x, t.vector().y);
        DxfGroup u;
        if (optional(13, u))
            e.endTangent = AcGeVector2d(u.vector().x, u.vector().y);
        return Acad::eOk;
    }

    Acad::ErrorStatus readPatternLines(HatchData& d, long long count)
    {
        if (count < 0)
            return badCount(L"pattern lines", count);
        std::vector<kelvora::PatternLine> lines;
        for (long long i = 0; i < count; ++i) {
            kelvora::PatternLine line;
            DxfGroup a, bx, by, ox, oy, n;
            Acad::ErrorStatus es = Acad::eOk;
            if ((es = expect(53, a)) != Acad::eOk || (es = expect(43, bx)) != Acad::eOk ||
                (es = expect(44, by)) != Acad::eOk || (es = expect(45, ox)) != Acad::eOk ||
                (es = expect(46, oy)) != Acad::eOk || (es = expect(79, n)) != Acad::eOk)
                return es;
            line.angle = kelvora::degreesToRadians(a.real());
            line.baseX = bx.real();
            line.baseY = by.real();
            line.offsetX = ox.real();
            line.offsetY = oy.real();
            for (long long k = 0; k < n.integer(); ++k) {
                DxfGroup dash;
                if ((es = expect(49, dash)) != Acad::eOk)
                    return es;
                line.dashes.push_back(dash.real());
            }
            lines.push_back(std::move(line));
        }
        d.patternLines = std::move(lines);
        return Acad::eOk;
    }

    Acad::ErrorStatus readSeeds(HatchData& d, long long count)
    {
        if (count < 0)
            return badCount(L"seed points", count);
        d.seeds.clear();
        for (long long i = 0; i < count; ++i) {
            DxfGroup p;
            Acad::ErrorStatus es = expect(10, p);
            if (es != Acad::eOk)
                return es;
            d.seeds.push_back(point2(p));
        }
        return Acad::eOk;
    }

    AcDbDxfFiler* m_filer;
    bool m_splineFitData = false;
};

void writePoint2(AcDbDxfFiler* f, int code, const AcGePoint2d& p)
{
    f->writePoint2d(static_cast<AcDb::DxfCode>(code), p);
}

void writeEdge(AcDbDxfFiler* f, const HatchEdge& e, bool splineFitData)
{
    f->writeInt16(static_cast<AcDb::DxfCode>(72), static_cast<Adesk::Int16>(e.type));
    switch (e.type) {
    case AcDbHatch::kLine:
        writePoint2(f, 10, e.start);
        writePoint2(f, 11, e.end);
        break;
    case AcDbHatch::kCirArc:
        writePoint2(f, 10, e.start);
        f->writeDouble(AcDb::kDxfReal, e.radius);
        f->writeDouble(AcDb::kDxfAngle, kelvora::radiansToDegrees(e.startAngle));
        f->writeDouble(static_cast<AcDb::DxfCode>(51), kelvora::radiansToDegrees(e.endAngle));
        f->writeInt16(static_cast<AcDb::DxfCode>(73), e.ccw ? 1 : 0);
        break;
    case AcDbHatch::kEllArc:
        writePoint2(f, 10, e.start);
        writePoint2(f, 11, e.end);
        f->writeDouble(AcDb::kDxfReal, e.radius);
        f->writeDouble(AcDb::kDxfAngle, kelvora::radiansToDegrees(e.startAngle));
        f->writeDouble(static_cast<AcDb::DxfCode>(51), kelvora::radiansToDegrees(e.endAngle));
        f->writeInt16(static_cast<AcDb::DxfCode>(73), e.ccw ? 1 : 0);
        break;
    default:
        f->writeInt32(static_cast<AcDb::DxfCode>(94), e.degree);
        f->writeInt16(static_cast<AcDb::DxfCode>(73), e.rational ? 1 : 0);
        f->writeInt16(static_cast<AcDb::DxfCode>(74), e.periodic ? 1 : 0);
        f->writeInt32(static_cast<AcDb::DxfCode>(95), static_cast<Adesk::Int32>(e.knots.size()));
        f->writeInt32(static_cast<AcDb::DxfCode>(96), static_cast<Adesk::Int32>(e.controlPoints.size()));
        for (double k : e.knots)
            f->writeDouble(AcDb::kDxfReal, k);
        for (size_t i = 0; i < e.controlPoints.size(); ++i) {
            writePoint2(f, 10, e.controlPoints[i]);
            if (i < e.weights.size())
                f->writeDouble(static_cast<AcDb::DxfCode>(42), e.weights[i]);
        }
        if (splineFitData) {
            f->writeInt32(static_cast<AcDb::DxfCode>(97), static_cast<Adesk::Int32>(e.fitPoints.size()));
            for (const AcGePoint2d& p : e.fitPoints)
                writePoint2(f, 11, p);
            if (!e.fitPoints.empty()) {
                f->writeVector2d(static_cast<AcDb::DxfCode>(12), e.startTangent);
                f->writeVector2d(static_cast<AcDb::DxfCode>(13), e.endTangent);
            }
        }
        break;
    }
}

// ----- DWG helpers -----------------------------------------------------------------------------------

struct DwgWriter {
    AcDbDwgFiler* f;
    void count(size_t n) { f->writeInt32(static_cast<Adesk::Int32>(n)); }
    void point(const AcGePoint2d& p) { f->writePoint2d(p); }
    void real(double v) { f->writeDouble(v); }
};

struct DwgReader {
    AcDbDwgFiler* f;
    Acad::ErrorStatus es = Acad::eOk;
    bool ok() const { return es == Acad::eOk; }
    long long count()
    {
        Adesk::Int32 n = 0;
        if (ok())
            es = f->readInt32(&n);
        if (ok() && n < 0)
            es = Acad::eFilerError;
        return ok() ? n : 0;
    }
    double real()
    {
        double v = 0.0;
        if (ok())
            es = f->readDouble(&v);
        return v;
    }
    AcGePoint2d point()
    {
        AcGePoint2d p;
        if (ok())
            es = f->readPoint2d(&p);
        return p;
    }
    AcGeVector2d vector()
    {
        AcGeVector2d v;
        if (ok())
            es = f->readVector2d(&v);
        return v;
    }
    bool boolean()
    {
        Adesk::Boolean b = false;
        if (ok())
            es = f->readBoolean(&b);
        return b;
    }
    Adesk::Int32 int32()
    {
        Adesk::Int32 v = 0;
        if (ok())
            es = f->readInt32(&v);
        return v;
    }
};

}  // namespace

Acad::ErrorStatus AcDbHatch::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    const HatchData& d = *m_data;
    AcDb::AcDbDwgVersion version = AcDb::kDHL_CURRENT;
    AcDb::MaintenanceReleaseVersion maint = AcDb::kMReleaseCurrent;
    pFiler->dwgVersion(version, maint);
    const bool splineFitData = version >= AcDb::kDHL_1024;
    const bool solid = d.isSolid();
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbHatch");
    pFiler->writePoint3d(AcDb::kDxfXCoord, AcGePoint3d(0.0, 0.0, d.elevation));
    pFiler->writeVector3d(AcDb::kDxfNormalX, d.normal);
    pFiler->writeString(AcDb::kDxfShapeName, d.patternName.c_str());
    pFiler->writeInt16(AcDb::kDxfInt16, solid ? 1 : 0);
    pFiler->writeInt16(AcDb::kDxfViewMode, d.associative ? 1 : 0);
    pFiler->writeInt32(static_cast<AcDb::DxfCode>(91), static_cast<Adesk::Int32>(d.loops.size()));
    for (const HatchLoop& loop : d.loops) {
        pFiler->writeInt32(static_cast<AcDb::DxfCode>(92), loop.type);
        if ((loop.type & kPolyline) != 0) {
            bool bulged = false;
            for (double b : loop.bulges)
                bulged = bulged || std::fabs(b) > 0.0;
            pFiler->writeInt16(static_cast<AcDb::DxfCode>(72), bulged ? 1 : 0);
            pFiler->writeInt16(static_cast<AcDb::DxfCode>(73), loop.closed ? 1 : 0);
            pFiler->writeInt32(static_cast<AcDb::DxfCode>(93), static_cast<Adesk::Int32>(loop.vertices.size()));
            for (size_t i = 0; i < loop.vertices.size(); ++i) {
                writePoint2(pFiler, 10, loop.vertices[i]);
                if (bulged)
                    pFiler->writeDouble(static_cast<AcDb::DxfCode>(42), i < loop.bulges.size() ? loop.bulges[i] : 0.0);
            }
        } else {
            pFiler->writeInt32(static_cast<AcDb::DxfCode>(93), static_cast<Adesk::Int32>(loop.edges.size()));
            for (const HatchEdge& e : loop.edges)
                writeEdge(pFiler, e, splineFitData);
        }
        pFiler->writeInt32(static_cast<AcDb::DxfCode>(97), static_cast<Adesk::Int32>(loop.sources.size()));
        for (const AcDbObjectId& id : loop.sources)
            pFiler->writeObjectId(AcDb::kDxfSoftPointerId, id);
    }
    pFiler->writeInt16(static_cast<AcDb::DxfCode>(75), static_cast<Adesk::Int16>(d.style));
    pFiler->writeInt16(static_cast<AcDb::DxfCode>(76), static_cast<Adesk::Int16>(d.patternType));
    if (!solid) {
        pFiler->writeDouble(static_cast<AcDb::DxfCode>(52), kelvora::radiansToDegrees(d.patternAngle));
        pFiler->writeDouble(AcDb::kDxfTxtStyleXScale,
                            d.patternType == kUserDefined ? d.patternSpace : d.patternScale);  // 41
        pFiler->writeInt16(static_cast<AcDb::DxfCode>(77), d.patternDouble ? 1 : 0);
        pFiler->writeInt16(static_cast<AcDb::DxfCode>(78), static_cast<Adesk::Int16>(d.patternLines.size()));
        for (const kelvora::PatternLine& line : d.patternLines) {
            pFiler->writeDouble(static_cast<AcDb::DxfCode>(53), kelvora::radiansToDegrees(line.angle));
            pFiler->writeDouble(static_cast<AcDb::DxfCode>(43), line.baseX);
            pFiler->writeDouble(static_cast<AcDb::DxfCode>(44), line.baseY);
            pFiler->writeDouble(static_cast<AcDb::DxfCode>(45), line.offsetX);
            pFiler->writeDouble(static_cast<AcDb::DxfCode>(46), line.offsetY);
            pFiler->writeInt16(static_cast<AcDb::DxfCode>(79), static_cast<Adesk::Int16>(line.dashes.size()));
            for (double dash : line.dashes)
                pFiler->writeDouble(static_cast<AcDb::DxfCode>(49), dash);
        }
    }
    if (d.hasPixelSize)
        pFiler->writeDouble(static_cast<AcDb::DxfCode>(47), d.pixelSize);
    pFiler->writeInt32(static_cast<AcDb::DxfCode>(98), static_cast<Adesk::Int32>(d.seeds.size()));
    for (const AcGePoint2d& p : d.seeds)
        writePoint2(pFiler, 10, p);
    if (d.gradient != nullptr)
        kelvora::writeResbufsToDxf(pFiler, d.gradient);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbHatch::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    auto read = std::make_unique<HatchData>();
    HatchReader reader(pFiler);
    if ((es = reader.read(*read)) != Acad::eOk)
        return es;
    AcGeVector3d unit;
    if (!kelvora::unitNormal(read->normal, unit))
        unit = AcGeVector3d::kZAxis;
    read->normal = unit;
    m_data = std::move(read);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    const HatchData& d = *m_data;
    DwgWriter w{pFiler};
    pFiler->writeDouble(d.elevation);
    pFiler->writeVector3d(d.normal);
    pFiler->writeString(d.patternName.c_str());
    pFiler->writeInt32(d.patternType);
    pFiler->writeBoolean(d.associative);
    pFiler->writeInt32(d.style);
    pFiler->writeInt32(d.objectType);
    pFiler->writeDouble(d.patternAngle);
    pFiler->writeDouble(d.patternScale);
    pFiler->writeDouble(d.patternSpace);
    pFiler->writeBoolean(d.patternDouble);
    pFiler->writeBoolean(d.hasPixelSize);
    pFiler->writeDouble(d.pixelSize);
    w.count(d.loops.size());
    for (const HatchLoop& loop : d.loops) {
        pFiler->writeInt32(loop.type);
        pFiler->writeBoolean(loop.closed);
        w.count(loop.vertices.size());
        for (size_t i = 0; i < loop.vertices.size(); ++i) {
            w.point(loop.vertices[i]);
            w.real(i < loop.bulges.size() ? loop.bulges[i] : 0.0);
        }
        w.count(loop.edges.size());
        for (const HatchEdge& e : loop.edges) {
            pFiler->writeInt32(e.type);
            w.point(e.start);
            w.point(e.end);
            w.real(e.radius);
            w.real(e.startAngle);
            w.real(e.endAngle);
            pFiler->writeBoolean(e.ccw);
            pFiler->writeInt32(e.degree);
            pFiler->writeBoolean(e.rational);
            pFiler->writeBoolean(e.periodic);
            w.count(e.knots.size());
            for (double k : e.knots)
                w.real(k);
            w.count(e.controlPoints.size());
            for (const AcGePoint2d& p : e.controlPoints)
                w.point(p);
            w.count(e.weights.size());
            for (double x : e.weights)
                w.real(x);
            w.count(e.fitPoints.size());
            for (const AcGePoint2d& p : e.fitPoints)
                w.point(p);
            pFiler->writeVector2d(e.startTangent);
            pFiler->writeVector2d(e.endTangent);
        }
        w.count(loop.sources.size());
        for (const AcDbObjectId& id : loop.sources)
            pFiler->writeSoftPointerId(id);
    }
    w.count(d.patternLines.size());
    for (const kelvora::PatternLine& line : d.patternLines) {
        w.real(line.angle);
        w.real(line.baseX);
        w.real(line.baseY);
        w.real(line.offsetX);
        w.real(line.offsetY);
        w.count(line.dashes.size());
        for (double dash : line.dashes)
            w.real(dash);
    }
    w.count(d.seeds.size());
    for (const AcGePoint2d& p : d.seeds)
        w.point(p);
    kelvora::writeResbufList(pFiler, d.gradient);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbHatch::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    auto d = std::make_unique<HatchData>();
    DwgReader r{pFiler};
    d->elevation = r.real();
    if (r.ok())
        r.es = pFiler->readVector3d(&d->normal);
    if (r.ok() && (r.es = kelvora::readWString(pFiler, d->patternName)) != Acad::eOk)
        return r.es;
    d->patternType = static_cast<HatchPatternType>(std::clamp<Adesk::Int32>(r.int32(), 0, 2));
    d->associative = r.boolean();
    d->style = static_cast<HatchStyle>(std::clamp<Adesk::Int32>(r.int32(), 0, 2));
    d->objectType = static_cast<HatchObjectType>(std::clamp<Adesk::Int32>(r.int32(), 0, 1));
    d->patternAngle = r.real();
    d->patternScale = r.real();
    d->patternSpace = r.real();
    d->patternDouble = r.boolean();
    d->hasPixelSize = r.boolean();
    d->pixelSize = r.real();
    long long loops = r.count();
    for (long long i = 0; i < loops && r.ok(); ++i) {
        HatchLoop loop;
        loop.type = r.int32();
        loop.closed = r.boolean();
        long long vertices = r.count();
        for (long long k = 0; k < vertices && r.ok(); ++k) {
            loop.vertices.push_back(r.point());
            loop.bulges.push_back(r.real());
        }
        long long edges = r.count();
        for (long long k = 0; k < edges && r.ok(); ++k) {
            HatchEdge e;
            e.type = r.int32();
            e.start = r.point();
            e.end = r.point();
            e.radius = r.real();
            e.startAngle = r.real();
            e.endAngle = r.real();
            e.ccw = r.boolean();
            e.degree = r.int32();
            e.rational = r.boolean();
            e.periodic = r.boolean();
            for (long long n = r.count(), j = 0; j < n && r.ok(); ++j)
                e.knots.push_back(r.real());
            for (long long n = r.count(), j = 0; j < n && r.ok(); ++j)
                e.controlPoints.push_back(r.point());
            for (long long n = r.count(), j = 0; j < n && r.ok(); ++j)
                e.weights.push_back(r.real());
            for (long long n = r.count(), j = 0; j < n && r.ok(); ++j)
                e.fitPoints.push_back(r.point());
            e.startTangent = r.vector();
            e.endTangent = r.vector();
            loop.edges.push_back(std::move(e));
        }
        long long sources = r.count();
        for (long long k = 0; k < sources && r.ok(); ++k) {
            AcDbSoftPointerId id;
            r.es = pFiler->readSoftPointerId(&id);
            loop.sources.push_back(id);
        }
        d->loops.push_back(std::move(loop));
    }
    long long lines = r.count();
    for (long long i = 0; i < lines && r.ok(); ++i) {
        kelvora::PatternLine line;
        line.angle = r.real();
        line.baseX = r.real();
        line.baseY = r.real();
        line.offsetX = r.real();
        line.offsetY = r.real();
        for (long long n = r.count(), j = 0; j < n && r.ok(); ++j)
            line.dashes.push_back(r.real());
        d->patternLines.push_back(std::move(line));
    }
    for (long long n = r.count(), j = 0; j < n && r.ok(); ++j)
        d->seeds.push_back(r.point());
    if (!r.ok())
        return r.es;
    if ((es = kelvora::readResbufList(pFiler, d->gradient)) != Acad::eOk)
        return es;
    m_data = std::move(d);
    return Acad::eOk;
}

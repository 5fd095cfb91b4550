// DXF and DWG filing of the entities: LWPOLYLINE groups, round trips of every class, foreign groups, malformed counts, wrong item types.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>

#include "dbapserv.h"
#include "dbelipse.h"
#include "dbents.h"
#include "dbhatch.h"
#include "dbpl.h"
#include "dbproxy.h"
#include "dbray.h"
#include "dbspline.h"
#include "dbsymtb.h"
#include "dbxline.h"
#include "entity_test_support.h"
#include "kelvora/item_dxf_filer.h"
#include "kelvora/memory_filer.h"
#include "kelvora/resbuf_util.h"

using entitytest::expectNear;

namespace {

// The groups an object writes (dxfOutFields), for comparisons.
std::unique_ptr<kelvora::ItemListDxfFiler> dxfOf(const AcDbObject* obj)
{
    auto filer = std::make_unique<kelvora::ItemListDxfFiler>(obj->database());
    EXPECT_EQ(obj->dxfOutFields(filer.get()), Acad::eOk);
    return filer;
}

// Reals come back within rounding: angles go through degrees, OCS points through a rotation.
constexpr double kRealTolerance = 1e-12;

bool nearlyEqual(double a, double b)
{
    return std::fabs(a - b) <= kRealTolerance * std::max({1.0, std::fabs(a), std::fabs(b)});
}

void expectSameGroups(kelvora::ItemListDxfFiler& a, kelvora::ItemListDxfFiler& b, const char* name)
{
    ASSERT_EQ(a.itemCount(), b.itemCount()) << name;
    for (int i = 0; i < a.itemCount(); ++i) {
        resbuf x = *a.itemAt(i);
        resbuf y = *b.itemAt(i);
        x.rbnext = nullptr;
        y.rbnext = nullptr;
        ASSERT_EQ(x.restype, y.restype) << name << ": group " << i;
        switch (kelvora::resbufValueKind(x.restype)) {
        case kelvora::ResbufValueKind::kReal:
            EXPECT_TRUE(nearlyEqual(x.resval.rreal, y.resval.rreal)) << name << ": group " << i << " (code " << x.restype << ")";
            break;
        case kelvora::ResbufValueKind::kPoint:
            for (int k = 0; k < 3; ++k)
                EXPECT_TRUE(nearlyEqual(x.resval.rpoint[k], y.resval.rpoint[k]))
                    << name << ": group " << i << " (code " << x.restype << ")";
            break;
        default:
            EXPECT_TRUE(kelvora::resbufListsEqual(&x, &y)) << name << ": group " << i << " (code " << x.restype << ")";
            break;
        }
    }
}

int findGroup(kelvora::ItemListDxfFiler& f, int code, int from = 0)
{
    return f.find(code, from);
}

// ----- Entities for the round trips ------------------------------------------------------------------

AcDbEntity* makePolyline()
{
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, AcGePoint2d(1, 2), 0.5, 0.1, 0.2);
    pl->addVertexAt(1, AcGePoint2d(5, 2), -0.25);
    pl->addVertexAt(2, AcGePoint2d(5, 8));
    pl->setClosed(true);
    pl->setElevation(3.0);
    pl->setThickness(1.5);
    pl->setNormal(AcGeVector3d(0, 0.6, 0.8));
    return pl;
}

AcDbEntity* makeLine()
{
    auto* line = new AcDbLine(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 5, 6));
    line->setThickness(2.0);
    return line;
}

AcDbEntity* makeArc()
{
    return new AcDbArc(AcGePoint3d(3, 4, 5), AcGeVector3d(0.6, 0, 0.8), 2.5, 0.25, 4.0);
}

AcDbEntity* makeCircle()
{
    return new AcDbCircle(AcGePoint3d(-3, 4, 0), AcGeVector3d::kZAxis, 7.0);
}

AcDbEntity* makePoint()
{
    auto* point = new AcDbPoint(AcGePoint3d(1, 1, 1));
    point->setEcsRotation(0.5);
    return point;
}

AcDbEntity* makeText()
{
    auto* text = new AcDbText(AcGePoint3d(10, 20, 0), L"Lot 12 ", AcDbObjectId::kNull, 2.5, 0.3);
    text->setHorizontalMode(AcDb::kTextCenter);
    text->setVerticalMode(AcDb::kTextVertMid);
    text->setAlignmentPoint(AcGePoint3d(15, 20, 0));
    text->setWidthFactor(0.8);
    return text;
}

AcDbEntity* makeAttdef()
{
    auto* def = new AcDbAttributeDefinition(AcGePoint3d(1, 2, 0), L"default", L"TAG", L"Give it", AcDbObjectId::kNull);
    def->setHeight(1.0);
    def->setInvisible(Adesk::kTrue);
    def->setFieldLength(12);
    return def;
}

AcDbEntity* makeAttribute()
{
    auto* attr = new AcDbAttribute(AcGePoint3d(1, 2, 0), L"value", L"TAG", AcDbObjectId::kNull);
    attr->setHeight(1.0);
    attr->setVerticalMode(AcDb::kTextTop);
    attr->setHorizontalMode(AcDb::kTextRight);
    attr->setAlignmentPoint(AcGePoint3d(4, 2, 0));
    return attr;
}

AcDbEntity* makeEllipse()
{
    return new AcDbEllipse(AcGePoint3d(1, 2, 0), AcGeVector3d::kZAxis, AcGeVector3d(4, 0, 0), 0.5, 0.3, 2.0);
}

AcDbEntity* makeSpline()
{
    AcGePoint3dArray pts;
    for (int i = 0; i < 5; ++i)
        pts.append(AcGePoint3d(i, (i % 2) * 2.0, 0));
    AcGeDoubleArray knots;
    for (double k : {0.0, 0.0, 0.0, 0.0, 0.5, 1.0, 1.0, 1.0, 1.0})
        knots.append(k);
    AcGeDoubleArray weights;
    for (double w : {1.0, 2.0, 1.0, 0.5, 1.0})
        weights.append(w);
    return new AcDbSpline(3, Adesk::kTrue, Adesk::kFalse, Adesk::kFalse, pts, knots, weights);
}

// Closed smoothly through one period of knots, as the SPLINE command's "C" makes it.
AcDbEntity* makePeriodicSpline()
{
    AcGePoint3dArray pts;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {4.0, 0.0}, {4.0, 4.0}, {0.0, 4.0}})
        pts.append(AcGePoint3d(x, y, 0));
    AcGeDoubleArray knots;
    for (double k : {0.0, 1.0, 2.0, 3.0, 4.0})
        knots.append(k);
    auto* spline = new AcDbSpline(3, Adesk::kFalse, Adesk::kTrue, Adesk::kTrue, pts, knots, AcGeDoubleArray());
    EXPECT_FALSE(spline->isNull());
    EXPECT_TRUE(spline->isClosed());
    EXPECT_TRUE(spline->isPeriodic());
    return spline;
}

AcDbEntity* makeFitSpline()
{
    AcGePoint3dArray fit;
    for (int i = 0; i < 6; ++i)
        fit.append(AcGePoint3d(i * 2.0, std::sin(i), 0));
    return new AcDbSpline(fit, 4, 0.0);
}

AcDbEntity* makeRay()
{
    auto* ray = new AcDbRay();
    ray->setBasePoint(AcGePoint3d(1, 2, 3));
    ray->setUnitDir(AcGeVector3d(1, 1, 0));
    return ray;
}

AcDbEntity* makeXline()
{
    auto* xline = new AcDbXline();
    xline->setBasePoint(AcGePoint3d(-1, 2, 0));
    xline->setUnitDir(AcGeVector3d(0, 1, 0));
    return xline;
}

AcDbEntity* makeHatch()
{
    auto* hatch = new AcDbHatch();
    hatch->setPattern(AcDbHatch::kUserDefined, L"_USER");
    hatch->setPatternAngle(0.5);
    hatch->setPatternSpace(2.0);
    AcGePoint2dArray outer;
    AcGeDoubleArray bulges;
    for (auto [x, y, b] : {std::tuple{0.0, 0.0, 0.0}, {20.0, 0.0, 0.5}, {20.0, 20.0, 0.0}, {0.0, 20.0, 0.0}}) {
        outer.append(AcGePoint2d(x, y));
        bulges.append(b);
    }
    hatch->appendLoop(AcDbHatch::kExternal, outer, bulges);
    AcGeLineSeg2d a(AcGePoint2d(5, 5), AcGePoint2d(10, 5));
    AcGeCircArc2d b(AcGePoint2d(10, 7.5), 2.5, -std::numbers::pi / 2.0, std::numbers::pi / 2.0);
    AcGeLineSeg2d c(AcGePoint2d(10, 10), AcGePoint2d(5, 5));
    AcGeVoidPointerArray edges;
    edges.append(&a);
    edges.append(&b);
    edges.append(&c);
    AcGeIntArray types;
    types.append(AcDbHatch::kLine);
    types.append(AcDbHatch::kCirArc);
    types.append(AcDbHatch::kLine);
    hatch->appendLoop(AcDbHatch::kDefault, edges, types);
    return hatch;
}

AcDbEntity* make2dVertex()
{
    auto* v = new AcDb2dVertex(AcGePoint3d(1, 2, 0), 0.3, 0.1, 0.2);
    v->setVertexType(AcDb::k2dSplineCtlVertex);
    return v;
}

AcDbEntity* make2dPolyline()
{
    AcGePoint3dArray pts;
    pts.append(AcGePoint3d(0, 0, 0));
    pts.append(AcGePoint3d(3, 1, 0));
    auto* pl = new AcDb2dPolyline(AcDb::k2dSimplePoly, pts, 2.0, Adesk::kTrue, 0.1, 0.2);
    pl->setLinetypeGenerationOn();
    return pl;
}

// A reference to a block of the working database (made on first use).
AcDbEntity* makeBlockReference()
{
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTable* table = nullptr;
    db->getBlockTable(table, AcDb::kForWrite);
    AcDbObjectId blockId;
    if (table->getAt(L"SYMBOL", blockId) != Acad::eOk) {
        auto* block = new AcDbBlockTableRecord();
        block->setName(L"SYMBOL");
        table->add(blockId, block);
        block->close();
    }
    table->close();
    auto* ref = new AcDbBlockReference(AcGePoint3d(4, 5, 6), blockId);
    ref->setScaleFactors(AcGeScale3d(2.0, 3.0, 1.0));
    ref->setRotation(0.75);
    return ref;
}

struct RoundTripCase {
    const char* name;
    AcDbEntity* (*make)();
};

std::string caseName(const ::testing::TestParamInfo<RoundTripCase>& info)
{
    return info.param.name;
}

}  // namespace

class EntityRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

// Writing, reading into a new object and writing again gives the same groups.
TEST_P(EntityRoundTrip, DxfKeepsEveryGroup)
{
    entitytest::WorkingDatabase db;
    const RoundTripCase& c = GetParam();
    std::unique_ptr<AcDbEntity> original(c.make());
    auto first = dxfOf(original.get());
    first->rewindFiler();
    std::unique_ptr<AcDbEntity> copy(AcDbEntity::cast(original->isA()->create()));
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->dxfInFields(first.get()), Acad::eOk) << c.name;
    auto second = dxfOf(copy.get());
    expectSameGroups(*first, *second, c.name);
}

TEST_P(EntityRoundTrip, DwgKeepsEveryField)
{
    entitytest::WorkingDatabase db;
    const RoundTripCase& c = GetParam();
    std::unique_ptr<AcDbEntity> original(c.make());
    kelvora::MemoryDwgFiler filer(AcDb::kCopyFiler);
    ASSERT_EQ(original->dwgOutFields(&filer), Acad::eOk);
    filer.rewind();
    std::unique_ptr<AcDbEntity> copy(AcDbEntity::cast(original->isA()->create()));
    ASSERT_EQ(copy->dwgInFields(&filer), Acad::eOk) << c.name;
    auto a = dxfOf(original.get());
    auto b = dxfOf(copy.get());
    expectSameGroups(*a, *b, c.name);
}

INSTANTIATE_TEST_SUITE_P(Filing, EntityRoundTrip,
                         ::testing::Values(RoundTripCase{"lwpolyline", &makePolyline}, RoundTripCase{"line", &makeLine},
                                           RoundTripCase{"arc", &makeArc}, RoundTripCase{"circle", &makeCircle},
                                           RoundTripCase{"point", &makePoint}, RoundTripCase{"text", &makeText},
                                           RoundTripCase{"attdef", &makeAttdef},
                                           RoundTripCase{"attribute", &makeAttribute},
                                           RoundTripCase{"ellipse", &makeEllipse},
                                           RoundTripCase{"spline", &makeSpline},
                                           RoundTripCase{"fit_spline", &makeFitSpline},
                                           RoundTripCase{"periodic_spline", &makePeriodicSpline},
                                           RoundTripCase{"ray", &makeRay}, RoundTripCase{"xline", &makeXline},
                                           RoundTripCase{"hatch", &makeHatch},
                                           RoundTripCase{"vertex", &make2dVertex},
                                           RoundTripCase{"polyline2d", &make2dPolyline},
                                           RoundTripCase{"block_reference", &makeBlockReference}),
                         caseName);

// ----- LWPOLYLINE groups -----------------------------------------------------------------------------

TEST(PolylineDxf, WritesTheLwpolylineGroups)
{
    std::unique_ptr<AcDbEntity> pl(makePolyline());
    auto f = dxfOf(pl.get());
    int marker = -1;
    for (int i = 0; i < f->itemCount(); ++i)
        if (f->itemAt(i)->restype == 100 && std::wstring(f->itemAt(i)->resval.rstring) == L"AcDbPolyline")
            marker = i;
    ASSERT_GE(marker, 0);
    int count = findGroup(*f, 90, marker);
    ASSERT_GE(count, 0);
    EXPECT_EQ(f->itemAt(count)->resval.rlong, 3);
    EXPECT_EQ(f->itemAt(findGroup(*f, 70, marker))->resval.rint, 1);
    EXPECT_DOUBLE_EQ(f->itemAt(findGroup(*f, 38, marker))->resval.rreal, 3.0);
    EXPECT_DOUBLE_EQ(f->itemAt(findGroup(*f, 39, marker))->resval.rreal, 1.5);
    int firstPoint = findGroup(*f, 10, marker);
    ASSERT_GE(firstPoint, 0);
    EXPECT_DOUBLE_EQ(f->itemAt(firstPoint)->resval.rpoint[0], 1.0);
    EXPECT_DOUBLE_EQ(f->itemAt(firstPoint + 1)->resval.rreal, 0.1);  // 40
    EXPECT_DOUBLE_EQ(f->itemAt(firstPoint + 2)->resval.rreal, 0.2);  // 41
    EXPECT_DOUBLE_EQ(f->itemAt(firstPoint + 3)->resval.rreal, 0.5);  // 42
    EXPECT_EQ(findGroup(*f, 43, marker), -1);  // widths differ: no constant width
    int normal = findGroup(*f, 210, marker);
    ASSERT_GE(normal, 0);
    EXPECT_DOUBLE_EQ(f->itemAt(normal)->resval.rpoint[1], 0.6);
}

TEST(PolylineDxf, ConstantWidthAndVertexIdentifiers)
{
    kelvora::ItemListDxfFiler f;
    f.appendString(100, L"AcDbEntity");
    f.appendString(8, L"0");
    f.appendString(100, L"AcDbPolyline");
    f.appendInt(90, 2);
    f.appendInt(70, 128);
    f.appendReal(43, 0.7);
    f.appendPoint(10, AcGePoint3d(0, 0, 0));
    f.appendInt(91, 17);
    f.appendPoint(10, AcGePoint3d(3, 4, 0));
    f.appendReal(40, 0.1);
    f.appendReal(41, 0.2);
    f.rewindFiler();
    AcDbPolyline pl;
    ASSERT_EQ(pl.dxfInFields(&f), Acad::eOk);
    EXPECT_TRUE(pl.isPlinegen());
    EXPECT_FALSE(pl.isClosed());
    double sw = 0.0;
    double ew = 0.0;
    pl.getWidthsAt(0, sw, ew);
    EXPECT_DOUBLE_EQ(sw, 0.7);  // no width of its own: the constant width
    pl.getWidthsAt(1, sw, ew);
    EXPECT_DOUBLE_EQ(sw, 0.1);
    EXPECT_DOUBLE_EQ(ew, 0.2);
}

TEST(PolylineDxf, ReadingStopsAtAForeignGroupAndPushesItBack)
{
    std::unique_ptr<AcDbEntity> source(makePolyline());
    auto f = dxfOf(source.get());
    f->appendString(100, L"NSPOLY");
    f->appendString(1, L"Lot ");
    f->rewindFiler();
    AcDbPolyline pl;
    ASSERT_EQ(pl.dxfInFields(f.get()), Acad::eOk);
    EXPECT_EQ(pl.numVerts(), 3u);
    // The derived class finds its own marker next.
    EXPECT_TRUE(f->atSubclassData(L"NSPOLY"));
    resbuf rb{};
    ASSERT_EQ(f->readResBuf(&rb), Acad::eOk);
    EXPECT_EQ(rb.restype, 1);
    EXPECT_EQ(std::wstring(rb.resval.rstring), L"Lot ");
    delete[] rb.resval.rstring;
}

TEST(PolylineDxf, AVertexCountThatDisagreesIsMalformed)
{
    kelvora::ItemListDxfFiler f;
    f.appendString(100, L"AcDbPolyline");
    f.appendInt(90, 3);
    f.appendPoint(10, AcGePoint3d(0, 0, 0));
    f.appendPoint(10, AcGePoint3d(1, 0, 0));
    f.rewindFiler();
    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(9, 9));
    EXPECT_EQ(pl.dxfInFields(&f), Acad::eBadDxfSequence);
    EXPECT_EQ(pl.numVerts(), 1u);  // unchanged
    EXPECT_NE(std::wstring(f.errorMessage()).find(L"3"), std::wstring::npos);
}

TEST(PolylineDxf, R12StyleGroupsWithoutSubclassMarkersAreRead)
{
    kelvora::ItemListDxfFiler f;
    f.appendString(8, L"0");
    f.appendPoint(10, AcGePoint3d(1, 1, 0));
    f.appendPoint(11, AcGePoint3d(2, 3, 0));
    f.rewindFiler();
    AcDbLine line;
    ASSERT_EQ(line.dxfInFields(&f), Acad::eOk);
    expectNear(line.endPoint(), AcGePoint3d(2, 3, 0));
}

// ----- DWG: items of the wrong type ------------------------------------------------------------------

TEST(PolylineDwg, ReadingItemsOfAnotherTypeFailsAndChangesNothing)
{
    AcDbLine line(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 5, 6));
    kelvora::MemoryDwgFiler filer(AcDb::kCopyFiler);
    ASSERT_EQ(line.dwgOutFields(&filer), Acad::eOk);
    filer.rewind();
    std::unique_ptr<AcDbEntity> pl(makePolyline());
    auto* polyline = AcDbPolyline::cast(pl.get());
    // The polyline's first item is a 32-bit count, the line's a point: the read must stop there.
    EXPECT_NE(polyline->dwgInFields(&filer), Acad::eOk);
    EXPECT_EQ(polyline->numVerts(), 3u);
    EXPECT_DOUBLE_EQ(polyline->elevation(), 3.0);
}

TEST(PolylineDwg, OlderLayoutWithAnItemBeforeThePolylineIsRecognised)
{
    // The module's surface reads its polyline fields, and on failure goes back and reads a 16-bit
    // item first (the older order).
    std::unique_ptr<AcDbEntity> source(makePolyline());
    kelvora::MemoryDwgFiler filer(AcDb::kCopyFiler);
    filer.writeInt16(256);
    ASSERT_EQ(source->dwgOutFields(&filer), Acad::eOk);
    filer.rewind();
    AcDbPolyline pl;
    Adesk::Int64 start = filer.tell();
    EXPECT_NE(pl.dwgInFields(&filer), Acad::eOk);
    ASSERT_EQ(filer.seek(start, AcDb::kSeekFromStart), Acad::eOk);
    Adesk::Int16 reserved = 0;
    ASSERT_EQ(filer.readInt16(&reserved), Acad::eOk);
    EXPECT_EQ(reserved, 256);
    ASSERT_EQ(pl.dwgInFields(&filer), Acad::eOk);
    EXPECT_EQ(pl.numVerts(), 3u);
    EXPECT_TRUE(pl.isClosed());
}

TEST(PolylineDwg, AStreamThatEndsEarlyFailsCleanly)
{
    std::unique_ptr<AcDbEntity> source(makePolyline());
    kelvora::MemoryDwgFiler filer(AcDb::kCopyFiler);
    ASSERT_EQ(source->dwgOutFields(&filer), Acad::eOk);
    filer.rewind();
    AcDbPolyline first;
    ASSERT_EQ(first.dwgInFields(&filer), Acad::eOk);
    AcDbPolyline second;
    second.addVertexAt(0, AcGePoint2d(7, 7));
    EXPECT_EQ(second.dwgInFields(&filer), Acad::eEndOfFile);
    EXPECT_EQ(second.numVerts(), 1u);
}

// ----- Proxies ---------------------------------------------------------------------------------------

TEST(Proxy, KeepsTheGroupsAndRebuildsTheOriginal)
{
    entitytest::WorkingDatabase db;
    // What a reader without the polyline's class would keep of a polyline.
    std::unique_ptr<AcDbEntity> source(makePolyline());
    auto groups = dxfOf(source.get());
    groups->rewindFiler();
    AcDbProxyEntity proxy;
    proxy.setOriginalClass(L"AcDbPolyline", L"LWPOLYLINE", L"ObjectDBX Classes", AcDbProxyEntity::kEraseAllowed);
    ASSERT_EQ(proxy.dxfInFields(groups.get()), Acad::eOk);
    auto written = dxfOf(&proxy);
    expectSameGroups(*groups, *written, "proxy");
    std::unique_ptr<AcDbEntity> rebuilt(proxy.createOriginal());
    ASSERT_NE(rebuilt, nullptr);
    auto* pl = AcDbPolyline::cast(rebuilt.get());
    ASSERT_NE(pl, nullptr);
    EXPECT_EQ(pl->numVerts(), 3u);
    EXPECT_DOUBLE_EQ(pl->elevation(), 3.0);
    // Through the DWG filing (copies, undo) too.
    kelvora::MemoryDwgFiler filer(AcDb::kCopyFiler);
    ASSERT_EQ(proxy.dwgOutFields(&filer), Acad::eOk);
    filer.rewind();
    AcDbProxyEntity copy;
    ASSERT_EQ(copy.dwgInFields(&filer), Acad::eOk);
    EXPECT_EQ(std::wstring(copy.originalDxfName()), L"LWPOLYLINE");
    auto again = dxfOf(&copy);
    expectSameGroups(*groups, *again, "proxy copy");
}

TEST(Proxy, AnAbsentClassGivesNoOriginal)
{
    AcDbProxyEntity proxy;
    proxy.setOriginalClass(L"NoSuchClass", L"NOSUCH", L"app", 0);
    EXPECT_EQ(proxy.createOriginal(), nullptr);
    EXPECT_EQ(proxy.transformBy(AcGeMatrix3d::kIdentity), Acad::eNotApplicable);
}

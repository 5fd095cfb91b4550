// AcDbHatch::appendLoop and getLoopAt with elliptic-arc and spline edges: given back equal, filled, filed.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <ostream>
#include <string>

#include "dbhatch.h"
#include "entity_test_support.h"
#include "gearc2d.h"
#include "geell2d.h"
#include "gelnsg2d.h"
#include "genurb2d.h"
#include "kelvora/item_dxf_filer.h"
#include "kelvora/memory_filer.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The edges of one loop, owned here, in the form appendLoop takes.
struct Edges {
    std::vector<std::unique_ptr<AcGeEntity2d>> curves;
    AcGeVoidPointerArray ptrs;
    AcGeIntArray types;

    void add(AcGeEntity2d* curve, int type)
    {
        curves.emplace_back(curve);
        ptrs.append(curve);
        types.append(type);
    }
};

// What getLoopAt hands over, deleted by type as a caller must.
struct ReturnedEdges {
    AcGeVoidPointerArray ptrs;
    AcGeIntArray types;

    ~ReturnedEdges()
    {
        for (int i = 0; i < ptrs.length(); ++i) {
            switch (types[i]) {
            case AcDbHatch::kLine:
                delete static_cast<AcGeLineSeg2d*>(ptrs[i]);
                break;
            case AcDbHatch::kCirArc:
                delete static_cast<AcGeCircArc2d*>(ptrs[i]);
                break;
            case AcDbHatch::kEllArc:
                delete static_cast<AcGeEllipArc2d*>(ptrs[i]);
                break;
            case AcDbHatch::kSpline:
                delete static_cast<AcGeNurbCurve2d*>(ptrs[i]);
                break;
            default:
                break;
            }
        }
    }
    const AcGeEntity2d& at(int i) const
    {
        switch (types[i]) {
        case AcDbHatch::kLine:
            return *static_cast<const AcGeLineSeg2d*>(ptrs[i]);
        case AcDbHatch::kCirArc:
            return *static_cast<const AcGeCircArc2d*>(ptrs[i]);
        case AcDbHatch::kEllArc:
            return *static_cast<const AcGeEllipArc2d*>(ptrs[i]);
        default:
            return *static_cast<const AcGeNurbCurve2d*>(ptrs[i]);
        }
    }
};

struct LoopRow {
    const char* name;
    bool clockwise;  // the ellipse turns clockwise and the loop runs the other way round
    bool rational;   // the spline is given with (equal) weights
};

std::ostream& operator<<(std::ostream& os, const LoopRow& r) { return os << r.name; }

// The upper half of the ellipse about the origin with radii 4 (along X) and 2, closed below by the
// sides x = -4 and x = 4 down to y = -2 and the quadratic spline from (-4, -2) pulled to (0, -6).
// Its area: half the ellipse, the 8 x 2 rectangle, and two thirds of the 8 x 2 box of the parabola.
const double kLoopArea = 4.0 * kPi + 16.0 + 32.0 / 3.0;

AcGeNurbCurve2d parabola(bool reversed, bool rational)
{
    AcGeDoubleArray k;
    for (double v : {0.0, 0.0, 0.0, 1.0, 1.0, 1.0})
        k.append(v);
    AcGePoint2dArray pts;
    pts.append(AcGePoint2d(reversed ? 4 : -4, -2));
    pts.append(AcGePoint2d(0, -6));
    pts.append(AcGePoint2d(reversed ? -4 : 4, -2));
    AcGeDoubleArray w;
    if (rational)
        for (int i = 0; i < 3; ++i)
            w.append(2.0);
    return AcGeNurbCurve2d(2, AcGeKnotVector(k), pts, w);
}

void buildLoop(const LoopRow& r, Edges& edges)
{
    if (!r.clockwise) {
        edges.add(new AcGeEllipArc2d(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, AcGeVector2d::kYAxis, 4, 2, 0, kPi),
                  AcDbHatch::kEllArc);
        edges.add(new AcGeLineSeg2d(AcGePoint2d(-4, 0), AcGePoint2d(-4, -2)), AcDbHatch::kLine);
        edges.add(new AcGeNurbCurve2d(parabola(false, r.rational)), AcDbHatch::kSpline);
        edges.add(new AcGeLineSeg2d(AcGePoint2d(4, -2), AcGePoint2d(4, 0)), AcDbHatch::kLine);
    } else {
        edges.add(new AcGeEllipArc2d(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, -AcGeVector2d::kYAxis, 4, 2, kPi,
                                     2 * kPi),
                  AcDbHatch::kEllArc);
        edges.add(new AcGeLineSeg2d(AcGePoint2d(4, 0), AcGePoint2d(4, -2)), AcDbHatch::kLine);
        edges.add(new AcGeNurbCurve2d(parabola(true, r.rational)), AcDbHatch::kSpline);
        edges.add(new AcGeLineSeg2d(AcGePoint2d(-4, -2), AcGePoint2d(-4, 0)), AcDbHatch::kLine);
    }
}

void expectSameLoop(const AcDbHatch& hatch, const Edges& given)
{
    Adesk::Int32 type = 0;
    ReturnedEdges back;
    ASSERT_EQ(hatch.getLoopAt(0, type, back.ptrs, back.types), Acad::eOk);
    EXPECT_EQ(type, AcDbHatch::kExternal);
    ASSERT_EQ(back.types.length(), given.types.length());
    for (int i = 0; i < given.types.length(); ++i) {
        ASSERT_EQ(back.types[i], given.types[i]) << i;
        ASSERT_NE(back.ptrs[i], nullptr) << i;
        EXPECT_TRUE(back.at(i).isEqualTo(*given.curves[static_cast<size_t>(i)])) << "edge " << i;
    }
}

class HatchCurvedLoop : public testing::TestWithParam<LoopRow> {};

TEST_P(HatchCurvedLoop, GetLoopAtGivesTheEdgesBack)
{
    entitytest::WorkingDatabase db;
    Edges edges;
    buildLoop(GetParam(), edges);
    AcDbHatch hatch;
    ASSERT_EQ(hatch.appendLoop(AcDbHatch::kExternal, edges.ptrs, edges.types), Acad::eOk);
    ASSERT_EQ(hatch.numLoops(), 1);
    expectSameLoop(hatch, edges);
}

TEST_P(HatchCurvedLoop, SolidFillCoversTheCurvedRegion)
{
    entitytest::WorkingDatabase db;
    Edges edges;
    buildLoop(GetParam(), edges);
    AcDbHatch hatch;
    ASSERT_EQ(hatch.setPattern(AcDbHatch::kPreDefined, L"SOLID"), Acad::eOk);
    ASSERT_EQ(hatch.appendLoop(AcDbHatch::kExternal, edges.ptrs, edges.types), Acad::eOk);
    ASSERT_EQ(hatch.evaluateHatch(), Acad::eOk);
    double area = 0.0;
    ASSERT_EQ(hatch.getArea(area), Acad::eOk);
    // The loops are flattened for the area to a millionth of the hatch's size.
    EXPECT_NEAR(area, kLoopArea, kLoopArea * 1e-4);
    AcDbExtents ext;
    ASSERT_EQ(hatch.getGeomExtents(ext), Acad::eOk);
    EXPECT_NEAR(ext.maxPoint().y, 2.0, 1e-3);  // the ellipse's top
    EXPECT_NEAR(ext.minPoint().y, -4.0, 1e-3);  // the parabola's bottom
}

TEST_P(HatchCurvedLoop, DxfRoundTripKeepsTheEdges)
{
    entitytest::WorkingDatabase db;
    Edges edges;
    buildLoop(GetParam(), edges);
    AcDbHatch hatch;
    ASSERT_EQ(hatch.appendLoop(AcDbHatch::kExternal, edges.ptrs, edges.types), Acad::eOk);
    kelvora::ItemListDxfFiler filer;
    filer.setDwgVersion(AcDb::kDHL_1024);
    ASSERT_EQ(hatch.dxfOutFields(&filer), Acad::eOk);
    filer.rewindFiler();
    AcDbHatch copy;
    ASSERT_EQ(copy.dxfInFields(&filer), Acad::eOk);
    ASSERT_EQ(copy.numLoops(), 1);
    expectSameLoop(copy, edges);
}

TEST_P(HatchCurvedLoop, DwgRoundTripKeepsTheEdges)
{
    entitytest::WorkingDatabase db;
    Edges edges;
    buildLoop(GetParam(), edges);
    AcDbHatch hatch;
    ASSERT_EQ(hatch.appendLoop(AcDbHatch::kExternal, edges.ptrs, edges.types), Acad::eOk);
    kelvora::MemoryDwgFiler filer(AcDb::kCopyFiler);
    ASSERT_EQ(hatch.dwgOutFields(&filer), Acad::eOk);
    filer.rewind();
    AcDbHatch copy;
    ASSERT_EQ(copy.dwgInFields(&filer), Acad::eOk);
    expectSameLoop(copy, edges);
}

INSTANTIATE_TEST_SUITE_P(Hatch, HatchCurvedLoop,
                         testing::Values(LoopRow{"CounterClockwiseEllipse", false, false},
                                         LoopRow{"ClockwiseEllipse", true, false},
                                         LoopRow{"RationalSpline", false, true}),
                         [](const testing::TestParamInfo<LoopRow>& info) { return std::string(info.param.name); });

}  // namespace

// A DXF ellipse edge holds the major axis and a ratio of at most 1: an ellipse given with the longer
// radius on its minor axis comes back turned a quarter, through the same points the same way.
TEST(HatchCurvedEdgesAppend, LongerMinorRadiusComesBackAsTheMajorAxis)
{
    entitytest::WorkingDatabase db;
    AcGeEllipArc2d tall(AcGePoint2d(1, 1), AcGeVector2d::kXAxis, AcGeVector2d::kYAxis, 1.0, 3.0, 0.0, kPi);
    AcGeLineSeg2d chord(tall.endPoint(), tall.startPoint());
    AcGeVoidPointerArray ptrs;
    AcGeIntArray types;
    ptrs.append(&tall);
    types.append(AcDbHatch::kEllArc);
    ptrs.append(&chord);
    types.append(AcDbHatch::kLine);
    AcDbHatch hatch;
    ASSERT_EQ(hatch.appendLoop(AcDbHatch::kExternal, ptrs, types), Acad::eOk);
    Adesk::Int32 type = 0;
    ReturnedEdges back;
    ASSERT_EQ(hatch.getLoopAt(0, type, back.ptrs, back.types), Acad::eOk);
    ASSERT_EQ(back.types[0], AcDbHatch::kEllArc);
    const auto& e = *static_cast<const AcGeEllipArc2d*>(back.ptrs[0]);
    EXPECT_DOUBLE_EQ(e.majorRadius(), 3.0);
    EXPECT_DOUBLE_EQ(e.minorRadius(), 1.0);
    EXPECT_FALSE(e.isClockWise());
    entitytest::expectNear(AcGePoint2d::kOrigin + e.majorAxis(), AcGePoint2d(0, 1));
    entitytest::expectNear(e.startPoint(), AcGePoint2d(2, 1));
    entitytest::expectNear(e.endPoint(), AcGePoint2d(0, 1));
    entitytest::expectNear(e.evalPoint(0.5 * (e.startAng() + e.endAng())), AcGePoint2d(1, 4));
}

struct BadEdgeRow {
    const char* name;
    int type;
    std::shared_ptr<AcGeEntity2d> curve;  // null: a null pointer given
};

std::ostream& operator<<(std::ostream& os, const BadEdgeRow& r) { return os << r.name; }

class HatchBadEdge : public testing::TestWithParam<BadEdgeRow> {};

// A bad edge anywhere refuses the whole loop: the hatch keeps the loops it had.
TEST_P(HatchBadEdge, RefusedAndHatchUnchanged)
{
    entitytest::WorkingDatabase db;
    const BadEdgeRow& r = GetParam();
    AcGeLineSeg2d line(AcGePoint2d(0, 0), AcGePoint2d(5, 0));
    AcGeVoidPointerArray ptrs;
    AcGeIntArray types;
    ptrs.append(&line);
    types.append(AcDbHatch::kLine);
    ptrs.append(r.curve.get());
    types.append(r.type);
    AcDbHatch hatch;
    EXPECT_EQ(hatch.appendLoop(AcDbHatch::kExternal, ptrs, types), Acad::eInvalidInput);
    EXPECT_EQ(hatch.numLoops(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Hatch, HatchBadEdge,
    testing::Values(
        BadEdgeRow{"NullEllipse", AcDbHatch::kEllArc, nullptr},
        BadEdgeRow{"NullSpline", AcDbHatch::kSpline, nullptr},
        BadEdgeRow{"EllipseWithoutSize", AcDbHatch::kEllArc,
                   std::make_shared<AcGeEllipArc2d>(AcGePoint2d(0, 0), AcGeVector2d::kXAxis, AcGeVector2d::kYAxis,
                                                    0.0, 0.0)},
        // A cubic without knots or control points: its data make no curve.
        BadEdgeRow{"SplineWithoutData", AcDbHatch::kSpline,
                   std::make_shared<AcGeNurbCurve2d>(3, AcGeKnotVector(), AcGePoint2dArray())},
        BadEdgeRow{"UnknownEdgeType", 7,
                   std::make_shared<AcGeLineSeg2d>(AcGePoint2d(5, 0), AcGePoint2d(0, 0))}),
    [](const testing::TestParamInfo<BadEdgeRow>& info) { return std::string(info.param.name); });

// Entity operations: transform (mirror turns bulges), explode, extents with arcs, snaps, grips, stretch, offsets, drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "dbelipse.h"
#include "dbents.h"
#include "dbgrip.h"
#include "dbhatch.h"
#include "dbpl.h"
#include "dbspline.h"
#include "dbsymtb.h"
#include "entity_test_support.h"
#include "geplane.h"
#include "kelvora/gi_recorder.h"

using entitytest::expectNear;

namespace {

constexpr double kPi = std::numbers::pi;

struct Owned {
    AcDbVoidPtrArray array;
    ~Owned()
    {
        for (void* p : array)
            delete static_cast<AcDbEntity*>(p);
    }
    AcDbEntity* at(int i) const { return static_cast<AcDbEntity*>(array[i]); }
};

void bulgedPolyline(AcDbPolyline& pl)
{
    pl.addVertexAt(0, AcGePoint2d(0, 0), 1.0, 0.5, 0.5);  // half circle below (0,0)-(10,0)
    pl.addVertexAt(1, AcGePoint2d(10, 0), 0.0, 0.5, 0.5);
    pl.addVertexAt(2, AcGePoint2d(10, 10));
}

}  // namespace

// ----- Transform -------------------------------------------------------------------------------------

TEST(PolylineTransform, MirrorTurnsBulgesAndKeepsTheNormal)
{
    AcDbPolyline pl;
    bulgedPolyline(pl);
    AcGeMatrix3d mirror;
    mirror.setToMirroring(AcGePlane(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis));
    ASSERT_EQ(pl.transformBy(mirror), Acad::eOk);
    EXPECT_TRUE(pl.normal().isEqualTo(AcGeVector3d::kZAxis));
    double bulge = 0.0;
    pl.getBulgeAt(0, bulge);
    EXPECT_DOUBLE_EQ(bulge, -1.0);
    AcGePoint3d p;
    ASSERT_EQ(pl.getPointAtParam(0.5, p), Acad::eOk);
    expectNear(p, AcGePoint3d(-5, -5, 0));  // the half circle still hangs below
}

TEST(PolylineTransform, ScalingScalesWidthsAndMovesTheElevation)
{
    AcDbPolyline pl;
    bulgedPolyline(pl);
    pl.setElevation(1.0);
    ASSERT_EQ(pl.transformBy(AcGeMatrix3d::scaling(3.0, AcGePoint3d(0, 0, 0))), Acad::eOk);
    double sw = 0.0;
    double ew = 0.0;
    pl.getWidthsAt(0, sw, ew);
    EXPECT_DOUBLE_EQ(sw, 1.5);
    EXPECT_DOUBLE_EQ(pl.elevation(), 3.0);
    AcGePoint2d v;
    pl.getPointAt(2, v);
    expectNear(v, AcGePoint2d(30, 30));
}

TEST(PolylineTransform, RotationIntoAnotherPlaneGivesANewNormal)
{
    AcDbPolyline pl;
    bulgedPolyline(pl);
    AcGeMatrix3d turn = AcGeMatrix3d::rotation(kPi / 2.0, AcGeVector3d::kXAxis);
    AcGePoint3d before;
    pl.getPointAtParam(0.5, before);
    ASSERT_EQ(pl.transformBy(turn), Acad::eOk);
    EXPECT_TRUE(pl.normal().isEqualTo(AcGeVector3d(0, -1, 0)));
    AcGePoint3d after;
    pl.getPointAtParam(0.5, after);
    expectNear(after, turn * before);
}

TEST(PolylineTransform, NonUniformScalingOfArcsIsRefused)
{
    AcDbPolyline pl;
    bulgedPolyline(pl);
    AcGeMatrix3d stretch;
    stretch.entry[0][0] = 2.0;
    EXPECT_EQ(pl.transformBy(stretch), Acad::eNotApplicable);
    AcDbPolyline straight;
    straight.addVertexAt(0, AcGePoint2d(1, 1));
    straight.addVertexAt(1, AcGePoint2d(2, 3));
    ASSERT_EQ(straight.transformBy(stretch), Acad::eOk);
    AcGePoint2d p;
    straight.getPointAt(1, p);
    expectNear(p, AcGePoint2d(4, 3));
}

// ----- Explode ---------------------------------------------------------------------------------------

TEST(PolylineExplode, LinesAndArcsWithThePolylinesProperties)
{
    entitytest::WorkingDatabase db;
    AcDbPolyline pl;
    bulgedPolyline(pl);
    pl.setColorIndex(5);
    pl.setThickness(2.0);
    Owned parts;
    ASSERT_EQ(pl.explode(parts.array), Acad::eOk);
    ASSERT_EQ(parts.array.length(), 2);
    auto* arc = AcDbArc::cast(parts.at(0));
    ASSERT_NE(arc, nullptr);
    expectNear(arc->center(), AcGePoint3d(5, 0, 0));
    EXPECT_NEAR(arc->radius(), 5.0, 1e-12);
    EXPECT_NEAR(arc->startAngle(), kPi, 1e-12);
    EXPECT_NEAR(arc->endAngle(), 0.0, 1e-12);
    EXPECT_EQ(arc->colorIndex(), 5);
    EXPECT_DOUBLE_EQ(arc->thickness(), 2.0);
    auto* line = AcDbLine::cast(parts.at(1));
    ASSERT_NE(line, nullptr);
    expectNear(line->endPoint(), AcGePoint3d(10, 10, 0));
}

TEST(PolylineExplode, AClockwiseArcBecomesACounterClockwiseArcOverTheSamePoints)
{
    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(0, 0), -1.0);
    pl.addVertexAt(1, AcGePoint2d(10, 0));
    Owned parts;
    ASSERT_EQ(pl.explode(parts.array), Acad::eOk);
    auto* arc = AcDbArc::cast(parts.at(0));
    ASSERT_NE(arc, nullptr);
    AcGePoint3d mid;
    arc->getPointAtParam(arc->startAngle() + arc->totalAngle() / 2.0, mid);
    expectNear(mid, AcGePoint3d(5, 5, 0));
}

// ----- Extents, snaps, grips, stretch ---------------------------------------------------------------

TEST(PolylineExtents, IncludeTheArcsExtremes)
{
    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(0, 0), 1.0);
    pl.addVertexAt(1, AcGePoint2d(10, 0));
    AcDbExtents box;
    ASSERT_EQ(pl.getGeomExtents(box), Acad::eOk);
    expectNear(box.minPoint(), AcGePoint3d(0, -5, 0));
    expectNear(box.maxPoint(), AcGePoint3d(10, 0, 0));
}

TEST(PolylineSnaps, EndMidCentreNearestPerpendicular)
{
    AcDbPolyline pl;
    bulgedPolyline(pl);
    auto snap = [&](AcDb::OsnapMode mode, const AcGePoint3d& pick, const AcGePoint3d& last) {
        AcGePoint3dArray pts;
        AcDbIntArray ids;
        EXPECT_EQ(pl.getOsnapPoints(mode, 0, pick, last, AcGeMatrix3d::kIdentity, pts, ids), Acad::eOk);
        return pts;
    };
    EXPECT_EQ(snap(AcDb::kOsModeEnd, AcGePoint3d(), AcGePoint3d()).length(), 3);
    AcGePoint3dArray mids = snap(AcDb::kOsModeMid, AcGePoint3d(), AcGePoint3d());
    ASSERT_EQ(mids.length(), 2);
    expectNear(mids[0], AcGePoint3d(5, -5, 0));  // the middle of the arc, not of its chord
    AcGePoint3dArray centres = snap(AcDb::kOsModeCen, AcGePoint3d(), AcGePoint3d());
    ASSERT_EQ(centres.length(), 1);
    expectNear(centres[0], AcGePoint3d(5, 0, 0));
    AcGePoint3dArray near = snap(AcDb::kOsModeNear, AcGePoint3d(12, 4, 0), AcGePoint3d());
    ASSERT_EQ(near.length(), 1);
    expectNear(near[0], AcGePoint3d(10, 4, 0));
    AcGePoint3dArray perp = snap(AcDb::kOsModePerp, AcGePoint3d(), AcGePoint3d(20, 7, 0));
    ASSERT_GE(perp.length(), 1);
    expectNear(perp[perp.length() - 1], AcGePoint3d(10, 7, 0));
}

TEST(PolylineGrips, VerticesMoveInThePlane)
{
    AcDbPolyline pl;
    bulgedPolyline(pl);
    AcGePoint3dArray grips;
    AcDbIntArray modes;
    AcDbIntArray ids;
    ASSERT_EQ(pl.getGripPoints(grips, modes, ids), Acad::eOk);
    ASSERT_EQ(grips.length(), 3);
    AcDbIntArray which;
    which.append(2);
    ASSERT_EQ(pl.moveGripPointsAt(which, AcGeVector3d(1, 2, 5)), Acad::eOk);
    AcGePoint3d p;
    pl.getPointAt(2, p);
    expectNear(p, AcGePoint3d(11, 12, 0));  // the part along the normal is dropped
    which.append(9);
    EXPECT_EQ(pl.moveStretchPointsAt(which, AcGeVector3d(1, 0, 0)), Acad::eInvalidIndex);
    pl.getPointAt(2, p);
    expectNear(p, AcGePoint3d(11, 12, 0));
}

TEST(PolylineGrips, GripDataFormRoundTripsThroughTheIndexForm)
{
    AcDbPolyline pl;
    bulgedPolyline(pl);
    AcDbGripDataPtrArray grips;
    ASSERT_EQ(pl.getGripPoints(grips, 1.0, 3, AcGeVector3d::kZAxis, 0), Acad::eOk);
    ASSERT_EQ(grips.length(), 3);
    AcDbVoidPtrArray data;
    data.append(grips[1]->appData());
    ASSERT_EQ(pl.moveGripPointsAt(data, AcGeVector3d(0, 1, 0), 0), Acad::eOk);
    AcGePoint3d p;
    pl.getPointAt(1, p);
    expectNear(p, AcGePoint3d(10, 1, 0));
    for (AcDbGripData* g : grips)
        delete g;
}

// ----- Offsets ---------------------------------------------------------------------------------------

TEST(Offset, SquareOffsetsOutwardsToTheRightOfACounterClockwiseRun)
{
    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(0, 0));
    pl.addVertexAt(1, AcGePoint2d(10, 0));
    pl.addVertexAt(2, AcGePoint2d(10, 10));
    pl.addVertexAt(3, AcGePoint2d(0, 10));
    pl.setClosed(true);
    Owned out;
    ASSERT_EQ(pl.getOffsetCurves(1.0, out.array), Acad::eOk);
    ASSERT_EQ(out.array.length(), 1);
    auto* offset = AcDbPolyline::cast(out.at(0));
    ASSERT_EQ(offset->numVerts(), 4u);
    AcGePoint2d p;
    offset->getPointAt(0, p);
    expectNear(p, AcGePoint2d(-1, -1));
    offset->getPointAt(2, p);
    expectNear(p, AcGePoint2d(11, 11));
    double area = 0.0;
    offset->getArea(area);
    EXPECT_NEAR(area, 144.0, 1e-9);
}

TEST(Offset, ArcsAndCirclesChangeTheirRadius)
{
    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 2.0);
    Owned out;
    ASSERT_EQ(circle.getOffsetCurves(0.5, out.array), Acad::eOk);
    EXPECT_DOUBLE_EQ(AcDbCircle::cast(out.at(0))->radius(), 2.5);
    Owned none;
    EXPECT_EQ(circle.getOffsetCurves(-3.0, none.array), Acad::eNotApplicable);
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    Owned lines;
    ASSERT_EQ(line.getOffsetCurves(2.0, lines.array), Acad::eOk);
    expectNear(AcDbLine::cast(lines.at(0))->startPoint(), AcGePoint3d(0, -2, 0));
}

// ----- Ellipse and splines ---------------------------------------------------------------------------

TEST(Ellipse, SplineOfTheEllipseHasItsPoints)
{
    AcDbEllipse ellipse(AcGePoint3d(1, 2, 0), AcGeVector3d::kZAxis, AcGeVector3d(3, 4, 0), 0.4, 0.0, 2.0 * kPi);
    AcDbSpline* spline = nullptr;
    ASSERT_EQ(ellipse.getSpline(spline), Acad::eOk);
    ASSERT_NE(spline, nullptr);
    EXPECT_TRUE(spline->isRational());
    EXPECT_EQ(spline->degree(), 2);
    EXPECT_TRUE(spline->isClosed());
    // Every sampled point of the spline satisfies the ellipse's equation in its own axes.
    const double a = 5.0;
    const double b = 2.0;
    AcGeVector3d major(0.6, 0.8, 0);
    AcGeVector3d minor(-0.8, 0.6, 0);
    AcGePoint3dArray pts;
    spline->nurbs().getSamplePoints(50, pts);
    for (const AcGePoint3d& p : pts) {
        AcGeVector3d v = p - AcGePoint3d(1, 2, 0);
        double u = v.dotProduct(major) / a;
        double w = v.dotProduct(minor) / b;
        EXPECT_NEAR(u * u + w * w, 1.0, 1e-12);
    }
    delete spline;
}

TEST(Ellipse, ParametersAnglesAndLength)
{
    AcDbEllipse circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(2, 0, 0), 1.0);
    double length = 0.0;
    double end = 0.0;
    circle.getEndParam(end);
    ASSERT_EQ(circle.getDistAtParam(end, length), Acad::eOk);
    EXPECT_NEAR(length, 4.0 * kPi, 1e-12);
    AcDbEllipse flat(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(2, 0, 0), 0.5);
    // The point at 45 degrees from the centre is at a parameter beyond 45 degrees.
    EXPECT_GT(flat.paramAtAngle(kPi / 4.0), kPi / 4.0);
    EXPECT_NEAR(flat.angleAtParam(flat.paramAtAngle(1.0)), 1.0, 1e-12);
    double area = 0.0;
    flat.getArea(area);
    EXPECT_NEAR(area, kPi * 2.0 * 1.0, 1e-12);
    double param = 0.0;
    ASSERT_EQ(flat.getParamAtDist(1.0, param), Acad::eOk);
    double back = 0.0;
    flat.getDistAtParam(param, back);
    EXPECT_NEAR(back, 1.0, 1e-9);
}

TEST(Spline, NurbsDataAndValidation)
{
    AcGePoint3dArray pts;
    pts.append(AcGePoint3d(0, 0, 0));
    pts.append(AcGePoint3d(1, 2, 0));
    pts.append(AcGePoint3d(3, 2, 0));
    pts.append(AcGePoint3d(4, 0, 0));
    AcGeDoubleArray knots;
    for (double k : {0.0, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0})
        knots.append(k);
    AcDbSpline spline(3, Adesk::kFalse, Adesk::kFalse, Adesk::kFalse, pts, knots, AcGeDoubleArray());
    EXPECT_FALSE(spline.isNull());
    AcGePoint3d start;
    spline.getStartPoint(start);
    expectNear(start, AcGePoint3d(0, 0, 0));
    AcGeDoubleArray badKnots;
    badKnots.append(0.0);
    EXPECT_EQ(spline.setNurbsData(3, Adesk::kFalse, Adesk::kFalse, Adesk::kFalse, pts, badKnots, AcGeDoubleArray()),
              Acad::eInvalidInput);
    EXPECT_EQ(spline.numControlPoints(), 4);  // unchanged
    AcDbSpline empty;
    EXPECT_TRUE(empty.isNull());
    int degree = 0;
    Adesk::Boolean rational = false;
    Adesk::Boolean closed = false;
    Adesk::Boolean periodic = false;
    AcGePoint3dArray cps;
    AcGeDoubleArray k;
    AcGeDoubleArray w;
    double t1 = 0.0;
    double t2 = 0.0;
    EXPECT_EQ(empty.getNurbsData(degree, rational, closed, periodic, cps, k, w, t1, t2), Acad::eNotApplicable);
}

TEST(Spline, FitPointsAreInterpolated)
{
    AcGePoint3dArray fit;
    for (int i = 0; i < 7; ++i)
        fit.append(AcGePoint3d(i, std::sin(i * 0.7) * 3.0, 0));
    AcDbSpline spline(fit);
    ASSERT_FALSE(spline.isNull());
    EXPECT_TRUE(spline.hasFitData());
    for (const AcGePoint3d& p : fit) {
        double param = 0.0;
        EXPECT_EQ(spline.getParamAtPoint(p, param), Acad::eOk);
    }
}

// ----- Hatch -----------------------------------------------------------------------------------------

TEST(Hatch, SolidFillWithAnIslandAndItsArea)
{
    AcDbHatch hatch;
    ASSERT_EQ(hatch.setPattern(AcDbHatch::kPreDefined, L"SOLID"), Acad::eOk);
    AcGePoint2dArray outer;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {10.0, 0.0}, {10.0, 10.0}, {0.0, 10.0}, {0.0, 0.0}})
        outer.append(AcGePoint2d(x, y));
    AcGeDoubleArray noBulges;
    ASSERT_EQ(hatch.appendLoop(AcDbHatch::kExternal, outer, noBulges), Acad::eOk);
    AcGePoint2dArray island;
    AcGeDoubleArray bulges;
    island.append(AcGePoint2d(4, 5));
    bulges.append(1.0);
    island.append(AcGePoint2d(6, 5));
    bulges.append(1.0);  // a disc of radius 1
    ASSERT_EQ(hatch.appendLoop(16, island, bulges), Acad::eOk);
    EXPECT_EQ(hatch.numLoops(), 2);
    EXPECT_TRUE(hatch.isSolidFill());
    ASSERT_EQ(hatch.evaluateHatch(), Acad::eOk);
    double area = 0.0;
    ASSERT_EQ(hatch.getArea(area), Acad::eOk);
    EXPECT_NEAR(area, 100.0 - kPi, 1e-4);
    AcGePoint2dArray vertices;
    AcGeDoubleArray readBulges;
    Adesk::Int32 type = 0;
    ASSERT_EQ(hatch.getLoopAt(1, type, vertices, readBulges), Acad::eOk);
    EXPECT_EQ(type & AcDbHatch::kPolyline, AcDbHatch::kPolyline);
    EXPECT_EQ(type & 16, 16);
    EXPECT_DOUBLE_EQ(readBulges[0], 1.0);
}

TEST(Hatch, DrawsOneFilledPolygonWithItsIslandsBridged)
{
    entitytest::WorkingDatabase db;
    AcDbHatch hatch;
    hatch.setPattern(AcDbHatch::kPreDefined, L"SOLID");
    AcGePoint2dArray outer;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {10.0, 0.0}, {10.0, 10.0}, {0.0, 10.0}})
        outer.append(AcGePoint2d(x, y));
    hatch.appendLoop(AcDbHatch::kExternal, outer, AcGeDoubleArray());
    AcGePoint2dArray hole;
    for (auto [x, y] : {std::pair{2.0, 2.0}, {4.0, 2.0}, {4.0, 4.0}, {2.0, 4.0}})
        hole.append(AcGePoint2d(x, y));
    hatch.appendLoop(AcDbHatch::kDefault, hole, AcGeDoubleArray());
    kelvora::GiRecorder recorder(db.get());
    recorder.drawEntity(&hatch);
    ASSERT_EQ(recorder.primitives().size(), 1u);
    const kelvora::GiPrimitive& p = recorder.primitives().front();
    EXPECT_EQ(p.kind, kelvora::GiPrimitiveKind::kPolygon);
    EXPECT_EQ(p.traits.fillType, kAcGiFillAlways);
    EXPECT_EQ(p.points.size(), 4u + 1u + 4u + 1u + 1u);
}

TEST(Hatch, UserPatternLinesAreClippedByTheLoops)
{
    AcDbHatch hatch;
    hatch.setPattern(AcDbHatch::kUserDefined, L"_USER");
    hatch.setPatternSpace(1.0);
    AcGePoint2dArray outer;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {10.0, 0.0}, {10.0, 10.0}, {0.0, 10.0}})
        outer.append(AcGePoint2d(x, y));
    hatch.appendLoop(AcDbHatch::kExternal, outer, AcGeDoubleArray());
    ASSERT_EQ(hatch.evaluateHatch(), Acad::eOk);
    // Horizontal lines one unit apart across a 10 x 10 square: y = 1 .. 9 inside (0 and 10 on edges).
    ASSERT_GE(hatch.numHatchLines(), 9);
    for (int i = 0; i < hatch.numHatchLines(); ++i) {
        AcGePoint2d a;
        AcGePoint2d b;
        hatch.getHatchLineDataAt(i, a, b);
        EXPECT_NEAR(a.x, 0.0, 1e-9);
        EXPECT_NEAR(b.x, 10.0, 1e-9);
        EXPECT_NEAR(a.y, b.y, 1e-12);
    }
    AcDbHatch empty;
    EXPECT_EQ(empty.evaluateHatch(), Acad::eInvalidInput);
    Adesk::Int32 type = 0;
    AcGePoint2dArray vertices;
    AcGeDoubleArray bulges;
    EXPECT_EQ(empty.getLoopAt(0, type, vertices, bulges), Acad::eInvalidIndex);
}

// ----- Curves of the other classes ------------------------------------------------------------------

TEST(Arc, ParametersAreAngles)
{
    AcDbArc arc(AcGePoint3d(0, 0, 0), 2.0, 3.0 * kPi / 2.0, kPi / 2.0);  // through angle 0
    double start = 0.0;
    double end = 0.0;
    arc.getStartParam(start);
    arc.getEndParam(end);
    EXPECT_DOUBLE_EQ(start, 3.0 * kPi / 2.0);
    EXPECT_DOUBLE_EQ(end, 5.0 * kPi / 2.0);
    double param = 0.0;
    ASSERT_EQ(arc.getParamAtPoint(AcGePoint3d(2, 0, 0), param), Acad::eOk);
    EXPECT_NEAR(param, 2.0 * kPi, 1e-12);
    double dist = 0.0;
    ASSERT_EQ(arc.getDistAtParam(2.0 * kPi, dist), Acad::eOk);
    EXPECT_NEAR(dist, kPi, 1e-12);
    EXPECT_EQ(arc.getParamAtPoint(AcGePoint3d(-2, 0, 0), param), Acad::eInvalidInput);  // on the circle, off the arc
    double area = 0.0;
    arc.getArea(area);
    EXPECT_NEAR(area, 2.0 * kPi, 1e-12);  // half a disc of radius 2
}

TEST(Line, ParametersAreDistances)
{
    AcDbLine line(AcGePoint3d(1, 1, 0), AcGePoint3d(4, 5, 0));
    double end = 0.0;
    line.getEndParam(end);
    EXPECT_DOUBLE_EQ(end, 5.0);
    AcGePoint3d p;
    ASSERT_EQ(line.getPointAtParam(2.5, p), Acad::eOk);
    expectNear(p, AcGePoint3d(2.5, 3, 0));
    ASSERT_EQ(line.extend(10.0), Acad::eOk);
    expectNear(line.endPoint(), AcGePoint3d(7, 9, 0));
}

// ----- Old-style polylines and block references -----------------------------------------------------

TEST(Polyline2d, CurveRunsOverItsNonControlVertices)
{
    AcDb2dPolyline pl;
    pl.appendVertex(new AcDb2dVertex(AcGePoint3d(0, 0, 0), 1.0));
    auto* control = new AcDb2dVertex(AcGePoint3d(50, 50, 0));
    control->setVertexType(AcDb::k2dSplineCtlVertex);
    pl.appendVertex(control);
    pl.appendVertex(new AcDb2dVertex(AcGePoint3d(10, 0, 0)));
    double end = 0.0;
    ASSERT_EQ(pl.getEndParam(end), Acad::eOk);
    EXPECT_DOUBLE_EQ(end, 1.0);
    AcGePoint3d p;
    ASSERT_EQ(pl.getPointAtParam(0.5, p), Acad::eOk);
    expectNear(p, AcGePoint3d(5, -5, 0));
    int count = 0;
    AcDbObjectIterator* it = pl.vertexIterator();
    for (; !it->done(); it->step())
        ++count;
    delete it;
    EXPECT_EQ(count, 3);
}

TEST(Polyline2d, OpenVertexRefusesAnotherPolylinesVertexAndOtherObjects)
{
    entitytest::WorkingDatabase db;
    AcDbObjectId ids[2];
    for (AcDbObjectId& id : ids) {
        auto* pl = new AcDb2dPolyline();
        pl->appendVertex(new AcDb2dVertex(AcGePoint3d(0, 0, 0)));
        pl->appendVertex(new AcDb2dVertex(AcGePoint3d(1, 0, 0)));
        id = entitytest::addToModelSpace(db.get(), pl);
        ASSERT_FALSE(id.isNull());
    }
    AcDb2dPolyline* other = nullptr;
    ASSERT_EQ(acdbOpenObject(other, ids[1], AcDb::kForRead), Acad::eOk);
    AcDbObjectIterator* it = other->vertexIterator();
    const AcDbObjectId foreignVertex = it->objectId();
    delete it;
    other->close();
    AcDb2dPolyline* first = nullptr;
    ASSERT_EQ(acdbOpenObject(first, ids[0], AcDb::kForRead), Acad::eOk);
    AcDb2dVertex* v = nullptr;
    EXPECT_EQ(first->openVertex(v, foreignVertex, AcDb::kForRead), Acad::eInvalidInput);
    EXPECT_EQ(v, nullptr);
    EXPECT_EQ(first->openVertex(v, ids[1], AcDb::kForRead), Acad::eInvalidInput) << "a polyline is no vertex";
    EXPECT_EQ(v, nullptr);
    first->close();
    // The refused vertex was closed again: it opens for write.
    AcDb2dVertex* again = nullptr;
    ASSERT_EQ(acdbOpenObject(again, foreignVertex, AcDb::kForWrite), Acad::eOk);
    again->close();
}

TEST(Polyline2d, VerticesJoinTheDatabaseWithTheirPolylineAndConvert)
{
    entitytest::WorkingDatabase db;
    auto* pl = new AcDb2dPolyline();
    pl->appendVertex(new AcDb2dVertex(AcGePoint3d(0, 0, 0)));
    pl->appendVertex(new AcDb2dVertex(AcGePoint3d(3, 4, 0)));
    AcDbObjectId id = entitytest::addToModelSpace(db.get(), pl);
    ASSERT_FALSE(id.isNull());
    AcDb2dPolyline* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, id, AcDb::kForRead), Acad::eOk);
    AcDbObjectIterator* it = opened->vertexIterator();
    std::vector<AcDbObjectId> vertices;
    for (; !it->done(); it->step())
        vertices.push_back(it->objectId());
    delete it;
    ASSERT_EQ(vertices.size(), 2u);
    AcDb2dVertex* v = nullptr;
    ASSERT_EQ(opened->openVertex(v, vertices[1], AcDb::kForRead), Acad::eOk);
    expectNear(v->position(), AcGePoint3d(3, 4, 0));
    EXPECT_EQ(v->ownerId(), id);
    v->close();
    AcDbSequenceEnd* seqEnd = nullptr;
    EXPECT_EQ(opened->openSequenceEnd(seqEnd, AcDb::kForRead), Acad::eOk);
    if (seqEnd != nullptr)
        seqEnd->close();
    opened->close();

    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
    auto* lw = new AcDbPolyline();
    ASSERT_EQ(lw->convertFrom(ent, Adesk::kTrue), Acad::eOk);
    EXPECT_EQ(ent, lw);
    EXPECT_EQ(lw->objectId(), id);
    EXPECT_EQ(lw->numVerts(), 2u);
    lw->close();
    EXPECT_TRUE(vertices[0].isErased());
}

TEST(BlockReference, TransformDrawAndExplode)
{
    entitytest::WorkingDatabase db;
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db.get()->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord();
    block->setName(L"MARK");
    block->setOrigin(AcGePoint3d(1, 0, 0));
    AcDbObjectId blockId;
    ASSERT_EQ(table->add(blockId, block), Acad::eOk);
    table->close();
    auto* line = new AcDbLine(AcGePoint3d(1, 0, 0), AcGePoint3d(2, 0, 0));
    ASSERT_EQ(block->appendAcDbEntity(line), Acad::eOk);
    line->close();
    block->close();

    AcDbBlockReference ref(AcGePoint3d(10, 10, 0), blockId);
    ref.setScaleFactors(AcGeScale3d(2.0));
    ref.setRotation(kPi / 2.0);
    // The block's origin goes to the position; the line's far end is 1 unit away, scaled and turned.
    AcGePoint3d far = ref.blockTransform() * AcGePoint3d(2, 0, 0);
    expectNear(far, AcGePoint3d(10, 12, 0));
    Owned parts;
    ASSERT_EQ(ref.explode(parts.array), Acad::eOk);
    ASSERT_EQ(parts.array.length(), 1);
    expectNear(AcDbLine::cast(parts.at(0))->endPoint(), AcGePoint3d(10, 12, 0));
    kelvora::GiRecorder recorder(db.get());
    recorder.drawEntity(&ref);
    ASSERT_EQ(recorder.primitives().size(), 1u);
    expectNear(recorder.primitives().front().points[1], AcGePoint3d(10, 12, 0));
    ASSERT_EQ(ref.setBlockTransform(ref.blockTransform()), Acad::eOk);
    EXPECT_NEAR(ref.rotation(), kPi / 2.0, 1e-12);
    EXPECT_NEAR(ref.scaleFactors().sx, 2.0, 1e-12);
}

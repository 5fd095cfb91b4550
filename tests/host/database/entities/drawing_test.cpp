// What the entities draw (straight runs as polylines, arcs as arcs, ellipses and splines sampled) and what LIST prints.
#include <gtest/gtest.h>

#include <numbers>
#include <string>

#include "dbelipse.h"
#include "dbents.h"
#include "dbpl.h"
#include "entity_test_support.h"
#include "kelvora/gi_recorder.h"
#include "kelvora/host_output.h"

using entitytest::expectNear;
using kelvora::GiPrimitiveKind;

namespace {

std::wstring g_printed;

void capture(const ACHAR* text)
{
    g_printed += text;
}

// Sends the host's command-line output to g_printed for the test's life.
class CapturedOutput {
public:
    CapturedOutput()
    {
        g_printed.clear();
        kelvora::setHostTextSink(&capture);
    }
    ~CapturedOutput() { kelvora::setHostTextSink(nullptr); }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;
};

}  // namespace

TEST(PolylineDrawing, StraightRunsAsPolylinesAndArcsAsArcs)
{
    entitytest::WorkingDatabase db;
    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(0, 0));
    pl.addVertexAt(1, AcGePoint2d(10, 0));
    pl.addVertexAt(2, AcGePoint2d(10, 10), 1.0);  // half circle to (0, 10)
    pl.addVertexAt(3, AcGePoint2d(0, 10));
    pl.setClosed(true);
    kelvora::GiRecorder recorder(db.get());
    recorder.drawEntity(&pl);
    const auto& prims = recorder.primitives();
    ASSERT_EQ(prims.size(), 3u);
    EXPECT_EQ(prims[0].kind, GiPrimitiveKind::kPolyline);
    ASSERT_EQ(prims[0].points.size(), 3u);
    expectNear(prims[0].points[2], AcGePoint3d(10, 10, 0));
    ASSERT_EQ(prims[1].kind, GiPrimitiveKind::kCircularArc);
    expectNear(prims[1].points[0], AcGePoint3d(5, 10, 0));
    EXPECT_NEAR(prims[1].radius, 5.0, 1e-12);
    EXPECT_EQ(prims[2].kind, GiPrimitiveKind::kPolyline);  // the closing segment
    ASSERT_EQ(prims[2].points.size(), 2u);
    expectNear(prims[2].points[1], AcGePoint3d(0, 0, 0));
    AcDbExtents box;
    ASSERT_TRUE(recorder.extents(box));
    expectNear(box.maxPoint(), AcGePoint3d(10, 15, 0));  // the arc rises to y = 15
}

TEST(PolylineDrawing, SaveAsDrawsTheOutlineOfTheClassItself)
{
    entitytest::WorkingDatabase db;
    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(0, 0));
    pl.addVertexAt(1, AcGePoint2d(1, 1));
    kelvora::GiRecorder recorder(db.get());
    pl.saveAs(&recorder, AcDb::k2007Save);
    ASSERT_EQ(recorder.primitives().size(), 1u);
    EXPECT_EQ(recorder.primitives().front().kind, GiPrimitiveKind::kPolyline);
}

TEST(CurveDrawing, ArcsCirclesAndEllipses)
{
    entitytest::WorkingDatabase db;
    kelvora::GiRecorder recorder(db.get());
    AcDbArc arc(AcGePoint3d(0, 0, 0), 2.0, 0.0, std::numbers::pi / 2.0);
    recorder.drawEntity(&arc);
    AcDbCircle circle(AcGePoint3d(5, 5, 0), AcGeVector3d::kZAxis, 1.0);
    recorder.drawEntity(&circle);
    AcDbEllipse ellipse(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(4, 0, 0), 0.5);
    recorder.drawEntity(&ellipse);
    const auto& prims = recorder.primitives();
    ASSERT_EQ(prims.size(), 3u);
    EXPECT_EQ(prims[0].kind, GiPrimitiveKind::kCircularArc);
    expectNear(prims[0].points[2], AcGePoint3d(0, 2, 0));
    EXPECT_EQ(prims[1].kind, GiPrimitiveKind::kCircle);
    ASSERT_EQ(prims[2].kind, GiPrimitiveKind::kPolyline);
    for (const AcGePoint3d& p : prims[2].points)
        EXPECT_NEAR(p.x * p.x / 16.0 + p.y * p.y / 4.0, 1.0, 1e-9);  // sampled on the ellipse itself
}

TEST(Listing, PolylinePrintsItsVerticesWithTheDrawingsPrecision)
{
    entitytest::WorkingDatabase db;
    db.get()->setLuprec(2);
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, AcGePoint2d(1.234, 2), 0.5);
    pl->addVertexAt(1, AcGePoint2d(4, 6));
    AcDbObjectId id = entitytest::addToModelSpace(db.get(), pl);
    ASSERT_FALSE(id.isNull());
    AcDbPolyline* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, id, AcDb::kForRead), Acad::eOk);
    {
        CapturedOutput out;
        opened->list();
    }
    opened->close();
    EXPECT_NE(g_printed.find(L"LWPOLYLINE"), std::wstring::npos);
    EXPECT_NE(g_printed.find(L"X=1.23  Y=2.00"), std::wstring::npos);
    EXPECT_NE(g_printed.find(L"bulge"), std::wstring::npos);
    EXPECT_NE(g_printed.find(L"Open"), std::wstring::npos);
}

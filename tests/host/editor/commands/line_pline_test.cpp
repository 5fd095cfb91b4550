// Tests of LINE and PLINE: points, Close, Undo, bulges, cancel keeping what was drawn, old-style polylines.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "command_session.h"
#include "dbents.h"
#include "dbpl.h"
#include "kelvora/undo.h"

namespace kelvora::test {
namespace {

using Segment = std::pair<AcGePoint3d, AcGePoint3d>;

std::vector<Segment> linesOf(const CommandSession& session)
{
    std::vector<Segment> out;
    for (AcDbObjectId id : session.modelSpaceOf<AcDbLine>()) {
        AcDbObjectPointer<AcDbLine> line(id, AcDb::kForRead);
        out.emplace_back(line->startPoint(), line->endPoint());
    }
    return out;
}

struct LineCase {
    const char* name;
    const char* script;
    std::vector<Segment> lines;
};

class LineCommand : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineCommand, DrawsTheExpectedLines)
{
    const LineCase& c = GetParam();
    CommandSession session(c.script);
    session.run(L"LINE");
    std::vector<Segment> got = linesOf(session);
    ASSERT_EQ(got.size(), c.lines.size()) << session.out();
    for (size_t i = 0; i < got.size(); ++i) {
        expectPoint(got[i].first, c.lines[i].first.x, c.lines[i].first.y, c.lines[i].first.z);
        expectPoint(got[i].second, c.lines[i].second.x, c.lines[i].second.y, c.lines[i].second.z);
    }
}

const AcGePoint3d kO(0, 0, 0), kA(10, 0, 0), kB(10, 10, 0), kC(20, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    Commands, LineCommand,
    ::testing::Values(LineCase{"close_goes_back_to_the_first_point", "0,0\n10,0\n10,10\nC\n",
                               {{kO, kA}, {kA, kB}, {kB, kO}}},
                      LineCase{"enter_ends", "0,0\n10,0\n10,10\n\n", {{kO, kA}, {kA, kB}}},
                      LineCase{"cancel_keeps_what_was_drawn", "0,0\n10,0\n10,10\n^C\n", {{kO, kA}, {kA, kB}}},
                      LineCase{"end_of_script_keeps_what_was_drawn", "0,0\n10,0\n", {{kO, kA}}},
                      LineCase{"undo_takes_the_last_line_back", "0,0\n20,0\nU\n10,0\n10,10\n\n", {{kO, kA}, {kA, kB}}},
                      LineCase{"relative_point_from_the_last_one", "0,0\n@10,0\n@0,10\n\n", {{kO, kA}, {kA, kB}}},
                      LineCase{"keeps_z", "0,0,5\n10,0,5\n\n", {{AcGePoint3d(0, 0, 5), AcGePoint3d(10, 0, 5)}}},
                      LineCase{"first_point_cancelled_draws_nothing", "^C\n", {}}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(LineCommandEdges, CloseIsRefusedBeforeTwoLines)
{
    CommandSession session("0,0\n10,0\nC\n\n");
    session.run(L"LINE");
    EXPECT_EQ(linesOf(session).size(), 1u);
    EXPECT_NE(session.out().find("Point or option keyword required."), std::string::npos) << session.out();
}

TEST(LineCommandEdges, UndoWithNoLineSaysSo)
{
    CommandSession session("0,0\nU\n10,0\n\n");
    session.run(L"LINE");
    EXPECT_EQ(linesOf(session).size(), 1u);
    EXPECT_NE(session.out().find("\nAll segments already undone."), std::string::npos);
}

TEST(LineCommandEdges, PromptsAsTheUsualCadPrograms)
{
    CommandSession session("0,0\n10,0\n10,10\n\n");
    session.run(L"LINE");
    EXPECT_EQ(session.out(),
              "\nSpecify first point: 0,0\n\nSpecify next point or [Undo]: 10,0\n"
              "\nSpecify next point or [Undo]: 10,10\n\nSpecify next point or [Close/Undo]: \n");
}

TEST(LineCommandEdges, OneUndoStepTakesTheWholeCommandBack)
{
    CommandSession session("0,0\n10,0\n10,10\nC\n");
    session.run(L"LINE");
    ASSERT_EQ(linesOf(session).size(), 3u);
    EXPECT_EQ(undo(1, session.db()), 1);
    EXPECT_TRUE(linesOf(session).empty());
    EXPECT_EQ(redo(1, session.db()), 1);
    EXPECT_EQ(linesOf(session).size(), 3u);
}

// ----- PLINE -------------------------------------------------------------------------------------

struct Vertex {
    double x, y, bulge;
};

struct PlineCase {
    const char* name;
    const char* script;
    std::vector<Vertex> vertices;
    bool closed;
};

class PlineCommand : public ::testing::TestWithParam<PlineCase> {};

TEST_P(PlineCommand, MakesTheExpectedVertices)
{
    const PlineCase& c = GetParam();
    CommandSession session(c.script);
    session.run(L"PLINE");
    std::vector<AcDbObjectId> ids = session.modelSpaceOf<AcDbPolyline>();
    ASSERT_EQ(ids.size(), 1u) << session.out();
    AcDbObjectPointer<AcDbPolyline> pline(ids[0], AcDb::kForRead);
    ASSERT_EQ(pline->numVerts(), c.vertices.size());
    EXPECT_EQ(pline->isClosed() == Adesk::kTrue, c.closed);
    for (unsigned int i = 0; i < pline->numVerts(); ++i) {
        AcGePoint2d pt;
        double bulge = 0;
        pline->getPointAt(i, pt);
        pline->getBulgeAt(i, bulge);
        EXPECT_NEAR(pt.x, c.vertices[i].x, kCoordTolerance) << "vertex " << i;
        EXPECT_NEAR(pt.y, c.vertices[i].y, kCoordTolerance) << "vertex " << i;
        EXPECT_NEAR(bulge, c.vertices[i].bulge, kCoordTolerance) << "vertex " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, PlineCommand,
    ::testing::Values(
        PlineCase{"bulge_then_close", "0,0\n10,0\nB\n1\n10,10\n0,10\nC\n",
                  {{0, 0, 0}, {10, 0, 1}, {10, 10, 0}, {0, 10, 0}}, true},
        PlineCase{"undo_takes_back_the_last_vertex", "0,0\n10,0\n99,99\nU\n10,10\n\n",
                  {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, false},
        PlineCase{"undo_drops_the_bulge_of_the_undone_segment", "0,0\nB\n0.5\n10,0\nU\n10,0\n\n",
                  {{0, 0, 0}, {10, 0, 0}}, false},
        PlineCase{"bulge_applies_to_one_segment_only", "0,0\nB\n-0.5\n10,0\n20,0\n\n",
                  {{0, 0, -0.5}, {10, 0, 0}, {20, 0, 0}}, false},
        PlineCase{"bulge_before_close_bends_the_closing_segment", "0,0\n10,0\n10,10\nB\n0.25\nC\n",
                  {{0, 0, 0}, {10, 0, 0}, {10, 10, 0.25}}, true},
        PlineCase{"cancel_keeps_what_was_drawn", "0,0\n10,0\n10,10\n^C\n", {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}},
                  false}),
    [](const ::testing::TestParamInfo<PlineCase>& info) { return std::string(info.param.name); });

TEST(PlineCommandEdges, OnePointMakesNothing)
{
    CommandSession session("5,5\n\n");
    session.run(L"PLINE");
    EXPECT_TRUE(session.modelSpace().empty());
}

TEST(PlineCommandEdges, PlinetypeZeroMakesAnOldStylePolylineWithItsBulges)
{
    CommandSession session("0,0\n10,0\nB\n-0.5\n20,0\n20,10\nC\n");
    ASSERT_EQ(session.db()->setPlinetype(0), Acad::eOk);
    session.run(L"PLINE");
    EXPECT_TRUE(session.modelSpaceOf<AcDbPolyline>().empty());
    std::vector<AcDbObjectId> ids = session.modelSpaceOf<AcDb2dPolyline>();
    ASSERT_EQ(ids.size(), 1u);
    AcDbObjectPointer<AcDb2dPolyline> pline(ids[0], AcDb::kForRead);
    EXPECT_TRUE(pline->isClosed());
    std::vector<AcDbPolyline::Vertex> vertices;
    pline->getCurveVertices(vertices);
    const Vertex want[] = {{0, 0, 0}, {10, 0, -0.5}, {20, 0, 0}, {20, 10, 0}};
    ASSERT_EQ(vertices.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(vertices[i].point.x, want[i].x, kCoordTolerance);
        EXPECT_NEAR(vertices[i].point.y, want[i].y, kCoordTolerance);
        EXPECT_NEAR(vertices[i].bulge, want[i].bulge, kCoordTolerance);
    }
}

TEST(PlineCommandEdges, TheNewPolylineTakesTheCurrentLayer)
{
    CommandSession session("0,0\n10,0\n\n");
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(L"BORNES");
    {
        AcDbObjectPointer<AcDbLayerTable> table(session.db()->layerTableId(), AcDb::kForWrite);
        AcDbObjectId id;
        ASSERT_EQ(table->add(id, layer), Acad::eOk);
        layer->close();
        ASSERT_EQ(session.db()->setClayer(id), Acad::eOk);
    }
    session.run(L"PLINE");
    std::vector<AcDbObjectId> ids = session.modelSpaceOf<AcDbPolyline>();
    ASSERT_EQ(ids.size(), 1u);
    AcDbObjectPointer<AcDbPolyline> pline(ids[0], AcDb::kForRead);
    EXPECT_EQ(layerNameOf(*pline), L"BORNES");
}

}  // namespace
}  // namespace kelvora::test

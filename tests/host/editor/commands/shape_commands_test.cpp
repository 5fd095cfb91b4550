// Tests of CIRCLE, ARC, POINT, TEXT, SPLINE and ELLIPSE: the entity each makes from its answers.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "command_session.h"
#include "dbelipse.h"
#include "dbents.h"
#include "dbspline.h"

namespace kelvora::test {
namespace {

constexpr double kPi = std::numbers::pi;

template <class T>
AcDbObjectId onlyOne(const CommandSession& session)
{
    std::vector<AcDbObjectId> ids = session.modelSpaceOf<T>();
    EXPECT_EQ(ids.size(), 1u) << session.out();
    return ids.empty() ? AcDbObjectId() : ids[0];
}

// ----- CIRCLE ------------------------------------------------------------------------------------

struct CircleCase {
    const char* name;
    const char* script;
    double x, y, radius;
};

class CircleCommand : public ::testing::TestWithParam<CircleCase> {};

TEST_P(CircleCommand, MakesTheCircle)
{
    const CircleCase& c = GetParam();
    CommandSession session(c.script);
    session.run(L"CIRCLE");
    AcDbObjectPointer<AcDbCircle> circle(onlyOne<AcDbCircle>(session), AcDb::kForRead);
    ASSERT_EQ(circle.openStatus(), Acad::eOk);
    expectPoint(circle->center(), c.x, c.y);
    EXPECT_NEAR(circle->radius(), c.radius, kCoordTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CircleCommand,
    ::testing::Values(CircleCase{"centre_and_radius", "50,50\n7.5\n", 50, 50, 7.5},
                      CircleCase{"radius_by_a_point", "10,10\n13,14\n", 10, 10, 5},
                      CircleCase{"diameter", "0,0\nD\n9\n", 0, 0, 4.5},
                      CircleCase{"zero_radius_is_asked_again", "1,2\n0\n3\n", 1, 2, 3}),
    [](const ::testing::TestParamInfo<CircleCase>& info) { return std::string(info.param.name); });

TEST(CircleCommandEdges, EnterAtTheRadiusIsAskedAgain)
{
    CommandSession session("0,0\n\n2\n");
    session.run(L"CIRCLE");
    AcDbObjectPointer<AcDbCircle> circle(onlyOne<AcDbCircle>(session), AcDb::kForRead);
    ASSERT_EQ(circle.openStatus(), Acad::eOk);
    EXPECT_NEAR(circle->radius(), 2.0, kCoordTolerance);
}

// ----- ARC ---------------------------------------------------------------------------------------

struct ArcCase {
    const char* name;
    const char* script;
    double x, y, radius, startDeg, endDeg;
};

class ArcCommand : public ::testing::TestWithParam<ArcCase> {};

TEST_P(ArcCommand, PassesThroughTheThreePoints)
{
    const ArcCase& c = GetParam();
    CommandSession session(c.script);
    session.run(L"ARC");
    AcDbObjectPointer<AcDbArc> arc(onlyOne<AcDbArc>(session), AcDb::kForRead);
    ASSERT_EQ(arc.openStatus(), Acad::eOk);
    expectPoint(arc->center(), c.x, c.y);
    EXPECT_NEAR(arc->radius(), c.radius, kCoordTolerance);
    EXPECT_NEAR(arc->startAngle(), c.startDeg * kPi / 180.0, kCoordTolerance);
    EXPECT_NEAR(arc->endAngle(), c.endDeg * kPi / 180.0, kCoordTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ArcCommand,
    ::testing::Values(ArcCase{"counter_clockwise_upper_half", "10,0\n0,10\n-10,0\n", 0, 0, 10, 0, 180},
                      ArcCase{"clockwise_is_stored_from_the_end", "-10,0\n0,10\n10,0\n", 0, 0, 10, 0, 180},
                      ArcCase{"lower_half_through_the_bottom", "10,0\n0,-10\n-10,0\n", 0, 0, 10, 180, 0},
                      ArcCase{"three_quarters_off_the_origin", "15,5\n5,15\n5,-5\n", 5, 5, 10, 0, 270}),
    [](const ::testing::TestParamInfo<ArcCase>& info) { return std::string(info.param.name); });

TEST(ArcCommandEdges, PointsInLineMakeNoArc)
{
    CommandSession session("0,0\n5,0\n10,0\n");
    session.run(L"ARC");
    EXPECT_TRUE(session.modelSpace().empty());
    EXPECT_NE(session.out().find("in line"), std::string::npos) << session.out();
}

// ----- POINT -------------------------------------------------------------------------------------

TEST(PointCommand, PlacesAPointEntity)
{
    CommandSession session("3,4\n");
    session.run(L"POINT");
    AcDbObjectPointer<AcDbPoint> point(onlyOne<AcDbPoint>(session), AcDb::kForRead);
    ASSERT_EQ(point.openStatus(), Acad::eOk);
    expectPoint(point->position(), 3, 4);
}

// ----- TEXT --------------------------------------------------------------------------------------

TEST(TextCommand, TakesPositionHeightRotationAndTheTextAsTyped)
{
    CommandSession session("10,20\n3.5\n30\nBorne n°12 à l'angle\n");
    session.run(L"TEXT");
    AcDbObjectPointer<AcDbText> text(onlyOne<AcDbText>(session), AcDb::kForRead);
    ASSERT_EQ(text.openStatus(), Acad::eOk);
    expectPoint(text->position(), 10, 20);
    EXPECT_NEAR(text->height(), 3.5, kCoordTolerance);
    EXPECT_NEAR(text->rotation(), kPi / 6.0, kCoordTolerance);
    EXPECT_EQ(std::wstring(text->textStringConst()), L"Borne n°12 à l'angle");
    EXPECT_EQ(text->textStyle(), session.db()->textstyle());
}

TEST(TextCommand, EnterTakesTheTextSizeAndNoRotation)
{
    CommandSession session("0,0\n\n\nABC\n");
    session.run(L"TEXT");
    AcDbObjectPointer<AcDbText> text(onlyOne<AcDbText>(session), AcDb::kForRead);
    ASSERT_EQ(text.openStatus(), Acad::eOk);
    EXPECT_NEAR(text->height(), 2.5, kCoordTolerance);
    EXPECT_NEAR(text->rotation(), 0.0, kCoordTolerance);
    EXPECT_NE(session.out().find("\nSpecify height <2.5000>: "), std::string::npos) << session.out();
}

TEST(TextCommand, TheHeightTypedBecomesTheNextDefault)
{
    CommandSession session("0,0\n4\n0\nA\n");
    session.run(L"TEXT");
    EXPECT_NEAR(session.db()->textsize(), 4.0, kCoordTolerance);
}

TEST(TextCommand, AnEmptyTextMakesNothing)
{
    CommandSession session("0,0\n2\n0\n\n");
    session.run(L"TEXT");
    EXPECT_TRUE(session.modelSpace().empty());
}

TEST(TextCommand, AStyleOfFixedHeightIsNotAskedForAHeight)
{
    CommandSession session("0,0\n0\nABC\n");
    {
        AcDbObjectPointer<AcDbTextStyleTableRecord> style(session.db()->textstyle(), AcDb::kForWrite);
        ASSERT_EQ(style->setTextSize(6.0), Acad::eOk);
    }
    session.run(L"TEXT");
    AcDbObjectPointer<AcDbText> text(onlyOne<AcDbText>(session), AcDb::kForRead);
    ASSERT_EQ(text.openStatus(), Acad::eOk);
    EXPECT_NEAR(text->height(), 6.0, kCoordTolerance);
    EXPECT_EQ(session.out().find("height"), std::string::npos) << session.out();
}

// ----- SPLINE ------------------------------------------------------------------------------------

struct SplineCase {
    const char* name;
    const char* script;
    int degree;
    int controlPoints;  // as stored (a closed spline repeats `degree` of them)
    bool closed;
};

class SplineCommand : public ::testing::TestWithParam<SplineCase> {};

TEST_P(SplineCommand, MakesTheSpline)
{
    const SplineCase& c = GetParam();
    CommandSession session(c.script);
    session.run(L"SPLINE");
    AcDbObjectPointer<AcDbSpline> spline(onlyOne<AcDbSpline>(session), AcDb::kForRead);
    ASSERT_EQ(spline.openStatus(), Acad::eOk);
    ASSERT_FALSE(spline->isNull());
    EXPECT_EQ(spline->degree(), c.degree);
    EXPECT_EQ(spline->numControlPoints(), c.controlPoints);
    EXPECT_EQ(spline->isClosed() == Adesk::kTrue, c.closed);
    EXPECT_EQ(spline->isPeriodic() == Adesk::kTrue, c.closed);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SplineCommand,
    ::testing::Values(SplineCase{"open_cubic", "0,0\n10,10\n20,0\n30,10\n40,0\n\n", 3, 5, false},
                      SplineCase{"three_points_make_a_quadratic", "0,0\n10,10\n20,0\n\n", 2, 3, false},
                      SplineCase{"two_points_make_a_line", "0,0\n10,10\n\n", 1, 2, false},
                      SplineCase{"closed_cubic_wraps_three_points", "0,0\n10,0\n10,10\n0,10\nC\n", 3, 7, true},
                      SplineCase{"undo_drops_the_last_point", "0,0\n10,10\n99,99\nU\n20,0\n30,10\n\n", 3, 4,
                                 false}),
    [](const ::testing::TestParamInfo<SplineCase>& info) { return std::string(info.param.name); });

TEST(SplineCommandEdges, AnOpenSplineRunsFromTheFirstToTheLastPoint)
{
    CommandSession session("0,0\n10,10\n20,0\n30,10\n40,0\n\n");
    session.run(L"SPLINE");
    AcDbObjectPointer<AcDbSpline> spline(onlyOne<AcDbSpline>(session), AcDb::kForRead);
    ASSERT_EQ(spline.openStatus(), Acad::eOk);
    AcGePoint3d start, end;
    ASSERT_EQ(spline->getStartPoint(start), Acad::eOk);
    ASSERT_EQ(spline->getEndPoint(end), Acad::eOk);
    expectPoint(start, 0, 0);
    expectPoint(end, 40, 0);
}

TEST(SplineCommandEdges, AClosedSplineEndsWhereItStarts)
{
    CommandSession session("0,0\n10,0\n10,10\n0,10\nC\n");
    session.run(L"SPLINE");
    AcDbObjectPointer<AcDbSpline> spline(onlyOne<AcDbSpline>(session), AcDb::kForRead);
    ASSERT_EQ(spline.openStatus(), Acad::eOk);
    AcGePoint3d start, end;
    ASSERT_EQ(spline->getStartPoint(start), Acad::eOk);
    ASSERT_EQ(spline->getEndPoint(end), Acad::eOk);
    expectPoint(end, start.x, start.y);
}

TEST(SplineCommandEdges, OnePointMakesNothing)
{
    CommandSession session("0,0\n\n");
    session.run(L"SPLINE");
    EXPECT_TRUE(session.modelSpace().empty());
}

// ----- ELLIPSE -----------------------------------------------------------------------------------

TEST(EllipseCommand, CentreAxisEndAndRatio)
{
    CommandSession session("50,50\n70,50\n0.5\n");
    session.run(L"ELLIPSE");
    AcDbObjectPointer<AcDbEllipse> ellipse(onlyOne<AcDbEllipse>(session), AcDb::kForRead);
    ASSERT_EQ(ellipse.openStatus(), Acad::eOk);
    expectPoint(ellipse->center(), 50, 50);
    AcGeVector3d major = ellipse->majorAxis();
    EXPECT_NEAR(major.x, 20, kCoordTolerance);
    EXPECT_NEAR(major.y, 0, kCoordTolerance);
    EXPECT_NEAR(ellipse->radiusRatio(), 0.5, kCoordTolerance);
    EXPECT_TRUE(ellipse->isClosed());
}

TEST(EllipseCommand, ARatioAboveOneMakesTheOtherAxisTheMajorOne)
{
    CommandSession session("0,0\n10,0\n2\n");
    session.run(L"ELLIPSE");
    AcDbObjectPointer<AcDbEllipse> ellipse(onlyOne<AcDbEllipse>(session), AcDb::kForRead);
    ASSERT_EQ(ellipse.openStatus(), Acad::eOk);
    AcGeVector3d major = ellipse->majorAxis();
    EXPECT_NEAR(major.x, 0, kCoordTolerance);
    EXPECT_NEAR(major.y, 20, kCoordTolerance);
    EXPECT_NEAR(ellipse->radiusRatio(), 0.5, kCoordTolerance);
}

TEST(EllipseCommand, AnAxisOfZeroLengthIsAskedAgain)
{
    CommandSession session("5,5\n5,5\n9,5\n1\n");
    session.run(L"ELLIPSE");
    AcDbObjectPointer<AcDbEllipse> ellipse(onlyOne<AcDbEllipse>(session), AcDb::kForRead);
    ASSERT_EQ(ellipse.openStatus(), Acad::eOk);
    EXPECT_NEAR(ellipse->majorAxis().length(), 4, kCoordTolerance);
    EXPECT_NE(session.out().find("zero length"), std::string::npos);
}

}  // namespace
}  // namespace kelvora::test

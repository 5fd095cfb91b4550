// AcDbSpline::getClosestPointTo and getParamAtPoint find the nearest point over the whole curve.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <ostream>
#include <string>

#include "dbspline.h"
#include "entity_test_support.h"

namespace {

// Points given on the curve come back within this: the search ends at the resolution of doubles,
// the slack is for the rounding of the curve's evaluation.
constexpr double kOnCurve = 1e-7;
// A dense evaluation stands for the true distance of a point off the curve; its parameter steps
// leave it at most a few millionths above the truth on these curves.
constexpr int kDenseSteps = 200'000;
constexpr double kDenseSlack = 1e-6;
// The dense evaluation's points are curve points: the nearest point cannot be farther than the best
// of them, rounding aside.
constexpr double kRounding = 1e-12;

enum class Shape { kWave, kLongWave, kTightWave, kClosedFlower, kHelix, kRationalArc };

// Wave fit points (0,0) (10,10) (20,0) (30,10) (40,0): the curve the nearest-point search missed by
// 1.8 units, picking the arch of its best probe.
AcDbSpline* wave()
{
    AcGePoint3dArray fit;
    for (int i = 0; i < 5; ++i)
        fit.append(AcGePoint3d(10.0 * i, i % 2 == 0 ? 0.0 : 10.0, 0.0));
    return new AcDbSpline(fit);
}

AcDbSpline* makeSpline(Shape shape)
{
    switch (shape) {
    case Shape::kWave:
        return wave();
    case Shape::kLongWave: {
        AcGePoint3dArray fit;
        for (int i = 0; i <= 20; ++i)
            fit.append(AcGePoint3d(5.0 * i, i % 2 == 0 ? -8.0 : 8.0, 0.0));
        return new AcDbSpline(fit);
    }
    case Shape::kTightWave: {
        // Control points one unit apart alternating 3 above and below: arches much taller than wide.
        AcGePoint3dArray points;
        AcGeDoubleArray knots;
        const int n = 30, degree = 3;
        for (int i = 0; i < n; ++i)
            points.append(AcGePoint3d(i, i % 2 == 0 ? -3.0 : 3.0, 0.0));
        for (int i = 0; i < n + degree + 1; ++i)
            knots.append(std::clamp(i - degree, 0, n - degree));
        return new AcDbSpline(degree, Adesk::kFalse, Adesk::kFalse, Adesk::kFalse, points, knots, AcGeDoubleArray());
    }
    case Shape::kClosedFlower: {
        // r = 10 + 3 cos(5a) through 25 points, the last on the first: a closed curve with five petals.
        AcGePoint3dArray fit;
        for (int i = 0; i <= 25; ++i) {
            const double a = 2.0 * std::numbers::pi * (i % 25) / 25.0;
            const double r = 10.0 + 3.0 * std::cos(5.0 * a);
            fit.append(AcGePoint3d(r * std::cos(a), r * std::sin(a), 0.0));
        }
        return new AcDbSpline(fit);
    }
    case Shape::kHelix: {
        AcGePoint3dArray fit;
        for (int i = 0; i <= 16; ++i) {
            const double a = std::numbers::pi * i / 4.0;
            fit.append(AcGePoint3d(5.0 * std::cos(a), 5.0 * std::sin(a), 1.5 * a));
        }
        return new AcDbSpline(fit);
    }
    case Shape::kRationalArc: {
        // The exact quarter circle of radius 10 about the origin, from (10, 0) to (0, 10).
        AcGePoint3dArray points;
        points.append(AcGePoint3d(10, 0, 0));
        points.append(AcGePoint3d(10, 10, 0));
        points.append(AcGePoint3d(0, 10, 0));
        AcGeDoubleArray knots, weights;
        for (double k : {0.0, 0.0, 0.0, 1.0, 1.0, 1.0})
            knots.append(k);
        for (double w : {1.0, std::sqrt(0.5), 1.0})
            weights.append(w);
        return new AcDbSpline(2, Adesk::kTrue, Adesk::kFalse, Adesk::kFalse, points, knots, weights);
    }
    }
    return nullptr;
}

AcGePoint3d pointAtShare(const AcDbSpline& spline, double share)
{
    double start = 0.0, end = 0.0;
    spline.getStartParam(start);
    spline.getEndParam(end);
    AcGePoint3d point;
    spline.getPointAtParam(start + share * (end - start), point);
    return point;
}

double denseDistance(const AcDbSpline& spline, const AcGePoint3d& point)
{
    double start = 0.0, end = 0.0;
    spline.getStartParam(start);
    spline.getEndParam(end);
    double best = HUGE_VAL;
    for (int i = 0; i <= kDenseSteps; ++i) {
        AcGePoint3d on;
        spline.getPointAtParam(start + (end - start) * i / kDenseSteps, on);
        best = std::min(best, on.distanceTo(point));
    }
    return best;
}

struct OnCurveCase {
    const char* name;
    Shape shape;
    double share;  // of the parameter range
};

// Failures and test names show the row by its name.
void PrintTo(const OnCurveCase& row, std::ostream* os)
{
    *os << row.name;
}

class SplineNearestOnCurve : public ::testing::TestWithParam<OnCurveCase> {};

TEST_P(SplineNearestOnCurve, PointOfTheCurveComesBackItself)
{
    const OnCurveCase& c = GetParam();
    std::unique_ptr<AcDbSpline> spline(makeSpline(c.shape));
    const AcGePoint3d on = pointAtShare(*spline, c.share);
    AcGePoint3d nearest;
    ASSERT_EQ(spline->getClosestPointTo(on, nearest), Acad::eOk);
    EXPECT_LT(nearest.distanceTo(on), kOnCurve) << nearest.x << ", " << nearest.y << ", " << nearest.z;
    double param = 0.0;
    ASSERT_EQ(spline->getParamAtPoint(on, param), Acad::eOk);
    AcGePoint3d back;
    ASSERT_EQ(spline->getPointAtParam(param, back), Acad::eOk);
    EXPECT_LT(back.distanceTo(on), kOnCurve);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, SplineNearestOnCurve,
    ::testing::Values(OnCurveCase{"wave_start", Shape::kWave, 0.0},
                      // Where the first probe nearest to the point lay on another arch: up to 4 units off.
                      OnCurveCase{"wave_just_after_start", Shape::kWave, 0.028},
                      OnCurveCase{"wave_first_flank", Shape::kWave, 0.093},
                      OnCurveCase{"wave_last_flank", Shape::kWave, 0.907},
                      OnCurveCase{"wave_just_before_end", Shape::kWave, 0.972},
                      OnCurveCase{"wave_first_rise", Shape::kWave, 0.13},
                      OnCurveCase{"wave_crest", Shape::kWave, 0.25}, OnCurveCase{"wave_second_fall", Shape::kWave, 0.61},
                      OnCurveCase{"wave_trough", Shape::kWave, 0.5}, OnCurveCase{"wave_end", Shape::kWave, 1.0},
                      OnCurveCase{"long_wave_middle", Shape::kLongWave, 0.437},
                      OnCurveCase{"long_wave_near_end", Shape::kLongWave, 0.97},
                      OnCurveCase{"tight_wave_flank", Shape::kTightWave, 0.3},
                      OnCurveCase{"tight_wave_tip", Shape::kTightWave, 0.5},
                      OnCurveCase{"tight_wave_last_flank", Shape::kTightWave, 0.93},
                      OnCurveCase{"flower_seam", Shape::kClosedFlower, 0.0},
                      OnCurveCase{"flower_petal", Shape::kClosedFlower, 0.2},
                      OnCurveCase{"flower_waist", Shape::kClosedFlower, 0.71},
                      OnCurveCase{"flower_before_seam", Shape::kClosedFlower, 0.999},
                      OnCurveCase{"helix_turn_two", Shape::kHelix, 0.55},
                      OnCurveCase{"rational_arc_middle", Shape::kRationalArc, 0.5}),
    [](const ::testing::TestParamInfo<OnCurveCase>& info) { return std::string(info.param.name); });

struct OffCurveCase {
    const char* name;
    Shape shape;
    AcGePoint3d point;
};

void PrintTo(const OffCurveCase& row, std::ostream* os)
{
    *os << row.name;
}

class SplineNearestOffCurve : public ::testing::TestWithParam<OffCurveCase> {};

TEST_P(SplineNearestOffCurve, AnswersTheNearestPointOfTheWholeCurve)
{
    const OffCurveCase& c = GetParam();
    std::unique_ptr<AcDbSpline> spline(makeSpline(c.shape));
    AcGePoint3d nearest;
    ASSERT_EQ(spline->getClosestPointTo(c.point, nearest), Acad::eOk);
    const double dense = denseDistance(*spline, c.point);
    EXPECT_LE(nearest.distanceTo(c.point), dense + kRounding);
    EXPECT_NEAR(nearest.distanceTo(c.point), dense, kDenseSlack);
    // The answer is a point of the curve.
    double param = 0.0;
    EXPECT_EQ(spline->getParamAtPoint(nearest, param), Acad::eOk);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, SplineNearestOffCurve,
    ::testing::Values(OffCurveCase{"wave_above_crest", Shape::kWave, {10, 14, 0}},
                      OffCurveCase{"wave_between_arches", Shape::kWave, {20, 7, 0}},
                      OffCurveCase{"wave_below", Shape::kWave, {25, -3, 0}},
                      OffCurveCase{"wave_raised", Shape::kWave, {31, 4, 6}},
                      OffCurveCase{"long_wave_inside_an_arch", Shape::kLongWave, {52, 3, 0}},
                      OffCurveCase{"tight_wave_between_tips", Shape::kTightWave, {14.4, 1.2, 0}},
                      OffCurveCase{"tight_wave_far_below", Shape::kTightWave, {20, -40, 0}},
                      OffCurveCase{"flower_centre_side", Shape::kClosedFlower, {2, 1, 0}},
                      OffCurveCase{"flower_outside", Shape::kClosedFlower, {-20, 3, 0}},
                      OffCurveCase{"helix_axis", Shape::kHelix, {0.5, 0, 7}},
                      OffCurveCase{"rational_arc_outside", Shape::kRationalArc, {12, 9, 0}}),
    [](const ::testing::TestParamInfo<OffCurveCase>& info) { return std::string(info.param.name); });

struct EndCase {
    const char* name;
    AcGePoint3d point;
    AcGePoint3d end;
};

void PrintTo(const EndCase& row, std::ostream* os)
{
    *os << row.name;
}

class SplineNearestEnds : public ::testing::TestWithParam<EndCase> {};

// Beyond an end, away from the rest of the curve, the end itself is the nearest point.
TEST_P(SplineNearestEnds, PointsPastAnEndGetTheEnd)
{
    const EndCase& c = GetParam();
    std::unique_ptr<AcDbSpline> spline(wave());
    AcGePoint3d nearest;
    ASSERT_EQ(spline->getClosestPointTo(c.point, nearest), Acad::eOk);
    entitytest::expectNear(nearest, c.end, kOnCurve);
}

INSTANTIATE_TEST_SUITE_P(Wave, SplineNearestEnds,
                         ::testing::Values(EndCase{"before_start", {-6, -4, 0}, {0, 0, 0}},
                                           EndCase{"below_start", {0, -9, 0}, {0, 0, 0}},
                                           EndCase{"after_end", {47, -5, 0}, {40, 0, 0}},
                                           EndCase{"far_past_end_raised", {400, -300, 20}, {40, 0, 0}}),
                         [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST(SplineNearest, SameQueryGivesTheSameAnswer)
{
    std::unique_ptr<AcDbSpline> spline(makeSpline(Shape::kClosedFlower));
    AcGePoint3d first, second;
    ASSERT_EQ(spline->getClosestPointTo(AcGePoint3d::kOrigin, first), Acad::eOk);
    ASSERT_EQ(spline->getClosestPointTo(AcGePoint3d::kOrigin, second), Acad::eOk);
    EXPECT_TRUE(first.isEqualTo(second, AcGeTol()));
    EXPECT_NEAR(first.distanceTo(AcGePoint3d::kOrigin), denseDistance(*spline, AcGePoint3d::kOrigin), kDenseSlack);
}

TEST(SplineNearest, PointOffTheCurveHasNoParameter)
{
    std::unique_ptr<AcDbSpline> spline(wave());
    double param = 0.0;
    EXPECT_EQ(spline->getParamAtPoint(AcGePoint3d(20, 7, 0), param), Acad::eInvalidInput);
}

TEST(SplineNearest, NullSplineRefuses)
{
    AcDbSpline empty;
    AcGePoint3d nearest;
    EXPECT_EQ(empty.getClosestPointTo(AcGePoint3d::kOrigin, nearest), Acad::eDegenerateGeometry);
}

}  // namespace

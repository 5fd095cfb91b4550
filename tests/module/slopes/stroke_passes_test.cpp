// Each stroke pass on its own: limits, the outline met again, crossing strokes, and the caps of short strokes.
#include <ostream>
#include <vector>

#include "slope_fixture.h"

namespace {

using namespace kelvora::slopes;

constexpr double kTol = 1e-9;

// Nominal strokes of the left side.
void nominal(const nPolyLineTalutee& slope, AcGePoint3dArray& base, AcGePoint3dArray& end)
{
    ASSERT_TRUE(generateStrokes(slope, kLeftSide, base, end));
}

TEST_F(SlopeTest, LimitPassEndsEveryStrokeOnTheNearerOfTwoLimitsAhead)
{
    auto slope = straight20();
    slope->appendLimitId(addLine(AcGePoint3d(5, 19, 0), AcGePoint3d(35, 19, 0)));
    slope->appendLimitId(addLine(AcGePoint3d(5, 14, 0), AcGePoint3d(35, 14, 0)));
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    nominal(*slope, base, end);
    trimStrokesToLimits(*slope, base, end);
    for (int k = 0; k < base.length(); ++k)
        EXPECT_NEAR(end[k].y, 14.0, kTol) << k;  // long ones lengthened, short ones shortened
}

TEST_F(SlopeTest, LimitPassIgnoresALimitBehindTheBase)
{
    auto slope = straight20();
    slope->appendLimitId(addLine(AcGePoint3d(5, 5, 0), AcGePoint3d(35, 5, 0)));
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    nominal(*slope, base, end);
    const AcGePoint3dArray before = end;
    trimStrokesToLimits(*slope, base, end);
    EXPECT_TRUE(identical(before, end));
}

TEST_F(SlopeTest, LimitPassLengthensStrokesToAFarLimit)
{
    auto slope = straight20();
    slope->appendLimitId(addPolyline({{{0, 40}, 0.0}, {{40, 40}, 0.0}}));
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    nominal(*slope, base, end);
    trimStrokesToLimits(*slope, base, end);
    EXPECT_NEAR(end[2].y, 40.0, kTol);
    EXPECT_NEAR(end[0].y, 40.0, kTol);
}

TEST_F(SlopeTest, LimitThatNoLongerOpensIsDropped)
{
    auto slope = straight20();
    const AcDbObjectId kept = addLine(AcGePoint3d(5, 19, 0), AcGePoint3d(35, 19, 0));
    const AcDbObjectId gone = addLine(AcGePoint3d(5, 14, 0), AcGePoint3d(35, 14, 0));
    slope->appendLimitId(gone);
    slope->appendLimitId(kept);
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, gone, AcDb::kForWrite), Acad::eOk);
    entity->erase();
    entity->close();
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    nominal(*slope, base, end);
    trimStrokesToLimits(*slope, base, end);
    ASSERT_EQ(slope->limitIds().length(), 1);
    EXPECT_EQ(slope->limitIds()[0], kept);
    EXPECT_NEAR(end[4].y, 19.0, kTol);
}

TEST_F(SlopeTest, OutlinePassStopsStrokesWhereTheyMeetTheOutlineAgain)
{
    // East 20, north 3, back west 20: strokes of the first run cross the third one at y = 3.
    auto slope = slopeThrough({{{0, 0}, 0.0}, {{20, 0}, 0.0}, {{20, 3}, 0.0}, {{0, 3}, 0.0}});
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    nominal(*slope, base, end);
    cutStrokesAtOutline(*slope, base, end);
    int checked = 0;
    for (int k = 0; k < base.length(); ++k) {
        if (base[k].y > kTol || base[k].x < 1.0 || base[k].x > 19.0)
            continue;
        EXPECT_NEAR(end[k].y, 3.0, kTol) << k;
        ++checked;
    }
    EXPECT_GT(checked, 4);
}

TEST_F(SlopeTest, OutlinePassLeavesAStrokeThatMeetsNothing)
{
    auto slope = straight20();
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    nominal(*slope, base, end);
    const AcGePoint3dArray before = end;
    cutStrokesAtOutline(*slope, base, end);
    EXPECT_TRUE(identical(before, end));
}

TEST_F(SlopeTest, CrossingPassStopsBothStrokesShortAndRetestsTheShortenedOne)
{
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    base.append(AcGePoint3d(0, 0, 0));
    end.append(AcGePoint3d(10, 10, 0));
    base.append(AcGePoint3d(10, 0, 0));
    end.append(AcGePoint3d(0, 10, 0));
    // Crosses the first stroke as generated at (8, 8), but not once it stops short at (4.75, 4.75).
    base.append(AcGePoint3d(0, 8, 0));
    end.append(AcGePoint3d(10, 8, 0));
    auto slope = straight20();
    shortenCrossingStrokes(*slope, base, end);
    EXPECT_NEAR(end[0].x, 4.75, kTol);
    EXPECT_NEAR(end[0].y, 4.75, kTol);
    EXPECT_NEAR(end[1].x, 5.25, kTol);
    EXPECT_NEAR(end[1].y, 4.75, kTol);
    EXPECT_NEAR(end[2].x, 10.0, kTol);
    EXPECT_NEAR(end[2].y, 8.0, kTol);
}

// Strokes standing 1 apart along X, all of the given lengths towards +y.
void strokesOfLengths(const std::vector<double>& lengths, AcGePoint3dArray& base, AcGePoint3dArray& end)
{
    for (size_t k = 0; k < lengths.size(); ++k) {
        base.append(AcGePoint3d(static_cast<double>(k), 0, 0));
        end.append(AcGePoint3d(static_cast<double>(k), lengths[k], 0));
    }
}

std::vector<double> lengthsOf(const AcGePoint3dArray& base, const AcGePoint3dArray& end)
{
    std::vector<double> out;
    for (int k = 0; k < base.length(); ++k)
        out.push_back(base[k].distanceTo(end[k]));
    return out;
}

struct CapCase {
    const char* name;
    bool closed;
    std::vector<double> before;
    std::vector<double> after;
};

// Rows print as their names.
void PrintTo(const CapCase& row, std::ostream* out) { *out << row.name; }

class CapPass : public SlopeTest, public ::testing::WithParamInterface<CapCase> {};

// N = 4, R = 3, G = 6: long strokes at 2 and 6 (and 10).
TEST_P(CapPass, ShortStrokesReachAThirdOfTheShorterNeighbour)
{
    const CapCase& c = GetParam();
    auto slope = straight20();
    slope->setClosed(c.closed);
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    strokesOfLengths(c.before, base, end);
    capShortStrokes(*slope, base, end);
    const std::vector<double> got = lengthsOf(base, end);
    ASSERT_EQ(got.size(), c.after.size());
    for (size_t k = 0; k < got.size(); ++k)
        EXPECT_NEAR(got[k], c.after[k], kTol) << c.name << " stroke " << k;
}

INSTANTIATE_TEST_SUITE_P(
    Slopes, CapPass,
    ::testing::Values(
        CapCase{"open_nominal", false, {18, 18, 6, 18, 18, 18, 6, 18, 18}, {2, 2, 6, 2, 2, 2, 6, 2, 2}},
        CapCase{"open_shorter_neighbour_rules", false, {18, 18, 3, 18, 18, 18, 9, 18, 18}, {1, 1, 3, 1, 1, 1, 9, 2, 2}},
        CapCase{"open_short_strokes_already_short", false, {0.5, 18, 6, 1, 18, 0.2, 6, 18, 1}, {0.5, 2, 6, 1, 2, 0.2, 6, 2, 1}},
        CapCase{"closed_wraps_through_the_start", true, {18, 18, 12, 18, 18, 18, 9, 18, 18}, {3, 3, 12, 3, 3, 3, 9, 3, 3}},
        CapCase{"no_long_stroke_no_cap", false, {18, 18}, {18, 18}}),
    [](const ::testing::TestParamInfo<CapCase>& info) { return std::string(info.param.name); });

TEST_F(SlopeTest, TheFourPassesFitStrokesToALimit)
{
    auto slope = straight20();
    slope->appendLimitId(addLine(AcGePoint3d(5, 14, 0), AcGePoint3d(35, 14, 0)));
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    computeStrokes(*slope, kLeftSide, base, end);
    ASSERT_EQ(base.length(), 9);
    for (int k = 0; k < 9; ++k)
        EXPECT_NEAR(strokeLength(base, end, k), k % 4 == 2 ? 4.0 : 4.0 / 3.0, kTol) << k;
}

}  // namespace

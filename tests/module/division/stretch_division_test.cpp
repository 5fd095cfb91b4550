// Division points along a stretch: every given distance, n equal parts, through the start of a closed polyline.
#include <gtest/gtest.h>

#include <ostream>

#include <vector>

#include "division/stretch_division.h"

namespace {

using kelvora::division::forEachDivision;
using kelvora::division::stepFromText;

std::vector<double> divisions(double from, double to, double whole, double step, bool closed = false)
{
    std::vector<double> at;
    forEachDivision(from, to, whole, closed, step, [&](double d) {
        at.push_back(d);
        return true;
    });
    return at;
}

void expectNear(const std::vector<double>& got, const std::vector<double>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (size_t k = 0; k < got.size(); ++k)
        EXPECT_NEAR(got[k], want[k], 1e-9) << k;
}

struct DivisionCase {
    const char* name;
    double from;
    double to;
    double whole;
    double step;
    bool closed;
    std::vector<double> want;
};

// Failures name the row.
void PrintTo(const DivisionCase& c, std::ostream* os)
{
    *os << c.name;
}

class Divisions : public ::testing::TestWithParam<DivisionCase> {};

TEST_P(Divisions, FallWhereExpected)
{
    const DivisionCase& c = GetParam();
    expectNear(divisions(c.from, c.to, c.whole, c.step, c.closed), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Stretches, Divisions,
    ::testing::Values(DivisionCase{"four_equal_parts", 10, 90, 100, 20, false, {10, 30, 50, 70, 90}},
                      DivisionCase{"step_short_of_the_end", 10, 90, 100, 25, false, {10, 35, 60, 85}},
                      DivisionCase{"step_the_whole_stretch", 10, 90, 100, 80, false, {10, 90}},
                      // The last third lands on the open polyline's end, not wrapped to its start.
                      DivisionCase{"thirds_reach_the_end", 0, 1, 1, 1.0 / 3.0, false, {0, 1.0 / 3.0, 2.0 / 3.0, 1}},
                      DivisionCase{"tenths_reach_the_end", 50, 100, 100, 5, false,
                                   {50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100}},
                      // A closed square of side 10: from (0, 5) at 35 through the start to (5, 0) at 5 + 40.
                      DivisionCase{"through_the_start", 35, 45, 40, 5, true, {35, 0, 5}},
                      DivisionCase{"through_the_start_steps", 35, 45, 40, 2.5, true, {35, 37.5, 0, 2.5, 5}},
                      DivisionCase{"closed_up_to_the_start", 20, 40, 40, 10, true, {20, 30, 0}}),
    [](const ::testing::TestParamInfo<DivisionCase>& info) { return std::string(info.param.name); });

TEST(DivisionsEdge, AStretchThatEndsBeforeItStartsMarksNothing)
{
    EXPECT_TRUE(divisions(50, 40, 100, 5).empty());
}

TEST(DivisionsEdge, AStepBelowTheSmallestMarksNothing)
{
    EXPECT_TRUE(divisions(0, 10, 10, 1e-9).empty());
}

TEST(DivisionsEdge, AFailedMarkStopsTheWalk)
{
    int calls = 0;
    EXPECT_FALSE(forEachDivision(0, 100, 100, false, 10, [&](double) { return ++calls < 3; }));
    EXPECT_EQ(calls, 3);
}

struct StepCase {
    const char* name;
    const wchar_t* text;
    bool accepted;
    double step;
};

// Failures name the row.
void PrintTo(const StepCase& c, std::ostream* os)
{
    *os << c.name;
}

class StepText : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepText, OnlyASlashAndAPositiveCountIsAStep)
{
    const StepCase& c = GetParam();
    double step = -1.0;
    ASSERT_EQ(stepFromText(c.text, 80.0, step), c.accepted) << c.name;
    if (c.accepted) {
        EXPECT_DOUBLE_EQ(step, c.step) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, StepText,
                         ::testing::Values(StepCase{"four", L"/4", true, 20.0}, StepCase{"one", L"/1", true, 80.0},
                                           StepCase{"zero", L"/0", false, 0.0},
                                           StepCase{"negative", L"/-3", false, 0.0},
                                           StepCase{"word", L"abc", false, 0.0},
                                           StepCase{"slash_only", L"/", false, 0.0},
                                           StepCase{"empty", L"", false, 0.0}),
                         [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

}  // namespace

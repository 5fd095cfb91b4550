// A linetype's dash pattern as device dashes: merging, a leading gap, dots, scaling and the limits that draw continuous.
#include "kelvora/linetype_dashes.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace kelvora;

namespace {

// Device lengths here are sums of a few scaled decimals: far below anything a plot shows.
constexpr double kLengthTolerance = 1e-9;

struct DashCase {
    const char* name;
    std::vector<double> pattern;
    double scale;
    double strokeWidth;
    std::vector<double> lengths;
    double offset;
};

class DeviceDashesOf : public ::testing::TestWithParam<DashCase> {};

TEST_P(DeviceDashesOf, GivesOnOffLengthsAndStart)
{
    const DashCase& c = GetParam();
    DeviceDashes dashes;
    ASSERT_TRUE(deviceDashes(LinetypePattern{c.pattern}, c.scale, 100.0, c.strokeWidth, dashes)) << c.name;
    ASSERT_EQ(dashes.lengths.size(), c.lengths.size()) << c.name;
    for (std::size_t i = 0; i < c.lengths.size(); ++i)
        EXPECT_NEAR(dashes.lengths[i], c.lengths[i], kLengthTolerance) << c.name << " at " << i;
    EXPECT_NEAR(dashes.offset, c.offset, kLengthTolerance) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Linetypes, DeviceDashesOf,
    ::testing::Values(
        DashCase{"dashed", {0.5, -0.25}, 20.0, 1.0, {10.0, 5.0}, 0.0},
        DashCase{"same_signs_merge", {0.5, 0.25, -0.25, -0.25}, 10.0, 1.0, {7.5, 5.0}, 0.0},
        DashCase{"leading_gap_starts_through_offset", {-0.25, 0.5}, 10.0, 1.0, {5.0, 2.5}, 5.0},
        DashCase{"leading_and_trailing_gaps_join", {-0.1, 0.5, -0.2}, 10.0, 1.0, {5.0, 3.0}, 7.0},
        DashCase{"trailing_dash_joins_the_first", {0.5, -0.25, 0.25}, 10.0, 1.0, {7.5, 2.5}, 2.5},
        DashCase{"dot_is_a_mark_as_wide_as_the_stroke", {0.0, -0.5}, 10.0, 1.0, {1.0, 4.0}, 0.5},
        DashCase{"dash_dot", {0.5, -0.25, 0.0, -0.25}, 10.0, 2.0, {5.0, 1.5, 2.0, 1.5}, 0.0},
        DashCase{"dot_after_dash_merges_into_it", {0.5, 0.0, -0.5}, 10.0, 1.0, {5.0, 5.0}, 0.0},
        DashCase{"scale_multiplies_every_length", {0.5, -0.25}, 2.0 * 3.0 * 4.0, 1.0, {12.0, 6.0}, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

struct ContinuousCase {
    const char* name;
    std::vector<double> pattern;
    double scale;
    double curveLength;
    double strokeWidth;
};

class ContinuousWhen : public ::testing::TestWithParam<ContinuousCase> {};

TEST_P(ContinuousWhen, NoDashesAreGiven)
{
    const ContinuousCase& c = GetParam();
    DeviceDashes dashes{{9.0, 9.0}, 3.0};
    EXPECT_FALSE(deviceDashes(LinetypePattern{c.pattern}, c.scale, c.curveLength, c.strokeWidth, dashes)) << c.name;
    EXPECT_TRUE(dashes.lengths.empty()) << c.name;
}

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Linetypes, ContinuousWhen,
    ::testing::Values(ContinuousCase{"no_dashes", {}, 10.0, 100.0, 1.0},
                      ContinuousCase{"dashes_without_gap", {1.0, 0.5}, 10.0, 100.0, 1.0},
                      ContinuousCase{"gaps_only", {-1.0}, 10.0, 100.0, 1.0},
                      ContinuousCase{"period_under_two_device_units", {0.5, -0.25}, 2.0, 100.0, 1.0},
                      ContinuousCase{"more_than_a_million_repeats", {0.5, -0.5}, 10.0, 1.1e7, 1.0},
                      ContinuousCase{"length_not_a_number", {0.5, kNan}, 10.0, 100.0, 1.0},
                      ContinuousCase{"scale_not_positive", {0.5, -0.5}, 0.0, 100.0, 1.0},
                      ContinuousCase{"dots_wider_than_their_gaps", {0.0, -0.1}, 30.0, 100.0, 4.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeviceDashes, AMillionRepeatsIsStillDashed)
{
    DeviceDashes dashes;
    EXPECT_TRUE(deviceDashes(LinetypePattern{{0.5, -0.5}}, 10.0, 1.0e7, 1.0, dashes));
}

}  // namespace

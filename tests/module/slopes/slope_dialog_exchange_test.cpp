// The slope dialogs' values: the silent range rules, the colour list mapping, and the exchange with a slope and the defaults.
#include <cmath>
#include <limits>
#include <ostream>

#include "slope_fixture.h"
#include "slopes/dlg_talus.h"
#include "slopes/draw_talus.h"
#include "slopes/param_talus_dlg.h"
#include "slopes/slope_dialog_exchange.h"

namespace {

using namespace kelvora::slopes;

struct RangeCase {
    const char* name;
    double value;
    double ratio;
    double length;
};

// Rows print as their names.
void PrintTo(const RangeCase& row, std::ostream* out) { *out << row.name; }

class RangeRules : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeRules, BringValuesBackSilently)
{
    const RangeCase& c = GetParam();
    EXPECT_DOUBLE_EQ(validRatio(c.value), c.ratio) << c.name;
    EXPECT_DOUBLE_EQ(validLength(c.value), c.length) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Slopes, RangeRules,
                         ::testing::Values(RangeCase{"zero", 0.0, 1.00001, 0.01}, RangeCase{"one", 1.0, 1.00001, 1.0},
                                           RangeCase{"negative", -4.0, 1.00001, 0.01},
                                           RangeCase{"exactly_the_minimum", 0.01, 1.00001, 0.01},
                                           RangeCase{"ordinary", 3.5, 3.5, 3.5},
                                           RangeCase{"not_a_number", std::numeric_limits<double>::quiet_NaN(), 1.00001,
                                                     0.01}),
                         [](const ::testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

TEST(SlopeDialogRules, IntervalMinimumDependsOnTheDialog)
{
    EXPECT_EQ(validIntervals(2, kSlopeDialogMinIntervals), 3);
    EXPECT_EQ(validIntervals(-5, kSlopeDialogMinIntervals), 3);
    EXPECT_EQ(validIntervals(0, kDefaultsDialogMinIntervals), 1);
    EXPECT_EQ(validIntervals(12, kDefaultsDialogMinIntervals), 12);
    EXPECT_EQ(validIntervals(100000, kDefaultsDialogMinIntervals), 65535);
}

TEST(SlopeDialogRules, ColourListIndexIsTheCodePlusTwo)
{
    EXPECT_EQ(colorIndexOfCode(-2), 0);
    EXPECT_EQ(colorIndexOfCode(7), 9);
    EXPECT_EQ(colorCodeOfIndex(3), 1);
    // No selection (a code outside the list came in): stored as -3, which draws by layer.
    EXPECT_EQ(colorCodeOfIndex(-1), -3);
}

TEST_F(SlopeTest, SlopeDialogShowsTheSlopeAndStoresUnderItsRules)
{
    auto slope = straight20();
    slope->setLongStrokeColor(-1);
    slope->setShortStrokeColor(5);
    slope->setDisplayFlags(nPolyLineTalutee::kHideOutline);
    DlgTalus dialog;
    EXPECT_EQ(dialog.m_intervalCount, 3);
    EXPECT_EQ(dialog.m_longColorIndex, -1);
    loadSlopeDialog(*slope, dialog);
    EXPECT_EQ(dialog.m_longColorIndex, 1);
    EXPECT_EQ(dialog.m_shortColorIndex, 7);
    EXPECT_EQ(dialog.m_intervalCount, 4);
    EXPECT_DOUBLE_EQ(dialog.m_strokeSpacing, 2.5);
    EXPECT_EQ(dialog.m_slope, slope.get());

    dialog.m_intervalCount = 2;
    dialog.m_strokeRatio = 1.0;
    dialog.m_strokeSpacing = 0.0;
    dialog.m_longStrokeLength = 8.0;
    dialog.m_bothSides = 1;
    dialog.m_longColorIndex = 3;
    dialog.m_shortColorIndex = -1;
    storeSlopeDialog(dialog, *slope);
    EXPECT_EQ(slope->intervalCount(), 3);
    EXPECT_DOUBLE_EQ(slope->strokeRatio(), 1.00001);
    EXPECT_DOUBLE_EQ(slope->strokeSpacing(), 0.01);
    EXPECT_DOUBLE_EQ(slope->longStrokeLength(), 8.0);
    EXPECT_EQ(slope->bothSides(), 1);
    EXPECT_EQ(slope->longStrokeColor(), 1);
    EXPECT_EQ(slope->shortStrokeColor(), -3);
    EXPECT_EQ(slope->displayFlags(), nPolyLineTalutee::kHideOutline);
}

TEST_F(SlopeTest, DefaultsDialogStartsUntickedAndKeepsOneInterval)
{
    CParamTalus dialog;
    loadDefaultsDialog(slopeDefaults(), dialog);
    EXPECT_EQ(dialog.m_updateExisting, 0);
    EXPECT_EQ(dialog.m_longColorIndex, 4);
    EXPECT_EQ(dialog.m_shortColorIndex, 3);
    dialog.m_intervalCount = 0;
    dialog.m_strokeRatio = 2.0;
    const SlopeDefaults values = defaultsFromDialog(dialog);
    EXPECT_EQ(values.intervalCount, 1);
    EXPECT_DOUBLE_EQ(values.strokeRatio, 2.0);
    EXPECT_EQ(values.longStrokeColor, 2);
}

TEST_F(SlopeTest, ApplyingDefaultsLeavesSideDisplayAndLimits)
{
    auto slope = straight20();
    slope->setBothSides(1);
    slope->setDisplayFlags(nPolyLineTalutee::kHideOutline);
    const AcDbObjectId limit = addLine(AcGePoint3d(0, 14, 0), AcGePoint3d(40, 14, 0));
    slope->appendLimitId(limit);
    SlopeDefaults values;
    values.strokeSpacing = 3.0;
    values.intervalCount = 5;
    values.longStrokeColor = 3;
    applyDefaults(values, *slope);
    EXPECT_DOUBLE_EQ(slope->strokeSpacing(), 3.0);
    EXPECT_EQ(slope->intervalCount(), 5);
    EXPECT_EQ(slope->longStrokeColor(), 3);
    EXPECT_EQ(slope->bothSides(), 1);
    EXPECT_EQ(slope->displayFlags(), nPolyLineTalutee::kHideOutline);
    ASSERT_EQ(slope->limitIds().length(), 1);
    EXPECT_EQ(slope->limitIds()[0], limit);
}

TEST_F(SlopeTest, DrawTalusMergesCollinearPointsAndHidesTheOutline)
{
    AcGePoint3dArray points;
    points.append(AcGePoint3d(0, 0, 0));
    points.append(AcGePoint3d(5, 0, 0));
    points.append(AcGePoint3d(10, 0, 0));
    points.append(AcGePoint3d(10, 10, 0));
    AcDbObjectIdArray limits;
    limits.append(addLine(AcGePoint3d(0, 5, 0), AcGePoint3d(20, 5, 0)));
    AcDbObjectId made;
    draw_talus(false, points, limits, &made);
    ASSERT_FALSE(made.isNull());
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, made, AcDb::kForRead), Acad::eOk);
    const nPolyLineTalutee* slope = nPolyLineTalutee::cast(entity);
    ASSERT_NE(slope, nullptr);
    EXPECT_EQ(slope->numVerts(), 3u);
    EXPECT_EQ(slope->displayFlags(), nPolyLineTalutee::kHideOutline);
    ASSERT_EQ(slope->limitIds().length(), 1);
    EXPECT_EQ(slope->limitIds()[0], limits[0]);
    entity->close();
    // Without an out pointer it still adds the slope, with its outline shown.
    draw_talus(true, points, limits, nullptr);
}

}  // namespace

// Tests of acdbRToS: each linear unit, precisions, the drawing's LUNITS/LUPREC, small buffers.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "acutads.h"
#include "adscodes.h"
#include "editor_session.h"

namespace kelvora {
namespace {

struct RToSCase {
    const char* name;
    double value;
    int unit;
    int precision;
    const wchar_t* text;
};

class RealToText : public ::testing::TestWithParam<RToSCase> {};

TEST_P(RealToText, AsTheCommercialHostWritesIt)
{
    const RToSCase& c = GetParam();
    ACHAR buffer[64];
    ASSERT_EQ(acdbRToS(c.value, c.unit, c.precision, buffer), RTNORM) << c.name;
    EXPECT_EQ(std::wstring(buffer), c.text) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Units, RealToText,
    ::testing::Values(RToSCase{"decimal", 17.5, 2, 4, L"17.5000"}, RToSCase{"decimal_rounds", 2.0 / 3.0, 2, 2, L"0.67"},
                      RToSCase{"decimal_no_places", 2.5, 2, 0, L"2"}, RToSCase{"decimal_negative", -3.25, 2, 1, L"-3.2"},
                      RToSCase{"decimal_negative_zero", -0.00001, 2, 4, L"0.0000"},
                      RToSCase{"decimal_precision_capped", 1.0, 2, 12, L"1.00000000"},
                      RToSCase{"scientific", 17.5, 1, 4, L"1.7500E+01"},
                      RToSCase{"scientific_small", 0.00025, 1, 2, L"2.50E-04"},
                      RToSCase{"engineering", 17.5, 3, 4, L"1'-5.5000\""},
                      RToSCase{"engineering_under_a_foot", 5.5, 3, 2, L"5.50\""},
                      RToSCase{"engineering_whole_feet", 24.0, 3, 2, L"2'"},
                      RToSCase{"engineering_negative", -17.5, 3, 1, L"-1'-5.5\""},
                      RToSCase{"architectural", 17.5, 4, 4, L"1'-5 1/2\""},
                      RToSCase{"architectural_sixteenths", 3.0625, 4, 4, L"3 1/16\""},
                      RToSCase{"architectural_fraction_only", 0.5, 4, 2, L"1/2\""},
                      RToSCase{"architectural_rounds_to_feet", 11.99, 4, 2, L"1'"},
                      RToSCase{"architectural_zero", 0.0, 4, 4, L"0\""},
                      RToSCase{"fractional", 17.5, 5, 4, L"17 1/2"}, RToSCase{"fractional_quarter", 0.25, 5, 2, L"1/4"},
                      RToSCase{"fractional_whole", 3.0, 5, 3, L"3"},
                      RToSCase{"fractional_negative", -1.75, 5, 2, L"-1 3/4"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RToS, MinusOneTakesTheDrawingUnitsAndPrecision)
{
    test::ScriptSession session("");
    ACHAR buffer[32];
    ASSERT_EQ(acdbRToS(2.5, -1, -1, buffer), RTNORM);
    EXPECT_EQ(std::wstring(buffer), L"2.5000");  // LUNITS 2, LUPREC 4 in a new drawing
    ASSERT_EQ(systemVariables().set(L"LUPREC", 2LL), SysVarStatus::Ok);
    ASSERT_EQ(systemVariables().set(L"LUNITS", 5LL), SysVarStatus::Ok);
    ASSERT_EQ(acdbRToS(2.5, -1, -1, buffer), RTNORM);
    EXPECT_EQ(std::wstring(buffer), L"2 1/2");
    ASSERT_EQ(acdbRToS(2.5, 2, -1, buffer), RTNORM);
    EXPECT_EQ(std::wstring(buffer), L"2.50");
}

TEST(RToS, BadUnitIsAnError)
{
    ACHAR buffer[32] = L"untouched";
    EXPECT_EQ(acdbRToS(1.0, 6, 2, buffer), RTERROR);
    EXPECT_EQ(acdbRToS(1.0, 0, 2, buffer), RTERROR);
    EXPECT_EQ(acdbRToS(1.0, 2, -2, buffer), RTERROR);
    EXPECT_EQ(std::wstring(buffer), L"");
}

TEST(RToS, TextLongerThanTheBufferIsRefusedNotCut)
{
    ACHAR buffer[6];
    EXPECT_EQ(acdbRToS(123.456, 2, 4, buffer), RTERROR);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(acdbRToS(1.0, 2, 2, buffer, 0), RTERROR);
    EXPECT_EQ(acdbRToS(1.0, 2, 2, nullptr, 8), RTERROR);
}

TEST(RToS, HugeValueFitsOrIsRefused)
{
    ACHAR buffer[400];
    ASSERT_EQ(acdbRToS(1e300, 2, 2, buffer), RTNORM);
    EXPECT_EQ(std::wstring(buffer).size(), 304u);
    EXPECT_EQ(acdbRToS(1e300, 4, 4, buffer), RTERROR);  // no count of 1/16 inch holds it
}

TEST(RToS, NotFiniteIsAnError)
{
    ACHAR buffer[32];
    EXPECT_EQ(acdbRToS(std::numeric_limits<double>::infinity(), 2, 2, buffer), RTERROR);
    EXPECT_EQ(acdbRToS(std::numeric_limits<double>::quiet_NaN(), 2, 2, buffer), RTERROR);
}

}  // namespace
}  // namespace kelvora

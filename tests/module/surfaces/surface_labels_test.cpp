// Area and perimeter texts: the three area formats, their rounding and the are/hectare carries.
#include <gtest/gtest.h>

#include <ostream>

#include "surfaces/ne_surface.h"
#include "surfaces/surface_labels.h"

namespace {

using kelvora::surfaces::areaText;

struct AreaCase {
    const char* name;
    double area;
    unsigned flags;
    const wchar_t* expected;
};

void PrintTo(const AreaCase& c, std::ostream* os) { *os << c.name; }

class AreaTextTest : public ::testing::TestWithParam<AreaCase> {};

TEST_P(AreaTextTest, ComposesTheText)
{
    const AreaCase& c = GetParam();
    EXPECT_EQ(areaText(c.area, c.flags, L"S=", L"m2"), std::wstring(c.expected));
}

constexpr unsigned kHa = NESurface::kAreaHectares;
constexpr unsigned kHaCa = NESurface::kAreaHectaresAres;

INSTANTIATE_TEST_SUITE_P(
    Formats, AreaTextTest,
    ::testing::Values(AreaCase{"Plain", 12345.678, 0x3, L"S= 12345.68 m2"},
                      AreaCase{"Hectares", 12345.678, 0x3 | kHa, L"S= 1.2346 Ha"},
                      AreaCase{"HectaresAresCentiares", 12345.678, kHaCa, L"S= 1 Ha 23 A  45.68 Ca"},
                      AreaCase{"CentiaresCarryIntoHectare", 9999.996, kHaCa, L"S= 1 Ha 0 A  0.00 Ca"},
                      AreaCase{"CentiaresCarryIntoAres", 199.999, kHaCa, L" 2 A  0.00 Ca"},
                      AreaCase{"ZeroArea", 0.0, kHaCa, L" 0 A  0.00 Ca"},
                      AreaCase{"OneHectareInAres", 10000.0, kHaCa, L"S= 1 Ha 0 A  0.00 Ca"},
                      AreaCase{"OneHectare", 10000.0, kHa, L"S= 1.0000 Ha"},
                      AreaCase{"HectareBitWinsOverAres", 12345.678, kHa | kHaCa, L"S= 1.2346 Ha"},
                      AreaCase{"PlainRoundsToTwoDecimals", 2.345678, 0, L"S= 2.35 m2"}),
    [](const ::testing::TestParamInfo<AreaCase>& info) { return std::string(info.param.name); });

TEST(AreaText, BelowOneHectareShowsNeitherPrefixNorHectares)
{
    const std::wstring text = areaText(5050.5, NESurface::kAreaHectaresAres, L"S=", L"m2");
    EXPECT_EQ(text, L" 50 A  50.50 Ca");
}

TEST(AreaText, AreaUnitIsUsedOnlyByThePlainFormat)
{
    EXPECT_EQ(areaText(20000.0, NESurface::kAreaHectares, L"Surf.", L"XX"), L"Surf. 2.0000 Ha");
    EXPECT_EQ(areaText(20000.0, 0, L"Surf.", L"XX"), L"Surf. 20000.00 XX");
}

TEST(PerimeterText, TwoDecimalsBetweenPrefixAndUnit)
{
    EXPECT_EQ(kelvora::surfaces::perimeterText(123.456, L"L=", L"ml"), L"L= 123.46 ml");
}

}  // namespace

namespace {

TEST(AreaText, HugeAreaPrintsWholeHectares)
{
    const std::wstring text = kelvora::surfaces::areaText(1e20, NESurface::kAreaHectaresAres, L"S=", L"m2");
    EXPECT_EQ(text.rfind(L"S= 10000000000000000 Ha", 0), 0u) << std::string(text.begin(), text.end());
}

}  // namespace

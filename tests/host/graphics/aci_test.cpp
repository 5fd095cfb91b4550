// The AutoCAD colour index: spot values, colour 7 on paper, references and the whole table against ezdxf.
#include "kelvora/aci.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdio>
#include <sstream>
#include <string>

namespace {

using kelvora::aciToPlotRgb;
using kelvora::aciToRgb;
using kelvora::Rgb;

struct AciCase {
    const char* name;
    int index;
    Rgb rgb;
};

// Failures and listings name the row rather than dump its bytes.
void PrintTo(const AciCase& c, std::ostream* os)
{
    *os << c.name;
}

class AciPalette : public ::testing::TestWithParam<AciCase> {};

TEST_P(AciPalette, GivesTheStandardColour)
{
    const AciCase& c = GetParam();
    const Rgb got = aciToRgb(c.index);
    EXPECT_EQ(got, c.rgb) << c.name << ": got " << int(got.r) << "," << int(got.g) << "," << int(got.b);
}

INSTANTIATE_TEST_SUITE_P(Colours, AciPalette,
                         ::testing::Values(AciCase{"red", 1, {255, 0, 0}}, AciCase{"yellow", 2, {255, 255, 0}},
                                           AciCase{"green", 3, {0, 255, 0}}, AciCase{"cyan", 4, {0, 255, 255}},
                                           AciCase{"blue", 5, {0, 0, 255}}, AciCase{"magenta", 6, {255, 0, 255}},
                                           AciCase{"white", 7, {255, 255, 255}},
                                           AciCase{"dark_grey", 8, {128, 128, 128}},
                                           AciCase{"light_grey", 9, {192, 192, 192}},
                                           AciCase{"wheel_start", 10, {255, 0, 0}},
                                           AciCase{"wheel_pale_red", 11, {255, 127, 127}},
                                           AciCase{"wheel_dark_red", 12, {165, 0, 0}},
                                           AciCase{"wheel_orange", 30, {255, 127, 0}},
                                           AciCase{"wheel_blue", 170, {0, 0, 255}},
                                           AciCase{"grey_ramp_white", 255, {255, 255, 255}},
                                           AciCase{"grey_ramp_second", 252, {102, 102, 102}}),
                         [](const ::testing::TestParamInfo<AciCase>& info) { return std::string(info.param.name); });

TEST(AciPalette, ColourSevenIsBlackOnPaper)
{
    EXPECT_EQ(aciToPlotRgb(7), (Rgb{0, 0, 0}));
    EXPECT_EQ(aciToPlotRgb(1), aciToRgb(1));
    EXPECT_EQ(aciToPlotRgb(255), (Rgb{255, 255, 255}));  // only 7 is turned round
}

TEST(AciPalette, ReferencesAndNonsenseFallBackToColourSeven)
{
    for (int index : {kelvora::kAciByBlock, kelvora::kAciByLayer, -1, 257, 100000}) {
        EXPECT_EQ(aciToRgb(index), aciToRgb(7)) << index;
        EXPECT_EQ(aciToPlotRgb(index), (Rgb{0, 0, 0})) << index;
    }
}

// ezdxf, the project's independent DXF reader, carries the same palette: every index must agree.
TEST(AciPalette, WholeTableAgreesWithEzdxf)
{
    FILE* pipe = popen("/usr/bin/python3 -c \"from ezdxf.colors import aci2rgb\n"
                       "for i in range(1, 256): print(i, *aci2rgb(i))\" 2>/dev/null",
                       "r");
    if (pipe == nullptr)
        GTEST_SKIP() << "cannot run /usr/bin/python3";
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    if (pclose(pipe) != 0 || output.empty())
        GTEST_SKIP() << "python3-ezdxf is not installed";
    std::istringstream lines(output);
    int index = 0;
    int r = 0;
    int g = 0;
    int b = 0;
    int seen = 0;
    while (lines >> index >> r >> g >> b) {
        const Rgb got = aciToRgb(index);
        EXPECT_EQ(got, (Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)}))
            << "index " << index;
        ++seen;
    }
    EXPECT_EQ(seen, 255);
}

}  // namespace

// Measuring texts: cap height, width against string, height and width factor, kerning, odd input.
#include "kelvora/text_metrics.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>
#include <string>

namespace {

using kelvora::findFontFace;
using kelvora::layoutText;
using kelvora::measureText;
using kelvora::TextBox;

// Box coordinates come from sums of font units times one scale: far below a micro-unit at
// these heights, far above the rounding of a few dozen double operations.
constexpr double kBoxTolerance = 1e-9;

const kelvora::FontFace* sans()
{
    return findFontFace("DejaVu Sans");
}

double width(const TextBox& box)
{
    return box.right - box.left;
}

struct CapHeightCase {
    const char* name;
    const char* font;
    double height;
};

// Failures and listings name the row rather than dump its bytes.
void PrintTo(const CapHeightCase& c, std::ostream* os)
{
    *os << c.name;
}

class CapHeight : public ::testing::TestWithParam<CapHeightCase> {};

TEST_P(CapHeight, CapitalsAreTheTextHeight)
{
    const CapHeightCase& c = GetParam();
    const TextBox box = measureText(findFontFace(c.font), "H", c.height, 1.0);
    EXPECT_NEAR(box.top, c.height, kBoxTolerance * c.height) << c.name;
    EXPECT_NEAR(box.bottom, 0.0, kBoxTolerance * c.height) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Fonts, CapHeight,
                         ::testing::Values(CapHeightCase{"sans_2_5", "DejaVu Sans", 2.5},
                                           CapHeightCase{"sans_tiny", "DejaVu Sans", 0.001},
                                           CapHeightCase{"sans_huge", "DejaVu Sans", 5000.0},
                                           CapHeightCase{"serif", "romanc.shx", 3.0},
                                           CapHeightCase{"mono", "monotxt.shx", 1.8}),
                         [](const ::testing::TestParamInfo<CapHeightCase>& info) { return std::string(info.param.name); });

TEST(TextMetrics, CapHeightFromOs2TableWhenTheFaceStatesIt)
{
    // DejaVu Math TeX Gyre (fonts-dejavu-extra) has an OS/2 table of version 4 with a cap
    // height; the core DejaVu faces do not, and are measured by their 'H'.
    const kelvora::FontFace* math = findFontFace("DejaVu Math TeX Gyre");
    if (std::string(kelvora::fontFaceFamily(math)) != "DejaVu Math TeX Gyre")
        GTEST_SKIP() << "DejaVu Math TeX Gyre is not installed";
    const TextBox box = measureText(math, "H", 4.0, 1.0);
    EXPECT_NEAR(box.top, 4.0, 1e-9);
}

TEST(TextMetrics, WidthGrowsWithTheString)
{
    double previous = 0.0;
    std::string text;
    for (const char* piece : {"P", "a", "r", "c", "e", "l", " ", "1", "2"}) {
        text += piece;
        const double w = width(measureText(sans(), text, 2.5, 1.0));
        EXPECT_GT(w, previous) << '"' << text << '"';
        previous = w;
    }
}

struct ScaleCase {
    const char* name;
    double height;
    double widthFactor;
};

void PrintTo(const ScaleCase& c, std::ostream* os)
{
    *os << c.name;
}

class WidthScaling : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(WidthScaling, WidthFollowsHeightTimesWidthFactorAndHeightFollowsHeight)
{
    const ScaleCase& c = GetParam();
    const char* text = "Lot 12 - Parcelle";
    const TextBox unit = measureText(sans(), text, 1.0, 1.0);
    const TextBox box = measureText(sans(), text, c.height, c.widthFactor);
    const double along = c.height * c.widthFactor;
    EXPECT_NEAR(box.left, unit.left * along, kBoxTolerance * along) << c.name;
    EXPECT_NEAR(box.right, unit.right * along, kBoxTolerance * along) << c.name;
    EXPECT_NEAR(box.bottom, unit.bottom * c.height, kBoxTolerance * c.height) << c.name;
    EXPECT_NEAR(box.top, unit.top * c.height, kBoxTolerance * c.height) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Fonts, WidthScaling,
                         ::testing::Values(ScaleCase{"double_height", 2.0, 1.0},
                                           ScaleCase{"survey_label", 2.5, 1.0},
                                           ScaleCase{"condensed", 1.0, 0.7},
                                           ScaleCase{"expanded_and_tall", 10.0, 1.5},
                                           ScaleCase{"small_and_narrow", 0.18, 0.8}),
                         [](const ::testing::TestParamInfo<ScaleCase>& info) { return std::string(info.param.name); });

TEST(TextMetrics, DescendersGoBelowTheBaselineAndAscendersAboveCapitals)
{
    const TextBox flat = measureText(sans(), "HE", 2.0, 1.0);
    const TextBox low = measureText(sans(), "Hg", 2.0, 1.0);
    const TextBox high = measureText(sans(), "Hl", 2.0, 1.0);
    EXPECT_NEAR(flat.bottom, 0.0, kBoxTolerance);
    EXPECT_LT(low.bottom, -0.2);  // DejaVu's g descends about a third of the cap height
    EXPECT_GT(high.top, 2.0);     // and its l rises above the capitals
}

TEST(TextMetrics, LowerCaseTextStillSpansTheCapHeight)
{
    // Flat-bottomed letters: round ones overshoot the baseline a little, as designed.
    const TextBox box = measureText(sans(), "vxz", 2.0, 1.0);
    EXPECT_NEAR(box.top, 2.0, kBoxTolerance);
    EXPECT_NEAR(box.bottom, 0.0, kBoxTolerance);
}

TEST(TextMetrics, KerningTightensPairsThatKern)
{
    // DejaVu Sans kerns "AV" in its kern table: the pair is narrower than its two letters.
    const double pair = measureText(sans(), "AV", 1.0, 1.0).right;
    const double apart = measureText(sans(), "A", 1.0, 1.0).right + measureText(sans(), "V", 1.0, 1.0).right;
    EXPECT_LT(pair, apart - 0.01);
    const kelvora::TextLayout layout = layoutText(sans(), "AV", 1.0, 1.0);
    ASSERT_EQ(layout.glyphs.size(), 2u);
    EXPECT_LT(layout.glyphs[1].x, measureText(sans(), "A", 1.0, 1.0).right);
}

TEST(TextMetrics, MonospacedFaceGivesEqualWidths)
{
    const kelvora::FontFace* mono = findFontFace("monotxt.shx");
    EXPECT_NEAR(measureText(mono, "iiii", 1.0, 1.0).right, measureText(mono, "WWWW", 1.0, 1.0).right, kBoxTolerance);
}

TEST(TextMetrics, LayoutAgreesWithMeasure)
{
    const char* text = "Surface 1 234,56 m\xc2\xb2";
    const TextBox box = measureText(sans(), text, 2.5, 0.9);
    const kelvora::TextLayout layout = layoutText(sans(), text, 2.5, 0.9);
    EXPECT_DOUBLE_EQ(layout.box.left, box.left);
    EXPECT_DOUBLE_EQ(layout.box.right, box.right);
    EXPECT_DOUBLE_EQ(layout.box.bottom, box.bottom);
    EXPECT_DOUBLE_EQ(layout.box.top, box.top);
    EXPECT_DOUBLE_EQ(layout.widthFactor, 0.9);
    ASSERT_EQ(layout.glyphs.size(), 19u);  // 18 ASCII characters and the superscript two
    EXPECT_DOUBLE_EQ(layout.glyphs.front().x, 0.0);
    for (std::size_t i = 1; i < layout.glyphs.size(); ++i)
        EXPECT_GT(layout.glyphs[i].x, layout.glyphs[i - 1].x) << i;
    // DejaVu: 2048 units to the em, capitals 1493 high.
    EXPECT_NEAR(layout.emSize, 2.5 * 2048.0 / 1493.0, kBoxTolerance);
}

TEST(TextMetrics, SameTextMeasuresTheSameEveryTime)
{
    const TextBox first = measureText(findFontFace("romanc.shx"), "Borne B12", 1.7, 1.2);
    for (int i = 0; i < 3; ++i) {
        const TextBox again = measureText(findFontFace("romanc.shx"), "Borne B12", 1.7, 1.2);
        EXPECT_DOUBLE_EQ(again.left, first.left);
        EXPECT_DOUBLE_EQ(again.right, first.right);
        EXPECT_DOUBLE_EQ(again.bottom, first.bottom);
        EXPECT_DOUBLE_EQ(again.top, first.top);
    }
}

TEST(TextMetrics, EmptyTextHasAnEmptyBox)
{
    const TextBox box = measureText(sans(), "", 2.5, 1.0);
    EXPECT_EQ(box.left, 0.0);
    EXPECT_EQ(box.right, 0.0);
    EXPECT_EQ(box.bottom, 0.0);
    EXPECT_EQ(box.top, 0.0);
    EXPECT_TRUE(layoutText(sans(), "", 2.5, 1.0).glyphs.empty());
}

TEST(TextMetrics, BlankTextSpansItsAdvanceAndTheCapHeight)
{
    const TextBox box = measureText(sans(), "   ", 2.0, 1.0);
    EXPECT_NEAR(box.left, 0.0, kBoxTolerance);
    EXPECT_GT(box.right, 1.0);
    EXPECT_NEAR(box.bottom, 0.0, kBoxTolerance);
    EXPECT_NEAR(box.top, 2.0, kBoxTolerance);
}

struct BadHeightCase {
    const char* name;
    double height;
};

void PrintTo(const BadHeightCase& c, std::ostream* os)
{
    *os << c.name;
}

class BadHeight : public ::testing::TestWithParam<BadHeightCase> {};

TEST_P(BadHeight, GivesAnEmptyBox)
{
    const TextBox box = measureText(sans(), "Lot", GetParam().height, 1.0);
    EXPECT_EQ(box.left, 0.0);
    EXPECT_EQ(box.right, 0.0);
    EXPECT_EQ(box.bottom, 0.0);
    EXPECT_EQ(box.top, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Fonts, BadHeight,
                         ::testing::Values(BadHeightCase{"zero", 0.0}, BadHeightCase{"negative", -2.0},
                                           BadHeightCase{"nan", std::numeric_limits<double>::quiet_NaN()},
                                           BadHeightCase{"infinite", std::numeric_limits<double>::infinity()}),
                         [](const ::testing::TestParamInfo<BadHeightCase>& info) { return std::string(info.param.name); });

TEST(TextMetrics, InvalidWidthFactorCountsAsOne)
{
    const double normal = measureText(sans(), "Lot", 1.0, 1.0).right;
    EXPECT_DOUBLE_EQ(measureText(sans(), "Lot", 1.0, 0.0).right, normal);
    EXPECT_DOUBLE_EQ(measureText(sans(), "Lot", 1.0, -3.0).right, normal);
    EXPECT_DOUBLE_EQ(measureText(sans(), "Lot", 1.0, std::numeric_limits<double>::quiet_NaN()).right, normal);
}

TEST(TextMetrics, MalformedUtf8MeasuresAsReplacementCharacters)
{
    // A stray continuation byte and a truncated two-byte sequence: one U+FFFD each.
    const TextBox bad = measureText(sans(), "A\x80" "B\xc3", 1.0, 1.0);
    const TextBox replaced = measureText(sans(), "A\xef\xbf\xbd" "B\xef\xbf\xbd", 1.0, 1.0);
    EXPECT_DOUBLE_EQ(bad.right, replaced.right);
    EXPECT_DOUBLE_EQ(bad.top, replaced.top);
}

TEST(TextMetrics, ControlCharactersAreSkipped)
{
    EXPECT_DOUBLE_EQ(measureText(sans(), "A\tB\n", 1.0, 1.0).right, measureText(sans(), "AB", 1.0, 1.0).right);
}

TEST(TextMetrics, NullFaceMeasuresWithTheDefaultFace)
{
    EXPECT_DOUBLE_EQ(measureText(nullptr, "Lot", 1.0, 1.0).right, measureText(sans(), "Lot", 1.0, 1.0).right);
}

}  // namespace

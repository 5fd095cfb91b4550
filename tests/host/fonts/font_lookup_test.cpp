// Finding the face behind a text style's font name: shape fonts, families, files and unknown names.
#include "kelvora/text_metrics.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

namespace {

using kelvora::findFontFace;
using kelvora::fontFaceFamily;
using kelvora::fontFacePath;

std::string baseName(std::string_view path)
{
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// Only fonts-dejavu-core is assumed: its three regular faces are the expected answers.
struct LookupCase {
    const char* name;
    const char* request;
    const char* file;
};

// Failures and listings name the row rather than dump its bytes.
void PrintTo(const LookupCase& c, std::ostream* os)
{
    *os << c.name;
}

class FontLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(FontLookup, FindsFaceOfSimilarShape)
{
    const LookupCase& c = GetParam();
    const kelvora::FontFace* face = findFontFace(c.request);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(baseName(fontFacePath(face)), c.file) << c.request << " gave " << fontFaceFamily(face);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, FontLookup,
    ::testing::Values(LookupCase{"txt_shape_font_is_sans", "txt.shx", "DejaVuSans.ttf"},
                      LookupCase{"simplex_is_sans", "simplex.shx", "DejaVuSans.ttf"},
                      LookupCase{"romans_is_sans", "romans.shx", "DejaVuSans.ttf"},
                      LookupCase{"isocp_is_sans", "isocp.shx", "DejaVuSans.ttf"},
                      LookupCase{"monotxt_is_mono", "monotxt.shx", "DejaVuSansMono.ttf"},
                      LookupCase{"romanc_is_serif", "romanc.shx", "DejaVuSerif.ttf"},
                      LookupCase{"romant_is_serif", "romant.shx", "DejaVuSerif.ttf"},
                      LookupCase{"complex_is_serif", "complex.shx", "DejaVuSerif.ttf"},
                      LookupCase{"gothic_is_serif", "gothice.shx", "DejaVuSerif.ttf"},
                      LookupCase{"shape_extension_any_case", "ROMANC.SHX", "DejaVuSerif.ttf"},
                      LookupCase{"shape_font_without_extension", "monotxt", "DejaVuSansMono.ttf"},
                      LookupCase{"unknown_shape_font_is_sans", "mystrokes.shx", "DejaVuSans.ttf"},
                      LookupCase{"family_name", "DejaVu Serif", "DejaVuSerif.ttf"},
                      LookupCase{"family_name_any_case", "dejavu sans mono", "DejaVuSansMono.ttf"},
                      LookupCase{"font_file_name", "DejaVuSansMono.ttf", "DejaVuSansMono.ttf"},
                      LookupCase{"font_file_name_any_case", "dejavuserif.TTF", "DejaVuSerif.ttf"},
                      LookupCase{"font_file_path", "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
                                 "DejaVuSerif.ttf"},
                      LookupCase{"missing_family_is_dejavu_sans", "No Such Typeface Xq", "DejaVuSans.ttf"},
                      LookupCase{"missing_file_is_dejavu_sans", "nosuchfontxq.ttf", "DejaVuSans.ttf"},
                      LookupCase{"monospaced_family_stays_monospaced", "Courier New", "DejaVuSansMono.ttf"},
                      LookupCase{"serif_family_stays_serif", "Times New Roman", "DejaVuSerif.ttf"},
                      LookupCase{"empty_name_is_dejavu_sans", "", "DejaVuSans.ttf"},
                      LookupCase{"blank_name_is_dejavu_sans", "   ", "DejaVuSans.ttf"},
                      LookupCase{"blanks_around_name_ignored", "  romanc.shx ", "DejaVuSerif.ttf"},
                      LookupCase{"not_a_font_file", "/etc/hostname.ttf", "DejaVuSans.ttf"}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

TEST(FontLookup, SameRequestGivesSameFace)
{
    EXPECT_EQ(findFontFace("romans.shx"), findFontFace("romans.shx"));
    EXPECT_EQ(findFontFace("ROMANS.SHX"), findFontFace("romans.shx"));
}

TEST(FontLookup, NamesOfOneFileShareOneFace)
{
    // txt.shx, the family and the file name all lead to DejaVuSans.ttf: one face, loaded once.
    EXPECT_EQ(findFontFace("txt.shx"), findFontFace("DejaVu Sans"));
    EXPECT_EQ(findFontFace("DejaVuSans.ttf"), findFontFace("DejaVu Sans"));
}

TEST(FontLookup, FaceNamesItsFamily)
{
    EXPECT_STREQ(fontFaceFamily(findFontFace("monotxt.shx")), "DejaVu Sans Mono");
    EXPECT_EQ(kelvora::fontFaceIndex(findFontFace("DejaVu Sans")), 0);
}

TEST(FontLookup, MalformedNameStillGivesAFace)
{
    const std::string bytes("\xff\xfe\x00.shx", 7);
    const kelvora::FontFace* face = findFontFace(bytes);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(baseName(fontFacePath(face)), "DejaVuSans.ttf");
}

// On a machine without a single font, texts still get a face and a size: plain cells. The
// check runs in a fresh process whose fontconfig knows no font folder.
TEST(FontLookupDeathTest, MachineWithoutFontsGetsBuiltInCells)
{
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    const std::string config = ::testing::TempDir() + "kelvora-no-fonts.conf";
    {
        std::ofstream out(config);
        out << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    }
    EXPECT_EXIT(
        {
            setenv("FONTCONFIG_FILE", config.c_str(), 1);
            const kelvora::FontFace* face = findFontFace("romans.shx");
            const kelvora::TextBox box = kelvora::measureText(face, "ABC", 2.0, 1.0);
            // Three cells of 0.6 em, capitals 0.7 em high: 3 * 0.6 / 0.7 * 2.0 wide.
            const bool ok = face != nullptr && std::string(fontFacePath(face)).empty() &&
                            std::fabs(box.right - 3 * 0.6 / 0.7 * 2.0) < 1e-9 && std::fabs(box.top - 2.0) < 1e-9;
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    std::remove(config.c_str());
}

}  // namespace

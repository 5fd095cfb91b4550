// Encodings: code pages before R2007, UTF-8 after, UTF-8 found where a page is declared, \U+ and \M+ escapes both ways.
#include "kelvora/dxf_encoding.h"
#include "kelvora/dxf_raw_io.h"

#include "dxf_test_support.h"

#include <gtest/gtest.h>

namespace kelvora::test {
namespace {

// A drawing of version `version` in code page `page` holding one TEXT whose
// value is the raw bytes `text`.
std::string textFile(const std::string& version, const std::string& page, const std::string& text)
{
    std::string out = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\n" + version + "\n";
    if (!page.empty())
        out += "  9\n$DWGCODEPAGE\n  3\n" + page + "\n";
    out += "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nTEXT\n  1\n" + text + "\n  0\nENDSEC\n  0\nEOF\n";
    return out;
}

std::string readText(const std::string& file, DxfDiagnostics& d)
{
    DxfRawDrawing drawing;
    EXPECT_TRUE(readDxfRaw(file, drawing, d)) << describe(d);
    if (drawing.entities.empty() || !drawing.entities[0].record.find(1))
        return "<none>";
    return drawing.entities[0].record.find(1)->value;
}

struct CodePageCase {
    const char* name;
    const char* version;
    const char* page;
    const char* bytes;
    const char* utf8;
};

class CodePageDecoding : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(CodePageDecoding, RawBytesBecomeUtf8)
{
    const CodePageCase& c = GetParam();
    DxfDiagnostics d;
    EXPECT_EQ(readText(textFile(c.version, c.page, c.bytes), d), c.utf8);
    EXPECT_EQ(d.warningCount(), 0u) << describe(d);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CodePageDecoding,
    ::testing::Values(
        CodePageCase{"windows_1252", "AC1015", "ANSI_1252", "P\xE9rim\xE8tre \x80", "Périmètre €"},
        CodePageCase{"windows_1251", "AC1015", "ANSI_1251", "\xCF\xF0\xE8\xE2\xE5\xF2", "Привет"},
        CodePageCase{"windows_1256", "AC1018", "ANSI_1256", "\xD3\xE1\xC7\xE3", "سلام"},
        CodePageCase{"shift_jis_932", "AC1015", "ANSI_932", "\x93\xFA\x96\x7B\x8C\xEA", "日本語"},
        CodePageCase{"gbk_936", "AC1015", "ANSI_936", "\xD6\xD0\xCE\xC4", "中文"},
        CodePageCase{"big5_950", "AC1015", "ANSI_950", "\xA4\xA4", "中"},
        CodePageCase{"dos_850", "AC1009", "DOS850", "\x82t\x82", "été"},
        CodePageCase{"lower_case_page_name", "AC1015", "ansi_1251", "\xCF", "П"},
        CodePageCase{"no_page_means_1252", "AC1009", "", "\xE0 la", "à la"},
        CodePageCase{"utf8_from_r2007", "AC1021", "ANSI_1252", "Périmètre 日本", "Périmètre 日本"},
        CodePageCase{"unicode_escapes_in_r2000", "AC1015", "ANSI_1252", "\\U+0141\\U+00F3d\\U+017A", "Łódź"},
        CodePageCase{"unicode_escapes_in_r2018", "AC1032", "", "a\\U+00E9b", "aéb"},
        CodePageCase{"surrogate_pair_escapes", "AC1015", "ANSI_1252", "\\U+D83D\\U+DE00", "😀"},
        CodePageCase{"multibyte_escape_japanese", "AC1015", "ANSI_1252", "\\M+193FA\\M+1967B", "日本"},
        CodePageCase{"multibyte_escape_korean", "AC1015", "ANSI_1252", "\\M+3C7D1", "한"},
        CodePageCase{"multibyte_escape_simplified", "AC1015", "ANSI_1252", "\\M+5D6D0", "中"},
        CodePageCase{"malformed_escapes_stay", "AC1015", "ANSI_1252", "\\U+12G4 \\U+D800x \\M+9ABCD \\U+",
                     "\\U+12G4 \\U+D800x \\M+9ABCD \\U+"},
        CodePageCase{"mtext_codes_untouched", "AC1015", "ANSI_1252", "\\PLine\\~two", "\\PLine\\~two"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DxfEncoding, Utf8InASingleBytePageIsKeptWithAWarning)
{
    DxfDiagnostics d;
    std::string file = textFile("AC1015", "ANSI_1252", "P\xC3\xA9rim\xC3\xA8tre");
    EXPECT_EQ(readText(file, d), "Périmètre");
    ASSERT_EQ(d.warningCount(), 1u) << describe(d);
    EXPECT_EQ(d.messages()[0].line, lineOf(file, "P\xC3\xA9rim\xC3\xA8tre"));
    EXPECT_NE(d.messages()[0].text.find("kept as UTF-8"), std::string::npos);
}

TEST(DxfEncoding, NonUtf8BytesInAnR2007FileAreReadAsWindows1252)
{
    DxfDiagnostics d;
    EXPECT_EQ(readText(textFile("AC1021", "", "caf\xE9"), d), "café");
    ASSERT_EQ(d.warningCount(), 1u) << describe(d);
    EXPECT_NE(d.messages()[0].text.find("not text in UTF-8"), std::string::npos);
}

TEST(DxfEncoding, UnknownCodePageFallsBackTo1252WithAWarning)
{
    DxfDiagnostics d;
    std::string file = textFile("AC1015", "ANSI_9999", "\xE9");
    EXPECT_EQ(readText(file, d), "é");
    ASSERT_EQ(d.warningCount(), 1u) << describe(d);
    EXPECT_EQ(d.messages()[0].line, lineOf(file, "ANSI_9999"));
}

TEST(DxfEncoding, ByteWithoutCharacterInThePageIsKeptAsItsNumber)
{
    DxfDiagnostics d;
    // 0x81 has no character in Windows-1252.
    EXPECT_EQ(readText(textFile("AC1015", "ANSI_1252", "a\x81"), d), "a\xC2\x81");
    EXPECT_EQ(d.warningCount(), 1u) << describe(d);
}

TEST(DxfEncoding, NumbersAndHandlesAreNeverDecoded)
{
    DxfDiagnostics d;
    std::string file = "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n\\U+0041\n  0\nENDSEC\n  0\nEOF\n";
    DxfRawDrawing drawing;
    readDxfRaw(file, drawing, d);
    EXPECT_EQ(drawing.entities[0].record.find(5)->value, "\\U+0041");
}

struct EncodeCase {
    const char* name;
    const char* version;
    const char* utf8;
    const char* bytes;
    // What a reader gets back: the text itself, except that control characters
    // stay in their caret form.
    const char* readBack = nullptr;
};

class TextEncoding : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(TextEncoding, WritesTheVersionsEncoding)
{
    const EncodeCase& c = GetParam();
    EXPECT_EQ(encodeDxfText(c.utf8, c.version), c.bytes);
}

TEST_P(TextEncoding, ReadsBackAsWritten)
{
    const EncodeCase& c = GetParam();
    DxfDiagnostics d;
    std::string page = isDxfUtf8Version(c.version) ? "" : "ANSI_1252";
    EXPECT_EQ(readText(textFile(c.version, page, encodeDxfText(c.utf8, c.version)), d),
              c.readBack ? c.readBack : c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, TextEncoding,
    ::testing::Values(EncodeCase{"ascii_r2000", "AC1015", "Lot 12", "Lot 12"},
                      EncodeCase{"latin_r2000", "AC1015", "Périmètre €", "P\xE9rim\xE8tre \x80"},
                      EncodeCase{"polish_r2004", "AC1018", "Łódź", "\\U+0141\xF3" "d\\U+017A"},
                      EncodeCase{"japanese_r2000", "AC1015", "日本", "\\U+65E5\\U+672C"},
                      // Its Windows-1252 bytes would read as the UTF-8 of "Κ".
                      EncodeCase{"looks_like_utf8_r2000", "AC1015", "Îš", "\\U+00CE\\U+0161"},
                      EncodeCase{"emoji_r2000", "AC1015", "😀", "\\U+D83D\\U+DE00"},
                      EncodeCase{"utf8_r2007", "AC1021", "Périmètre 日本", "Périmètre 日本"},
                      EncodeCase{"utf8_r2018", "AC1032", "Łódź", "Łódź"},
                      EncodeCase{"line_end_r2018", "AC1032", "a\nb", "a^Jb", "a^Jb"},
                      EncodeCase{"line_end_r2000", "AC1015", "a\r\nb", "a^M^Jb", "a^M^Jb"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DxfEncoding, MultibyteEscapesBothWays)
{
    EXPECT_EQ(dxfMultibyteEscape(U'日', 1), "\\M+193FA");
    EXPECT_EQ(dxfMultibyteEscape(U'한', 3), "\\M+3C7D1");
    EXPECT_EQ(dxfMultibyteEscape(U'中', 2), "\\M+2A4A4");
    EXPECT_EQ(decodeDxfEscapes(*dxfMultibyteEscape(U'語', 1)), "語");
    // Latin letters are single bytes there, and page 9 does not exist.
    EXPECT_FALSE(dxfMultibyteEscape(U'A', 1).has_value());
    EXPECT_FALSE(dxfMultibyteEscape(U'日', 9).has_value());
}

TEST(DxfEncoding, UnicodeEscapesBothWays)
{
    EXPECT_EQ(dxfUnicodeEscape(U'é'), "\\U+00E9");
    EXPECT_EQ(dxfUnicodeEscape(U'😀'), "\\U+D83D\\U+DE00");
    EXPECT_EQ(decodeDxfEscapes(dxfUnicodeEscape(U'😀') + dxfUnicodeEscape(U'Ł')), "😀Ł");
    EXPECT_EQ(decodeDxfEscapes("\\u+00E9"), "\\u+00E9");
}

TEST(DxfEncoding, CodePageNames)
{
    EXPECT_EQ(dxfCodePageCharset("ANSI_1252"), "CP1252");
    EXPECT_EQ(dxfCodePageCharset("ANSI_932"), "CP932");
    EXPECT_EQ(dxfCodePageCharset("ANSI_1361"), "JOHAB");
    EXPECT_EQ(dxfCodePageCharset("DOS437"), "CP437");
    EXPECT_EQ(dxfCodePageCharset("ISO8859-2"), "ISO-8859-2");
    EXPECT_EQ(dxfCodePageCharset("BIG5"), "CP950");
    EXPECT_FALSE(dxfCodePageCharset("ANSI_").has_value());
    EXPECT_FALSE(dxfCodePageCharset("EBCDIC").has_value());
}

TEST(DxfEncoding, Utf8Validation)
{
    EXPECT_TRUE(isValidUtf8("Łódź 日本 😀"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(isValidUtf8("\xE6\x97"));          // cut short
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
}

}  // namespace
}  // namespace kelvora::test

// Tag streams: ASCII and binary groups with their lines and value types; damage named by line.
#include "kelvora/dxf_tag_reader.h"

#include "dxf_test_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

namespace kelvora::test {
namespace {

std::vector<DxfTag> readAll(std::string_view data, DxfDiagnostics& d)
{
    std::vector<DxfTag> out;
    auto reader = makeDxfTagReader(data, d);
    DxfTag t;
    while (reader->next(t))
        out.push_back(t);
    return out;
}

TEST(DxfAsciiTagReader, ReadsCodesValuesAndLines)
{
    std::string data = "  0\nSECTION\n  2\nENTITIES\n 10\n1.5\n";
    DxfDiagnostics d;
    auto tags = readAll(data, d);
    ASSERT_EQ(tags.size(), 3u);
    EXPECT_EQ(tags[0].code, 0);
    EXPECT_EQ(tags[0].value, "SECTION");
    EXPECT_EQ(tags[0].line, 1u);
    EXPECT_EQ(tags[1].line, 3u);
    EXPECT_EQ(tags[2].code, 10);
    EXPECT_EQ(tags[2].valueLine(), 6u);
    EXPECT_EQ(tags[2].toDouble(), 1.5);
    EXPECT_FALSE(d.hasErrors()) << describe(d);
}

TEST(DxfAsciiTagReader, AcceptsCrLfLineEnds)
{
    DxfDiagnostics d;
    auto tags = readAll("0\r\nSECTION\r\n2\r\nHEADER\r\n", d);
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_EQ(tags[0].value, "SECTION");
    EXPECT_EQ(tags[1].value, "HEADER");
    EXPECT_EQ(tags[1].line, 3u);
}

TEST(DxfAsciiTagReader, SkipsCommentsButCountsTheirLines)
{
    DxfDiagnostics d;
    auto tags = readAll("999\nmade by hand\n  0\nLINE\n", d);
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0].value, "LINE");
    EXPECT_EQ(tags[0].line, 3u);
}

TEST(DxfAsciiTagReader, ToleratesBlanksAndTabsAroundCodes)
{
    DxfDiagnostics d;
    auto tags = readAll("\t 70 \t\n     1\n", d);
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0].code, 70);
    // The value keeps its blanks (nothing is lost); the accessor ignores them.
    EXPECT_EQ(tags[0].value, "     1");
    EXPECT_EQ(tags[0].toInteger(), 1);
}

TEST(DxfAsciiTagReader, KeepsBlanksOfStringValues)
{
    DxfDiagnostics d;
    auto tags = readAll("  1\n Lot \n", d);
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0].value, " Lot ");
}

TEST(DxfAsciiTagReader, SkipsUtf8ByteOrderMark)
{
    DxfDiagnostics d;
    auto tags = readAll("\xEF\xBB\xBF  0\nEOF\n", d);
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0].code, 0);
}

struct AsciiDamage {
    const char* name;
    const char* data;
    DxfSeverity severity;
    std::uint32_t line;
    const char* words;  // expected in the message
    std::size_t tagsBefore;  // groups delivered before (or despite) the damage
};

class AsciiDamageCase : public ::testing::TestWithParam<AsciiDamage> {};

TEST_P(AsciiDamageCase, NamesTheLine)
{
    const AsciiDamage& c = GetParam();
    DxfDiagnostics d;
    auto tags = readAll(c.data, d);
    ASSERT_EQ(d.messages().size(), 1u) << describe(d);
    const DxfDiagnostic& m = d.messages()[0];
    EXPECT_EQ(m.severity, c.severity);
    EXPECT_EQ(m.line, c.line);
    EXPECT_NE(m.text.find(c.words), std::string::npos) << m.text;
    EXPECT_EQ(tags.size(), c.tagsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Ascii, AsciiDamageCase,
    ::testing::Values(
        AsciiDamage{"word_for_code", "  0\nLINE\nLINE\n  5\n", DxfSeverity::kError, 3, "invalid group code \"LINE\"", 1},
        AsciiDamage{"code_beyond_range", "  0\nLINE\n2000\nx\n", DxfSeverity::kError, 3, "invalid group code 2000", 1},
        AsciiDamage{"negative_code", "-1\nx\n", DxfSeverity::kError, 1, "invalid group code -1", 0},
        AsciiDamage{"code_with_fraction", " 10.5\n1\n", DxfSeverity::kError, 1, "invalid group code", 0},
        AsciiDamage{"code_without_value", "  0\nLINE\n  8\n", DxfSeverity::kError, 4, "has no value", 1},
        AsciiDamage{"word_for_real", " 40\nabc\n", DxfSeverity::kError, 2, "real number", 1},
        AsciiDamage{"word_for_integer", " 70\n1.0\n", DxfSeverity::kError, 2, "integer", 1},
        AsciiDamage{"int16_overflow", " 70\n70000\n", DxfSeverity::kError, 2, "16-bit", 1},
        AsciiDamage{"int32_overflow", " 90\n99999999999\n", DxfSeverity::kError, 2, "32-bit", 1},
        AsciiDamage{"real_out_of_range", " 40\n1e999\n", DxfSeverity::kError, 2, "real number", 1},
        AsciiDamage{"odd_hex_chunk", "310\nABC\n", DxfSeverity::kError, 2, "even number", 1},
        AsciiDamage{"binary_garbage", "\x89\xfe\x00\x13garbage\nmore\n", DxfSeverity::kError, 1, "invalid group code", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DxfAsciiTagReader, StopsAtTheFirstBadCode)
{
    DxfDiagnostics d;
    auto reader = makeDxfTagReader("oops\n1\n  0\nEOF\n", d);
    DxfTag t;
    EXPECT_FALSE(reader->next(t));
    EXPECT_TRUE(reader->failed());
    EXPECT_FALSE(reader->next(t));
    EXPECT_EQ(d.errorCount(), 1u);
}

TEST(DxfAsciiTagReader, EndLineIsTheLineAfterTheLast)
{
    DxfDiagnostics d;
    auto reader = makeDxfTagReader("  0\nEOF\n", d);
    DxfTag t;
    while (reader->next(t)) {
    }
    EXPECT_EQ(reader->endLine(), 3u);
}

TEST(DxfDiagnostics, KeepsABoundedNumberOfMessages)
{
    std::string data;
    for (int i = 0; i < 1000; ++i)
        data += " 40\nx\n";
    DxfDiagnostics d;
    readAll(data, d);
    EXPECT_EQ(d.errorCount(), 1000u);
    EXPECT_EQ(d.messages().size(), DxfDiagnostics::kMaxKept);
    EXPECT_EQ(d.dropped(), 1000u - DxfDiagnostics::kMaxKept);
}

TEST(DxfDiagnostics, FormatsInTheCompilerConvention)
{
    EXPECT_EQ(DxfDiagnostics::format("a.dxf", {DxfSeverity::kError, 12, "bad"}), "a.dxf:12: error: bad");
    EXPECT_EQ(DxfDiagnostics::format("a.dxf", {DxfSeverity::kWarning, 3, "odd"}), "a.dxf:3: warning: odd");
    EXPECT_EQ(DxfDiagnostics::format("a.dxf", {DxfSeverity::kError, 0, "cannot open"}), "a.dxf: error: cannot open");
}

// ---- binary ----

class BinaryBuilder {
public:
    explicit BinaryBuilder(bool oneByteCodes) : m_oneByte(oneByteCodes) { m_data.assign(kDxfBinarySentinel); }

    BinaryBuilder& code(int c)
    {
        if (m_oneByte) {
            if (c >= 255) {
                m_data += '\xff';
                raw(static_cast<std::uint64_t>(c), 2);
            } else {
                m_data += static_cast<char>(c);
            }
        } else {
            raw(static_cast<std::uint64_t>(c), 2);
        }
        return *this;
    }
    BinaryBuilder& str(int c, std::string_view s)
    {
        code(c);
        m_data += s;
        m_data += '\0';
        return *this;
    }
    BinaryBuilder& real(int c, double v)
    {
        code(c);
        raw(std::bit_cast<std::uint64_t>(v), 8);
        return *this;
    }
    BinaryBuilder& integer(int c, std::int64_t v, int bytes)
    {
        code(c);
        raw(static_cast<std::uint64_t>(v), bytes);
        return *this;
    }
    BinaryBuilder& chunk(int c, std::string_view bytes)
    {
        code(c);
        m_data += static_cast<char>(bytes.size());
        m_data += bytes;
        return *this;
    }
    BinaryBuilder& cut(std::size_t n)
    {
        m_data.resize(m_data.size() - n);
        return *this;
    }
    const std::string& data() const { return m_data; }

private:
    void raw(std::uint64_t v, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            m_data += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    bool m_oneByte;
    std::string m_data;
};

class BinaryTagReader : public ::testing::TestWithParam<bool> {};

TEST_P(BinaryTagReader, ReadsEveryValueType)
{
    BinaryBuilder b(GetParam());
    b.str(0, "SECTION")
        .str(2, "ENTITIES")
        .str(5, "1A2B3C4D5E")
        .real(10, 0.1)
        .real(40, -2.5e300)
        .integer(70, -3, 2)
        .integer(90, 2147483647, 4)
        .integer(160, 1234567890123LL, 8)
        .integer(290, 1, 1)
        .chunk(310, std::string("\x00\x01\xfe", 3))
        .str(1000, "xdata")
        .integer(1071, -7, 4);
    DxfDiagnostics d;
    auto tags = readAll(b.data(), d);
    EXPECT_FALSE(d.hasErrors()) << describe(d);
    ASSERT_EQ(tags.size(), 12u);
    EXPECT_EQ(tags[2].value, "1A2B3C4D5E");
    EXPECT_EQ(tags[3].value, "0.1");
    EXPECT_EQ(tags[4].toDouble(), -2.5e300);
    EXPECT_EQ(tags[5].value, "-3");
    EXPECT_EQ(tags[6].value, "2147483647");
    EXPECT_EQ(tags[7].value, "1234567890123");
    EXPECT_EQ(tags[8].value, "1");
    EXPECT_EQ(tags[9].value, "0001FE");
    EXPECT_EQ(tags[10].code, 1000);
    EXPECT_EQ(tags[11].value, "-7");
    EXPECT_EQ(tags[0].line, 0u);
}

TEST_P(BinaryTagReader, DoublesReadBackBitIdentical)
{
    const double values[] = {0.1, 1.0 / 3.0, 1e-310, 123456789.123456789, -0.0, 5e-324};
    BinaryBuilder b(GetParam());
    b.str(0, "SECTION");
    for (double v : values)
        b.real(40, v);
    DxfDiagnostics d;
    auto tags = readAll(b.data(), d);
    ASSERT_EQ(tags.size(), 1 + std::size(values));
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*tags[i + 1].toDouble()), std::bit_cast<std::uint64_t>(values[i]))
            << tags[i + 1].value;
}

TEST_P(BinaryTagReader, CutShortValueIsAnErrorWithoutLine)
{
    BinaryBuilder b(GetParam());
    b.str(0, "SECTION").real(10, 1.0).cut(3);
    DxfDiagnostics d;
    auto tags = readAll(b.data(), d);
    EXPECT_EQ(tags.size(), 1u);
    ASSERT_EQ(d.errorCount(), 1u);
    EXPECT_EQ(d.messages()[0].line, 0u);
    EXPECT_NE(d.messages()[0].text.find("cut short"), std::string::npos);
}

TEST_P(BinaryTagReader, StringWithoutEndIsAnError)
{
    BinaryBuilder b(GetParam());
    b.str(0, "SECTION").str(1, "abc").cut(1);
    DxfDiagnostics d;
    readAll(b.data(), d);
    ASSERT_EQ(d.errorCount(), 1u);
    EXPECT_NE(d.messages()[0].text.find("has no end"), std::string::npos);
}

TEST_P(BinaryTagReader, ChunkLongerThanTheDataIsAnError)
{
    BinaryBuilder b(GetParam());
    b.str(0, "SECTION").chunk(310, "abcdef").cut(2);
    DxfDiagnostics d;
    readAll(b.data(), d);
    EXPECT_EQ(d.errorCount(), 1u);
}

TEST_P(BinaryTagReader, NotANumberIsRefused)
{
    BinaryBuilder b(GetParam());
    b.str(0, "SECTION").real(10, std::numeric_limits<double>::quiet_NaN());
    DxfDiagnostics d;
    readAll(b.data(), d);
    EXPECT_EQ(d.errorCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Binary, BinaryTagReader, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "R12OneByteCodes" : "R13TwoByteCodes"; });

TEST(BinaryTagReaderR12, EscapedWideCodes)
{
    BinaryBuilder b(true);
    b.str(0, "SECTION").str(1001, "APP").integer(1070, 12, 2);
    DxfDiagnostics d;
    auto tags = readAll(b.data(), d);
    ASSERT_EQ(tags.size(), 3u);
    EXPECT_EQ(tags[1].code, 1001);
    EXPECT_EQ(tags[2].code, 1070);
    EXPECT_EQ(tags[2].value, "12");
}

TEST(BinaryTagReaderR13, CodeBeyondRangeIsAnError)
{
    BinaryBuilder b(false);
    b.str(0, "SECTION").integer(5000, 0, 2);
    DxfDiagnostics d;
    readAll(b.data(), d);
    ASSERT_EQ(d.errorCount(), 1u);
    EXPECT_NE(d.messages()[0].text.find("invalid group code 5000"), std::string::npos);
}

TEST(DxfTagValue, TypesFollowTheGroupCodeRanges)
{
    EXPECT_EQ(dxfValueType(0), DxfValueType::kString);
    EXPECT_EQ(dxfValueType(5), DxfValueType::kHandle);
    EXPECT_EQ(dxfValueType(10), DxfValueType::kDouble);
    EXPECT_EQ(dxfValueType(62), DxfValueType::kInt16);
    EXPECT_EQ(dxfValueType(90), DxfValueType::kInt32);
    EXPECT_EQ(dxfValueType(105), DxfValueType::kHandle);
    EXPECT_EQ(dxfValueType(160), DxfValueType::kInt64);
    EXPECT_EQ(dxfValueType(281), DxfValueType::kInt16);
    EXPECT_EQ(dxfValueType(290), DxfValueType::kBool);
    EXPECT_EQ(dxfValueType(310), DxfValueType::kBinary);
    EXPECT_EQ(dxfValueType(330), DxfValueType::kHandle);
    EXPECT_EQ(dxfValueType(420), DxfValueType::kInt32);
    EXPECT_EQ(dxfValueType(1004), DxfValueType::kBinary);
    EXPECT_EQ(dxfValueType(1005), DxfValueType::kHandle);
    EXPECT_EQ(dxfValueType(1040), DxfValueType::kDouble);
    EXPECT_EQ(dxfValueType(1071), DxfValueType::kInt32);
}

TEST(DxfTagValue, DoublesFormatShortestAndReadBack)
{
    EXPECT_EQ(formatDxfDouble(0.0), "0.0");
    EXPECT_EQ(formatDxfDouble(2.5), "2.5");
    EXPECT_EQ(formatDxfDouble(100.0), "100.0");
    EXPECT_EQ(formatDxfDouble(0.1), "0.1");
    const double values[] = {1.0 / 3.0, 2.0 / 3.0 * 1e300, 4.9406564584124654e-324, -123.456e-7};
    for (double v : values) {
        DxfTag t(40, formatDxfDouble(v));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*t.toDouble()), std::bit_cast<std::uint64_t>(v)) << t.value;
    }
}

TEST(DxfTagValue, HandlesUpTo64Bits)
{
    EXPECT_EQ(DxfTag(5, "FFFFFFFFFFFFFFFF").toHandle(), 0xFFFFFFFFFFFFFFFFull);
    EXPECT_EQ(DxfTag(5, "1234ABCD5678").toHandle(), 0x1234ABCD5678ull);
    EXPECT_FALSE(DxfTag(5, "1FFFFFFFFFFFFFFFF").toHandle().has_value());
    EXPECT_EQ(formatDxfHandle(0x1234ABCD5678ull), "1234ABCD5678");
    EXPECT_EQ(formatDxfHandle(0), "0");
}

TEST(DxfTagValue, MalformedNumbersGiveNothing)
{
    EXPECT_FALSE(DxfTag(40, "1,5").toDouble());
    EXPECT_FALSE(DxfTag(40, "nan").toDouble());
    EXPECT_FALSE(DxfTag(40, "").toDouble());
    EXPECT_FALSE(DxfTag(70, "7x").toInteger());
    EXPECT_FALSE(DxfTag(290, "2").toBool());
    EXPECT_FALSE(DxfTag(310, "0G").toBinary());
    EXPECT_EQ(DxfTag(40, " +.5 ").toDouble(), 0.5);
    EXPECT_EQ(DxfTag(40, "5.").toDouble(), 5.0);
    EXPECT_EQ(DxfTag(40, "1E3").toDouble(), 1000.0);
}

}  // namespace
}  // namespace kelvora::test

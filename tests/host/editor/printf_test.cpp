// Tests of acutPrintf and the wide printf formatter: wide %s, narrow %S, numbers, safety limits.
#include <gtest/gtest.h>

#include <string>

#include "acutads.h"
#include "afxstr.h"
#include "editor_session.h"

namespace kelvora {
namespace {

// CString::Format runs the host's wide printf, the one acutPrintf uses.
std::wstring formatPrintf(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    return text.str();
}

// The formatter caps widths and precisions at this many characters.
constexpr std::size_t kMaxFieldWidth = 4096;

TEST(WidePrintf, WideAndNarrowStrings)
{
    EXPECT_EQ(formatPrintf(L"[%s]", L"Périmètre"), L"[Périmètre]");
    EXPECT_EQ(formatPrintf(L"[%S]", "m\xC2\xB2"), L"[m²]");
    EXPECT_EQ(formatPrintf(L"[%hs|%ls]", "narrow", L"wide"), L"[narrow|wide]");
    EXPECT_EQ(formatPrintf(L"[%c%C%lc]", L'é', 'a', L'ü'), L"[éaü]");
}

TEST(WidePrintf, StringWidthAndPrecisionCountCharacters)
{
    EXPECT_EQ(formatPrintf(L"[%6s]", L"Lot"), L"[   Lot]");
    EXPECT_EQ(formatPrintf(L"[%-6s]", L"Lot"), L"[Lot   ]");
    EXPECT_EQ(formatPrintf(L"[%.2s]", L"été"), L"[ét]");
    EXPECT_EQ(formatPrintf(L"[%*s]", 4, L"a"), L"[   a]");
    EXPECT_EQ(formatPrintf(L"[%*s]", -4, L"a"), L"[a   ]");
}

struct NumberCase {
    const char* name;
    std::wstring got;
    const wchar_t* want;
};

class PrintfNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(PrintfNumbers, FormatLikeCPrintf)
{
    EXPECT_EQ(GetParam().got, GetParam().want) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Printf, PrintfNumbers,
    ::testing::Values(NumberCase{"int", formatPrintf(L"%d", -42), L"-42"},
                      NumberCase{"i_with_width", formatPrintf(L"%6d", 123), L"   123"},
                      NumberCase{"zero_padded", formatPrintf(L"%05d", 42), L"00042"},
                      NumberCase{"plus_flag", formatPrintf(L"%+d", 5), L"+5"},
                      NumberCase{"unsigned", formatPrintf(L"%u", 4000000000u), L"4000000000"},
                      NumberCase{"hex", formatPrintf(L"%x|%X|%#x", 255u, 255u, 255u), L"ff|FF|0xff"},
                      NumberCase{"long", formatPrintf(L"%ld", -1234567890123L), L"-1234567890123"},
                      NumberCase{"long_long", formatPrintf(L"%lld", 9000000000LL), L"9000000000"},
                      NumberCase{"i64", formatPrintf(L"%I64d", 9000000000LL), L"9000000000"},
                      NumberCase{"size_t", formatPrintf(L"%zu", std::size_t{17}), L"17"},
                      NumberCase{"short_truncates", formatPrintf(L"%hd", 65537), L"1"},
                      NumberCase{"fixed", formatPrintf(L"%.2f", 3.14159), L"3.14"},
                      NumberCase{"fixed_lf", formatPrintf(L"%lf", 2.5), L"2.500000"},
                      NumberCase{"star_precision", formatPrintf(L"%.*f", 3, 1.0), L"1.000"},
                      NumberCase{"general", formatPrintf(L"%g|%g|%g", 1e9, 0.0001, 100.0), L"1e+09|0.0001|100"},
                      NumberCase{"exponent", formatPrintf(L"%e", 1234.5), L"1.234500e+03"},
                      NumberCase{"width_fixed", formatPrintf(L"%8.3f", -1.5), L"  -1.500"},
                      NumberCase{"percent", formatPrintf(L"100%%"), L"100%"},
                      NumberCase{"mixed", formatPrintf(L"\nLignes: %6d / %6d\r", 1, 12),
                                 L"\nLignes:      1 /     12\r"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WidePrintf, NullStringsPrintNull)
{
    const wchar_t* wide = nullptr;
    const char* narrow = nullptr;
    EXPECT_EQ(formatPrintf(L"%s %S", wide, narrow), L"(null) (null)");
}

TEST(WidePrintf, PointersNeverPrintAddresses)
{
    int value = 0;
    EXPECT_EQ(formatPrintf(L"%p", static_cast<void*>(&value)), L"<pointer>");
}

TEST(WidePrintf, PercentNWritesNothing)
{
    int count = 77;
    EXPECT_EQ(formatPrintf(L"ab%ncd", &count), L"abcd");
    EXPECT_EQ(count, 77);
}

TEST(WidePrintf, UnknownConversionIsCopied)
{
    EXPECT_EQ(formatPrintf(L"[%y]"), L"[%y]");
    EXPECT_EQ(formatPrintf(L"ends with %"), L"ends with %");
}

TEST(WidePrintf, HugeWidthIsCapped)
{
    std::wstring text = formatPrintf(L"%999999999d", 1);
    EXPECT_EQ(text.size(), kMaxFieldWidth);
    std::wstring precise = formatPrintf(L"%.99999999f", 1.0);
    EXPECT_LE(precise.size(), kMaxFieldWidth + 2);
}

TEST(AcutPrintf, WritesToTheTranscriptAsUtf8)
{
    test::ScriptSession session("");
    int count = acutPrintf(L"\nSurface: %s = %.2f m%s\r", L"Lot 7", 12.5, L"²");
    EXPECT_EQ(session.out(), "\nSurface: Lot 7 = 12.50 m\xC2\xB2\r");
    EXPECT_EQ(count, 27);  // characters, not bytes
}

TEST(AcutPrintf, NullFormatPrintsNothing)
{
    test::ScriptSession session("");
    EXPECT_EQ(acutPrintf(nullptr), 0);
    EXPECT_EQ(session.out(), "");
}

}  // namespace
}  // namespace kelvora

// Result-buffer lists, colours and the palette, and the wide-string helpers.
#include <gtest/gtest.h>

#include <ostream>

#include "acutads.h"
#include "adscodes.h"
#include "dbcolor.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/wide_text.h"
#include "kelvora/wide_format.h"

namespace {

TEST(Resbuf, BuildListTypesEveryValueByItsCode)
{
    ads_point pt = {1.0, 2.0, 3.0};
    ads_name name = {0x2A, 7};
    resbuf* list = acutBuildList(RTDXF0, L"LWPOLYLINE", -4, L"<OR", 8, L"0", 62, 5, 90, 70000, 40, 2.5, 10, pt,
                                 330, name, RTLB, RTLE, RTSHORT, 3, RTSTR, L"x", 0);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(kelvora::resbufListLength(list), 12);
    const resbuf* rb = list;
    EXPECT_STREQ(rb->resval.rstring, L"LWPOLYLINE");
    rb = rb->rbnext;
    EXPECT_STREQ(rb->resval.rstring, L"<OR");
    rb = rb->rbnext->rbnext;
    EXPECT_EQ(rb->resval.rint, 5);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rlong, 70000);
    rb = rb->rbnext;
    EXPECT_DOUBLE_EQ(rb->resval.rreal, 2.5);
    rb = rb->rbnext;
    EXPECT_DOUBLE_EQ(rb->resval.rpoint[2], 3.0);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rlname[0], 0x2A);
    EXPECT_EQ(rb->resval.rlname[1], 7);
    rb = rb->rbnext;
    EXPECT_EQ(rb->restype, RTLB);
    resbuf* copy = kelvora::copyResbufList(list);
    EXPECT_TRUE(kelvora::resbufListsEqual(list, copy));
    copy->rbnext->resval.rstring[1] = L'X';
    EXPECT_FALSE(kelvora::resbufListsEqual(list, copy));
    acutRelRb(copy);
    EXPECT_EQ(acutRelRb(list), RTNORM);
    EXPECT_EQ(acutBuildList(0), nullptr);
}

TEST(Resbuf, HostStrings)
{
    ACHAR* s = nullptr;
    EXPECT_EQ(acutNewString(L"abc", s), RTNORM);
    EXPECT_STREQ(s, L"abc");
    EXPECT_EQ(acutDelString(s), RTNORM);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(acutNewString(nullptr, s), RTERROR);
    EXPECT_EQ(s, nullptr);
}

struct KindCase {
    const char* name;
    int code;
    kelvora::ResbufValueKind kind;
};

// Test names print the case name (the rest of the row is not printable).
void PrintTo(const KindCase& c, std::ostream* os)
{
    *os << c.name;
}


class ResbufKind : public ::testing::TestWithParam<KindCase> {};

TEST_P(ResbufKind, ByCode)
{
    EXPECT_EQ(kelvora::resbufValueKind(GetParam().code), GetParam().kind) << GetParam().name;
}

using K = kelvora::ResbufValueKind;
INSTANTIATE_TEST_SUITE_P(Database, ResbufKind,
                         ::testing::Values(KindCase{"layer", 8, K::kString}, KindCase{"point", 10, K::kPoint},
                                           KindCase{"elevation", 38, K::kReal}, KindCase{"colour", 62, K::kShort},
                                           KindCase{"count", 90, K::kLong}, KindCase{"int64", 160, K::kInt64},
                                           KindCase{"normal", 210, K::kPoint}, KindCase{"flag", 290, K::kShort},
                                           KindCase{"binary", 310, K::kBinary}, KindCase{"owner", 330, K::kName},
                                           KindCase{"truecolor", 420, K::kLong},
                                           KindCase{"xdata_string", 1000, K::kString},
                                           KindCase{"xdata_handle", 1005, K::kString},
                                           KindCase{"xdata_point", 1011, K::kPoint},
                                           KindCase{"xdata_short", 1070, K::kShort},
                                           KindCase{"xdata_long", 1071, K::kLong},
                                           KindCase{"list_begin", RTLB, K::kNone}),
                         [](const ::testing::TestParamInfo<KindCase>& info) { return std::string(info.param.name); });

TEST(Color, IndexMethodsAndPacking)
{
    AcCmColor c;
    EXPECT_TRUE(c.isByLayer());
    EXPECT_EQ(c.colorIndex(), 256);
    EXPECT_EQ(c.setColorIndex(0), Acad::eOk);
    EXPECT_TRUE(c.isByBlock());
    EXPECT_EQ(c.setColorIndex(3), Acad::eOk);
    EXPECT_TRUE(c.isByACI());
    EXPECT_EQ(c.setColorIndex(300), Acad::eInvalidInput);
    EXPECT_EQ(c.colorIndex(), 3);
    AcCmColor d;
    ASSERT_EQ(d.setColor(c.color()), Acad::eOk);
    EXPECT_EQ(d, c);
    c.setRGB(255, 0, 0);
    EXPECT_TRUE(c.isByColor());
    EXPECT_EQ(c.colorIndex(), 1) << "pure red is the nearest index to itself";
    d.setColor(c.color());
    EXPECT_EQ(d.red(), 255);
    EXPECT_EQ(AcCmEntityColor::lookUpRGB(1), 0xFF0000u);
    EXPECT_EQ(AcCmEntityColor::lookUpRGB(5), 0x0000FFu);
    EXPECT_EQ(AcCmEntityColor::lookUpRGB(10), 0xFF0000u);
    EXPECT_EQ(AcCmEntityColor::lookUpRGB(250), 0x333333u);
    for (int i = 1; i <= 255; ++i) {
        Adesk::UInt32 rgb = AcCmEntityColor::lookUpRGB(static_cast<Adesk::UInt8>(i));
        Adesk::UInt8 back = AcCmEntityColor::lookUpACI(static_cast<Adesk::UInt8>(rgb >> 16),
                                                       static_cast<Adesk::UInt8>(rgb >> 8), static_cast<Adesk::UInt8>(rgb));
        EXPECT_EQ(AcCmEntityColor::lookUpRGB(back), rgb) << i;
    }
}

// Colour-book names travel with copies and moves, count in equality, and can be given back to the
// colour that holds them.
TEST(Color, BookNamesFollowCopiesAndCountInEquality)
{
    AcCmColor plain;
    EXPECT_STREQ(plain.colorName(), L"");
    EXPECT_STREQ(plain.bookName(), L"");
    EXPECT_FALSE(plain.hasColorName());

    AcCmColor named;
    ASSERT_EQ(named.setRGB(10, 20, 30), Acad::eOk);
    ASSERT_EQ(named.setNames(L"Terre de Sienne", L"Nuancier"), Acad::eOk);
    AcCmColor copy(named);
    EXPECT_STREQ(copy.colorName(), L"Terre de Sienne");
    EXPECT_STREQ(copy.bookName(), L"Nuancier");
    EXPECT_EQ(copy, named);
    ASSERT_EQ(named.setNames(L"Ocre"), Acad::eOk);
    EXPECT_STREQ(copy.colorName(), L"Terre de Sienne") << "a copy has names of its own";
    EXPECT_NE(copy, named);

    AcCmColor assigned;
    assigned = copy;
    EXPECT_EQ(assigned, copy);
    AcCmColor moved(std::move(assigned));
    EXPECT_STREQ(moved.bookName(), L"Nuancier");

    // The same names given back: kept, not read after they were freed.
    ASSERT_EQ(moved.setNames(moved.colorName(), moved.bookName()), Acad::eOk);
    EXPECT_STREQ(moved.colorName(), L"Terre de Sienne");
    EXPECT_STREQ(moved.bookName(), L"Nuancier");

    // No names and empty names are the same colour.
    AcCmColor cleared(copy);
    ASSERT_EQ(cleared.setNames(L"", nullptr), Acad::eOk);
    AcCmColor unnamed;
    ASSERT_EQ(unnamed.setRGB(10, 20, 30), Acad::eOk);
    EXPECT_EQ(cleared, unnamed);
    EXPECT_FALSE(cleared.hasBookName());
}

TEST(WideText, Utf8AndFoldingAndCodes)
{
    EXPECT_EQ(kelvora::toUtf8(L"Été\u2300"), "\xC3\x89t\xC3\xA9\xE2\x8C\x80");
    EXPECT_EQ(kelvora::fromUtf8("\xC3\x89t\xC3\xA9"), L"Été");
    EXPECT_EQ(kelvora::fromUtf8("a\xFF" "b"), L"a\uFFFDb");
    EXPECT_EQ(kelvora::fromUtf8("\xE2\x8C"), L"\uFFFD\uFFFD");
    EXPECT_TRUE(kelvora::namesEqual(L"été", L"ÉTÉ"));
    EXPECT_FALSE(kelvora::namesEqual(L"a", L"a "));
    EXPECT_EQ(kelvora::expandTextControlCodes(L"90%%d %%c10 %%p1 100%%% %%uU%%u %%065"), L"90° ⌀10 ±1 100% U A");
    EXPECT_EQ(kelvora::expandTextControlCodes(L"%%"), L"%%");
    EXPECT_EQ(kelvora::formatPrintf(L"%s=%d %c", L"L", 3, L'x'), L"L=3 x");
    EXPECT_EQ(kelvora::formatPrintf(L"%.2f %hs", 1.005, "n"), L"1.00 n");
}

}  // namespace

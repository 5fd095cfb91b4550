// Tests of CString: the member functions MFC code leans on, wide formatting, buffers, bounds.
#include <gtest/gtest.h>

#include "afxstr.h"

namespace {

TEST(CString, FormatTakesWideStrings)
{
    CString text;
    text.Format(L"%s%d%s", L"Lot:", 7, L"b");
    EXPECT_EQ(text, L"Lot:7b");
    text.AppendFormat(L" %.2f %S", 45.141, "ml");
    EXPECT_EQ(text, L"Lot:7b 45.14 ml");
}

TEST(CString, TrimmingBlanksAndChosenCharacters)
{
    CString prefix(L"  P- \t");
    prefix.Trim();
    EXPECT_EQ(prefix, L"P-");
    CString zeros(L"0012.500");
    zeros.TrimLeft(L'0');
    zeros.TrimRight(L"0");
    EXPECT_EQ(zeros, L"12.5");
    CString blank(L"   ");
    blank.Trim();
    EXPECT_TRUE(blank.IsEmpty());
}

TEST(CString, SlicesClampToTheString)
{
    CString text(L"Superficie");
    EXPECT_EQ(text.Left(5), L"Super");
    EXPECT_EQ(text.Right(5), L"ficie");
    EXPECT_EQ(text.Mid(5, 3), L"fic");
    EXPECT_EQ(text.Left(99), L"Superficie");
    EXPECT_EQ(text.Mid(20), L"");
    EXPECT_EQ(text.Mid(-3, 2), L"Su");
    EXPECT_EQ(text.Right(-1), L"");
}

TEST(CString, SearchAndReplace)
{
    CString text(L"Aire:||m2");
    EXPECT_EQ(text.Find(L"||"), 5);
    EXPECT_EQ(text.Find(L'm', 7), 7);
    EXPECT_EQ(text.Find(L"x"), -1);
    EXPECT_EQ(text.ReverseFind(L'|'), 6);
    EXPECT_EQ(text.Find(L"A", 50), -1);
    EXPECT_EQ(text.Replace(L"||", L" "), 1);
    EXPECT_EQ(text, L"Aire: m2");
    EXPECT_EQ(text.Replace(L"", L"x"), 0);
    EXPECT_EQ(text.Remove(L' '), 1);
    EXPECT_EQ(text, L"Aire:m2");
}

TEST(CString, CaseAndComparisons)
{
    CString text(L"Périmètre");
    EXPECT_EQ(CString(text).MakeUpper(), L"PÉRIMÈTRE");
    EXPECT_EQ(text.CompareNoCase(L"PÉRIMÈTRE"), 0);
    EXPECT_LT(text.Compare(L"Q"), 0);
    EXPECT_TRUE(text == L"Périmètre");
    EXPECT_TRUE(L"x" != text);
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
}

TEST(CString, TokenizeWalksTheParts)
{
    CString text(L"Aire:||m2||");
    int position = 0;
    std::vector<std::wstring> parts;
    for (CString part = text.Tokenize(L"|", position); position != -1; part = text.Tokenize(L"|", position))
        parts.push_back(part.str());
    EXPECT_EQ(parts, (std::vector<std::wstring>{L"Aire:", L"m2"}));
}

TEST(CString, BufferWrittenInPlace)
{
    CString text;
    wchar_t* buffer = text.GetBuffer(28);
    buffer[0] = L'2';
    buffer[1] = L'.';
    buffer[2] = L'5';
    buffer[3] = 0;
    text.ReleaseBuffer();
    EXPECT_EQ(text, L"2.5");
    EXPECT_EQ(text.GetLength(), 3);
    text.GetBufferSetLength(1);
    text.ReleaseBuffer(1);
    EXPECT_EQ(text, L"2");
}

TEST(CString, CharacterAccessOutOfRangeIsZero)
{
    CString text(L"ab");
    EXPECT_EQ(text[1], L'b');
    EXPECT_EQ(text[std::size_t{5}], 0);
    EXPECT_EQ(text.GetAt(-1), 0);
    text.SetAt(9, L'z');
    EXPECT_EQ(text, L"ab");
}

TEST(CString, NullAndNarrowConstruction)
{
    const wchar_t* none = nullptr;
    EXPECT_TRUE(CString(none).IsEmpty());
    EXPECT_EQ(CString("Bâtiments"), L"Bâtiments");
    EXPECT_EQ(CString(L'-', 3), L"---");
    EXPECT_EQ(CString(L"abcdef", 3), L"abc");
    EXPECT_EQ(L"<" + CString(L"x") + L'>', L"<x>");
}

TEST(CString, InsertAndDelete)
{
    CString text(L"Lot");
    text.Insert(3, L" 7");
    text.Insert(0, L'#');
    EXPECT_EQ(text, L"#Lot 7");
    text.Delete(0);
    text.Delete(3, 99);
    EXPECT_EQ(text, L"Lot");
    text.Delete(10, 2);
    EXPECT_EQ(text, L"Lot");
}

}  // namespace

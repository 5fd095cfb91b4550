// Tests of the answer syntax: numbers, points (absolute, relative, polar), keywords, command names.
#include <gtest/gtest.h>

#include <cmath>

#include "kelvora/script_syntax.h"

namespace kelvora {
namespace {

// Parsed coordinates come from decimal text through strtod and one sin/cos: far below this.
constexpr double kCoordinateTolerance = 1e-12;

struct RealCase {
    const char* name;
    const wchar_t* text;
    std::optional<double> value;
};

class RealAnswers : public ::testing::TestWithParam<RealCase> {};

TEST_P(RealAnswers, ParseAsWritten)
{
    const RealCase& c = GetParam();
    std::optional<double> got = parseReal(c.text);
    ASSERT_EQ(got.has_value(), c.value.has_value()) << c.name;
    if (c.value) {
        EXPECT_DOUBLE_EQ(*got, *c.value) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Script, RealAnswers,
    ::testing::Values(RealCase{"integer", L"12", 12.0}, RealCase{"negative_decimal", L"-2.5", -2.5},
                      RealCase{"plus_sign", L"+3", 3.0}, RealCase{"leading_point", L".5", 0.5},
                      RealCase{"trailing_point", L"5.", 5.0}, RealCase{"exponent", L"1.5e3", 1500.0},
                      RealCase{"negative_exponent", L"25E-1", 2.5}, RealCase{"blanks_around", L"  7 \t", 7.0},
                      RealCase{"empty", L"", std::nullopt}, RealCase{"only_sign", L"-", std::nullopt},
                      RealCase{"only_point", L".", std::nullopt}, RealCase{"comma_decimal", L"2,5", std::nullopt},
                      RealCase{"trailing_text", L"3x", std::nullopt}, RealCase{"bare_exponent", L"1e", std::nullopt},
                      RealCase{"infinity_word", L"inf", std::nullopt}, RealCase{"nan_word", L"nan", std::nullopt},
                      RealCase{"overflow_to_infinity", L"1e400", std::nullopt},
                      RealCase{"hexadecimal", L"0x10", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct IntegerCase {
    const char* name;
    const wchar_t* text;
    std::optional<long long> value;
};

class IntegerAnswers : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerAnswers, ParseAsWritten)
{
    const IntegerCase& c = GetParam();
    EXPECT_EQ(parseInteger(c.text), c.value) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Script, IntegerAnswers,
                         ::testing::Values(IntegerCase{"positive", L"42", 42}, IntegerCase{"negative", L"-7", -7},
                                           IntegerCase{"blanks", L" 3 ", 3}, IntegerCase{"real", L"3.0", std::nullopt},
                                           IntegerCase{"text", L"abc", std::nullopt},
                                           IntegerCase{"largest", L"9223372036854775807", 9223372036854775807LL},
                                           IntegerCase{"smallest", L"-9223372036854775808", INT64_MIN},
                                           IntegerCase{"one_too_many", L"9223372036854775808", std::nullopt},
                                           IntegerCase{"sign_only", L"+", std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PointCase {
    const char* name;
    const wchar_t* text;
    ScriptPoint last;
    std::optional<ScriptPoint> point;
};

class PointAnswers : public ::testing::TestWithParam<PointCase> {};

TEST_P(PointAnswers, ParseToWorldPoints)
{
    const PointCase& c = GetParam();
    std::optional<ScriptPoint> got = parsePoint(c.text, c.last);
    ASSERT_EQ(got.has_value(), c.point.has_value()) << c.name;
    if (!c.point)
        return;
    EXPECT_NEAR(got->x, c.point->x, kCoordinateTolerance) << c.name;
    EXPECT_NEAR(got->y, c.point->y, kCoordinateTolerance) << c.name;
    EXPECT_NEAR(got->z, c.point->z, kCoordinateTolerance) << c.name;
}

const double kHalfDiagonal = std::sqrt(8.0);

INSTANTIATE_TEST_SUITE_P(
    Script, PointAnswers,
    ::testing::Values(
        PointCase{"two_coordinates", L"10,20", {1, 2, 3}, ScriptPoint{10, 20, 0}},
        PointCase{"three_coordinates", L"1.5,-2,4", {}, ScriptPoint{1.5, -2, 4}},
        PointCase{"blanks_inside", L" 10 , 20 ", {}, ScriptPoint{10, 20, 0}},
        PointCase{"relative", L"@5,0", {10, 10, 2}, ScriptPoint{15, 10, 2}},
        PointCase{"relative_3d", L"@1,1,1", {10, 10, 2}, ScriptPoint{11, 11, 3}},
        PointCase{"relative_negative", L"@-5,-5", {15, 15, 0}, ScriptPoint{10, 10, 0}},
        PointCase{"polar_up", L"@10<90", {0, 0, 0}, ScriptPoint{0, 10, 0}},
        PointCase{"polar_south_west", L"@4<225", {10, 10, 0}, ScriptPoint{10 - kHalfDiagonal, 10 - kHalfDiagonal, 0}},
        PointCase{"polar_from_origin", L"10<0", {5, 5, 0}, ScriptPoint{10, 0, 0}},
        PointCase{"at_alone_is_last_point", L"@", {3, 4, 5}, ScriptPoint{3, 4, 5}},
        PointCase{"one_coordinate", L"10", {}, std::nullopt},
        PointCase{"four_coordinates", L"1,2,3,4", {}, std::nullopt},
        PointCase{"empty_coordinate", L"1,,2", {}, std::nullopt},
        PointCase{"keyword", L"C", {}, std::nullopt}, PointCase{"two_angles", L"@1<2<3", {}, std::nullopt},
        PointCase{"dialog_line", L"@1011=P12", {}, std::nullopt}, PointCase{"empty", L"", {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct KeywordCase {
    const char* name;
    const wchar_t* list;
    const wchar_t* answer;
    const wchar_t* global;  // null: no keyword matches
};

class KeywordAnswers : public ::testing::TestWithParam<KeywordCase> {};

TEST_P(KeywordAnswers, SelectByCapitalsAndPrefixes)
{
    const KeywordCase& c = GetParam();
    KeywordList list = KeywordList::parse(c.list);
    const Keyword* got = list.match(c.answer);
    if (c.global == nullptr) {
        EXPECT_EQ(got, nullptr) << c.name << " matched " << (got != nullptr ? got->local.size() : 0);
        return;
    }
    ASSERT_NE(got, nullptr) << c.name;
    EXPECT_EQ(got->global, c.global) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Script, KeywordAnswers,
    ::testing::Values(KeywordCase{"capital_alone", L"Yes No", L"y", L"Yes"},
                      KeywordCase{"full_word_any_case", L"Yes No", L"NO", L"No"},
                      KeywordCase{"prefix_past_capitals", L"LType Width", L"lty", L"LType"},
                      KeywordCase{"prefix_short_of_capitals", L"LType Width", L"l", nullptr},
                      KeywordCase{"capital_in_the_middle", L"eXit Undo", L"x", L"eXit"},
                      KeywordCase{"prefix_reaching_middle_capital", L"eXit Undo", L"ex", L"eXit"},
                      KeywordCase{"prefix_before_middle_capital", L"eXit Undo", L"e", nullptr},
                      KeywordCase{"explicit_abbreviation", L"LTYPE,LT", L"LT", L"LTYPE"},
                      KeywordCase{"explicit_abbreviation_too_short", L"LTYPE,LT", L"L", nullptr},
                      KeywordCase{"no_capitals_needs_whole_word", L"1x 2x", L"1", nullptr},
                      KeywordCase{"no_capitals_whole_word", L"1x 2x", L"2X", L"2x"},
                      KeywordCase{"local_gives_global", L"Oui Non _ Yes No", L"n", L"No"},
                      KeywordCase{"underscore_names_global", L"Oui Non _ Yes No", L"_Yes", L"Yes"},
                      KeywordCase{"underscore_global_abbreviation", L"Oui Non _ Yes No", L"_N", L"No"},
                      KeywordCase{"underscore_without_globals", L"Close Undo", L"_C", L"Close"},
                      KeywordCase{"first_of_two_matches", L"Close Center", L"c", L"Close"},
                      KeywordCase{"longer_than_keyword", L"Close", L"closed", nullptr},
                      KeywordCase{"accented_capital", L"Éditer Quitter", L"é", L"Éditer"},
                      KeywordCase{"empty_answer", L"Yes", L"", nullptr},
                      KeywordCase{"empty_list", L"", L"y", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeywordList, KeepsListOrderAndGlobalNames)
{
    KeywordList list = KeywordList::parse(L"  Oui   Non _ Yes No Extra ");
    ASSERT_EQ(list.keywords().size(), 2u);
    EXPECT_EQ(list.keywords()[0].local, L"Oui");
    EXPECT_EQ(list.keywords()[1].global, L"No");
}

TEST(KeywordList, MissingGlobalNameFallsBackToLocal)
{
    KeywordList list = KeywordList::parse(L"Oui Non _ Yes");
    ASSERT_EQ(list.keywords().size(), 2u);
    EXPECT_EQ(list.keywords()[1].global, L"Non");
}

struct CommandCase {
    const char* name;
    const wchar_t* line;
    const wchar_t* command;  // null: no name
    bool global;
    bool builtIn;
};

class CommandNames : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandNames, NormaliseCaseAndPrefixes)
{
    const CommandCase& c = GetParam();
    auto got = parseCommandName(c.line);
    if (c.command == nullptr) {
        EXPECT_FALSE(got.has_value()) << c.name;
        return;
    }
    ASSERT_TRUE(got.has_value()) << c.name;
    EXPECT_EQ(got->name, c.command) << c.name;
    EXPECT_EQ(got->global, c.global) << c.name;
    EXPECT_EQ(got->builtIn, c.builtIn) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Script, CommandNames,
                         ::testing::Values(CommandCase{"lower_case", L"line", L"LINE", false, false},
                                           CommandCase{"global", L"_SPOLY", L"SPOLY", true, false},
                                           CommandCase{"global_built_in", L"_.Line", L"LINE", true, true},
                                           CommandCase{"built_in_global", L"._zoom", L"ZOOM", true, true},
                                           CommandCase{"blanks", L"  circle ", L"CIRCLE", false, false},
                                           CommandCase{"accented", L"détail", L"DÉTAIL", false, false},
                                           CommandCase{"prefixes_only", L"_.", nullptr, false, false},
                                           CommandCase{"blank", L"   ", nullptr, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptLines, CommentsStartWithSemicolonAfterBlanks)
{
    EXPECT_TRUE(isCommentLine("; a plan drawn by hand"));
    EXPECT_TRUE(isCommentLine("   ;indented"));
    EXPECT_FALSE(isCommentLine("LINE ; not a comment"));
    EXPECT_FALSE(isCommentLine(""));
}

TEST(ScriptLines, CancelIsCaretC)
{
    EXPECT_TRUE(isCancelLine(L"^C"));
    EXPECT_TRUE(isCancelLine(L" ^c "));
    EXPECT_FALSE(isCancelLine(L"^C^C"));
    EXPECT_FALSE(isCancelLine(L"C"));
}

TEST(ScriptLines, RelativePointsAreNotDialogLines)
{
    EXPECT_TRUE(isDialogLine("@OK"));
    EXPECT_TRUE(isDialogLine("@1011=P12"));
    EXPECT_TRUE(isDialogLine("@click 1025"));
    EXPECT_TRUE(isDialogLine("@box Cancel"));
    EXPECT_FALSE(isDialogLine("@5,0"));
    EXPECT_FALSE(isDialogLine("@10<90"));
    EXPECT_FALSE(isDialogLine("@"));
    EXPECT_FALSE(isDialogLine("OK"));
}

}  // namespace
}  // namespace kelvora

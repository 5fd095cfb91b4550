// Tests of selection sets: acedSSGet's modes and selector lines, filters with conditionals, and the acedSS functions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acedads.h"
#include "acutads.h"
#include "program_fixture.h"
#include "selection_filter.h"
#include "selection_sets.h"

namespace {

using namespace kelvora;
using test::ProgramDrawing;

std::vector<AcDbObjectId> contents(const ads_name ss)
{
    std::vector<AcDbObjectId> ids;
    Adesk::Int32 length = 0;
    if (acedSSLength(ss, &length) != RTNORM)
        return ids;
    for (Adesk::Int32 i = 0; i < length; ++i) {
        ads_name name{0, 0};
        AcDbObjectId id;
        if (acedSSName(ss, i, name) == RTNORM && acdbGetObjectId(id, name) == Acad::eOk)
            ids.push_back(id);
    }
    return ids;
}

// Circles of radius 2 at 10,10 and 19,10, radius 1 at 50,50, and a line from 0,40 to 10,40.
struct Plan {
    AcDbObjectId first;
    AcDbObjectId second;
    AcDbObjectId far;
    AcDbObjectId line;
};

Plan makePlan(ProgramDrawing& d)
{
    Plan p;
    p.first = d.addCircle(10, 10, 2);
    p.second = d.addCircle(19, 10, 2);
    p.far = d.addCircle(50, 50, 1);
    p.line = d.addLine(0, 40, 10, 40);
    return p;
}

TEST(ProgramSelection, SelectorLinesKeepTheirOrderAndEndAtEnter)
{
    ProgramDrawing d("50,51\nW 0,0 15,15\n0,40\n\n");
    Plan p = makePlan(d);
    ads_name ss{0, 0};
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    std::vector<AcDbObjectId> expected{p.far, p.first, p.line};
    EXPECT_EQ(contents(ss), expected);
    EXPECT_EQ(acedSSFree(ss), RTNORM);
    const std::string& out = d.script().out();
    EXPECT_NE(out.find("\nSelect objects: 50,51\n1 found\nSelect objects: W 0,0 15,15\n1 found"), std::string::npos)
        << out;
}

TEST(ProgramSelection, APickOfEmptySpaceFindsNothingAndTheSelectionGoesOn)
{
    ProgramDrawing d("60,5\n50,51\n\n");
    Plan p = makePlan(d);
    ads_name ss{0, 0};
    ASSERT_EQ(acedSSGet(L"", nullptr, nullptr, nullptr, ss), RTNORM);
    EXPECT_EQ(contents(ss), std::vector<AcDbObjectId>{p.far});
    EXPECT_NE(d.script().out().find("0 found"), std::string::npos);
    acedSSFree(ss);
}

TEST(ProgramSelection, DuplicatesAreCountedOnceAndRemoveModeTakesOut)
{
    ProgramDrawing d("ALL\n50,51\nR\n0,40\n\n");
    Plan p = makePlan(d);
    ads_name ss{0, 0};
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    std::vector<AcDbObjectId> expected{p.first, p.second, p.far};
    EXPECT_EQ(contents(ss), expected);
    const std::string& out = d.script().out();
    EXPECT_NE(out.find("1 found (1 duplicate)"), std::string::npos) << out;
    EXPECT_NE(out.find("\nRemove objects: 0,40\n1 removed"), std::string::npos) << out;
    acedSSFree(ss);
}

TEST(ProgramSelection, NothingSelectedAnswersRterrorAndCancelRtcan)
{
    {
        ProgramDrawing d("\n");
        makePlan(d);
        ads_name ss{0, 0};
        EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTERROR);
    }
    {
        ProgramDrawing d("0,40\n^C\n");
        makePlan(d);
        ads_name ss{0, 0};
        EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTCAN);
    }
}

TEST(ProgramSelection, PreviousIsTheLastInteractiveSelection)
{
    ProgramDrawing d("#L\n\nP\n\n");
    Plan p = makePlan(d);
    ads_name ss{0, 0};
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
    acedSSFree(ss);
    ads_name all{0, 0};
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, nullptr, all), RTNORM);
    acedSSFree(all);
    ads_name again{0, 0};
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, again), RTNORM);
    EXPECT_EQ(contents(again), std::vector<AcDbObjectId>{p.line}) << "mode X does not change the previous set";
    acedSSFree(again);
}

TEST(ProgramSelection, ModeXTakesEverythingInDrawingOrderLockedAndOffLayersIncluded)
{
    ProgramDrawing d;
    AcDbObjectId hidden = d.layer(L"HIDDEN", true, true);
    AcDbObjectId a = d.addCircle(1, 1, 1);
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    line->setLayer(hidden);
    AcDbObjectId b = d.add(line);
    ads_name ss{0, 0};
    ASSERT_EQ(acedSSGet(L"_X", nullptr, nullptr, nullptr, ss), RTNORM);
    std::vector<AcDbObjectId> expected{a, b};
    EXPECT_EQ(contents(ss), expected);
    acedSSFree(ss);
}

TEST(ProgramSelection, WindowAndCrossingModesTakeTheirPoints)
{
    ProgramDrawing d;
    Plan p = makePlan(d);
    ads_point a{0, 0, 0};
    ads_point b{20, 20, 0};
    ads_name window{0, 0};
    ASSERT_EQ(acedSSGet(L"W", a, b, nullptr, window), RTNORM);
    EXPECT_EQ(contents(window), std::vector<AcDbObjectId>{p.first});
    ads_name crossing{0, 0};
    ASSERT_EQ(acedSSGet(L"C", a, b, nullptr, crossing), RTNORM);
    std::vector<AcDbObjectId> both{p.first, p.second};
    EXPECT_EQ(contents(crossing), both);
    acedSSFree(window);
    acedSSFree(crossing);
}

TEST(ProgramSelection, AFilterNarrowsAnInteractiveSelection)
{
    ProgramDrawing d("ALL\n\n");
    Plan p = makePlan(d);
    resbuf* filter = acutBuildList(RTDXF0, L"LINE", 0);
    ads_name ss{0, 0};
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, filter, ss), RTNORM);
    EXPECT_EQ(contents(ss), std::vector<AcDbObjectId>{p.line});
    acutRelRb(filter);
    acedSSFree(ss);
}

TEST(ProgramSelection, AnUnknownModeOrAMalformedFilterIsRefused)
{
    ProgramDrawing d;
    makePlan(d);
    ads_name ss{0, 0};
    EXPECT_EQ(acedSSGet(L"WP", nullptr, nullptr, nullptr, ss), RTERROR);
    resbuf* filter = acutBuildList(-4, L"<OR", RTDXF0, L"LINE", 0);
    EXPECT_EQ(acedSSGet(L"X", nullptr, nullptr, filter, ss), RTERROR);
    acutRelRb(filter);
}

TEST(ProgramSelectionSets, AddDeleteMemberAndFree)
{
    ProgramDrawing d;
    Plan p = makePlan(d);
    ads_name first{0, 0};
    ads_name line{0, 0};
    ASSERT_EQ(acdbGetAdsName(first, p.first), Acad::eOk);
    ASSERT_EQ(acdbGetAdsName(line, p.line), Acad::eOk);
    ads_name ss{0, 0};
    ASSERT_EQ(acedSSAdd(first, nullptr, ss), RTNORM);
    ads_name same{0, 0};
    ASSERT_EQ(acedSSAdd(line, ss, same), RTNORM);
    ASSERT_EQ(acedSSAdd(line, ss, same), RTNORM);
    std::vector<AcDbObjectId> two{p.first, p.line};
    EXPECT_EQ(contents(ss), two) << "adding again adds nothing";
    EXPECT_EQ(acedSSMemb(line, ss), RTNORM);
    EXPECT_EQ(acedSSDel(line, ss), RTNORM);
    EXPECT_EQ(acedSSMemb(line, ss), RTERROR);
    EXPECT_EQ(acedSSDel(line, ss), RTERROR);
    ads_name entity{0, 0};
    EXPECT_EQ(acedSSName(ss, 1, entity), RTERROR) << "past the end";
    EXPECT_EQ(acedSSName(ss, -1, entity), RTERROR);
    EXPECT_EQ(acedSSFree(ss), RTNORM);
    Adesk::Int32 length = 0;
    EXPECT_EQ(acedSSLength(ss, &length), RTERROR) << "a freed set is gone";
    EXPECT_EQ(acedSSFree(ss), RTERROR);
    EXPECT_EQ(acedSSLength(first, &length), RTERROR) << "an entity name is no set";
}

TEST(ProgramSelectionSets, PickFirstSetIsModeI)
{
    ProgramDrawing d;
    Plan p = makePlan(d);
    ads_name far{0, 0};
    ASSERT_EQ(acdbGetAdsName(far, p.far), Acad::eOk);
    ads_name ss{0, 0};
    ASSERT_EQ(acedSSAdd(far, nullptr, ss), RTNORM);
    ASSERT_EQ(acedSSSetFirst(ss, nullptr), RTNORM);
    ads_name implied{0, 0};
    ASSERT_EQ(acedSSGet(L"I", nullptr, nullptr, nullptr, implied), RTNORM);
    EXPECT_EQ(contents(implied), std::vector<AcDbObjectId>{p.far});
    resbuf* pick = nullptr;
    ASSERT_EQ(acedSSGetFirst(nullptr, &pick), RTNORM);
    ASSERT_NE(pick, nullptr);
    EXPECT_EQ(pick->restype, RTPICKS);
    EXPECT_EQ(contents(pick->resval.rlname), std::vector<AcDbObjectId>{p.far});
    acedSSFree(pick->resval.rlname);
    acutRelRb(pick);
    acedSSFree(ss);
    acedSSFree(implied);
}

// ---- filters

struct WildcardCase {
    const char* name;
    const wchar_t* text;
    const wchar_t* pattern;
    bool matches;
};

class ProgramWildcard : public ::testing::TestWithParam<WildcardCase> {};

TEST_P(ProgramWildcard, Matches)
{
    const WildcardCase& c = GetParam();
    EXPECT_EQ(wildcardMatch(c.text, c.pattern), c.matches) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Program, ProgramWildcard,
    ::testing::Values(WildcardCase{"exact_any_case", L"NSPOLY", L"nspoly", true},
                      WildcardCase{"alternatives", L"LINE", L"CIRCLE,LINE", true},
                      WildcardCase{"star", L"PARCELLES", L"PAR*", true},
                      WildcardCase{"star_empty_run", L"PAR", L"PAR*", true},
                      WildcardCase{"question", L"AB", L"A?", true},
                      WildcardCase{"question_needs_a_character", L"A", L"A?", false},
                      WildcardCase{"digit", L"L12", L"L##", true},
                      WildcardCase{"digit_refuses_letter", L"L1A", L"L##", false},
                      WildcardCase{"letter", L"AB", L"@@", true},
                      WildcardCase{"neither", L"A-B", L"A.B", true},
                      WildcardCase{"class", L"B", L"[ABC]", true},
                      WildcardCase{"class_range", L"q", L"[a-z]", true},
                      WildcardCase{"class_complement", L"B", L"[~ABC]", false},
                      WildcardCase{"negation", L"LINE", L"~CIRCLE", true},
                      WildcardCase{"negation_refuses", L"CIRCLE", L"~CIRCLE", false},
                      WildcardCase{"escaped_comma", L"A,B", L"A`,B", true},
                      WildcardCase{"escaped_star", L"A*", L"A`*", true},
                      WildcardCase{"escaped_star_is_literal", L"AB", L"A`*", false},
                      WildcardCase{"accented_any_case", L"Clôture", L"CLÔTURE", true}),
    [](const auto& info) { return std::string(info.param.name); });

struct FilterCase {
    const char* name;
    resbuf* (*make)();
    int expected;  // bits of the plan: 1 first, 2 second, 4 far, 8 line; -1: refused
};

class ProgramFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(ProgramFilter, SelectsWhatMatches)
{
    const FilterCase& c = GetParam();
    ProgramDrawing d;
    AcDbObjectId red = d.layer(L"PARCELLES");
    Plan p = makePlan(d);
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, p.second, AcDb::kForWrite), Acad::eOk);
    entity->setLayer(red);
    entity->setColorIndex(1);
    entity->close();
    resbuf* list = c.make();
    auto filter = SelectionFilter::compile(list);
    acutRelRb(list);
    if (c.expected < 0) {
        EXPECT_EQ(filter, nullptr) << c.name;
        return;
    }
    ASSERT_NE(filter, nullptr) << c.name;
    const AcDbObjectId ids[4] = {p.first, p.second, p.far, p.line};
    int bits = 0;
    for (int i = 0; i < 4; ++i) {
        if (filter->matches(ids[i]))
            bits |= 1 << i;
    }
    EXPECT_EQ(bits, c.expected) << c.name;
}

ads_point kOrigin = {0, 0, 0};
ads_point kCorner = {15, 15, 0};

INSTANTIATE_TEST_SUITE_P(
    Program, ProgramFilter,
    ::testing::Values(
        FilterCase{"type", [] { return acutBuildList(RTDXF0, L"CIRCLE", 0); }, 7},
        FilterCase{"type_code_zero",
                   [] {
                       // acutBuildList ends at a 0, so group 0 is made by hand.
                       resbuf* rb = acutNewRb(0);
                       acutNewString(L"line", rb->resval.rstring);
                       return rb;
                   },
                   8},
        FilterCase{"or_of_types",
                   [] { return acutBuildList(-4, L"<OR", RTDXF0, L"LINE", RTDXF0, L"NTALUS", -4, L"OR>", 0); }, 8},
        FilterCase{"empty_or_is_refused", [] { return acutBuildList(-4, L"<OR", -4, L"OR>", 0); }, -1},
        FilterCase{"layer_wildcard", [] { return acutBuildList(8, L"PAR*", 0); }, 2},
        FilterCase{"colour_by_layer_is_256", [] { return acutBuildList(62, 256, 0); }, 13},
        FilterCase{"not", [] { return acutBuildList(-4, L"<NOT", RTDXF0, L"CIRCLE", -4, L"NOT>", 0); }, 8},
        FilterCase{"xor",
                   [] {
                       return acutBuildList(-4, L"<XOR", RTDXF0, L"CIRCLE", 8, L"PARCELLES", -4, L"XOR>", 0);
                   },
                   5},
        FilterCase{"and_inside_or",
                   [] {
                       return acutBuildList(-4, L"<OR", -4, L"<AND", RTDXF0, L"CIRCLE", 62, 1, -4, L"AND>", RTDXF0,
                                            L"LINE", -4, L"OR>", 0);
                   },
                   10},
        FilterCase{"radius_greater", [] { return acutBuildList(-4, L">", 40, 1.5, 0); }, 3},
        FilterCase{"radius_not_equal", [] { return acutBuildList(-4, L"!=", 40, 2.0, 0); }, 4},
        FilterCase{"centre_within_a_box",
                   [] {
                       return acutBuildList(-4, L">,>,*", 10, kOrigin, -4, L"<,<,*", 10, kCorner, RTDXF0, L"CIRCLE",
                                            0);
                   },
                   1},
        FilterCase{"bit_and", [] { return acutBuildList(-4, L"&", 62, 1, 0); }, 2},
        FilterCase{"xor_needs_two", [] { return acutBuildList(-4, L"<XOR", RTDXF0, L"LINE", -4, L"XOR>", 0); }, -1},
        FilterCase{"not_needs_one",
                   [] { return acutBuildList(-4, L"<NOT", RTDXF0, L"A", RTDXF0, L"B", -4, L"NOT>", 0); }, -1},
        FilterCase{"unbalanced", [] { return acutBuildList(-4, L"<AND", RTDXF0, L"LINE", 0); }, -1},
        FilterCase{"stray_closing", [] { return acutBuildList(RTDXF0, L"LINE", -4, L"OR>", 0); }, -1},
        FilterCase{"unknown_operator", [] { return acutBuildList(-4, L"=~", 40, 1.0, 0); }, -1},
        FilterCase{"operator_without_operand", [] { return acutBuildList(-4, L"=", 0); }, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramFilterCompile, ANullListTakesEverything)
{
    ProgramDrawing d;
    AcDbObjectId circle = d.addCircle(1, 1, 1);
    auto filter = SelectionFilter::compile(nullptr);
    ASSERT_NE(filter, nullptr);
    EXPECT_TRUE(filter->matches(circle));
}

TEST(ProgramFilterCompile, DeepNestingIsRefusedNotRecursedWithoutBound)
{
    resbuf* list = nullptr;
    resbuf* tail = nullptr;
    auto append = [&](resbuf* rb) {
        if (tail == nullptr)
            list = rb;
        else
            tail->rbnext = rb;
        tail = rb;
    };
    for (int i = 0; i < 10000; ++i)
        append(acutBuildList(-4, L"<NOT", 0));
    EXPECT_EQ(SelectionFilter::compile(list), nullptr);
    acutRelRb(list);
}

}  // namespace

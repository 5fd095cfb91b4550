// Tests of the view, of picks (aperture, ties, handles, the last entity) and of acedEntSel / acedNEntSelP.
#include <gtest/gtest.h>

#include <string>

#include "acedads.h"
#include "acutads.h"
#include "dbapserv.h"
#include "kelvora/system_variables.h"
#include "kelvora/view.h"
#include "picking.h"
#include "program_fixture.h"

namespace {

using namespace kelvora;
using test::ProgramDrawing;

// A new drawing shows 420 units across 1600 pixels.
constexpr double kNewDrawingUnitsPerPixel = 420.0 / 1600.0;
constexpr double kTolerance = 1e-9;

AcDbObjectId picked(ProgramDrawing& d, double x, double y)
{
    auto pick = pickAtPoint(d.db(), AcGePoint3d(x, y, 0.0));
    return pick ? pick->entity : AcDbObjectId();
}

TEST(ProgramView, ANewDrawingShowsItsLimitsAcrossTheViewport)
{
    ProgramDrawing d;
    const ViewState& view = currentView();
    EXPECT_NEAR(view.unitsPerPixel, kNewDrawingUnitsPerPixel, kTolerance);
    EXPECT_NEAR(view.centre.x, 210.0, kTolerance);
    EXPECT_NEAR(view.centre.y, 148.5, kTolerance);
    EXPECT_NEAR(pickApertureUnits(), 3 * kNewDrawingUnitsPerPixel, kTolerance);
}

TEST(ProgramView, FitWindowTakesTheTighterSideAndCentres)
{
    ViewState fitted = fitWindow(AcGePoint2d(42, 29.7), AcGePoint2d(0, 0), ViewState{});
    EXPECT_NEAR(fitted.unitsPerPixel, 42.0 / 1600.0, kTolerance);
    EXPECT_NEAR(fitted.centre.x, 21.0, kTolerance);
    ViewState tall = fitWindow(AcGePoint2d(0, 0), AcGePoint2d(10, 120), ViewState{});
    EXPECT_NEAR(tall.unitsPerPixel, 0.1, kTolerance) << "the height decides a tall window";
}

TEST(ProgramView, APointWindowOnlyCentres)
{
    ViewState before;
    before.unitsPerPixel = 0.5;
    ViewState fitted = fitWindow(AcGePoint2d(7, 8), AcGePoint2d(7, 8), before);
    EXPECT_NEAR(fitted.unitsPerPixel, 0.5, kTolerance);
    EXPECT_NEAR(fitted.centre.y, 8.0, kTolerance);
}

TEST(ProgramView, PreviousViewComesBack)
{
    ProgramDrawing d;
    ViewState start = currentView();
    setView(fitWindow(AcGePoint2d(0, 0), AcGePoint2d(42, 29.7), start));
    EXPECT_TRUE(restorePreviousView());
    EXPECT_NEAR(currentView().unitsPerPixel, start.unitsPerPixel, kTolerance);
    EXPECT_FALSE(restorePreviousView());
}

// Picks around a circle of radius 1 at 10,10 in a new drawing (aperture 0.7875 units).
struct PickCase {
    const char* name;
    double x;
    double y;
    long long pickbox;
    bool hits;
};

class ProgramPick : public ::testing::TestWithParam<PickCase> {};

TEST_P(ProgramPick, HitsWithinTheAperture)
{
    const PickCase& c = GetParam();
    ProgramDrawing d;
    AcDbObjectId circle = d.addCircle(10, 10, 1);
    systemVariables().set(L"PICKBOX", c.pickbox);
    EXPECT_EQ(picked(d, c.x, c.y) == circle, c.hits) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Program, ProgramPick,
                         ::testing::Values(PickCase{"on_the_curve", 10, 11, 3, true},
                                           PickCase{"half_a_unit_off", 10, 11.5, 3, true},
                                           PickCase{"beyond_three_pixels", 10, 12.2, 3, false},
                                           PickCase{"within_ten_pixels", 10, 12.2, 10, true},
                                           PickCase{"centre_the_square_reaches_the_curve_at_its_corners", 10, 10, 3, true},
                                           PickCase{"diagonal_beyond_the_square", 11.6, 11.6, 3, false},
                                           PickCase{"square_aperture_corner", 10.7, 11.7, 3, true},
                                           PickCase{"pickbox_zero_needs_the_curve", 10, 11.01, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramPickRules, TheNearestEntityWins)
{
    ProgramDrawing d;
    AcDbObjectId near = d.addLine(0, 10, 20, 10);
    d.addLine(0, 10.6, 20, 10.6);
    EXPECT_EQ(picked(d, 5, 10.2), near);
}

TEST(ProgramPickRules, LaterInDrawingOrderWinsATie)
{
    ProgramDrawing d;
    d.addLine(0, 0, 20, 0);
    AcDbObjectId later = d.addLine(0, 0, 20, 0);
    EXPECT_EQ(picked(d, 5, 0.1), later);
}

TEST(ProgramPickRules, ZoomingInShrinksTheApertureInDrawingUnits)
{
    ProgramDrawing d;
    AcDbObjectId circle = d.addCircle(10, 10, 1);
    EXPECT_EQ(picked(d, 10, 11.3), circle);
    setView(fitWindow(AcGePoint2d(0, 0), AcGePoint2d(42, 29.7), currentView()));
    EXPECT_TRUE(picked(d, 10, 11.3).isNull());
}

TEST(ProgramPickRules, LockedLayersArePickedLayersTurnedOffAreNot)
{
    ProgramDrawing d;
    AcDbObjectId locked = d.layer(L"LOCKED", true, false);
    AcDbObjectId off = d.layer(L"HIDDEN", false, true);
    auto* a = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    a->setLayer(locked);
    AcDbObjectId onLocked = d.add(a);
    auto* b = new AcDbLine(AcGePoint3d(0, 20, 0), AcGePoint3d(10, 20, 0));
    b->setLayer(off);
    d.add(b);
    EXPECT_EQ(picked(d, 5, 0), onLocked);
    EXPECT_TRUE(picked(d, 5, 20).isNull());
}

TEST(ProgramPickRules, AHandlePickIsAtTheEntitysPointNearestTheViewCentre)
{
    ProgramDrawing d;
    AcDbObjectId line = d.addLine(0, 0, 420, 0);
    auto pick = pickEntity(line, std::nullopt);
    ASSERT_TRUE(pick.has_value());
    EXPECT_NEAR(pick->point.x, 210.0, kTolerance);
    EXPECT_NEAR(pick->point.y, 0.0, kTolerance);
}

TEST(ProgramPickRules, LastIsTheLastEntityNotErased)
{
    ProgramDrawing d;
    AcDbObjectId first = d.addLine(0, 0, 1, 1);
    AcDbObjectId second = d.addLine(2, 2, 3, 3);
    EXPECT_EQ(lastEntity(d.db()), second);
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, second, AcDb::kForWrite), Acad::eOk);
    entity->erase();
    entity->close();
    EXPECT_EQ(lastEntity(d.db()), first);
}

// Window selections: circles of radius 2 at 10,10 and 19,10 (crossing x = 20), radius 1 at 50,50.
struct WindowCase {
    const char* name;
    bool crossing;
    int expected;  // bits: 1 first, 2 second, 4 third
};

class ProgramWindow : public ::testing::TestWithParam<WindowCase> {};

TEST_P(ProgramWindow, SelectsWhatTheWindowHolds)
{
    const WindowCase& c = GetParam();
    ProgramDrawing d;
    AcDbObjectId ids[3] = {d.addCircle(10, 10, 2), d.addCircle(19, 10, 2), d.addCircle(50, 50, 1)};
    std::vector<AcDbObjectId> found =
        entitiesInBox(d.db(), Box2d::corners(AcGePoint2d(0, 0), AcGePoint2d(20, 20)), c.crossing);
    int bits = 0;
    for (int i = 0; i < 3; ++i) {
        if (std::find(found.begin(), found.end(), ids[i]) != found.end())
            bits |= 1 << i;
    }
    EXPECT_EQ(bits, c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Program, ProgramWindow,
                         ::testing::Values(WindowCase{"window_takes_what_lies_wholly_inside", false, 1},
                                           WindowCase{"crossing_also_takes_what_crosses", true, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

// Pick answers of the script language.
struct AnswerCase {
    const char* name;
    const wchar_t* text;
    bool valid;
    PickAnswer::Kind kind;
    bool hasPoint;
    double x;
    double y;
};

class ProgramPickAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(ProgramPickAnswer, Parses)
{
    const AnswerCase& c = GetParam();
    auto answer = parsePickAnswer(c.text, ScriptPoint{1, 1, 0});
    ASSERT_EQ(answer.has_value(), c.valid) << c.name;
    if (!c.valid)
        return;
    EXPECT_EQ(answer->kind, c.kind) << c.name;
    EXPECT_EQ(answer->hasPoint, c.hasPoint) << c.name;
    if (c.hasPoint) {
        EXPECT_NEAR(answer->point.x, c.x, kTolerance) << c.name;
        EXPECT_NEAR(answer->point.y, c.y, kTolerance) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Program, ProgramPickAnswer,
    ::testing::Values(AnswerCase{"point", L"3,4", true, PickAnswer::Kind::Point, true, 3, 4},
                      AnswerCase{"relative_point", L"@2,0", true, PickAnswer::Kind::Point, true, 3, 1},
                      AnswerCase{"handle", L"#2A", true, PickAnswer::Kind::Handle, false, 0, 0},
                      AnswerCase{"handle_lower_case_with_point", L" #2a@5,6 ", true, PickAnswer::Kind::Handle, true, 5, 6},
                      AnswerCase{"last", L"#L", true, PickAnswer::Kind::Last, false, 0, 0},
                      AnswerCase{"hash_alone", L"#", false, PickAnswer::Kind::Point, false, 0, 0},
                      AnswerCase{"not_hexadecimal", L"#2G", false, PickAnswer::Kind::Point, false, 0, 0},
                      AnswerCase{"handle_too_long", L"#12345678901234567", false, PickAnswer::Kind::Point, false, 0, 0},
                      AnswerCase{"handle_with_empty_point", L"#2A@", false, PickAnswer::Kind::Point, false, 0, 0},
                      AnswerCase{"text", L"abc", false, PickAnswer::Kind::Point, false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramEntSel, APointPicksAndGivesThePoint)
{
    ProgramDrawing d("10,11.2\n");
    AcDbObjectId circle = d.addCircle(10, 10, 1);
    ads_name name{0, 0};
    ads_point at{0, 0, 0};
    ASSERT_EQ(acedEntSel(L"\nPick: ", name, at), RTNORM);
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    EXPECT_EQ(id, circle);
    EXPECT_NEAR(at[Y], 11.2, kTolerance);
    EXPECT_NE(d.script().out().find("\nPick: 10,11.2\n"), std::string::npos) << d.script().out();
}

struct EntSelCase {
    const char* name;
    const char* script;
    int status;
    long long errnoValue;  // -1: not looked at
};

class ProgramEntSelResult : public ::testing::TestWithParam<EntSelCase> {};

TEST_P(ProgramEntSelResult, AnswersAsTheCommercialHost)
{
    const EntSelCase& c = GetParam();
    ProgramDrawing d(c.script);
    d.addCircle(10, 10, 1);
    ads_name name{0, 0};
    ads_point at{0, 0, 0};
    EXPECT_EQ(acedEntSel(nullptr, name, at), c.status) << c.name;
    if (c.errnoValue >= 0) {
        EXPECT_EQ(systemVariables().integer(L"ERRNO", -1), c.errnoValue) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Program, ProgramEntSelResult,
                         ::testing::Values(EntSelCase{"empty_space", "60,60\n", RTERROR, 7},
                                           EntSelCase{"enter", "\n", RTERROR, 52},
                                           EntSelCase{"cancel", "^C\n", RTCAN, -1},
                                           EntSelCase{"end_of_script", "", RTCAN, -1},
                                           EntSelCase{"text_then_a_pick", "nonsense\n10,9\n", RTNORM, 0},
                                           EntSelCase{"handle_of_no_entity", "#FFFFF\n", RTERROR, 7},
                                           EntSelCase{"last", "#L\n", RTNORM, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramEntSel, AKeywordOfInitGetAnswersRtkword)
{
    ProgramDrawing d("Undo\n");
    ASSERT_EQ(acedInitGet(0, L"Undo Exit"), RTNORM);
    ads_name name{0, 0};
    ads_point at{0, 0, 0};
    ASSERT_EQ(acedEntSel(L"\nPick or [Undo/Exit]: ", name, at), RTKWORD);
    ACHAR keyword[32] = L"";
    ASSERT_EQ(acedGetInput(keyword), RTNORM);
    EXPECT_STREQ(keyword, L"Undo");
}

TEST(ProgramEntSel, ANestedPickOfAnOldStylePolylineGivesTheVertexOfTheSegment)
{
    ProgramDrawing d("15,0.1\n");
    AcGePoint3dArray points;
    points.append(AcGePoint3d(0, 0, 0));
    points.append(AcGePoint3d(10, 0, 0));
    points.append(AcGePoint3d(20, 0, 0));
    auto* polyline = new AcDb2dPolyline(AcDb::k2dSimplePoly, points);
    AcDbObjectId polylineId = d.add(polyline);
    ads_name name{0, 0};
    ads_point at{0, 0, 0};
    ads_matrix xform;
    resbuf* containers = nullptr;
    ASSERT_EQ(acedNEntSelP(L"\nArc: ", name, at, 0, xform, &containers), RTNORM);
    EXPECT_EQ(containers, nullptr) << "a vertex is not inside a block";
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    AcDb2dVertex* vertex = nullptr;
    ASSERT_EQ(acdbOpenObject(vertex, id, AcDb::kForRead), Acad::eOk) << "not a vertex";
    EXPECT_NEAR(vertex->position().x, 10.0, kTolerance) << "the segment from 10 to 20 starts at its second vertex";
    EXPECT_EQ(vertex->ownerId(), polylineId);
    vertex->close();
    EXPECT_NEAR(xform[0][0], 1.0, kTolerance);
    EXPECT_NEAR(xform[0][3], 0.0, kTolerance);
}

TEST(ProgramEntSel, ANestedPickInsideABlockReferenceGivesTheEntityTheTransformAndTheReference)
{
    ProgramDrawing d("105,0.1\n");
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(d.db()->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* block = new AcDbBlockTableRecord();
    block->setName(L"TESTBLOCK");
    AcDbObjectId blockId;
    ASSERT_EQ(table->add(blockId, block), Acad::eOk);
    table->close();
    auto* inner = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    AcDbObjectId innerId;
    ASSERT_EQ(block->appendAcDbEntity(innerId, inner), Acad::eOk);
    inner->close();
    block->close();
    AcDbObjectId reference = d.add(new AcDbBlockReference(AcGePoint3d(100, 0, 0), blockId));

    ads_name name{0, 0};
    ads_point at{0, 0, 0};
    ads_matrix xform;
    resbuf* containers = nullptr;
    ASSERT_EQ(acedNEntSelP(nullptr, name, at, 0, xform, &containers), RTNORM);
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    EXPECT_EQ(id, innerId);
    EXPECT_NEAR(xform[0][3], 100.0, kTolerance) << "the block's entities are moved to the reference";
    ASSERT_NE(containers, nullptr);
    EXPECT_EQ(containers->restype, RTENAME);
    AcDbObjectId container;
    ASSERT_EQ(acdbGetObjectId(container, containers->resval.rlname), Acad::eOk);
    EXPECT_EQ(container, reference);
    EXPECT_EQ(containers->rbnext, nullptr);
    acutRelRb(containers);

    auto pick = pickAtPoint(d.db(), AcGePoint3d(105, 0.1, 0));
    ASSERT_TRUE(pick.has_value());
    EXPECT_EQ(pick->entity, reference) << "a plain pick gives the reference";
}

TEST(ProgramEntSel, ANestedPickWithThePickFlagTakesThePointGiven)
{
    ProgramDrawing d;
    AcDbObjectId line = d.addLine(0, 0, 10, 0);
    ads_name name{0, 0};
    ads_point at{5, 0.1, 0};
    ads_matrix xform;
    ASSERT_EQ(acedNEntSelP(nullptr, name, at, 1, xform, nullptr), RTNORM);
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, name), Acad::eOk);
    EXPECT_EQ(id, line);
    EXPECT_TRUE(d.script().out().empty()) << "no prompt is shown for a given point";
}

}  // namespace

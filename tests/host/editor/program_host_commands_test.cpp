// Tests of the host's commands (ZOOM, PAN, U, UNDO, SETVAR, GETVAR, ERASE) and of acedCmd / acedCommand.
#include <gtest/gtest.h>

#include <string>

#include "acedads.h"
#include "acutads.h"
#include "kelvora/command_loop.h"
#include "kelvora/host_commands.h"
#include "kelvora/system_variables.h"
#include "kelvora/undo.h"
#include "kelvora/view.h"
#include "program_fixture.h"

namespace {

using namespace kelvora;
using test::ProgramDrawing;

constexpr double kTolerance = 1e-9;

// Runs the script's commands as the program does.
bool runScript(ProgramDrawing& d)
{
    return d.editor().runCommands(d.script().line());
}

TEST(ProgramZoom, WindowFitsTheWindow)
{
    ProgramDrawing d("ZOOM\n_W\n0,0\n42,29.7\n");
    ASSERT_TRUE(runScript(d));
    EXPECT_NEAR(currentView().unitsPerPixel, 42.0 / 1600.0, kTolerance);
    EXPECT_NEAR(currentView().centre.x, 21.0, kTolerance);
}

TEST(ProgramZoom, APointAnswerIsTheFirstCornerOfAWindow)
{
    ProgramDrawing d("ZOOM\n0,0\n16,12\n");
    ASSERT_TRUE(runScript(d));
    EXPECT_NEAR(currentView().unitsPerPixel, 0.01, kTolerance);
}

TEST(ProgramZoom, CentreKeepsTheMagnificationWithOneX)
{
    ProgramDrawing d("ZOOM\n_C\n30,40\n1x\n");
    double before = currentView().unitsPerPixel;
    ASSERT_TRUE(runScript(d));
    EXPECT_NEAR(currentView().unitsPerPixel, before, kTolerance);
    EXPECT_NEAR(currentView().centre.x, 30.0, kTolerance);
    EXPECT_NEAR(currentView().centre.y, 40.0, kTolerance);
}

struct ScaleCase {
    const char* name;
    const char* answer;
    double expectedUnitsPerPixel;
};

class ProgramZoomScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ProgramZoomScale, ScalesTheView)
{
    const ScaleCase& c = GetParam();
    ProgramDrawing d(std::string("ZOOM\n") + c.answer + "\n");
    ASSERT_TRUE(runScript(d));
    EXPECT_NEAR(currentView().unitsPerPixel, c.expectedUnitsPerPixel, kTolerance) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Program, ProgramZoomScale,
                         ::testing::Values(ScaleCase{"relative_2x", "2x", 420.0 / 1600.0 / 2.0},
                                           ScaleCase{"relative_with_six_decimals", "2.000000x", 420.0 / 1600.0 / 2.0},
                                           ScaleCase{"paper_space_form", "0.5XP", 420.0 / 1600.0 * 2.0},
                                           ScaleCase{"relative_to_the_limits", "4", 420.0 / 1600.0 / 4.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramZoom, ExtentsFitsWhatIsDrawn)
{
    ProgramDrawing d("ZOOM\n_E\n");
    d.addLine(100, 100, 116, 112);
    ASSERT_TRUE(runScript(d));
    EXPECT_NEAR(currentView().unitsPerPixel, 0.01, kTolerance);
    EXPECT_NEAR(currentView().centre.x, 108.0, kTolerance);
}

TEST(ProgramZoom, PreviousComesBackAndPanMovesTheView)
{
    ProgramDrawing d("ZOOM\n_W\n0,0\n42,29.7\nZOOM\n_P\nPAN\n0,0\n10,5\n");
    ASSERT_TRUE(runScript(d));
    EXPECT_NEAR(currentView().unitsPerPixel, 420.0 / 1600.0, kTolerance);
    EXPECT_NEAR(currentView().centre.x, 200.0, kTolerance) << "the drawing moved 10 to the right";
    EXPECT_NEAR(currentView().centre.y, 143.5, kTolerance);
}

TEST(ProgramUndo, UTakesBackOneCommandAndRedoBringsItBack)
{
    ProgramDrawing d("ERASE\n#L\n\nU\nREDO\n");
    AcDbObjectId line = d.addLine(0, 0, 10, 0);
    clearUndoHistory(d.db());
    ASSERT_TRUE(runScript(d));
    EXPECT_TRUE(line.isErased()) << "REDO erased it again";
    EXPECT_NE(d.script().out().find("\nERASE"), std::string::npos) << "U names what it undid: " << d.script().out();
}

TEST(ProgramUndo, UWithNothingToUndoSaysSo)
{
    ProgramDrawing d("U\nREDO\n");
    clearUndoHistory(d.db());
    ASSERT_TRUE(runScript(d));
    EXPECT_NE(d.script().out().find("\nEverything has been undone"), std::string::npos);
    EXPECT_NE(d.script().out().find("\nNothing to redo."), std::string::npos);
}

TEST(ProgramUndo, BeginAndEndMakeSeveralCommandsOneStep)
{
    ProgramDrawing d("UNDO\nBE\nERASE\n0,0\n\nERASE\n0,10\n\nUNDO\nE\nU\n");
    AcDbObjectId a = d.addLine(0, 0, 10, 0);
    AcDbObjectId b = d.addLine(0, 10, 10, 10);
    clearUndoHistory(d.db());
    ASSERT_TRUE(runScript(d));
    EXPECT_FALSE(a.isErased());
    EXPECT_FALSE(b.isErased());
    EXPECT_EQ(undoStepCount(d.db()), 0);
}

TEST(ProgramUndo, BackUndoesToTheMark)
{
    ProgramDrawing d("ERASE\n0,0\n\nUNDO\nM\nERASE\n0,10\n\nERASE\n0,20\n\nUNDO\nB\n");
    AcDbObjectId a = d.addLine(0, 0, 10, 0);
    AcDbObjectId b = d.addLine(0, 10, 10, 10);
    AcDbObjectId c = d.addLine(0, 20, 10, 20);
    clearUndoHistory(d.db());
    ASSERT_TRUE(runScript(d));
    EXPECT_TRUE(a.isErased()) << "before the mark";
    EXPECT_FALSE(b.isErased());
    EXPECT_FALSE(c.isErased());
}

TEST(ProgramEraseCommand, SkipsWhatIsOnALockedLayerAndSaysHowMany)
{
    ProgramDrawing d("ERASE\nALL\n\n");
    AcDbObjectId locked = d.layer(L"FIXE", true);
    auto* fixed = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    fixed->setLayer(locked);
    AcDbObjectId kept = d.add(fixed);
    AcDbObjectId free = d.addLine(0, 5, 1, 5);
    ASSERT_TRUE(runScript(d));
    EXPECT_FALSE(kept.isErased());
    EXPECT_TRUE(free.isErased());
    EXPECT_NE(d.script().out().find("\n1 was on a locked layer."), std::string::npos) << d.script().out();
}

TEST(ProgramVariables, SetvarWritesTheHeaderAndGetvarShowsItWithLuprec)
{
    ProgramDrawing d("SETVAR\nTEXTSIZE\n3.75\nSETVAR\nluprec\n2\nGETVAR\nTEXTSIZE\nGETVAR\nNOSUCH\n");
    ASSERT_TRUE(runScript(d));
    EXPECT_NEAR(d.db()->textsize(), 3.75, kTolerance);
    EXPECT_EQ(d.db()->luprec(), 2);
    const std::string& out = d.script().out();
    EXPECT_NE(out.find("\nEnter new value for TEXTSIZE <2.5000>: 3.75\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\nTEXTSIZE = 3.75"), std::string::npos) << out;
    EXPECT_NE(out.find("\nUnknown variable name."), std::string::npos) << out;
}

struct RefusedValue {
    const char* name;
    const char* script;
    const char* message;
};

class ProgramVariablesRefuse : public ::testing::TestWithParam<RefusedValue> {};

TEST_P(ProgramVariablesRefuse, KeepsTheValueAndSaysWhy)
{
    const RefusedValue& c = GetParam();
    ProgramDrawing d(c.script);
    ASSERT_TRUE(runScript(d));
    EXPECT_NE(d.script().out().find(c.message), std::string::npos) << c.name << ": " << d.script().out();
    EXPECT_EQ(d.db()->luprec(), 4) << c.name;
    EXPECT_NEAR(d.db()->textsize(), 2.5, kTolerance) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Program, ProgramVariablesRefuse,
    ::testing::Values(RefusedValue{"precision_too_high", "SETVAR\nLUPREC\n9\n", "\nValue not accepted for LUPREC."},
                      RefusedValue{"not_a_number", "SETVAR\nTEXTSIZE\nbig\n", "\nInvalid value for TEXTSIZE."},
                      RefusedValue{"no_such_layer", "SETVAR\nCLAYER\nNOWHERE\n", "\nValue not accepted for CLAYER."},
                      RefusedValue{"read_only", "SETVAR\nHANDSEED\n1\n", "\nHANDSEED is read-only."},
                      RefusedValue{"unknown", "SETVAR\nNOSUCHVAR\n", "\nUnknown variable name."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramVariables, ClayerAndTextstyleNameRecordsOfTheDrawing)
{
    ProgramDrawing d("SETVAR\nCLAYER\nparcelles\n");
    AcDbObjectId layer = d.layer(L"PARCELLES");
    ASSERT_TRUE(runScript(d));
    EXPECT_EQ(d.db()->clayer(), layer);
    SysVarValue value;
    ASSERT_EQ(systemVariables().get(L"TEXTSTYLE", value), SysVarStatus::Ok);
    EXPECT_EQ(std::get<std::wstring>(value), L"Standard");
}

TEST(ProgramVariables, ViewVariablesFollowTheView)
{
    ProgramDrawing d("ZOOM\n_W\n0,0\n16,12\n");
    ASSERT_TRUE(runScript(d));
    EXPECT_NEAR(systemVariables().real(L"VIEWSIZE", 0), 12.0, kTolerance);
    EXPECT_NEAR(systemVariables().point(L"VIEWCTR", {}).x, 8.0, kTolerance);
}

// ---- acedCmd and acedCommand

TEST(ProgramCommandCall, ZoomCentreWithCmdechoOffLeavesTheTranscriptAlone)
{
    ProgramDrawing d;
    systemVariables().set(L"CMDECHO", 0LL);
    ads_point centre{30, 40, 0};
    ASSERT_EQ(acedCommand(RTSTR, L"_.ZOOM", RTSTR, L"_C", RTPOINT, centre, RTSTR, L"1x", 0), RTNORM);
    EXPECT_NEAR(currentView().centre.x, 30.0, kTolerance);
    EXPECT_TRUE(d.script().out().empty()) << d.script().out();
}

TEST(ProgramCommandCall, WithCmdechoOnThePromptsAndAnswersShow)
{
    ProgramDrawing d;
    resbuf* list = acutBuildList(RTSTR, L"_.ZOOM", RTSTR, L"2.000000x", 0);
    ASSERT_EQ(acedCmd(list), RTNORM);
    acutRelRb(list);
    EXPECT_NEAR(currentView().unitsPerPixel, 420.0 / 1600.0 / 2.0, kTolerance);
    const std::string& out = d.script().out();
    EXPECT_NE(out.find("\nCommand: _.ZOOM\n"), std::string::npos) << out;
    EXPECT_NE(out.find("<real time>: 2.000000x\n"), std::string::npos) << out;
}

TEST(ProgramCommandCall, AnswersTheListLacksComeFromTheScript)
{
    ProgramDrawing d("16,12\nREGEN\n");
    ads_point corner{0, 0, 0};
    ASSERT_EQ(acedCommand(RTSTR, L"_.ZOOM", RTSTR, L"_W", RT3DPOINT, corner, 0), RTNORM);
    EXPECT_NEAR(currentView().unitsPerPixel, 0.01, kTolerance);
    const std::string* next = d.script().line().peek("");
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(*next, "REGEN") << "the command took one line of the script, no more";
}

TEST(ProgramCommandCall, AnEntityNameAnswersAPickAndAListMayHoldTwoCommands)
{
    ProgramDrawing d;
    AcDbObjectId line = d.addLine(0, 0, 10, 0);
    AcDbObjectId other = d.addLine(0, 50, 10, 50);
    ads_name name{0, 0};
    ASSERT_EQ(acdbGetAdsName(name, line), Acad::eOk);
    ads_point at{5, 50, 0};
    ASSERT_EQ(acedCommand(RTSTR, L"_.ERASE", RTENAME, name, RTSTR, L"", RTSTR, L"_.ERASE", RTPOINT, at, RTSTR, L"", 0),
              RTNORM);
    EXPECT_TRUE(line.isErased());
    EXPECT_TRUE(other.isErased());
}

TEST(ProgramCommandCall, AnUnknownCommandOrValueIsAnError)
{
    ProgramDrawing d;
    EXPECT_EQ(acedCommand(RTSTR, L"NOSUCHCOMMAND", 0), RTERROR);
    EXPECT_EQ(acedCommand(RTSTR, L"_.ZOOM", RTDXF0, L"X", 0), RTERROR);
    EXPECT_EQ(acedCmd(nullptr), RTNORM) << "an empty list does nothing";
}

// ---- acedTrans

TEST(ProgramTrans, TheUserAndDisplaySystemsAreTheWorld)
{
    ProgramDrawing d;
    ads_point p{1, 2, 3};
    ads_point q{0, 0, 0};
    resbuf world{nullptr, RTSHORT, {}};
    world.resval.rint = 0;
    resbuf display{nullptr, RTSHORT, {}};
    display.resval.rint = 2;
    ASSERT_EQ(acedTrans(p, &world, &display, 0, q), RTNORM);
    EXPECT_NEAR(q[X], 1, kTolerance);
    EXPECT_NEAR(q[Z], 3, kTolerance);
    resbuf bad{nullptr, RTSHORT, {}};
    bad.resval.rint = 7;
    EXPECT_EQ(acedTrans(p, &world, &bad, 0, q), RTERROR);
}

TEST(ProgramTrans, AnExtrusionGivesItsObjectSystemAndBack)
{
    ProgramDrawing d;
    ads_point p{1, 2, 3};
    ads_point ocs{0, 0, 0};
    ads_point back{0, 0, 0};
    resbuf world{nullptr, RTSHORT, {}};
    world.resval.rint = 0;
    resbuf normal{nullptr, RT3DPOINT, {}};
    normal.resval.rpoint[X] = 0;
    normal.resval.rpoint[Y] = 0;
    normal.resval.rpoint[Z] = -1;
    ASSERT_EQ(acedTrans(p, &world, &normal, 0, ocs), RTNORM);
    // The arbitrary axis algorithm of (0, 0, -1): X axis (-1, 0, 0), Y axis (0, 1, 0).
    EXPECT_NEAR(ocs[X], -1, kTolerance);
    EXPECT_NEAR(ocs[Y], 2, kTolerance);
    EXPECT_NEAR(ocs[Z], -3, kTolerance);
    ASSERT_EQ(acedTrans(ocs, &normal, &world, 0, back), RTNORM);
    EXPECT_NEAR(back[X], 1, kTolerance);
    EXPECT_NEAR(back[Y], 2, kTolerance);
    EXPECT_NEAR(back[Z], 3, kTolerance);
}

}  // namespace

// Tests of the command stack (groups, global and local names) and of how the command prompt finds and runs commands.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "accmd.h"
#include "dbapserv.h"
#include "kelvora/host_commands.h"
#include "kelvora/undo.h"
#include "program_fixture.h"

namespace {

using namespace kelvora;

int g_calls = 0;
std::wstring g_lastRun;

void commandA()
{
    ++g_calls;
    g_lastRun = L"A";
}

void commandB()
{
    ++g_calls;
    g_lastRun = L"B";
}

// Groups made by these tests, removed after each.
constexpr const ACHAR* kGroup = L"TESTGROUP";
constexpr const ACHAR* kOtherGroup = L"TESTOTHER";

class CommandStack : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_calls = 0;
        g_lastRun.clear();
        registerHostCommands();  // the editor starts: the stack joins the system registry
        m_stack = acedRegCmds;
        ASSERT_NE(m_stack, nullptr);
    }
    void TearDown() override
    {
        m_stack->removeGroup(kGroup);
        m_stack->removeGroup(kOtherGroup);
    }

    AcEdCommandStack* m_stack = nullptr;
};

TEST_F(CommandStack, IsFoundInTheSystemRegistryAsACommandStack)
{
    registerHostCommands();
    AcRxObject* entry = acrxSysRegistry()->at(L"ACAD_REGISTERED_COMMANDS");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isKindOf(AcEdCommandStack::desc()));
    EXPECT_EQ(AcEdCommandStack::cast(entry), m_stack);
}

TEST_F(CommandStack, FindsByGlobalAndLocalNameInAnyCase)
{
    AcEdCommand* made = nullptr;
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTA", L"TESTA", ACRX_CMD_TRANSPARENT, &commandA, nullptr, -1, nullptr,
                                  &made),
              Acad::eOk);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(m_stack->lookupGlobalCmd(L"_testa"), made);
    EXPECT_EQ(m_stack->lookupLocalCmd(L"TestA"), made);
    EXPECT_EQ(m_stack->lookupGlobalCmd(L"TESTA"), nullptr) << "the local name is not a global one";
    EXPECT_EQ(made->commandFlags(), ACRX_CMD_TRANSPARENT);
    EXPECT_EQ(made->functionAddr(), &commandA);
    EXPECT_EQ(made->commandApp(), nullptr) << "no application was being loaded";
}

struct BadAdd {
    const char* name;
    const ACHAR* group;
    const ACHAR* global;
    const ACHAR* local;
    AcRxFunctionPtr function;
    Acad::ErrorStatus expected;
};

class CommandStackRefuses : public CommandStack, public ::testing::WithParamInterface<BadAdd> {};

TEST_P(CommandStackRefuses, Add)
{
    const BadAdd& c = GetParam();
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTA", L"TESTA", 0, &commandA), Acad::eOk);
    EXPECT_EQ(m_stack->addCommand(c.group, c.global, c.local, 0, c.function), c.expected) << c.name;
    EXPECT_EQ(m_stack->lookupLocalCmd(L"TESTA")->functionAddr(), &commandA) << c.name << ": the first command changed";
}

INSTANTIATE_TEST_SUITE_P(
    Program, CommandStackRefuses,
    ::testing::Values(BadAdd{"same_global", kGroup, L"_testa", L"OTHER", &commandB, Acad::eDuplicateKey},
                      BadAdd{"same_local", kGroup, L"_OTHER", L"testa", &commandB, Acad::eDuplicateKey},
                      BadAdd{"no_group", nullptr, L"_X", L"X", &commandB, Acad::eInvalidInput},
                      BadAdd{"empty_global", kGroup, L"", L"X", &commandB, Acad::eInvalidInput},
                      BadAdd{"blank_in_name", kGroup, L"_X Y", L"XY", &commandB, Acad::eInvalidInput},
                      BadAdd{"no_function", kGroup, L"_X", L"X", nullptr, Acad::eInvalidInput}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandStack, ANewGroupHidesAnOlderOneUntilPoppedBelow)
{
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTSAME", L"TESTSAME", 0, &commandA), Acad::eOk);
    ASSERT_EQ(m_stack->addCommand(kOtherGroup, L"_TESTSAME", L"TESTSAME", 0, &commandB), Acad::eOk);
    EXPECT_EQ(m_stack->lookupLocalCmd(L"TESTSAME")->functionAddr(), &commandB) << "the newest group is on top";
    ASSERT_EQ(m_stack->popGroupToTop(kGroup), Acad::eOk);
    EXPECT_EQ(m_stack->lookupLocalCmd(L"TESTSAME")->functionAddr(), &commandA);
    EXPECT_EQ(m_stack->popGroupToTop(L"NO SUCH GROUP"), Acad::eKeyNotFound);
}

TEST_F(CommandStack, RemoveGroupTakesEveryCommandOfIt)
{
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTA", L"TESTA", 0, &commandA), Acad::eOk);
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTB", L"TESTB", 0, &commandB), Acad::eOk);
    EXPECT_EQ(m_stack->removeGroup(L"testgroup"), Acad::eOk);
    EXPECT_EQ(m_stack->lookupLocalCmd(L"TESTA"), nullptr);
    EXPECT_EQ(m_stack->lookupLocalCmd(L"TESTB"), nullptr);
    EXPECT_EQ(m_stack->removeGroup(kGroup), Acad::eKeyNotFound);
}

TEST_F(CommandStack, RemoveCmdTakesOneCommandByGlobalName)
{
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTA", L"TESTA", 0, &commandA), Acad::eOk);
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTB", L"TESTB", 0, &commandB), Acad::eOk);
    EXPECT_EQ(m_stack->removeCmd(kGroup, L"TESTA"), Acad::eKeyNotFound) << "TESTA is a local name";
    EXPECT_EQ(m_stack->removeCmd(kGroup, L"_TESTA"), Acad::eOk);
    EXPECT_EQ(m_stack->lookupLocalCmd(L"TESTA"), nullptr);
    EXPECT_NE(m_stack->lookupLocalCmd(L"TESTB"), nullptr);
}

TEST_F(CommandStack, IteratorWalksGroupsFromTheTopInOrderOfAdding)
{
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTA", L"TESTA", 0, &commandA), Acad::eOk);
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTB", L"TESTB", 0, &commandB), Acad::eOk);
    ASSERT_EQ(m_stack->addCommand(kOtherGroup, L"_TESTC", L"TESTC", 0, &commandB), Acad::eOk);
    std::unique_ptr<AcEdCommandIterator> it(m_stack->iterator());
    std::vector<std::wstring> seen;
    for (; !it->done(); it->next()) {
        std::wstring group = it->commandGroup();
        if (group == kGroup || group == kOtherGroup)
            seen.push_back(group + L"/" + it->command()->localName());
    }
    std::vector<std::wstring> expected{L"TESTOTHER/TESTC", L"TESTGROUP/TESTA", L"TESTGROUP/TESTB"};
    EXPECT_EQ(seen, expected);
}

// How a typed command name finds a command registered as an application registers it.
struct TypedName {
    const char* name;
    const wchar_t* typed;
    const wchar_t* expectedLocal;  // null: unknown
};

class CommandPrompt : public CommandStack, public ::testing::WithParamInterface<TypedName> {};

TEST_P(CommandPrompt, FindsTheCommandATypedNameMeans)
{
    registerHostCommands();
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTSPOLY", L"TESTSPOLY", 0, &commandA), Acad::eOk);
    ASSERT_EQ(m_stack->addCommand(kGroup, L"TESTRENUM", L"TESTRENUM", 0, &commandA), Acad::eOk);
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTZOOM2", L"ZOOM", 0, &commandB), Acad::eOk);
    const TypedName& c = GetParam();
    auto parsed = parseCommandName(c.typed);
    ASSERT_TRUE(parsed.has_value());
    AcEdCommand* found = findCommand(*parsed);
    if (c.expectedLocal == nullptr) {
        EXPECT_EQ(found, nullptr) << c.name;
        return;
    }
    ASSERT_NE(found, nullptr) << c.name;
    EXPECT_STREQ(found->localName(), c.expectedLocal) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Program, CommandPrompt,
    ::testing::Values(TypedName{"local", L"testspoly", L"TESTSPOLY"},
                      TypedName{"underscore_global", L"_TestSpoly", L"TESTSPOLY"},
                      TypedName{"same_global_and_local", L"TESTRENUM", L"TESTRENUM"},
                      TypedName{"underscore_of_plain_global", L"_TESTRENUM", L"TESTRENUM"},
                      TypedName{"application_hides_host_command", L"ZOOM", L"ZOOM"},
                      TypedName{"dot_reaches_the_host_command", L"_.ZOOM", L"ZOOM"},
                      TypedName{"dot_finds_no_application_command", L"_.TESTSPOLY", nullptr},
                      TypedName{"unknown", L"NOSUCHCOMMAND", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandPrompt, TheDotFormRunsTheHostsOwnCommand)
{
    registerHostCommands();
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTZOOM2", L"ZOOM", 0, &commandB), Acad::eOk);
    AcEdCommand* host = findCommand(*parseCommandName(L"_.ZOOM"));
    ASSERT_NE(host, nullptr);
    EXPECT_NE(host->functionAddr(), &commandB);
    EXPECT_EQ(findCommand(*parseCommandName(L"ZOOM"))->functionAddr(), &commandB);
}

// A command that adds a circle, so that its undo step and the drawing after it show.
void addCircleCommand()
{
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk)
        return;
    auto* circle = new AcDbCircle(AcGePoint3d(100, 100, 0), AcGeVector3d::kZAxis, 5.0);
    space->appendAcDbEntity(circle);
    circle->close();
    space->close();
}

TEST_F(CommandStack, ARunCommandIsOneUndoStepAndIsDrawnAfterwards)
{
    test::ProgramDrawing drawing;
    ASSERT_EQ(m_stack->addCommand(kGroup, L"_TESTCIRCLE", L"TESTCIRCLE", 0, &addCircleCommand), Acad::eOk);
    int stepsBefore = undoStepCount(drawing.db());
    ASSERT_TRUE(runCommand(*parseCommandName(L"TESTCIRCLE")));
    EXPECT_EQ(undoStepCount(drawing.db()), stepsBefore + 1);
    EXPECT_EQ(nextUndoStepName(drawing.db()), L"TESTCIRCLE");
    std::vector<AcDbObjectId> shown = displayedEntities(drawing.db());
    ASSERT_EQ(shown.size(), 1u);
    const DrawnEntity* drawn = drawingDisplay().graphicsOf(shown[0]);
    ASSERT_NE(drawn, nullptr);
    EXPECT_FALSE(drawn->primitives.empty()) << "the command's circle was not drawn";
    EXPECT_EQ(undo(1, drawing.db()), 1);
    EXPECT_TRUE(shown[0].isErased());
}

TEST_F(CommandStack, UnknownNameRunsNothing)
{
    test::ProgramDrawing drawing;
    EXPECT_FALSE(runCommand(*parseCommandName(L"NOSUCHCOMMANDATALL")));
}

TEST_F(CommandStack, TheHostCommandsAreRegisteredInGroupAcad)
{
    registerHostCommands();
    for (const wchar_t* name : {L"ZOOM", L"PAN", L"U", L"REDO", L"UNDO", L"REGEN", L"SETVAR", L"GETVAR", L"APPLOAD",
                                L"ARX", L"ERASE", L"LIST"}) {
        auto parsed = parseCommandName(std::wstring(L"_.") + name);
        AcEdCommand* command = findCommand(*parsed);
        ASSERT_NE(command, nullptr) << "no host command " << std::string(name, name + std::wcslen(name));
        EXPECT_STREQ(command->globalName(), name);
    }
}

}  // namespace

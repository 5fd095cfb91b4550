// Tests of the command table: every drawing command is a host command of group "ACAD", found by its names.
#include <gtest/gtest.h>

#include <string>

#include "commands/drawing_commands.h"
#include "command_session.h"

namespace kelvora::test {
namespace {

TEST(DrawingCommandTable, EveryCommandIsRegisteredUnderItsName)
{
    registerHostCommands();
    ASSERT_FALSE(commands::drawingCommands().empty());
    for (const commands::DrawingCommand& entry : commands::drawingCommands()) {
        for (const wchar_t* typed : {L"", L"_", L"_."}) {
            std::optional<CommandName> name = parseCommandName(std::wstring(typed) + entry.name);
            ASSERT_TRUE(name.has_value());
            AcEdCommand* command = findCommand(*name);
            ASSERT_NE(command, nullptr) << ::testing::PrintToString(std::wstring(typed) + entry.name);
            EXPECT_EQ(command->functionAddr(), entry.handler);
        }
    }
}

TEST(DrawingCommandTable, NamesAreTypedInAnyCase)
{
    registerHostCommands();
    std::optional<CommandName> name = parseCommandName(L"pline");
    ASSERT_TRUE(name.has_value());
    AcEdCommand* command = findCommand(*name);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->functionAddr(), &commands::plineCommand);
}

}  // namespace
}  // namespace kelvora::test

// Tests of the command line: the transcript of scripted sessions, the command prompt, script errors, terminals.
#include <gtest/gtest.h>

#include <sstream>

#include "acedads.h"
#include "acutads.h"
#include "editor_session.h"
#include "kelvora/command_loop.h"
#include "kelvora/host_output.h"

namespace kelvora {
namespace {

// Two small commands in the manner of the host's own: LINE reads points until Enter, HELLO prints.
class FakeCommands final : public CommandDispatcher {
public:
    bool run(const CommandName& command) override
    {
        ran.push_back(command.name);
        if (command.name == L"LINE") {
            ads_point from;
            ads_point to;
            if (acedGetPoint(nullptr, L"\nSpecify first point: ", from) != RTNORM)
                return true;
            while (acedGetPoint(from, L"\nSpecify next point: ", to) == RTNORM) {
                ++segments;
                from[X] = to[X];
                from[Y] = to[Y];
                from[Z] = to[Z];
            }
            return true;
        }
        if (command.name == L"HELLO") {
            acutPrintf(L"\nBonjour, %s.\r", L"été");
            return true;
        }
        return false;
    }

    std::vector<std::wstring> ran;
    int segments = 0;
};

TEST(CommandLine, TranscriptOfAScriptedSession)
{
    test::ScriptSession session(
        "; a plan drawn by hand\n"
        "LINE\n"
        "0,0\n"
        "; second point next\n"
        "10,0\n"
        "\n"
        "hello\n"
        "\n"
        "_.Line\n"
        "@0,5\n"
        "^C\n");
    FakeCommands commands;
    EXPECT_TRUE(runCommandLoop(session.line(), commands));
    // Each answer follows its prompt and ends its line; prompts start their own.
    EXPECT_EQ(session.out(),
              "\nCommand: LINE\n"
              "\nSpecify first point: 0,0\n"
              "\nSpecify next point: 10,0\n"
              "\nSpecify next point: \n"
              "\nCommand: hello\n"
              "\nBonjour, \xC3\xA9t\xC3\xA9.\r"
              "\nCommand: \n"
              "\nBonjour, \xC3\xA9t\xC3\xA9.\r"
              "\nCommand: _.Line\n"
              "\nSpecify first point: @0,5\n"
              "\nSpecify next point: ^C\n"
              "\nCommand: ");
    EXPECT_EQ(commands.ran, (std::vector<std::wstring>{L"LINE", L"HELLO", L"HELLO", L"LINE"}));
    EXPECT_EQ(commands.segments, 1);
    EXPECT_EQ(session.errors(), "");
}

TEST(CommandLine, UnknownCommandStopsTheScriptNamingItsLine)
{
    test::ScriptSession session("LINE\n0,0\n1,1\n\nNOSUCHCOMMAND\nHELLO\n");
    FakeCommands commands;
    EXPECT_FALSE(runCommandLoop(session.line(), commands));
    EXPECT_TRUE(session.line().failed());
    EXPECT_EQ(session.errors(), "test.scr:5: error: unknown command \"NOSUCHCOMMAND\"\n");
    EXPECT_EQ(commands.ran, (std::vector<std::wstring>{L"LINE", L"NOSUCHCOMMAND"}));
}

TEST(CommandLine, EnterWithoutAnEarlierCommandAsksAgain)
{
    test::ScriptSession session("\nHELLO\n");
    CommandRequest request = session.line().readCommand();
    EXPECT_EQ(request.kind, CommandRequest::Kind::Command);
    EXPECT_EQ(request.command.name, L"HELLO");
    EXPECT_FALSE(request.repeated);
    EXPECT_EQ(session.out(), "\nCommand: \n\nCommand: HELLO\n");
}

TEST(CommandLine, CancelAtTheCommandPromptDoesNothing)
{
    test::ScriptSession session("^C\nHELLO\n");
    CommandRequest request = session.line().readCommand();
    EXPECT_EQ(request.command.name, L"HELLO");
    EXPECT_FALSE(session.line().failed());
}

TEST(CommandLine, EndOfScriptEndsTheCommandPrompt)
{
    test::ScriptSession session("; only a comment\n");
    EXPECT_EQ(session.line().readCommand().kind, CommandRequest::Kind::EndOfInput);
    EXPECT_EQ(session.out(), "\nCommand: ");
}

TEST(CommandLine, ScriptEndingMidCommandCancelsAndSucceeds)
{
    test::ScriptSession session("LINE\n0,0\n");
    FakeCommands commands;
    EXPECT_TRUE(runCommandLoop(session.line(), commands));
    EXPECT_EQ(commands.segments, 0);
    EXPECT_EQ(session.out(), "\nCommand: LINE\n\nSpecify first point: 0,0\n\nSpecify next point: \nCommand: ");
}

TEST(CommandLine, StoppedScriptCancelsEveryLaterPrompt)
{
    test::ScriptSession session("1,1\n2,2\n");
    session.line().scriptError("something went wrong");
    ads_point p;
    EXPECT_EQ(acedGetPoint(nullptr, L"\nP: ", p), RTCAN);
    EXPECT_EQ(session.line().peek(""), nullptr);
    EXPECT_EQ(session.errors(), "test.scr: error: something went wrong\n");
}

TEST(CommandLine, WarningsNameTheLineAndGoOn)
{
    test::ScriptSession session("1,1\n2,2\n");
    ads_point p;
    ASSERT_EQ(acedGetPoint(nullptr, L"", p), RTNORM);
    session.line().scriptWarning("careful");
    EXPECT_EQ(acedGetPoint(nullptr, L"", p), RTNORM);
    EXPECT_EQ(session.errors(), "test.scr:1: warning: careful\n");
    EXPECT_FALSE(session.line().failed());
}

TEST(CommandLine, PeekShowsWithoutTakingAndTakeEchoes)
{
    test::ScriptSession session("; skipped\n@OK\nnext\n");
    const std::string* line = session.line().peek("");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(*line, "@OK");
    EXPECT_EQ(*session.line().peek(""), "@OK");
    EXPECT_EQ(session.line().take(true), "@OK");
    EXPECT_EQ(session.line().location().line, 2);
    EXPECT_EQ(session.line().take(false), "next");
    EXPECT_EQ(session.out(), "\n@OK");
    EXPECT_EQ(session.line().peek(""), nullptr);
}

TEST(CommandLine, CrLfLineEndsAndByteOrderMarkAreDropped)
{
    test::ScriptSession session("\xEF\xBB\xBFLINE\r\n3,4\r\n");
    EXPECT_EQ(session.line().readCommand().command.name, L"LINE");
    ads_point p;
    ASSERT_EQ(acedGetPoint(nullptr, L"", p), RTNORM);
    EXPECT_EQ(session.out(), "\nCommand: LINE\n3,4\n");
}

TEST(CommandLine, DatabaseOutputGoesToTheTranscript)
{
    test::ScriptSession session("");
    hostPrintf(L"\n%18s %s", L"Layer:", L"PARCELLES");
    EXPECT_EQ(session.out(), "\n            Layer: PARCELLES");
}

TEST(CommandLine, NestedCommandLinesRestoreTheOuterOne)
{
    test::ScriptSession outer("");
    {
        test::ScriptSession inner("");
        EXPECT_EQ(CommandLine::current(), &inner.line());
    }
    EXPECT_EQ(CommandLine::current(), &outer.line());
}

TEST(TerminalCommandLine, ReadlineShowsThePromptsLastLineAndTheAnswer)
{
    test::TerminalSession terminal({"LINE", "0,0", "^C"});
    FakeCommands commands;
    EXPECT_TRUE(runCommandLoop(terminal.line(), commands));
    // The transcript holds what readline does not show: the lines before each prompt's last.
    EXPECT_EQ(terminal.out(), "\n\n\n\n");
    EXPECT_EQ(terminal.prompts(), (std::vector<std::string>{"Command: ", "Specify first point: ",
                                                            "Specify next point: ", "Command: "}));
    EXPECT_EQ(commands.segments, 0);
}

TEST(TerminalCommandLine, UnknownCommandIsReportedAndTheSessionGoesOn)
{
    test::TerminalSession terminal({"FOO", "HELLO"});
    FakeCommands commands;
    EXPECT_TRUE(runCommandLoop(terminal.line(), commands));
    EXPECT_NE(terminal.out().find("\nUnknown command \"FOO\"."), std::string::npos);
    EXPECT_EQ(commands.ran, (std::vector<std::wstring>{L"FOO", L"HELLO"}));
    EXPECT_EQ(terminal.errors(), "");
}

TEST(InputSources, StreamLinesAreNumberedFromOne)
{
    auto source = makeTextSource("x.scr", "a\n\nb");
    auto first = source->readLine("");
    auto second = source->readLine("");
    auto third = source->readLine("");
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(first->lineNumber, 1);
    EXPECT_EQ(second->text, "");
    EXPECT_EQ(third->text, "b");
    EXPECT_EQ(third->lineNumber, 3);
    EXPECT_FALSE(source->readLine(""));
    EXPECT_FALSE(source->interactive());
}

TEST(InputSources, MissingScriptNamesTheFile)
{
    std::string error;
    EXPECT_EQ(openScript("/nonexistent/kelvora/absent.scr", error), nullptr);
    EXPECT_EQ(error, "/nonexistent/kelvora/absent.scr: error: cannot open: No such file or directory");
    EXPECT_EQ(openScript("/", error), nullptr);
    EXPECT_EQ(error, "/: error: cannot open: it is a directory");
}

TEST(InputSources, DashIsStandardInput)
{
    std::string error;
    auto source = openScript("-", error);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->name(), "<stdin>");
}

}  // namespace
}  // namespace kelvora

// Tests of message boxes: transcript form, "@box" answers, default buttons, the host's caption.
#include <gtest/gtest.h>

#include "afxwin.h"
#include "editor_session.h"

namespace kelvora {
namespace {

struct BoxCase {
    const char* name;
    const char* script;
    UINT type;
    const wchar_t* caption;
    int result;
    const char* transcript;
    const char* left;  // the next line left for the command line, or null at the end
};

class MessageBoxes : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxes, AnswerAndTranscript)
{
    const BoxCase& c = GetParam();
    test::ScriptSession session(c.script);
    EXPECT_EQ(MessageBoxW(nullptr, L"Voulez vous continuer", c.caption, c.type), c.result) << c.name;
    EXPECT_EQ(session.out(), c.transcript) << c.name;
    const std::string* next = session.line().peek("");
    if (c.left == nullptr) {
        EXPECT_EQ(next, nullptr) << c.name;
    } else {
        EXPECT_EQ(next != nullptr ? *next : "(end)", c.left) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, MessageBoxes,
    ::testing::Values(
        BoxCase{"ok_by_default", "LINE\n", MB_OK, L"Info", IDOK, "\n[Info] Voulez vous continuer[OK]", "LINE"},
        BoxCase{"no_caption_is_kelvora", "", MB_OK, nullptr, IDOK, "\n[Kelvora] Voulez vous continuer[OK]", nullptr},
        BoxCase{"empty_caption_is_kelvora", "", MB_OK, L"", IDOK, "\n[Kelvora] Voulez vous continuer[OK]", nullptr},
        BoxCase{"box_line_taken", "@box Cancel\nLINE\n", MB_OKCANCEL, L"Q", IDCANCEL,
                "\n[Q] Voulez vous continuer[Cancel]", "LINE"},
        BoxCase{"box_line_any_case", "@BOX cancel\n", MB_OKCANCEL, L"Q", IDCANCEL, "\n[Q] Voulez vous continuer[Cancel]",
                nullptr},
        BoxCase{"yes_no_first_button", "", MB_YESNO | MB_ICONQUESTION, L"Q", IDYES, "\n[Q] Voulez vous continuer[Yes]",
                nullptr},
        BoxCase{"default_second_button", "", MB_YESNO | MB_DEFBUTTON2, L"Q", IDNO, "\n[Q] Voulez vous continuer[No]",
                nullptr},
        BoxCase{"default_beyond_the_buttons", "", MB_OK | MB_DEFBUTTON3, L"Q", IDOK, "\n[Q] Voulez vous continuer[OK]",
                nullptr},
        BoxCase{"try_again_written_together", "@box TryAgain\n", MB_CANCELTRYCONTINUE, L"Q", IDTRYAGAIN,
                "\n[Q] Voulez vous continuer[Try Again]", nullptr},
        BoxCase{"other_line_not_taken", "@1011=x\n", MB_OKCANCEL, L"Q", IDOK, "\n[Q] Voulez vous continuer[OK]",
                "@1011=x"},
        BoxCase{"box_word_must_stand_alone", "@boxes\n", MB_OK, L"Q", IDOK, "\n[Q] Voulez vous continuer[OK]", "@boxes"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBox, ButtonTheBoxLacksTakesTheDefaultWithAWarning)
{
    test::ScriptSession session("@box Retry\n");
    EXPECT_EQ(MessageBoxW(nullptr, L"x", L"Q", MB_OKCANCEL), IDOK);
    EXPECT_EQ(session.errors(), "test.scr:1: warning: the message box has no button \"Retry\": it takes its default button\n");
    EXPECT_EQ(session.line().peek(""), nullptr);
}

TEST(MessageBox, StoppedScriptTakesTheDefault)
{
    test::ScriptSession session("@box Cancel\n");
    session.line().scriptError("stop");
    EXPECT_EQ(MessageBoxW(nullptr, L"x", L"Q", MB_OKCANCEL), IDOK);
}

TEST(MessageBox, AfxMessageBoxAndAlertUseTheHostCaption)
{
    test::ScriptSession session("@box No\n");
    EXPECT_EQ(AfxMessageBox(L"\nLes résultats sont maintenant dans le presse papier", MB_YESNO), IDNO);
    EXPECT_EQ(session.out(), "\n[Kelvora] \nLes r\xC3\xA9sultats sont maintenant dans le presse papier[No]");
}

TEST(MessageBox, TerminalEnterTakesTheDefault)
{
    test::TerminalSession terminal({"", "LINE"});
    EXPECT_EQ(MessageBoxW(nullptr, L"x", L"Q", MB_OKCANCEL), IDOK);
    EXPECT_EQ(terminal.prompts(), (std::vector<std::string>{" <OK> [Cancel] @box "}));
    EXPECT_EQ(*terminal.line().peek(""), "LINE");
}

}  // namespace
}  // namespace kelvora

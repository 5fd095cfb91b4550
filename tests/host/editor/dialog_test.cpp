// Tests of scripted dialogs: "@" lines that set controls, click buttons, close; refusals; implicit OK.
#include <gtest/gtest.h>

#include <functional>

#include "editor_session.h"
#include "test_dialog.h"

namespace kelvora::test {

BEGIN_MESSAGE_MAP(ParcelDialog, CAcUiDialog)
ON_BN_CLICKED(kPick, &ParcelDialog::OnPick)
ON_CONTROL_RANGE(BN_CLICKED, kBlock, kStandard, &ParcelDialog::OnKind)
ON_CBN_SELCHANGE(kStyle, &ParcelDialog::OnStyleChanged)
ON_EN_CHANGE(kName, &ParcelDialog::OnNameChanged)
ON_NOTIFY(LVN_ITEMCHANGED, kList, &ParcelDialog::OnRowChanged)
END_MESSAGE_MAP()

namespace {

bool contains(const std::string& text, const std::string& piece)
{
    return text.find(piece) != std::string::npos;
}

TEST(ScriptedDialog, SetsEachKindOfControlAndClosesWithOk)
{
    ScriptSession session(
        "@1011=P12\n"
        "@Nom=0\n"
        "@Taille=3.5\n"
        "@Style=arial\n"
        "@1045=#2\n"
        "@Standard=1\n"
        "@OK\n");
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_name, L"P12");
    EXPECT_EQ(dialog.m_show, 0);
    EXPECT_DOUBLE_EQ(dialog.m_height, 3.5);
    EXPECT_EQ(dialog.m_style, L"Arial");
    EXPECT_EQ(dialog.m_format, 2);
    EXPECT_EQ(dialog.m_kind, 2);
    EXPECT_EQ(session.out(),
              "\n<Parcelle>\n@1011=P12\n@Nom=0\n@Taille=3.5\n@Style=arial\n@1045=#2\n@Standard=1\n@OK\n</Parcelle OK>");
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"name", "style 0", "kind 2003"}));
    EXPECT_EQ(session.errors(), "");
}

TEST(ScriptedDialog, InitialValuesReachTheControls)
{
    ScriptSession session("@OK\n");
    ParcelDialog dialog;
    std::vector<std::wstring> shown;
    dialog.whileOpen = [&](ParcelDialog& d) {
        CString text;
        for (int id : {kName, kHeight, kCount, kZoom}) {
            d.GetDlgItemText(id, text);
            shown.push_back(text.str());
        }
        d.GetDlgItem(kStyle)->GetWindowText(text);
        shown.push_back(text.str());
        shown.push_back(std::to_wstring(d.IsDlgButtonChecked(kShow)));
        shown.push_back(std::to_wstring(d.GetCheckedRadioButton(kBlock, kStandard)));
    };
    ASSERT_EQ(dialog.DoModal(), IDOK);
    // "stand" selects the first item beginning with it, without regard to case.
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Lot ", L"2.5", L"3", L"2", L"Standard", L"1", L"2003"}));
    EXPECT_EQ(dialog.m_style, L"Standard");
}

TEST(ScriptedDialog, CancelLeavesTheValues)
{
    ScriptSession session("@1011=XYZ\n@1045=#2\n@Cancel\n");
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_name, L"Lot ");
    EXPECT_EQ(dialog.m_format, 0);
    EXPECT_TRUE(contains(session.out(), "\n</Parcelle Cancel>"));
}

TEST(ScriptedDialog, NextLineWithoutAtClosesWithOkAndIsNotTaken)
{
    ScriptSession session("@1011=Q\nLINE\n");
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_name, L"Q");
    EXPECT_EQ(session.out(), "\n<Parcelle>\n@1011=Q\n</Parcelle OK>");
    EXPECT_EQ(session.line().readCommand().command.name, L"LINE");
}

TEST(ScriptedDialog, EndOfScriptClosesWithOk)
{
    ScriptSession session("@1011=R\n");
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_name, L"R");
}

TEST(ScriptedDialog, CancelLineClosesItWithOkAndReachesTheCommandPrompt)
{
    ScriptSession session("^C\n");
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(*session.line().peek(""), "^C");
}

struct RefusalCase {
    const char* name;
    const char* script;
    const char* refusal;
};

class DialogRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(DialogRefusals, KeepTheDialogOpenAndSayWhy)
{
    const RefusalCase& c = GetParam();
    ScriptSession session(c.script);
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << c.name;
    EXPECT_TRUE(contains(session.out(), std::string("\n@OK") + c.refusal + "\n@Cancel\n</Parcelle Cancel>"))
        << c.name << ": " << session.out();
    EXPECT_EQ(session.errors(), "") << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogRefusals,
    ::testing::Values(
        RefusalCase{"range_by_label", "@Taille=-1\n@OK\n@Cancel\n", "\nRefused: Taille must be between 0 and 1e+38"},
        RefusalCase{"range_by_id", "@1022=-1\n@OK\n@Cancel\n", "\nRefused: 1022 must be between 0 and 1e+38"},
        RefusalCase{"range_of_an_integer", "@1034=0\n@OK\n@Cancel\n", "\nRefused: 1034 must be between 1 and 100"},
        RefusalCase{"not_a_number", "@Taille=abc\n@OK\n@Cancel\n", "\nRefused: Taille must be a number"},
        RefusalCase{"not_an_integer", "@Nombre d'intervalles=2.5\n@OK\n@Cancel\n",
                    "\nRefused: Nombre d'intervalles must be an integer"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptedDialog, RefusedValueCanBeCorrected)
{
    ScriptSession session("@Taille=-1\n@OK\n@Taille=2\n@OK\n");
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(dialog.m_height, 2.0);
    EXPECT_TRUE(contains(session.out(), "\n@OK\nRefused: Taille must be between 0 and 1e+38\n@Taille=2\n@OK\n</Parcelle OK>"));
}

TEST(ScriptedDialog, RefusedValueAtImplicitCloseEndsWithCancel)
{
    ScriptSession session("@Taille=-1\nLINE\n");
    ParcelDialog dialog;
    dialog.m_name = L"kept";
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(session.out(), "\n<Parcelle>\n@Taille=-1\nRefused: Taille must be between 0 and 1e+38\n</Parcelle Cancel>");
    EXPECT_EQ(*session.line().peek(""), "LINE");
}

TEST(ScriptedDialog, ValuesBeforeARefusalAreReadValuesAfterItAreNot)
{
    ScriptSession session("@1011=First\n@Taille=-1\n@1045=#1\nLINE\n");
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_name, L"First");  // exchanged before the refused height
    EXPECT_EQ(dialog.m_format, 0);       // after it: untouched
}

TEST(ScriptedDialog, ButtonThatPromptsReadsTheFollowingLines)
{
    ScriptSession session("@click ...\n5,6\n@OK\n");
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.pickStatus, RTNORM);
    EXPECT_DOUBLE_EQ(dialog.picked[X], 5.0);
    EXPECT_DOUBLE_EQ(dialog.picked[Y], 6.0);
    EXPECT_TRUE(dialog.hiddenWhilePicking);
    EXPECT_EQ(session.out(), "\n<Parcelle>\n@click ...\nPick a point: 5,6\n\n@OK\n</Parcelle OK>");
}

TEST(ScriptedDialog, PromptFromAButtonLeavesDialogLinesToTheDialog)
{
    ScriptSession session("@click 1037\n@Cancel\n");
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.pickStatus, RTCAN);
}

TEST(ScriptedDialog, RelativePointAnswersAButtonsPrompt)
{
    ScriptSession session("@click ...\n@2,3\n@OK\n");
    systemVariables().set(L"LASTPOINT", ScriptPoint{10, 10, 0});
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.pickStatus, RTNORM);
    EXPECT_DOUBLE_EQ(dialog.picked[X], 12.0);
}

struct AddressCase {
    const char* name;
    const char* line;
    std::function<std::wstring(const ParcelDialog&)> field;  // the value that must have changed
    const wchar_t* value;
};

std::wstring nameOf(const ParcelDialog& d)
{
    return d.m_name.str();
}
std::wstring showOf(const ParcelDialog& d)
{
    return std::to_wstring(d.m_show);
}
std::wstring kindOf(const ParcelDialog& d)
{
    return std::to_wstring(d.m_kind);
}
std::wstring heightOf(const ParcelDialog& d)
{
    return std::to_wstring(static_cast<int>(d.m_height));
}
std::wstring styleOf(const ParcelDialog& d)
{
    return d.m_style.str();
}
std::wstring wideOf(const ParcelDialog& d)
{
    return d.m_wide.str();
}

class ControlAddresses : public ::testing::TestWithParam<AddressCase> {};

TEST_P(ControlAddresses, ReachTheMeantControl)
{
    const AddressCase& c = GetParam();
    ScriptSession session(std::string(c.line) + "\n@OK\n");
    ParcelDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK) << c.name << ": " << session.errors();
    EXPECT_EQ(c.field(dialog), c.value) << c.name;
    EXPECT_EQ(session.errors(), "") << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, ControlAddresses,
    ::testing::Values(AddressCase{"by_id", "@1011=A", nameOf, L"A"},
                      AddressCase{"name_before_a_caption_further_on", "@Texte=B", nameOf, L"B"},
                      AddressCase{"caption_with_ampersand", "@&Nom=0", showOf, L"0"},
                      AddressCase{"caption_without_ampersand", "@Nom=0", showOf, L"0"},
                      AddressCase{"caption_in_another_case", "@nom=0", showOf, L"0"},
                      AddressCase{"radio_by_exact_caption", "@&Texte=1", kindOf, L"1"},
                      AddressCase{"radio_first_of_group", "@Block=1", kindOf, L"0"},
                      AddressCase{"label_stands_for_the_next_control", "@Taille=7", heightOf, L"7"},
                      AddressCase{"label_written_with_its_ampersand", "@St&yle=romans", styleOf, L"romans"},
                      AddressCase{"label_with_a_buddy", "@Largeur=9", wideOf, L"9"},
                      AddressCase{"label_without_buddy", "@12.00=8", wideOf, L"8"},
                      AddressCase{"value_keeps_its_blanks", "@1011= Lot 9 ", nameOf, L" Lot 9 "},
                      AddressCase{"edit_limit_cuts_what_is_typed", "@Largeur=12345678901", wideOf, L"1234567890"},
                      AddressCase{"blanks_around_the_address", "@ 1011 =C", nameOf, L"C"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ScriptFaultCase {
    const char* name;
    const char* script;
    const char* error;
};

class DialogScriptFaults : public ::testing::TestWithParam<ScriptFaultCase> {};

TEST_P(DialogScriptFaults, StopTheScriptAndCancelTheDialog)
{
    const ScriptFaultCase& c = GetParam();
    ScriptSession session(c.script);
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << c.name;
    EXPECT_EQ(session.errors(), c.error) << c.name;
    EXPECT_TRUE(session.line().failed()) << c.name;
    EXPECT_EQ(session.line().readCommand().kind, CommandRequest::Kind::EndOfInput) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogScriptFaults,
    ::testing::Values(
        ScriptFaultCase{"unknown_control", "@Nothing=1\n@OK\n",
                        "test.scr:1: error: no control \"Nothing\" in dialog \"Parcelle\"\n"},
        ScriptFaultCase{"no_such_item", "@1010=Gothic\nLINE\n", "test.scr:1: error: no item \"Gothic\" in \"1010\"\n"},
        ScriptFaultCase{"index_out_of_range", "@Format=#3\n", "test.scr:1: error: no item \"#3\" in \"Format\"\n"},
        ScriptFaultCase{"check_box_value", "@Nom=yes\n", "test.scr:1: error: \"Nom\" takes 0 or 1\n"},
        ScriptFaultCase{"button_set", "@...=1\n", "test.scr:1: error: \"...\" is a button: press it with @click ...\n"},
        ScriptFaultCase{"click_an_edit", "@click 1011\n", "test.scr:1: error: \"1011\" is not a button\n"},
        ScriptFaultCase{"no_row", "@Liste=#9\n", "test.scr:1: error: no row \"#9\" in \"Liste\"\n"},
        ScriptFaultCase{"box_without_box", "@box OK\n",
                        "test.scr:1: error: no message box is open (dialog \"Parcelle\" is)\n"},
        ScriptFaultCase{"not_a_dialog_line", "@5,0\n",
                        "test.scr:1: error: a dialog line is @CONTROL=VALUE, @click CONTROL, @OK or @Cancel\n"},
        ScriptFaultCase{"second_line", "@1011=ok\n@Nope=1\n",
                        "test.scr:2: error: no control \"Nope\" in dialog \"Parcelle\"\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptedDialog, TextLongerThanTheLimitSetInCodeIsRefused)
{
    ScriptSession session("@OK\n@Cancel\n");
    ParcelDialog dialog;
    dialog.whileOpen = [](ParcelDialog& d) { d.SetDlgItemText(kWide, L"12345678901"); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(contains(session.out(), "\nRefused: 1050 must have at most 10 characters"));
}

TEST(ScriptedDialog, RadioButtonsOfAGroupClearEachOther)
{
    ScriptSession session("@Block=1\n@Texte=0\n@&Texte=1\n@OK\n");
    ParcelDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_kind, 1);
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"kind 2001", "name", "kind 2002"}));
}

TEST(ScriptedDialog, ClickOnACheckBoxTogglesIt)
{
    ScriptSession session("@click Nom\n@OK\n");
    ParcelDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_show, 0);
}

TEST(ScriptedDialog, DigitsOnlyEditRefusesOtherCharacters)
{
    ScriptSession session("@Zoom=2.5\n@Zoom=25\n@OK\n");
    ParcelDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_zoom, L"25");
    EXPECT_TRUE(contains(session.out(), "\n@Zoom=2.5\nRefused: Zoom accepts digits only\n@Zoom=25"));
}

TEST(ScriptedDialog, ListViewRowIsSelectedAndNotified)
{
    ScriptSession session("@Liste=#1\n@OK\n");
    ParcelDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.selectedRowAtOk, 1);
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"row 1"}));
}

TEST(ScriptedDialog, ListViewRowByItsText)
{
    ScriptSession session("@Liste=lot 3\n@OK\n");
    ParcelDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.selectedRowAtOk, 2);
}

TEST(ScriptedDialog, MessageBoxOfOnOkTakesTheBoxLine)
{
    ScriptSession session("@OK\n@box OK\n@Cancel\n");
    ParcelDialog dialog;
    dialog.refuseOk = true;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(session.out(), "\n<Parcelle>\n@OK\n[Alerte !] Pr\xC3\xA9" "cisez le block \xC3\xA0 utiliser[OK]\n@Cancel\n</Parcelle Cancel>");
}

TEST(ScriptedDialog, RefusingOkAtImplicitCloseStillEnds)
{
    ScriptSession session("LINE\n");
    ParcelDialog dialog;
    dialog.refuseOk = true;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(contains(session.out(), "[Alerte !]"));
    EXPECT_EQ(*session.line().peek(""), "LINE");
}

TEST(ScriptedDialog, MissingTemplateIsReportedAndRunsNothing)
{
    ScriptSession session("@OK\n");
    HINSTANCE empty = createResourceModule(L"empty");
    ParcelDialog dialog(empty);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(session.out(), "");
    EXPECT_EQ(session.errors(), "test.scr: warning: dialog template 9001 is not in the current resources\n");
    destroyResourceModule(empty);
}

TEST(ScriptedDialog, CurrentResourceHandleFindsTheTemplate)
{
    ScriptSession session("@OK\n");
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(testResources());
    ParcelDialog dialog(nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    AfxSetResourceHandle(previous);
}

TEST(ScriptedDialog, ControlObjectsLetGoOfTheirWindowsAfterwards)
{
    ScriptSession session("@OK\n");
    ParcelDialog dialog;
    HWND list = nullptr;
    dialog.whileOpen = [&](ParcelDialog& d) { list = d.m_list.m_hWnd; };
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_NE(list, nullptr);
    EXPECT_EQ(dialog.m_list.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(dialog.m_list.GetItemCount(), 0);  // a dead handle answers nothing, and does not crash
}

TEST(ScriptedDialog, DialogWithoutCommandLineClosesWithOk)
{
    ParcelDialog dialog;
    dialog.m_name = L"alone";
    testing::internal::CaptureStdout();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    std::fflush(stdout);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "\n<Parcelle>\n</Parcelle OK>");
}

TEST(TerminalDialog, ShowsItsControlsAndTakesTheSameLines)
{
    TerminalSession terminal({"@1011=Z", ""});
    ParcelDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_name, L"Z");
    EXPECT_TRUE(contains(terminal.out(), "\n  [1011] Texte = \"Lot \""));
    EXPECT_TRUE(contains(terminal.out(), "\n  [1011] Texte = \"Z\""));
    EXPECT_TRUE(contains(terminal.out(), "\n  [1021] [x] &Nom"));
    EXPECT_TRUE(contains(terminal.out(), "#2 Hectares;"));
    EXPECT_EQ(terminal.prompts(), (std::vector<std::string>{"@ ", "@ "}));
    EXPECT_TRUE(contains(terminal.out(), "\n</Parcelle OK>"));
}

}  // namespace
}  // namespace kelvora::test

// Tests of the prompt functions: each result code, the values returned, re-prompts and their transcript.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <sstream>

#include "acedads.h"
#include "editor_session.h"

namespace kelvora {
namespace {

// Values come from short decimal answers and one atan2 or sqrt.
constexpr double kValueTolerance = 1e-12;

std::string describe(double value)
{
    std::ostringstream out;
    out.precision(12);
    out << value;
    return out.str();
}

std::string describe(const ads_point p)
{
    return describe(p[X]) + "," + describe(p[Y]) + "," + describe(p[Z]);
}

std::string narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t ch : text)
        out += static_cast<char>(ch);
    return out;
}

// A prompt call: its result code, and its value as text.
using PromptCall = std::function<int(std::string& value)>;

struct PromptCase {
    const char* name;
    const char* script;
    PromptCall call;
    int status;
    const char* value;       // the value as text (RTNORM), the keyword (RTKWORD), "" otherwise
    const char* transcript;  // the bytes written
};

PromptCall getPoint(int flags = 0, const wchar_t* keywords = nullptr)
{
    return [=](std::string& value) {
        acedInitGet(flags, keywords);
        ads_point p = {0, 0, 0};
        int status = acedGetPoint(nullptr, L"\nPoint: ", p);
        value = status == RTNORM ? describe(p) : "";
        return status;
    };
}

PromptCall getReal(int flags = 0, const wchar_t* keywords = nullptr)
{
    return [=](std::string& value) {
        acedInitGet(flags, keywords);
        ads_real r = 0;
        int status = acedGetReal(L"\nReal: ", &r);
        value = status == RTNORM ? describe(r) : "";
        return status;
    };
}

PromptCall getInt(int flags = 0)
{
    return [=](std::string& value) {
        acedInitGet(flags, nullptr);
        int i = 0;
        int status = acedGetInt(L"\nInt: ", &i);
        value = status == RTNORM ? std::to_string(i) : "";
        return status;
    };
}

PromptCall getDist(bool withBase, int flags = 0)
{
    return [=](std::string& value) {
        acedInitGet(flags, nullptr);
        ads_point base = {0, 0, 0};
        ads_real d = 0;
        int status = acedGetDist(withBase ? base : nullptr, L"\nDist: ", &d);
        value = status == RTNORM ? describe(d) : "";
        return status;
    };
}

PromptCall getAngle(bool orient, bool withBase, int flags = 0)
{
    return [=](std::string& value) {
        acedInitGet(flags, nullptr);
        ads_point base = {1, 1, 0};
        ads_real a = 0;
        const ads_real* b = withBase ? base : nullptr;
        int status = orient ? acedGetOrient(b, L"\nAngle: ", &a) : acedGetAngle(b, L"\nAngle: ", &a);
        value = status == RTNORM ? describe(a / std::numbers::pi) + "pi" : "";
        return status;
    };
}

PromptCall getString(int cronly, std::size_t size = 64)
{
    return [=](std::string& value) {
        std::wstring buffer(size, L'#');
        int status = acedGetString(cronly, L"\nText: ", buffer.data(), size);
        value = "[" + narrow(buffer.c_str()) + "]";
        return status;
    };
}

PromptCall getKword(int flags, const wchar_t* keywords)
{
    return [=](std::string& value) {
        acedInitGet(flags, keywords);
        ACHAR buffer[32] = L"";
        int status = acedGetKword(L"\nOption: ", buffer, 32);
        value = narrow(buffer);
        return status;
    };
}

class Prompts : public ::testing::TestWithParam<PromptCase> {};

TEST_P(Prompts, ResultValueAndTranscript)
{
    const PromptCase& c = GetParam();
    test::ScriptSession session(c.script);
    std::string value;
    int status = c.call(value);
    if (status == RTKWORD) {
        ACHAR keyword[64];
        ASSERT_EQ(acedGetInput(keyword, 64), RTNORM) << c.name;
        value = narrow(keyword);
    }
    EXPECT_EQ(status, c.status) << c.name;
    if (c.status == RTNORM || c.status == RTKWORD || c.status == RTINPUTTRUNCATED) {
        EXPECT_EQ(value, c.value) << c.name;
    }
    EXPECT_EQ(session.out(), c.transcript) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Editor, Prompts,
    ::testing::Values(
        PromptCase{"point", "10,20\n", getPoint(), RTNORM, "10,20,0", "\nPoint: 10,20\n"},
        PromptCase{"point_3d", "1,2,3\n", getPoint(), RTNORM, "1,2,3", "\nPoint: 1,2,3\n"},
        PromptCase{"point_enter", "\n", getPoint(), RTNONE, "", "\nPoint: \n"},
        PromptCase{"point_cancel", "^C\n", getPoint(), RTCAN, "", "\nPoint: ^C\n"},
        PromptCase{"point_end_of_script", "", getPoint(), RTCAN, "", "\nPoint: "},
        PromptCase{"point_comment_skipped", "; first corner\n5,5\n", getPoint(), RTNORM, "5,5,0", "\nPoint: 5,5\n"},
        PromptCase{"point_wrong_kind", "abc\n1,1\n", getPoint(), RTNORM, "1,1,0",
                   "\nPoint: abc\n\nPoint or option keyword required.\nPoint: 1,1\n"},
        PromptCase{"point_nonull", "\n2,2\n", getPoint(RSG_NONULL), RTNORM, "2,2,0",
                   "\nPoint: \n\nPoint or option keyword required.\nPoint: 2,2\n"},
        PromptCase{"point_keyword", "c\n", getPoint(0, L"Close Undo"), RTKWORD, "Close", "\nPoint: c\n"},
        PromptCase{"point_global_keyword", "_U\n", getPoint(0, L"Fermer Annuler _ Close Undo"), RTKWORD, "Undo",
                   "\nPoint: _U\n"},
        PromptCase{"point_other_input", "1x\n", getPoint(RSG_OTHER), RTKWORD, "1x", "\nPoint: 1x\n"},
        PromptCase{"real", "2.5\n", getReal(), RTNORM, "2.5", "\nReal: 2.5\n"},
        PromptCase{"real_wrong_kind", "deux\n2\n", getReal(), RTNORM, "2",
                   "\nReal: deux\n\nRequires numeric value.\nReal: 2\n"},
        PromptCase{"real_nozero", "0\n3\n", getReal(RSG_NOZERO), RTNORM, "3",
                   "\nReal: 0\n\nValue must be nonzero.\nReal: 3\n"},
        PromptCase{"real_noneg", "-1\n1\n", getReal(RSG_NONEG), RTNORM, "1",
                   "\nReal: -1\n\nValue must be positive.\nReal: 1\n"},
        PromptCase{"real_positive_nonzero", "0\n-2\n4\n", getReal(RSG_NOZERO | RSG_NONEG), RTNORM, "4",
                   "\nReal: 0\n\nValue must be positive and nonzero.\nReal: -2\n\nValue must be positive and "
                   "nonzero.\nReal: 4\n"},
        PromptCase{"real_keyword", "Auto\n", getReal(0, L"Auto"), RTKWORD, "Auto", "\nReal: Auto\n"},
        PromptCase{"int", "7\n", getInt(), RTNORM, "7", "\nInt: 7\n"},
        PromptCase{"int_given_real", "7.5\n8\n", getInt(), RTNORM, "8",
                   "\nInt: 7.5\n\nRequires an integer value.\nInt: 8\n"},
        PromptCase{"int_out_of_range", "40000\n-32768\n", getInt(), RTNORM, "-32768",
                   "\nInt: 40000\n\nRequires an integer between -32768 and 32767.\nInt: -32768\n"},
        PromptCase{"int_enter", "\n", getInt(), RTNONE, "", "\nInt: \n"},
        PromptCase{"int_nonull", "\n1\n", getInt(RSG_NONULL), RTNORM, "1",
                   "\nInt: \n\nRequires an integer value.\nInt: 1\n"},
        PromptCase{"dist_number", "12.5\n", getDist(true), RTNORM, "12.5", "\nDist: 12.5\n"},
        PromptCase{"dist_point_from_base", "3,4\n", getDist(true), RTNORM, "5", "\nDist: 3,4\n"},
        PromptCase{"dist_two_points", "1,1\n4,5\n", getDist(false), RTNORM, "5",
                   "\nDist: 1,1\n\nSpecify second point: 4,5\n"},
        PromptCase{"dist_3d", "0,0,4\n", getDist(true), RTNORM, "4", "\nDist: 0,0,4\n"},
        PromptCase{"dist_planar", "3,4,12\n", getDist(true, RSG_2D), RTNORM, "5", "\nDist: 3,4,12\n"},
        PromptCase{"dist_second_point_cancelled", "1,1\n^C\n", getDist(false), RTCAN, "",
                   "\nDist: 1,1\n\nSpecify second point: ^C\n"},
        PromptCase{"dist_wrong_kind", "far\n2\n", getDist(true), RTNORM, "2",
                   "\nDist: far\n\nRequires numeric distance or two points.\nDist: 2\n"},
        PromptCase{"angle_degrees", "90\n", getAngle(false, false), RTNORM, "0.5pi", "\nAngle: 90\n"},
        PromptCase{"angle_negative_wraps", "-90\n", getAngle(false, false), RTNORM, "1.5pi", "\nAngle: -90\n"},
        PromptCase{"angle_full_turn_is_zero", "360\n", getAngle(false, false), RTNORM, "0pi", "\nAngle: 360\n"},
        PromptCase{"orient_degrees", "45\n", getAngle(true, false), RTNORM, "0.25pi", "\nAngle: 45\n"},
        PromptCase{"orient_point_from_base", "1,2\n", getAngle(true, true), RTNORM, "0.5pi", "\nAngle: 1,2\n"},
        PromptCase{"angle_two_points", "0,0\n-1,0\n", getAngle(false, false), RTNORM, "1pi",
                   "\nAngle: 0,0\n\nSpecify second point: -1,0\n"},
        PromptCase{"angle_nozero", "0\n180\n", getAngle(false, false, RSG_NOZERO), RTNORM, "1pi",
                   "\nAngle: 0\n\nValue must be nonzero.\nAngle: 180\n"},
        PromptCase{"angle_wrong_kind", "north\n0\n", getAngle(false, false), RTNORM, "0pi",
                   "\nAngle: north\n\nRequires valid numeric angle or second point.\nAngle: 0\n"},
        PromptCase{"string_whole_line", "Lot 7 \n", getString(1), RTNORM, "[Lot 7 ]", "\nText: Lot 7 \n"},
        PromptCase{"string_first_word", "Lot 7\n", getString(0), RTNORM, "[Lot]", "\nText: Lot 7\n"},
        PromptCase{"string_empty_line_is_normal", "\n", getString(1), RTNORM, "[]", "\nText: \n"},
        PromptCase{"string_cancel", "^C\n", getString(1), RTCAN, "", "\nText: ^C\n"},
        PromptCase{"string_end_of_script", "", getString(1), RTCAN, "", "\nText: "},
        PromptCase{"string_truncated", "abcdef\n", getString(1, 4), RTINPUTTRUNCATED, "[abc]", "\nText: abcdef\n"},
        PromptCase{"string_utf8", "Borne n\xC2\xB0" "12\n", getString(1), RTNORM, "[Borne n\xB0" "12]",
                   "\nText: Borne n\xC2\xB0" "12\n"},
        PromptCase{"kword", "o\n", getKword(0, L"Oui Non"), RTNORM, "Oui", "\nOption: o\n"},
        PromptCase{"kword_enter", "\n", getKword(0, L"Oui Non"), RTNONE, "", "\nOption: \n"},
        PromptCase{"kword_invalid", "peut-etre\nn\n", getKword(0, L"Oui Non"), RTNORM, "Non",
                   "\nOption: peut-etre\n\nInvalid option keyword.\nOption: n\n"},
        PromptCase{"kword_other", "peut-etre\n", getKword(RSG_OTHER, L"Oui Non"), RTNORM, "peut-etre",
                   "\nOption: peut-etre\n"},
        PromptCase{"kword_global", "o\n", getKword(0, L"Oui Non _ Yes No"), RTNORM, "Yes", "\nOption: o\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Prompts, InitGetAppliesToTheNextPromptOnly)
{
    test::ScriptSession session("\n1\n\n");
    ads_real r = 0;
    acedInitGet(RSG_NONULL, nullptr);
    EXPECT_EQ(acedGetReal(L"\nA: ", &r), RTNORM);
    EXPECT_EQ(acedGetReal(L"\nB: ", &r), RTNONE);
    EXPECT_EQ(session.out(), "\nA: \n\nRequires numeric value.\nA: 1\n\nB: \n");
}

TEST(Prompts, KeywordsOfOnePromptDoNotReachTheNext)
{
    test::ScriptSession session("c\nc\n1,1\n");
    ads_point p;
    acedInitGet(0, L"Close");
    EXPECT_EQ(acedGetPoint(nullptr, L"\nP1: ", p), RTKWORD);
    EXPECT_EQ(acedGetPoint(nullptr, L"\nP2: ", p), RTNORM);
    EXPECT_EQ(session.out(), "\nP1: c\n\nP2: c\n\nPoint or option keyword required.\nP2: 1,1\n");
}

TEST(Prompts, EveryPointBecomesTheLastPoint)
{
    test::ScriptSession session("10,10\n@5,0\n@10<90\n");
    ads_point p;
    ASSERT_EQ(acedGetPoint(nullptr, L"", p), RTNORM);
    ASSERT_EQ(acedGetPoint(nullptr, L"", p), RTNORM);
    EXPECT_EQ(describe(p), "15,10,0");
    ASSERT_EQ(acedGetPoint(nullptr, L"", p), RTNORM);
    EXPECT_NEAR(p[X], 15.0, kValueTolerance);
    EXPECT_NEAR(p[Y], 20.0, kValueTolerance);
    ScriptPoint last = systemVariables().point(L"LASTPOINT", {});
    EXPECT_NEAR(last.y, 20.0, kValueTolerance);
}

TEST(Prompts, LastPointCarriesAcrossCommands)
{
    test::ScriptSession session("LINE\n3,4\n\n@1,1\n");
    ads_point p;
    CommandRequest first = session.line().readCommand();
    ASSERT_EQ(first.command.name, L"LINE");
    session.line().rememberCommand(first.command);
    ASSERT_EQ(acedGetPoint(nullptr, L"\nFrom: ", p), RTNORM);
    CommandRequest again = session.line().readCommand();
    EXPECT_TRUE(again.repeated);
    ASSERT_EQ(acedGetPoint(nullptr, L"\nFrom: ", p), RTNORM);
    EXPECT_EQ(describe(p), "4,5,0");
}

TEST(Prompts, GetInputWithoutAKeywordIsAnError)
{
    test::ScriptSession session("1,1\n");
    ads_point p;
    ASSERT_EQ(acedGetPoint(nullptr, L"", p), RTNORM);
    ACHAR buffer[8];
    EXPECT_EQ(acedGetInput(buffer, 8), RTERROR);
}

TEST(Prompts, WithoutACommandLineEveryPromptFails)
{
    ads_point p;
    ads_real r;
    int i;
    ACHAR buffer[8];
    EXPECT_EQ(acedInitGet(0, L"Yes"), RTERROR);
    EXPECT_EQ(acedGetPoint(nullptr, L"", p), RTERROR);
    EXPECT_EQ(acedGetReal(L"", &r), RTERROR);
    EXPECT_EQ(acedGetInt(L"", &i), RTERROR);
    EXPECT_EQ(acedGetString(1, L"", buffer, 8), RTERROR);
}

TEST(Prompts, NullResultPointersAreErrors)
{
    test::ScriptSession session("1\n");
    EXPECT_EQ(acedGetReal(L"", nullptr), RTERROR);
    EXPECT_EQ(acedGetInt(L"", nullptr), RTERROR);
    EXPECT_EQ(acedGetString(1, L"", nullptr, 4), RTERROR);
    EXPECT_EQ(acedGetCorner(nullptr, L"", nullptr), RTERROR);
    EXPECT_EQ(session.out(), "");  // nothing was asked
}

TEST(Prompts, CornerNeedsABasePoint)
{
    test::ScriptSession session("5,5\n");
    ads_point base = {0, 0, 0};
    ads_point corner;
    ASSERT_EQ(acedGetCorner(base, L"\nOther corner: ", corner), RTNORM);
    EXPECT_EQ(describe(corner), "5,5,0");
}

TEST(Prompts, NullPromptAsksWithoutText)
{
    test::ScriptSession session("4\n");
    ads_real r = 0;
    EXPECT_EQ(acedGetReal(nullptr, &r), RTNORM);
    EXPECT_EQ(session.out(), "4\n");
}

TEST(Prompts, PromptAndAlertWriteTheirText)
{
    test::ScriptSession session("");
    EXPECT_EQ(acedPrompt(L"\nÀ noter"), RTNORM);
    EXPECT_EQ(acedPrompt(nullptr), RTERROR);
    EXPECT_EQ(acedAlert(L"Fini"), RTNORM);
    EXPECT_EQ(session.out(), "\n\xC3\x80 noter\n[Kelvora] Fini[OK]");
}

}  // namespace
}  // namespace kelvora

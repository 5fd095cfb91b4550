// Tests of the system variables: stored and backed variables, types and ranges, acedGetVar/acedSetVar.
#include <gtest/gtest.h>

#include "acedads.h"
#include "editor_session.h"

namespace kelvora {
namespace {

TEST(SystemVariables, EditorDefaults)
{
    SystemVariables table;
    defineEditorVariables(table);
    EXPECT_EQ(table.integer(L"CMDECHO", -1), 1);
    EXPECT_EQ(table.integer(L"pickbox", -1), 3);
    EXPECT_EQ(table.integer(L"LUNITS", -1), 2);
    EXPECT_EQ(table.integer(L"LUPREC", -1), 4);
    ScriptPoint last = table.point(L"LASTPOINT", {9, 9, 9});
    EXPECT_DOUBLE_EQ(last.x + last.y + last.z, 0.0);
}

struct SetCase {
    const char* name;
    const wchar_t* variable;
    SysVarValue value;
    SysVarStatus status;
};

class SettingVariables : public ::testing::TestWithParam<SetCase> {};

TEST_P(SettingVariables, CheckTypeAndRange)
{
    const SetCase& c = GetParam();
    SystemVariables table;
    defineEditorVariables(table);
    table.defineReal(L"TEXTSIZE", 2.5, 0.0, 1e38);
    table.define({L"DWGNAME", SysVarType::String, [] { return SysVarValue(std::wstring(L"plan")); }, nullptr});
    EXPECT_EQ(table.set(c.variable, c.value), c.status) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Variables, SettingVariables,
    ::testing::Values(SetCase{"integer", L"PICKBOX", SysVarValue(10LL), SysVarStatus::Ok},
                      SetCase{"integer_above_range", L"PICKBOX", SysVarValue(51LL), SysVarStatus::OutOfRange},
                      SetCase{"integer_below_range", L"CMDECHO", SysVarValue(-1LL), SysVarStatus::OutOfRange},
                      SetCase{"whole_real_for_integer", L"LUPREC", SysVarValue(2.0), SysVarStatus::Ok},
                      SetCase{"fractional_real_for_integer", L"LUPREC", SysVarValue(2.5), SysVarStatus::WrongType},
                      SetCase{"integer_for_real", L"TEXTSIZE", SysVarValue(3LL), SysVarStatus::Ok},
                      SetCase{"negative_real", L"TEXTSIZE", SysVarValue(-1.0), SysVarStatus::OutOfRange},
                      SetCase{"text_for_integer", L"PICKBOX", SysVarValue(std::wstring(L"5")), SysVarStatus::WrongType},
                      SetCase{"point", L"LASTPOINT", SysVarValue(ScriptPoint{1, 2, 3}), SysVarStatus::Ok},
                      SetCase{"real_for_point", L"LASTPOINT", SysVarValue(1.0), SysVarStatus::WrongType},
                      SetCase{"read_only", L"DWGNAME", SysVarValue(std::wstring(L"x")), SysVarStatus::ReadOnly},
                      SetCase{"unknown", L"NOSUCHVAR", SysVarValue(1LL), SysVarStatus::Unknown}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SystemVariables, SetFromTextAsSetvarTypesIt)
{
    SystemVariables table;
    defineEditorVariables(table);
    table.defineReal(L"TEXTSIZE", 2.5, 0.0, 1e38);
    table.defineString(L"CLAYER", L"0");
    EXPECT_EQ(table.setFromText(L"PICKBOX", L"10"), SysVarStatus::Ok);
    EXPECT_EQ(table.setFromText(L"PICKBOX", L"ten"), SysVarStatus::WrongType);
    EXPECT_EQ(table.setFromText(L"TEXTSIZE", L"3.75"), SysVarStatus::Ok);
    EXPECT_EQ(table.setFromText(L"CLAYER", L"Parcelles"), SysVarStatus::Ok);
    EXPECT_EQ(table.setFromText(L"LASTPOINT", L"4,5"), SysVarStatus::Ok);
    EXPECT_EQ(table.integer(L"PICKBOX", 0), 10);
    EXPECT_DOUBLE_EQ(table.real(L"TEXTSIZE", 0), 3.75);
    EXPECT_DOUBLE_EQ(table.point(L"LASTPOINT", {}).y, 5.0);
}

TEST(SystemVariables, DrawingTakesOverAVariable)
{
    SystemVariables table;
    defineEditorVariables(table);
    long long header = 6;  // stands for the drawing's $LUPREC
    table.define({L"luprec", SysVarType::Integer, [&] { return SysVarValue(header); },
                  [&](const SysVarValue& v) {
                      header = std::get<long long>(v);
                      return SysVarStatus::Ok;
                  }});
    EXPECT_EQ(table.integer(L"LUPREC", 0), 6);
    EXPECT_EQ(table.set(L"LUPREC", 3LL), SysVarStatus::Ok);
    EXPECT_EQ(header, 3);
}

TEST(AcedVariables, GetVarGivesTheResultTypes)
{
    test::ScriptSession session("");
    systemVariables().set(L"LASTPOINT", ScriptPoint{1, 2, 3});
    resbuf value{};
    ASSERT_EQ(acedGetVar(L"PICKBOX", &value), RTNORM);
    EXPECT_EQ(value.restype, RTSHORT);
    EXPECT_EQ(value.resval.rint, 3);
    ASSERT_EQ(acedGetVar(L"lastpoint", &value), RTNORM);
    EXPECT_EQ(value.restype, RT3DPOINT);
    EXPECT_DOUBLE_EQ(value.resval.rpoint[Z], 3.0);
    EXPECT_EQ(acedGetVar(L"NOSUCHVAR", &value), RTERROR);
    EXPECT_EQ(acedGetVar(nullptr, &value), RTERROR);
}

TEST(AcedVariables, SetVarConvertsResultBuffers)
{
    test::ScriptSession session("");
    resbuf value{};
    value.restype = RTSHORT;
    value.resval.rint = 10;
    EXPECT_EQ(acedSetVar(L"PICKBOX", &value), RTNORM);
    EXPECT_EQ(systemVariables().integer(L"PICKBOX", 0), 10);
    value.resval.rint = 99;
    EXPECT_EQ(acedSetVar(L"PICKBOX", &value), RTERROR);
    value.restype = RTPOINT;
    value.resval.rpoint[X] = 7;
    value.resval.rpoint[Y] = 8;
    value.resval.rpoint[Z] = 9;
    EXPECT_EQ(acedSetVar(L"LASTPOINT", &value), RTNORM);
    EXPECT_DOUBLE_EQ(systemVariables().point(L"LASTPOINT", {}).z, 0.0);  // a 2D point lies in the XY plane
    value.restype = RTENAME;
    EXPECT_EQ(acedSetVar(L"PICKBOX", &value), RTERROR);
}

}  // namespace
}  // namespace kelvora

// The command table: the 24 commands in order, their global and local names and their flags.
#include <gtest/gtest.h>

#include <string>

#include "app/command_table.h"

namespace {

using kelvora::app::commandTable;

struct CommandRow {
    const wchar_t* local;
    Adesk::Int32 flags;
};

// Local names and flags as the host's command line must know them.
const CommandRow kExpected[] = {
    {L"TALUT", 3},           {L"DDTALUT", 3},          {L"PARAMSTALUS", 64},       {L"DDXPOLY", 3},
    {L"XPOLY", 3},           {L"SPOLY", 1},            {L"DDSPOLY", 3},            {L"SPOLYINTERS", 3},
    {L"HSPOLY", 3},          {L"AREAFIND", 3},         {L"DIRECTIONAREAFIND", 3},  {L"LISTERSURFACES", 0},
    {L"OPTIMIZEPOL", 3},     {L"INVERSERPOLYLINE", 3}, {L"ENLEVERARC", 3},         {L"METTREUNARC", 3},
    {L"SUPPSOMMET", 3},      {L"POLORIENTATION", 3},   {L"FRONTIERES", 3},         {L"POLDIV", 3},
    {L"SPLTOPLINE", 3},      {L"MSPLTOPLINE", 3},      {L"RENUMSURF", 1},          {L"KELVORANOPROXY", 0},
};

TEST(CommandTable, HoldsTheTwentyFourCommandsInOrderWithTheirFlags)
{
    const auto table = commandTable();
    ASSERT_EQ(table.size(), std::size(kExpected));
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(std::wstring(table[i].localName), kExpected[i].local) << "row " << i;
        EXPECT_EQ(table[i].flags, kExpected[i].flags) << kExpected[i].local;
        EXPECT_NE(table[i].handler, nullptr) << kExpected[i].local;
    }
}

TEST(CommandTable, GlobalNamesCarryAnUnderscoreExceptTheLastTwo)
{
    const auto table = commandTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const std::wstring local = table[i].localName;
        const std::wstring expected = i + 2 < table.size() ? L"_" + local : local;
        EXPECT_EQ(std::wstring(table[i].globalName), expected);
    }
}

TEST(CommandTable, GroupIsKelvora)
{
    EXPECT_EQ(std::wstring(kelvora::app::kCommandGroup), L"KELVORA");
}

}  // namespace

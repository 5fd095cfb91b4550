// The built-in symbol and stroke tables of the special lines.
#include "speciallines/builtin_symbols.h"

#include <array>
#include <cstddef>

namespace kelvora::speciallines {

namespace {

struct SymbolEntry {
    const char* name;
    int first;
    int last;
};

// Names stay 8-bit Latin-1 ("\xE9" = e acute, "\xE8" = e grave) as the dialog lists them.
constexpr std::array<SymbolEntry, kBuiltinSymbolCount> kSymbols{{
    {"Vide", 0, 0},
    {"Barbel\xE9", 1, 2},
    {"Zigzag", 3, 5},
    {"1 Fl\xE8" "che", 6, 7},
    {"2 Fl\xE8" "ches", 8, 11},
    {"3 Fl\xE8" "ches", 12, 17},
    {"1 Fl\xE8" "che double sens", 18, 21},
    {"2 Fl\xE8" "ches double sens", 22, 29},
    {"3 Fl\xE8" "ches double sens", 30, 41},
    {"Plus (+)", 42, 43},
    {"Etoile (*)", 44, 47},
    {"S renvers\xE9", 48, 52},
}};

constexpr double kD = 0.35355339;  // half the diagonal of the unit square, as tabled
constexpr double kH = 0.4330127;   // height of a unit-side triangle's half, as tabled

constexpr std::array<Stroke, kStrokeCount> kStrokes{{
    {-kD, kD, kD, -kD},           {kD, kD, -kD, -kD},           {0.25, kH, -0.25, -kH},
    {0.5, 0, 0.25, kH},           {-0.25, -kH, -0.5, 0},        {0.5, 0, -0.25, -kH},
    {-0.25, kH, 0.5, 0},          {0, 0, -0.5, 0.5},            {0.5, 0, 0, 0.5},
    {0, -0.5, 0.5, 0},            {-0.5, -0.5, 0, 0},           {0.125, 0, -0.125, 0.25},
    {-0.125, -0.25, 0.125, 0},    {-0.125, 0, -0.375, 0.25},    {-0.375, -0.25, -0.125, 0},
    {0.375, 0, 0.125, 0.25},      {0.125, -0.25, 0.375, 0},     {0.5, 0, 0.125, -0.375},
    {0.125, 0.375, 0.5, 0},       {-0.5, 0, -0.125, 0.375},     {-0.125, -0.375, -0.5, 0},
    {0.25, 0.25, 0.5, 0},         {0.125, 0.25, 0.375, 0},      {-0.5, 0, -0.25, 0.25},
    {-0.375, 0, -0.125, 0.25},    {0.375, 0, 0.125, -0.25},     {-0.25, -0.25, -0.5, 0},
    {-0.125, -0.25, -0.375, 0},   {0.5, 0, 0.25, -0.25},        {-0.375, -0.125, -0.5, 0},
    {-0.25, -0.125, -0.375, 0},   {-0.125, -0.125, -0.25, 0},   {-0.375, 0, -0.25, 0.125},
    {-0.5, 0, -0.375, 0.125},     {-0.25, 0, -0.125, 0.125},    {0.5, 0, 0.375, -0.125},
    {0.375, 0, 0.25, -0.125},     {0.25, 0, 0.125, -0.125},     {0.375, 0.125, 0.5, 0},
    {0.25, 0.125, 0.375, 0},      {0.125, 0.125, 0.25, 0},      {-0.5, 0, 0.5, 0},
    {0, 0.5, 0, -0.5},            {kD, -kD, -kD, kD},           {0, -0.5, 0, 0.5},
    {-kD, -kD, kD, kD},           {-0.5, 0, 0.5, 0},            {-0.5, 0, -0.5, 0.5},
    {0, 0.5, -0.5, 0.5},          {0, -0.5, 0, 0.5},            {0.5, -0.5, 0.5, 0},
    {0, -0.5, 0.5, -0.5},
}};

bool validIndex(int index) { return index >= 0 && index < kBuiltinSymbolCount; }

}  // namespace

const char* builtinSymbolName(int index)
{
    return validIndex(index) ? kSymbols[static_cast<std::size_t>(index)].name : nullptr;
}

bool builtinSymbolStrokes(int index, int& first, int& last)
{
    if (!validIndex(index))
        return false;
    first = kSymbols[static_cast<std::size_t>(index)].first;
    last = kSymbols[static_cast<std::size_t>(index)].last;
    return first > 0 && last >= first;
}

const Stroke* strokeAt(int number)
{
    return number >= 1 && number <= kStrokeCount ? &kStrokes[static_cast<std::size_t>(number - 1)] : nullptr;
}

}  // namespace kelvora::speciallines

// The shared area prompt: the four answer forms, the refusals that ask again, and cancelling.
#include <gtest/gtest.h>

#include <ostream>

#include "division/area_prompt.h"
#include "module/division/division_fixture.h"

namespace {

using kelvora::division::AreaMode;
using kelvora::division::AreaRequest;
using kelvora::division::areaFromNumber;
using kelvora::division::areaFromText;
using kelvora::division::readAreaToExtract;

struct TextCase {
    const char* name;
    const wchar_t* text;
    bool accepted;
    AreaMode mode;
    double area;
    int count;
};

// Failures name the row.
void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.name;
}

class AreaText : public ::testing::TestWithParam<TextCase> {};

TEST_P(AreaText, ReadsTheFormOfItsFirstCharacter)
{
    const TextCase& c = GetParam();
    AreaRequest request;
    ASSERT_EQ(areaFromText(c.text, 100.0, request), c.accepted) << c.name;
    if (!c.accepted)
        return;
    EXPECT_EQ(request.mode, c.mode) << c.name;
    EXPECT_NEAR(request.partAreaSqUnits, c.area, 1e-9) << c.name;
    if (c.mode == AreaMode::kEqualParts) {
        EXPECT_EQ(request.partCount, c.count) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, AreaText,
    ::testing::Values(TextCase{"repeated", L"=30", true, AreaMode::kRepeatedParts, 30.0, 0},
                      TextCase{"repeated_negative_is_absolute", L"=-12.5", true, AreaMode::kRepeatedParts, 12.5, 0},
                      TextCase{"repeated_at_smallest", L"=0.00001", true, AreaMode::kRepeatedParts, 1e-5, 0},
                      TextCase{"repeated_too_small", L"=0.000001", false, AreaMode::kCancelled, 0.0, 0},
                      TextCase{"repeated_not_a_number", L"=abc", false, AreaMode::kCancelled, 0.0, 0},
                      TextCase{"equal_parts", L"/4", true, AreaMode::kEqualParts, 25.0, 4},
                      TextCase{"equal_parts_three", L"/3", true, AreaMode::kEqualParts, 100.0 / 3.0, 3},
                      TextCase{"equal_parts_zero", L"/0", false, AreaMode::kCancelled, 0.0, 0},
                      TextCase{"equal_parts_negative", L"/-2", false, AreaMode::kCancelled, 0.0, 0},
                      TextCase{"equal_parts_no_count", L"/x", false, AreaMode::kCancelled, 0.0, 0},
                      TextCase{"fraction_quarter", L"*1/4", true, AreaMode::kOnePart, 25.0, 0},
                      TextCase{"fraction_negative_from_whole", L"*-1/4", true, AreaMode::kOnePart, 75.0, 0},
                      TextCase{"fraction_above_one", L"*3/2", false, AreaMode::kCancelled, 0.0, 0},
                      TextCase{"fraction_whole", L"*2/2", false, AreaMode::kCancelled, 0.0, 0},
                      TextCase{"fraction_without_denominator", L"*3", false, AreaMode::kCancelled, 0.0, 0},
                      TextCase{"fraction_empty", L"*", false, AreaMode::kCancelled, 0.0, 0},
                      TextCase{"other_text", L"abc", false, AreaMode::kCancelled, 0.0, 0},
                      TextCase{"empty_text", L"", false, AreaMode::kCancelled, 0.0, 0}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(AreaNumber, PositiveIsOnePartOfThatArea)
{
    const AreaRequest request = areaFromNumber(30.0, 100.0);
    EXPECT_EQ(request.mode, AreaMode::kOnePart);
    EXPECT_DOUBLE_EQ(request.partAreaSqUnits, 30.0);
}

TEST(AreaNumber, NegativeIsTakenFromTheWhole)
{
    const AreaRequest request = areaFromNumber(-30.0, 100.0);
    EXPECT_EQ(request.mode, AreaMode::kOnePart);
    EXPECT_DOUBLE_EQ(request.partAreaSqUnits, 70.0);
}

class AreaPrompt : public division_test::DivisionTest {
protected:
    void read(const char* script)
    {
        useScript(script);
        m_surface = division_test::makeSurface({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
        readAreaToExtract(m_surface.get(), m_mode, m_area, m_count);
    }
    int prompts() const
    {
        const std::string prompt = "\nSuperficie a extraire  [syntaxe: superficie  ,  =superficie , /nbre  , "
                                   "*nbre1/nbre2 ] :";
        int count = 0;
        for (size_t at = out().find(prompt); at != std::string::npos; at = out().find(prompt, at + 1))
            ++count;
        return count;
    }

    std::unique_ptr<NESurface> m_surface;
    AreaMode m_mode = AreaMode::kCancelled;
    double m_area = -1.0;
    int m_count = -1;
};

TEST_F(AreaPrompt, ANumberIsTakenAtOnce)
{
    read("-30\n");
    EXPECT_EQ(m_mode, AreaMode::kOnePart);
    EXPECT_DOUBLE_EQ(m_area, 70.0);
    EXPECT_EQ(prompts(), 1);
}

TEST_F(AreaPrompt, RefusedTextsAndEmptyAnswersAskAgain)
{
    read("*3/2\n=0.000001\n\nxyz\n/2\n");
    EXPECT_EQ(m_mode, AreaMode::kEqualParts);
    EXPECT_DOUBLE_EQ(m_area, 50.0);
    EXPECT_EQ(m_count, 2);
    EXPECT_EQ(prompts(), 5);
}

TEST_F(AreaPrompt, CancelGivesNoArea)
{
    read("^C\n");
    EXPECT_EQ(m_mode, AreaMode::kCancelled);
}

TEST_F(AreaPrompt, TheEndOfTheAnswersCancels)
{
    read("abc\n");
    EXPECT_EQ(m_mode, AreaMode::kCancelled);
    EXPECT_EQ(prompts(), 2);
}

}  // namespace

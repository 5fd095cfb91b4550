// Exchange of a surface's label settings with SurfaceDlg: area format index, show flags, style lookup.
#include <gtest/gtest.h>

#include <ostream>

#include <memory>

#include "surface_fixture.h"
#include "surfaces/surface_dlg.h"

namespace {

struct FormatCase {
    const char* name;
    Adesk::UInt16 flags;
    int formatIndex;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class SurfaceDialogFormat : public SurfaceTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(SurfaceDialogFormat, FillGivesTheFormatIndex)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    s->setLabelFlags(GetParam().flags);
    SurfaceDlg dialog;
    s->fillSurfaceDialog(dialog);
    EXPECT_EQ(dialog.m_areaFormat, GetParam().formatIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, SurfaceDialogFormat,
    ::testing::Values(FormatCase{"SquareMetres", 0x3, 0}, FormatCase{"HectaresAres", 0x3 | 0x200, 1},
                      FormatCase{"Hectares", 0x3 | 0x400, 2}, FormatCase{"HectaresWins", 0x600, 2}),
    [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

TEST_F(SurfaceTest, DialogReadRebuildsFlagsFromNothing)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    s->setLabelFlags(0xFFFF);
    SurfaceDlg dialog;
    s->fillSurfaceDialog(dialog);
    dialog.m_showLot = 0;
    dialog.m_showArea = 1;
    dialog.m_showPerimeter = 1;
    dialog.m_areaFormat = 2;
    s->readSurfaceDialog(dialog);
    EXPECT_EQ(s->labelFlags(), 0x2 | 0x4 | 0x400);
    dialog.m_areaFormat = 0;
    s->readSurfaceDialog(dialog);
    EXPECT_EQ(s->labelFlags(), 0x2 | 0x4);
}

TEST_F(SurfaceTest, DialogRoundTripKeepsStringsHeightAndStyle)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    SurfaceDlg dialog;
    s->fillSurfaceDialog(dialog);
    EXPECT_EQ(std::wstring(static_cast<LPCTSTR>(dialog.m_textStyleName)), L"Standard");
    dialog.m_lotText = L"B 7";
    dialog.m_areaUnit = L"sqm";
    dialog.m_textHeight = 4.5;
    s->readSurfaceDialog(dialog);
    EXPECT_STREQ(s->getLabelString(NESurface::kLotText), L"B 7");
    EXPECT_STREQ(s->getLabelString(NESurface::kAreaUnit), L"sqm");
    EXPECT_DOUBLE_EQ(s->textHeight(), 4.5);
    EXPECT_EQ(s->textStyleId(), m_db->textstyle());
}

TEST_F(SurfaceTest, DialogStyleNameNotFoundGivesCurrentStyle)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    SurfaceDlg dialog;
    s->fillSurfaceDialog(dialog);
    dialog.m_textStyleName = L"NO_SUCH";
    s->readSurfaceDialog(dialog);
    EXPECT_EQ(s->textStyleId(), m_db->textstyle());
}

}  // namespace

// The special-line dialog exchange: filling from each kind of decoration and applying, with vanished names.
#include <gtest/gtest.h>

#include <memory>

#include "special_line_fixture.h"
#include "speciallines/special_line_dialog_exchange.h"
#include "speciallines/xpoly_dialog.h"

namespace {

using kelvora::speciallines::applyDialog;
using kelvora::speciallines::fillDialog;

TEST_F(SpecialLineTest, FillFromABuiltinSymbol)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    line->setStyleCode(7);
    line->setPlacement(2);
    XPOLYDIAL dialog;
    fillDialog(*line, dialog);
    EXPECT_EQ(dialog.m_kind, XPOLYDIAL::kKindStandard);
    EXPECT_EQ(dialog.m_styleIndex, 7);
    EXPECT_EQ(dialog.m_placement, 2);
    EXPECT_EQ(dialog.m_lineMode, 1);
    EXPECT_DOUBLE_EQ(dialog.m_spacing, 10.0);
}

TEST_F(SpecialLineTest, FillFromABlockAndFromALostReference)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    line->setStyleCode(eXtendedPolyline::kBlockStyle);
    line->setSymbolRefId(addBlock(L"ARBRE"));
    XPOLYDIAL dialog;
    fillDialog(*line, dialog);
    EXPECT_EQ(dialog.m_kind, XPOLYDIAL::kKindBlock);
    EXPECT_STREQ(dialog.m_blockName.GetString(), L"ARBRE");
    line->setSymbolRefId(AcDbObjectId::kNull);
    XPOLYDIAL lost;
    fillDialog(*line, lost);
    EXPECT_EQ(lost.m_kind, -1);
}

TEST_F(SpecialLineTest, ApplyATextDecoration)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    XPOLYDIAL dialog;
    dialog.m_kind = XPOLYDIAL::kKindText;
    dialog.m_textStyleName = L"Standard";
    dialog.m_text = L"AB";
    dialog.m_size = 2.0;
    dialog.m_lineMode = 2;
    applyDialog(*line, dialog);
    EXPECT_EQ(line->styleCode(), eXtendedPolyline::kTextStyle);
    EXPECT_EQ(line->symbolRefId(), m_db->textstyle());
    EXPECT_STREQ(line->symbolText(), L"AB");
    EXPECT_DOUBLE_EQ(line->symbolSize(), 2.0);
    EXPECT_DOUBLE_EQ(line->spacing(), 1.0);  // the dialog's own initial value, as it was not filled
    EXPECT_EQ(line->lineMode(), 2);
}

TEST_F(SpecialLineTest, ApplyAVanishedBlockGivesStyleZero)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    XPOLYDIAL dialog;
    fillDialog(*line, dialog);
    dialog.m_kind = XPOLYDIAL::kKindBlock;
    dialog.m_blockName = L"GONE";
    applyDialog(*line, dialog);
    EXPECT_EQ(line->styleCode(), 0);
}

}  // namespace

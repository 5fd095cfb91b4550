// Special-line drawing: what each line mode shows, dragging, proxy graphics, text and block decorations.
#include <gtest/gtest.h>

#include <memory>

#include "kelvora/gi_recorder.h"
#include "special_line_fixture.h"

namespace {

using kelvora::GiPrimitiveKind;
using kelvora::GiRecorder;

int countOf(const GiRecorder& rec, GiPrimitiveKind kind)
{
    int n = 0;
    for (const auto& p : rec.primitives())
        n += p.kind == kind ? 1 : 0;
    return n;
}

// What the plain polyline draws of the same outline.
size_t plainPrimitives(const eXtendedPolyline& line)
{
    GiRecorder rec;
    AcDbPolyline plain;
    for (unsigned i = 0; i < line.numVerts(); ++i) {
        AcGePoint2d p;
        line.getPointAt(i, p);
        plain.addVertexAt(i, p);
    }
    plain.worldDraw(&rec);
    return rec.primitives().size();
}

struct ModeRow {
    const char* name;
    Adesk::UInt16 mode;
    bool dragging;
    int decorationStrokes;
    int pieces;
    bool base;
};

class LineModes : public SpecialLineTest, public ::testing::WithParamInterface<ModeRow> {};

TEST_P(LineModes, DrawsWhatTheModeAsks)
{
    const ModeRow& row = GetParam();
    std::unique_ptr<eXtendedPolyline> line(line100());
    line->setLineMode(row.mode);
    GiRecorder rec(m_db);
    rec.setDragging(row.dragging);
    ASSERT_TRUE(line->worldDraw(&rec));
    const size_t base = row.base ? plainPrimitives(*line) : 0;
    EXPECT_EQ(rec.primitives().size(), base + static_cast<size_t>(row.decorationStrokes + row.pieces));
}

INSTANTIATE_TEST_SUITE_P(
    Line100, LineModes,
    ::testing::Values(ModeRow{"WholeUnderDecorations", 0, false, 18, 0, true},
                      ModeRow{"Interrupted", 1, false, 18, 10, false},
                      ModeRow{"DecorationsOnly", 2, false, 18, 0, false},
                      ModeRow{"DraggedWhole", 0, true, 0, 0, true},
                      ModeRow{"DraggedInterrupted", 1, true, 0, 0, true},
                      ModeRow{"DraggedHidden", 2, true, 0, 0, true}),
    [](const ::testing::TestParamInfo<ModeRow>& info) { return std::string(info.param.name); });

TEST_F(SpecialLineTest, ProxyOfAWholeLineAddsTheOutlineSegments)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    line->setLineMode(eXtendedPolyline::kLineWhole);
    line->setStyleCode(0);
    GiRecorder rec(m_db);
    line->saveAs(&rec, AcDb::kR14Save);
    // The base line (standard display) and the one straight segment again.
    EXPECT_EQ(rec.primitives().size(), plainPrimitives(*line) + 1);
    GiRecorder other(m_db);
    line->saveAs(&other, AcDb::k2000Save);
    EXPECT_EQ(other.primitives().size(), plainPrimitives(*line));
}

TEST_F(SpecialLineTest, TextDecorationWithALostStyleTakesTheCurrentOne)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    line->setStyleCode(eXtendedPolyline::kTextStyle);
    line->setSymbolText(L"AB");
    line->setSymbolSize(2.0);
    line->setLineMode(eXtendedPolyline::kLineHidden);
    GiRecorder rec(m_db);
    ASSERT_TRUE(line->worldDraw(&rec));
    EXPECT_EQ(line->symbolRefId(), m_db->textstyle());
    ASSERT_GT(countOf(rec, GiPrimitiveKind::kText), 1);
    for (const auto& p : rec.primitives()) {
        ASSERT_EQ(p.kind, GiPrimitiveKind::kText);
        EXPECT_EQ(p.text.text, L"AB");
        EXPECT_NEAR(p.points[0].y, -1.0, 1e-9);  // half the size under the line
    }
}

TEST_F(SpecialLineTest, BlockDecorationDrawsCirclesWithTheirNormalAndSkipsTexts)
{
    const AcDbObjectId block = addBlock(L"MIXTE");
    AcDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, block, AcDb::kForWrite), Acad::eOk);
    auto* circle = new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, -1), 0.5);
    record->appendAcDbEntity(circle);
    circle->close();
    auto* text = new AcDbText(AcGePoint3d(0, 0, 0), L"x");
    record->appendAcDbEntity(text);
    text->close();
    record->close();
    std::unique_ptr<eXtendedPolyline> line(line100());
    line->setStyleCode(eXtendedPolyline::kBlockStyle);
    line->setSymbolRefId(block);
    line->setLineMode(eXtendedPolyline::kLineHidden);
    GiRecorder rec(m_db);
    ASSERT_TRUE(line->worldDraw(&rec));
    const int circles = countOf(rec, GiPrimitiveKind::kCircle);
    EXPECT_GT(circles, 0);
    EXPECT_EQ(countOf(rec, GiPrimitiveKind::kPolyline), circles);
    EXPECT_EQ(countOf(rec, GiPrimitiveKind::kText), 0);
    for (const auto& p : rec.primitives()) {
        if (p.kind == GiPrimitiveKind::kCircle) {
            EXPECT_TRUE(p.normal.isEqualTo(AcGeVector3d(0, 0, -1)));
        }
    }
}

}  // namespace

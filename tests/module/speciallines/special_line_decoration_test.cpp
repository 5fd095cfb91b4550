// Special-line decorations: the interrupted line on straight and arc segments, decoration length, explode, snap.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "speciallines/decoration_frames.h"
#include "speciallines/line_pieces.h"
#include "special_line_fixture.h"

namespace {

using kelvora::speciallines::interruptedLinePieces;
using kelvora::speciallines::LinePiece;
using kelvora::speciallines::placementOf;

constexpr double kTol = 1e-6;

// Owns what explode hands back.
struct Exploded {
    AcDbVoidPtrArray items;
    ~Exploded()
    {
        for (int i = 0; i < items.length(); ++i)
            delete static_cast<AcDbEntity*>(items[i]);
    }
    template <class T>
    std::vector<T*> all() const
    {
        std::vector<T*> out;
        for (int i = 0; i < items.length(); ++i)
            if (T* e = T::cast(static_cast<AcDbEntity*>(items[i])))
                out.push_back(e);
        return out;
    }
};

TEST_F(SpecialLineTest, CentredPiecesOfTheHundredUnitLine)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    const auto pieces = interruptedLinePieces(*line, placementOf(*line), line->gap());
    const double expected[][2] = {{0, 4.6},        {5.8, 15.8},   {17, 27},     {28.2, 38.2}, {39.4, 49.4},
                                  {50.6, 60.6},    {61.8, 71.8},  {73, 83},     {84.2, 94.2}, {95.4, 100}};
    ASSERT_EQ(pieces.size(), 10u);
    for (size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_FALSE(pieces[i].isArc);
        EXPECT_NEAR(pieces[i].start.x, expected[i][0], kTol) << i;
        EXPECT_NEAR(pieces[i].end.x, expected[i][1], kTol) << i;
    }
}

TEST_F(SpecialLineTest, FromTheStartTheFirstPieceBeginsAfterTheFirstDecoration)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    line->setPlacement(2);
    const auto pieces = interruptedLinePieces(*line, placementOf(*line), line->gap());
    ASSERT_FALSE(pieces.empty());
    EXPECT_NEAR(pieces[0].start.x, 0.6, kTol);
    EXPECT_NEAR(pieces[0].end.x, 11.2 - 0.6, kTol);
}

TEST_F(SpecialLineTest, PiecesCrossAVertexIntoTheNextSegment)
{
    // 50 along X then 50 along Y: the piece 39.4..49.4 stays on the first, 50.6..60.6 on the second.
    std::unique_ptr<eXtendedPolyline> line(lineThrough({{{0, 0}, 0.0}, {{50, 0}, 0.0}, {{50, 50}, 0.0}}));
    const auto pieces = interruptedLinePieces(*line, placementOf(*line), line->gap());
    ASSERT_EQ(pieces.size(), 10u);
    EXPECT_TRUE(pieces[4].end.isEqualTo(AcGePoint3d(49.4, 0, 0)));
    EXPECT_TRUE(pieces[5].start.isEqualTo(AcGePoint3d(50, 0.6, 0)));
}

TEST_F(SpecialLineTest, PieceSpanningAVertexIsSplitThere)
{
    std::unique_ptr<eXtendedPolyline> line(lineThrough({{{0, 0}, 0.0}, {{45, 0}, 0.0}, {{45, 55}, 0.0}}));
    const auto pieces = interruptedLinePieces(*line, placementOf(*line), line->gap());
    // The piece 39.4..49.4 runs round the corner at 45: two parts.
    ASSERT_EQ(pieces.size(), 11u);
    EXPECT_TRUE(pieces[4].end.isEqualTo(AcGePoint3d(45, 0, 0)));
    EXPECT_TRUE(pieces[5].start.isEqualTo(AcGePoint3d(45, 0, 0)));
    EXPECT_TRUE(pieces[5].end.isEqualTo(AcGePoint3d(45, 4.4, 0)));
}

TEST_F(SpecialLineTest, ArcPiecesLieOnTheCircleWithTheirLength)
{
    // A half circle of radius 50 (bulge 1), counter-clockwise from (0, 0) to (100, 0) below the chord.
    std::unique_ptr<eXtendedPolyline> line(lineThrough({{{0, 0}, 1.0}, {{100, 0}, 0.0}}));
    const auto placement = placementOf(*line);
    ASSERT_NEAR(placement.length, 50.0 * std::numbers::pi, 1e-9);
    const auto pieces = interruptedLinePieces(*line, placement, line->gap());
    ASSERT_FALSE(pieces.empty());
    const AcGePoint3d centre(50, 0, 0);
    for (const LinePiece& piece : pieces) {
        ASSERT_TRUE(piece.isArc);
        EXPECT_NEAR(piece.start.distanceTo(centre), 50.0, kTol);
        EXPECT_NEAR(piece.middle.distanceTo(centre), 50.0, kTol);
        EXPECT_NEAR(piece.end.distanceTo(centre), 50.0, kTol);
        EXPECT_LE(piece.middle.y, kTol);  // the arc bows below the chord
        EXPECT_TRUE(piece.counterClockwise);
    }
    // The first piece ends one decoration footprint before the first decoration, along the arc.
    const double firstEnd = placement.start - 0.6;
    const double angle = std::atan2(pieces[0].end.y, pieces[0].end.x - 50.0);
    EXPECT_NEAR(angle, -std::numbers::pi + firstEnd / 50.0, kTol);
}

TEST_F(SpecialLineTest, ClockwiseArcPiecesBowTheOtherWay)
{
    std::unique_ptr<eXtendedPolyline> line(lineThrough({{{0, 0}, -1.0}, {{100, 0}, 0.0}}));
    const auto pieces = interruptedLinePieces(*line, placementOf(*line), line->gap());
    ASSERT_FALSE(pieces.empty());
    for (const LinePiece& piece : pieces) {
        EXPECT_GE(piece.middle.y, -kTol);
        EXPECT_FALSE(piece.counterClockwise);
        EXPECT_NEAR(piece.middle.distanceTo(AcGePoint3d(50, 0, 0)), 50.0, kTol);
    }
}

TEST_F(SpecialLineTest, CoincidentVerticesEndTheWalk)
{
    std::unique_ptr<eXtendedPolyline> line(
        lineThrough({{{0, 0}, 0.0}, {{30, 0}, 0.0}, {{30, 0}, 0.0}, {{100, 0}, 0.0}}));
    const auto pieces = interruptedLinePieces(*line, placementOf(*line), line->gap());
    ASSERT_FALSE(pieces.empty());
    for (const LinePiece& piece : pieces)
        EXPECT_LE(piece.end.x, 30.0 + kTol);
}

TEST_F(SpecialLineTest, NegativeSizeStillEnds)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    line->setSymbolSize(-10.2);
    Exploded out;
    ASSERT_EQ(line->explode(out.items), Acad::eOk);
    // One decoration in the middle; the line runs up to it and on from it.
    EXPECT_FALSE(out.all<AcDbLine>().empty());
}

TEST_F(SpecialLineTest, ExplodeOfTheDefaultsGivesStrokesAndPieces)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    Exploded out;
    ASSERT_EQ(line->explode(out.items), Acad::eOk);
    const auto lines = out.all<AcDbLine>();
    // Nine "Barbelé" symbols of two strokes and ten pieces.
    ASSERT_EQ(lines.size(), 28u);
    int along = 0;
    for (const AcDbLine* l : lines)
        along += std::fabs(l->startPoint().y) < kTol && std::fabs(l->endPoint().y) < kTol ? 1 : 0;
    EXPECT_EQ(along, 10);
    // The first stroke of the first symbol, centred at 5.2.
    EXPECT_TRUE(lines[0]->startPoint().isEqualTo(AcGePoint3d(5.2 - 0.35355339, 0.35355339, 0)));
    EXPECT_TRUE(out.all<AcDbPolyline>().empty());
}

TEST_F(SpecialLineTest, ExplodeOfAClosedWholeLineRepeatsTheFirstVertex)
{
    std::unique_ptr<eXtendedPolyline> line(
        lineThrough({{{0, 0}, 0.0}, {{10, 0}, 0.0}, {{10, 10}, 0.0}, {{0, 10}, 0.0}}));
    line->setClosed(Adesk::kTrue);
    line->setLineMode(eXtendedPolyline::kLineWhole);
    line->setStyleCode(0);
    Exploded out;
    ASSERT_EQ(line->explode(out.items), Acad::eOk);
    const auto copies = out.all<AcDbPolyline>();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_FALSE(copies[0]->isClosed());
    ASSERT_EQ(copies[0]->numVerts(), 5u);
    AcGePoint2d last;
    copies[0]->getPointAt(4, last);
    EXPECT_TRUE(last.isEqualTo(AcGePoint2d(0, 0)));
    // "Vide" leaves no stroke.
    EXPECT_TRUE(out.all<AcDbLine>().empty());
}

TEST_F(SpecialLineTest, HiddenLineExplodesToDecorationsOnly)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    line->setLineMode(eXtendedPolyline::kLineHidden);
    line->setStyleCode(9);
    Exploded out;
    ASSERT_EQ(line->explode(out.items), Acad::eOk);
    EXPECT_EQ(out.all<AcDbLine>().size(), 18u);
    EXPECT_TRUE(out.all<AcDbPolyline>().empty());
}

TEST_F(SpecialLineTest, UnknownStyleCodeExplodesToPiecesWithoutSymbols)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    line->setStyleCode(42);
    Exploded out;
    ASSERT_EQ(line->explode(out.items), Acad::eOk);
    EXPECT_EQ(out.all<AcDbLine>().size(), 10u);
}

TEST_F(SpecialLineTest, BlockDecorationLengthIsItsWidthTimesTheSize)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    line->setStyleCode(eXtendedPolyline::kBlockStyle);
    line->setSymbolRefId(addBlock(L"ARBRE"));
    line->setSymbolSize(3.0);
    EXPECT_NEAR(line->decorationLength(), 6.0, 1e-9);
    Exploded out;
    ASSERT_EQ(line->explode(out.items), Acad::eOk);
    const auto refs = out.all<AcDbBlockReference>();
    ASSERT_FALSE(refs.empty());
    EXPECT_NEAR(refs[0]->scaleFactors().sx, 3.0, 1e-12);
}

TEST_F(SpecialLineTest, EmptyTextMeasuresAsTheSymbolSize)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    line->setStyleCode(eXtendedPolyline::kTextStyle);
    line->setSymbolRefId(m_db->textstyle());
    line->setSymbolSize(2.5);
    EXPECT_NEAR(line->decorationLength(), 2.5, 1e-12);
}

TEST_F(SpecialLineTest, DecorationsTurnWithAnArc)
{
    std::unique_ptr<eXtendedPolyline> line(lineThrough({{{0, 0}, 1.0}, {{100, 0}, 0.0}}));
    const auto placement = placementOf(*line);
    const auto frames = kelvora::speciallines::decorationFrames(*line, placement);
    ASSERT_GE(frames.size(), 2u);
    for (const auto& frame : frames) {
        // On a counter-clockwise circle round (50, 0) the tangent is the radius turned a quarter.
        const double radial = std::atan2(frame.point.y, frame.point.x - 50.0);
        double expected = std::fmod(radial + std::numbers::pi / 2.0 + 2.0 * std::numbers::pi, 2.0 * std::numbers::pi);
        EXPECT_NEAR(frame.angle, expected, 1e-6);
    }
}

TEST_F(SpecialLineTest, InsertionSnapTakesTheNearestDecoration)
{
    std::unique_ptr<eXtendedPolyline> line(line100());
    AcGePoint3dArray points;
    AcDbIntArray ids;
    ASSERT_EQ(line->snapEntry(AcDb::kOsModeIns, 0, AcGePoint3d(20, 3, 0), AcGePoint3d::kOrigin,
                              AcGeMatrix3d::kIdentity, points, ids),
              Acad::eOk);
    ASSERT_EQ(points.length(), 1);
    EXPECT_TRUE(points[0].isEqualTo(AcGePoint3d(16.4, 0, 0)));
}

}  // namespace

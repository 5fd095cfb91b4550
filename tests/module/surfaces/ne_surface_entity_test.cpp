// NESurface: defaults, drawing of its labels, grips, stretch, transforms and explode.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "dbents.h"
#include "dbgrip.h"
#include "kelvora/gi_recorder.h"
#include "surface_fixture.h"

namespace {

constexpr double kTol = 1e-9;

std::vector<std::wstring> drawnTexts(NESurface* surface)
{
    kelvora::GiRecorder recorder;
    recorder.drawEntity(surface);
    std::vector<std::wstring> texts;
    for (const kelvora::GiPrimitive& p : recorder.primitives())
        if (p.kind == kelvora::GiPrimitiveKind::kText)
            texts.push_back(p.text.text);
    return texts;
}

void expectPoint(const AcGePoint3d& actual, double x, double y)
{
    EXPECT_NEAR(actual.x, x, kTol);
    EXPECT_NEAR(actual.y, y, kTol);
}

TEST_F(SurfaceTest, DefaultSurfaceShowsLotAndAreaLines)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    EXPECT_EQ(drawnTexts(s.get()), (std::vector<std::wstring>{L"Lot ", L"S= 100.00 m2"}));
    EXPECT_EQ(s->labelsPlaced(), 1);
}

TEST_F(SurfaceTest, PerimeterLineOnlyWithItsBit)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    s->setLabelFlags(NESurface::kShowPerimeter);
    EXPECT_EQ(drawnTexts(s.get()), (std::vector<std::wstring>{L"L= 40.00 ml"}));
}

TEST_F(SurfaceTest, DefaultsComeFromTheWorkingDatabase)
{
    std::unique_ptr<NESurface> s(new NESurface());
    EXPECT_DOUBLE_EQ(s->textHeight(), m_db->textsize());
    EXPECT_EQ(s->textStyleId(), m_db->textstyle());
    EXPECT_STREQ(s->getLabelString(NESurface::kLotText), L"Lot ");
    EXPECT_EQ(s->labelFlags(), 3);
    EXPECT_EQ(s->reservedCode(), 256);
}

TEST_F(SurfaceTest, PlaceLabelsStacksLinesUnderTheBoxCentre)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 20));
    s->setTextHeight(2.0);
    s->placeLabels();
    expectPoint(s->lotPoint(), 5, 10);
    expectPoint(s->areaPoint(), 5, 7);
    expectPoint(s->perimeterPoint(), 5, 4);
}

TEST_F(SurfaceTest, GripWithAreaDataMovesOnlyTheAreaPoint)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    s->setLabelPoints(AcGePoint3d(1, 1, 0), AcGePoint3d(2, 2, 0), AcGePoint3d(3, 3, 0));
    AcDbGripDataPtrArray grips;
    ASSERT_EQ(s->getGripPoints(grips, 1.0, 3, AcGeVector3d::kZAxis, 0), Acad::eOk);
    ASSERT_GE(grips.length(), 3);
    EXPECT_EQ(reinterpret_cast<Adesk::IntPtr>(grips[grips.length() - 2]->appData()), NESurface::kAreaGrip);
    AcDbVoidPtrArray moved;
    moved.append(reinterpret_cast<void*>(NESurface::kAreaGrip));
    EXPECT_EQ(s->moveGripPointsAt(moved, AcGeVector3d(5, 0, 0), 0), Acad::eOk);
    expectPoint(s->lotPoint(), 1, 1);
    expectPoint(s->areaPoint(), 7, 2);
    expectPoint(s->perimeterPoint(), 3, 3);
    AcGePoint2d corner;
    s->getPointAt(1, corner);
    EXPECT_NEAR(corner.x, 10, kTol);
    for (int i = 0; i < grips.length(); ++i)
        delete grips[i];
}

TEST_F(SurfaceTest, StretchOfEverythingMovesOutlineAndLabels)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    s->setLabelPoints(AcGePoint3d(1, 1, 0), AcGePoint3d(2, 2, 0), AcGePoint3d(3, 3, 0));
    AcGePoint3dArray points;
    ASSERT_EQ(s->getStretchPoints(points), Acad::eOk);
    ASSERT_EQ(points.length(), 7);
    expectPoint(points[4], 1, 1);
    expectPoint(points[6], 3, 3);
    AcDbIntArray all;
    for (int i = 0; i < points.length(); ++i)
        all.append(i);
    ASSERT_EQ(s->moveStretchPointsAt(all, AcGeVector3d(0, 4, 0)), Acad::eOk);
    AcGePoint2d first;
    s->getPointAt(0, first);
    EXPECT_NEAR(first.y, 4, kTol);
    expectPoint(s->lotPoint(), 1, 5);
    expectPoint(s->perimeterPoint(), 3, 7);
}

TEST_F(SurfaceTest, StretchOfOneLabelLeavesTheOutline)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    s->setLabelPoints(AcGePoint3d(1, 1, 0), AcGePoint3d(2, 2, 0), AcGePoint3d(3, 3, 0));
    AcDbIntArray one;
    one.append(5);
    ASSERT_EQ(s->moveStretchPointsAt(one, AcGeVector3d(1, 0, 0)), Acad::eOk);
    expectPoint(s->areaPoint(), 3, 2);
    EXPECT_NEAR(s->surfaceArea(), 100.0, kTol);
}

TEST_F(SurfaceTest, ScalingByTwoDoublesTextHeightAndMovesLabels)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    s->setTextHeight(2.5);
    s->setLabelPoints(AcGePoint3d(1, 1, 0), AcGePoint3d(2, 2, 0), AcGePoint3d(3, 3, 0));
    ASSERT_EQ(s->transformBy(AcGeMatrix3d::scaling(2.0, AcGePoint3d::kOrigin)), Acad::eOk);
    EXPECT_NEAR(s->textHeight(), 5.0, kTol);
    expectPoint(s->areaPoint(), 4, 4);
    EXPECT_NEAR(s->surfaceArea(), 400.0, 1e-6);
}

TEST_F(SurfaceTest, RotationTurnsLabelDirection)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    s->transformBy(AcGeMatrix3d::rotation(std::numbers::pi / 2, AcGeVector3d::kZAxis, AcGePoint3d::kOrigin));
    EXPECT_NEAR(s->labelDirection().y, 1.0, kTol);
    EXPECT_NEAR(s->labelRotation(), std::numbers::pi / 2, kTol);
}

TEST_F(SurfaceTest, ExplodeGivesOpenPolylineReturningToStart)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    AcDbVoidPtrArray parts;
    ASSERT_EQ(s->explode(parts), Acad::eOk);
    ASSERT_EQ(parts.length(), 3);  // outline, lot text, area text
    auto* outline = static_cast<AcDbEntity*>(parts[0]);
    ASSERT_EQ(outline->isA(), AcDbPolyline::desc());
    auto* plain = static_cast<AcDbPolyline*>(outline);
    EXPECT_FALSE(plain->isClosed());
    ASSERT_EQ(plain->numVerts(), 5u);
    AcGePoint2d first;
    AcGePoint2d last;
    plain->getPointAt(0, first);
    plain->getPointAt(4, last);
    EXPECT_TRUE(first.isEqualTo(last));
    auto* area = static_cast<AcDbText*>(parts[2]);
    EXPECT_STREQ(area->textStringConst(), L"S= 100.00 m2");
    for (int i = 0; i < parts.length(); ++i)
        delete static_cast<AcDbEntity*>(parts[i]);
}

TEST_F(SurfaceTest, ExplodeBelowTheXAxisGivesClockwiseRotation)
{
    std::unique_ptr<NESurface> s(rectangle(0, 0, 10, 10));
    s->setLabelDirection(AcGeVector3d(1, -1, 0).normalize());
    AcDbVoidPtrArray parts;
    ASSERT_EQ(s->explode(parts), Acad::eOk);
    ASSERT_EQ(parts.length(), 3);
    EXPECT_NEAR(static_cast<AcDbText*>(parts[1])->rotation(), -std::numbers::pi / 4, kTol);
    for (int i = 0; i < parts.length(); ++i)
        delete static_cast<AcDbEntity*>(parts[i]);
}

TEST_F(SurfaceTest, PropertyCopyFromSurfaceTakesLabelSettings)
{
    std::unique_ptr<NESurface> source(rectangle(0, 0, 10, 10));
    source->setLabelString(NESurface::kLotText, L"Lot 7");
    source->setLabelFlags(0x7 | NESurface::kAreaHectares);
    source->setTextHeight(4.0);
    std::unique_ptr<NESurface> target(rectangle(50, 50, 5, 5));
    target->setLabelsPlaced(1);
    ASSERT_EQ(target->setPropertiesFrom(source.get()), Acad::eOk);
    EXPECT_STREQ(target->getLabelString(NESurface::kLotText), L"Lot 7");
    EXPECT_EQ(target->labelFlags(), 0x7 | NESurface::kAreaHectares);
    EXPECT_DOUBLE_EQ(target->textHeight(), 4.0);
    EXPECT_EQ(target->labelsPlaced(), 0);
}

TEST_F(SurfaceTest, CopyVerticesFromTakesShapeAndClosure)
{
    AcDbPolyline source;
    source.addVertexAt(0, AcGePoint2d(0, 0), 0.5);
    source.addVertexAt(1, AcGePoint2d(4, 0));
    source.addVertexAt(2, AcGePoint2d(4, 3));
    source.setClosed(Adesk::kTrue);
    std::unique_ptr<NESurface> s(new NESurface());
    s->copyVerticesFrom(&source);
    ASSERT_EQ(s->numVerts(), 3u);
    double bulge = 0.0;
    s->getBulgeAt(0, bulge);
    EXPECT_DOUBLE_EQ(bulge, 0.5);
    EXPECT_TRUE(s->isClosed());
}

}  // namespace

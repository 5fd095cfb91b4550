// The graphics recorder: what a custom entity draws, in world coordinates, with its traits and transforms.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "acgi.h"
#include "dbsymtb.h"
#include "kelvora/diagnostics.h"
#include "kelvora/gi_recorder.h"
#include "test_entity.h"

namespace {

using kelvora::GiPrimitive;
using kelvora::GiPrimitiveKind;
using kelvora::GiRecorder;

// Coordinates within this of the expected value count as equal (doubles from a few products).
constexpr double kTol = 1e-9;

TEST(Recorder, RecordsTheEntitysPrimitivesWithTraits)
{
    ScopedDatabase db;
    AcDbObjectId layer = addLayer(db.get(), L"Dots");
    auto* dot = new TestDot(AcGePoint3d(10, 20, 0), 2.0, L"Lot 7");
    dot->setLayer(layer);
    AcDbObjectId id = appendToModelSpace(db.get(), dot);
    TestDot* d = nullptr;
    ASSERT_EQ(acdbOpenObject(d, id, AcDb::kForRead), Acad::eOk);
    GiRecorder rec;
    rec.drawEntity(d);
    d->close();

    const std::vector<GiPrimitive>& p = rec.primitives();
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0].kind, GiPrimitiveKind::kCircle);
    EXPECT_NEAR(p[0].points[0].x, 10.0, kTol);
    EXPECT_NEAR(p[0].radius, 2.0, kTol);
    EXPECT_TRUE(p[0].traits.color.isByLayer());
    EXPECT_EQ(p[0].traits.layerId, layer);
    EXPECT_EQ(p[0].drawableId, id);

    EXPECT_EQ(p[1].kind, GiPrimitiveKind::kPolyline);
    ASSERT_EQ(p[1].points.size(), 2u);
    EXPECT_NEAR(p[1].points[0].x, 8.0, kTol);
    EXPECT_NEAR(p[1].points[1].x, 12.0, kTol);
    EXPECT_EQ(p[1].traits.color.colorIndex(), 1) << "setColor applies to what follows";

    EXPECT_EQ(p[2].kind, GiPrimitiveKind::kCircularArc);
    EXPECT_NEAR(p[2].sweepAngle, std::numbers::pi / 2, kTol);
    ASSERT_EQ(p[2].points.size(), 3u);
    EXPECT_NEAR(p[2].points[1].x, 14.0, kTol);  // start
    EXPECT_NEAR(p[2].points[2].y, 24.0, kTol);  // end, a quarter turn on

    EXPECT_EQ(p[3].kind, GiPrimitiveKind::kText);
    EXPECT_EQ(p[3].text.text, L"Lot 7");
    EXPECT_NEAR(p[3].text.height, 2.0, kTol);
    EXPECT_NEAR(p[3].points[0].y, 26.0, kTol);
}

TEST(Recorder, DraggingLeavesOutWhatTheEntityLeavesOut)
{
    TestDot dot(AcGePoint3d(0, 0, 0), 1.0, L"label");
    GiRecorder rec;
    rec.setDragging(true);
    rec.drawEntity(&dot);
    EXPECT_EQ(rec.primitives().size(), 3u);
}

// A drawable that uses transforms, three-point forms and a nested drawable.
class Composite : public TestDot {
public:
    TestDot inner{AcGePoint3d(1, 0, 0), 0.5, L""};
    Adesk::Boolean worldDraw(AcGiWorldDraw* wd) override
    {
        AcGiWorldGeometry& g = wd->geometry();
        AcGeMatrix3d move = AcGeMatrix3d::translation(AcGeVector3d(100, 0, 0));
        g.pushModelTransform(move);
        g.circle(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(-1, 0, 0));
        g.circularArc(AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(-1, 0, 0));
        AcGeMatrix3d scale = AcGeMatrix3d::scaling(2.0);
        g.pushModelTransform(scale);
        g.draw(&inner);
        g.popModelTransform();
        g.popModelTransform();
        AcGePoint3d box[2] = {AcGePoint3d(-50, -50, 0), AcGePoint3d(-40, -40, 0)};
        g.setExtents(box);
        return true;
    }
};

TEST(Recorder, TransformsThreePointFormsAndNesting)
{
    Composite c;
    GiRecorder rec;
    rec.drawEntity(&c);
    const auto& p = rec.primitives();
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(p[0].kind, GiPrimitiveKind::kCircle);
    EXPECT_NEAR(p[0].points[0].x, 100.0, kTol);
    EXPECT_NEAR(p[0].radius, 1.0, kTol);
    EXPECT_EQ(p[1].kind, GiPrimitiveKind::kCircularArc);
    EXPECT_NEAR(p[1].sweepAngle, std::numbers::pi, kTol);
    EXPECT_NEAR(p[1].normal.z, 1.0, kTol) << "start, point, end counter-clockwise";
    // The nested drawable's circle: scaled by 2 about the origin, then moved.
    EXPECT_EQ(p[2].nesting, 1);
    EXPECT_EQ(p[2].kind, GiPrimitiveKind::kCircle);
    EXPECT_NEAR(p[2].points[0].x, 102.0, kTol);
    EXPECT_NEAR(p[2].radius, 1.0, kTol);
    EXPECT_EQ(p[5].kind, GiPrimitiveKind::kExtentsHint);
    AcDbExtents box;
    ASSERT_TRUE(rec.extents(box));
    EXPECT_NEAR(box.minPoint().x, -50.0, kTol);
}

TEST(Recorder, MirrorKeepsArcsOnTheirPoints)
{
    // An arc drawn under a mirror must pass through the mirrored start and end points.
    class Mirrored : public TestDot {
    public:
        Adesk::Boolean worldDraw(AcGiWorldDraw* wd) override
        {
            AcGeMatrix3d m;
            m.entry[0][0] = -1.0;  // x -> -x
            wd->geometry().pushModelTransform(m);
            wd->geometry().circularArc(AcGePoint3d(0, 0, 0), 1.0, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis,
                                       std::numbers::pi / 2);
            wd->geometry().popModelTransform();
            return true;
        }
    } mirrored;
    GiRecorder rec;
    rec.drawEntity(&mirrored);
    const GiPrimitive& arc = rec.primitives().at(0);
    EXPECT_NEAR(arc.points[1].x, -1.0, kTol);
    EXPECT_NEAR(arc.points[2].y, 1.0, kTol);
    EXPECT_NEAR(arc.normal.z, -1.0, kTol);
    AcDbExtents box;
    ASSERT_TRUE(kelvora::primitiveExtents(arc, box));
    EXPECT_NEAR(box.minPoint().x, -1.0, kTol);
    EXPECT_NEAR(box.maxPoint().x, 0.0, kTol);
    EXPECT_NEAR(box.maxPoint().y, 1.0, kTol);
}

TEST(Recorder, ArcExtentsFollowTheSweep)
{
    GiRecorder rec;
    class Arc : public TestDot {
    public:
        Adesk::Boolean worldDraw(AcGiWorldDraw* wd) override
        {
            // From 45 degrees, a half turn counter-clockwise: passes through the top (90) and left (180).
            AcGeVector3d start(std::cos(std::numbers::pi / 4), std::sin(std::numbers::pi / 4), 0);
            wd->geometry().circularArc(AcGePoint3d(0, 0, 0), 2.0, AcGeVector3d::kZAxis, start, std::numbers::pi);
            return true;
        }
    } arc;
    rec.drawEntity(&arc);
    AcDbExtents box;
    ASSERT_TRUE(rec.extents(box));
    EXPECT_NEAR(box.maxPoint().y, 2.0, kTol);
    EXPECT_NEAR(box.minPoint().x, -2.0, kTol);
    EXPECT_NEAR(box.maxPoint().x, std::sqrt(2.0), kTol);
    EXPECT_NEAR(box.minPoint().y, -std::sqrt(2.0), kTol);
}

TEST(Recorder, DefaultGeomExtentsComeFromWorldDraw)
{
    TestDot dot(AcGePoint3d(0, 0, 0), 1.0, L"");
    AcDbExtents box;
    ASSERT_EQ(dot.getGeomExtents(box), Acad::eOk);
    // The quarter arc of radius 2 reaches (0, 2) and (2, 0); the circle reaches -1.
    EXPECT_NEAR(box.minPoint().x, -1.0, kTol);
    EXPECT_NEAR(box.maxPoint().x, 2.0, kTol);
    EXPECT_NEAR(box.maxPoint().y, 2.0, kTol);
    EXPECT_NEAR(box.minPoint().y, -1.0, kTol);
}

TEST(Recorder, TextBoxUsesRealMetrics)
{
    TestDot dot(AcGePoint3d(0, 0, 0), 1.0, L"WWWW");
    GiRecorder rec;
    rec.drawEntity(&dot);
    const GiPrimitive& text = rec.primitives().back();
    ASSERT_EQ(text.kind, GiPrimitiveKind::kText);
    AcGePoint3d corners[4];
    kelvora::textCorners(text, corners);
    double width = corners[1].x - corners[0].x;
    double height = corners[2].y - corners[1].y;
    EXPECT_GT(width, 2.0) << "four wide capitals are wider than two heights";
    EXPECT_GT(height, 0.9);
    // The label stands on its baseline, three radii above the centre.
    EXPECT_LE(corners[0].y, 3.0 + kTol);
    EXPECT_GT(corners[2].y, 3.5);
    TestDot narrow(AcGePoint3d(0, 0, 0), 1.0, L"iiii");
    GiRecorder rec2;
    rec2.drawEntity(&narrow);
    AcGePoint3d c2[4];
    kelvora::textCorners(rec2.primitives().back(), c2);
    EXPECT_LT(c2[1].x - c2[0].x, width);
}

TEST(Recorder, RegenAbortStopsDrawing)
{
    TestDot dot(AcGePoint3d(0, 0, 0), 1.0, L"x");
    GiRecorder rec;
    rec.setRegenAbort(true);
    rec.drawEntity(&dot);
    EXPECT_TRUE(rec.primitives().empty());
}

TEST(Recorder, UnbalancedTransformsAreReportedAndRepaired)
{
    class Leaky : public TestDot {
    public:
        Adesk::Boolean worldDraw(AcGiWorldDraw* wd) override
        {
            wd->geometry().pushModelTransform(AcGeMatrix3d::translation(AcGeVector3d(5, 0, 0)));
            wd->geometry().popModelTransform();
            wd->geometry().popModelTransform();  // one too many
            wd->geometry().pushModelTransform(AcGeMatrix3d::translation(AcGeVector3d(5, 0, 0)));
            return true;  // and one left pushed
        }
    } leaky;
    kelvora::QuietMisuse quiet;
    long before = kelvora::misuseCount();
    GiRecorder rec;
    rec.drawEntity(&leaky);
    EXPECT_EQ(kelvora::misuseCount(), before + 2);
    TestDot dot(AcGePoint3d(0, 0, 0), 1.0, L"");
    rec.drawEntity(&dot);
    EXPECT_NEAR(rec.primitives().front().points[0].x, 0.0, kTol);
}

TEST(Recorder, EffectiveColourResolvesByLayer)
{
    ScopedDatabase db;
    AcDbObjectId layer = addLayer(db.get(), L"Blue");
    AcDbLayerTableRecord* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, layer, AcDb::kForWrite), Acad::eOk);
    AcCmColor blue;
    blue.setColorIndex(5);
    l->setColor(blue);
    l->close();
    kelvora::GiTraits traits;
    traits.layerId = layer;
    EXPECT_EQ(kelvora::effectiveColorIndex(traits), 5);
    traits.color.setColorIndex(0);
    EXPECT_EQ(kelvora::effectiveColorIndex(traits, 3), 3);
    traits.color.setColorIndex(2);
    EXPECT_EQ(kelvora::effectiveColorIndex(traits), 2);
    traits.layerId.setNull();
    traits.color.setColorIndex(256);
    EXPECT_EQ(kelvora::effectiveColorIndex(traits), 7);
}

TEST(TextStyle, FromARecordAndMeasured)
{
    ScopedDatabase db;
    AcDbTextStyleTable* table = nullptr;
    ASSERT_EQ(db->getTextStyleTable(table, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbTextStyleTableRecord();
    rec->setName(L"Narrow");
    rec->setFileName(L"romans.shx");
    rec->setTextSize(3.0);
    rec->setXScale(0.5);
    rec->setObliquingAngle(0.25);
    AcDbObjectId id;
    ASSERT_EQ(table->add(id, rec), Acad::eOk);
    rec->close();
    table->close();

    AcGiTextStyle style;
    ASSERT_EQ(fromAcDbTextStyle(style, id), Acad::eOk);
    EXPECT_STREQ(style.fileName(), L"romans.shx");
    EXPECT_STREQ(style.styleName(), L"Narrow");
    EXPECT_DOUBLE_EQ(style.textSize(), 3.0);
    EXPECT_DOUBLE_EQ(style.xScale(), 0.5);
    EXPECT_DOUBLE_EQ(style.obliquingAngle(), 0.25);
    EXPECT_EQ(fromAcDbTextStyle(style, AcDbObjectId()), Acad::eNullObjectId);

    AcGePoint2d narrow = style.extents(L"HHHH", true, -1, false);
    style.setXScale(1.0);
    AcGePoint2d wide = style.extents(L"HHHH", true, -1, false);
    EXPECT_NEAR(narrow.x * 2.0, wide.x, 1e-6) << "the width factor stretches the advance";
    EXPECT_GT(wide.y, 2.9) << "capitals are as high as the text size";
    AcGePoint2d two = style.extents(L"HHHH", true, 2, false);
    EXPECT_NEAR(two.x * 2.0, wide.x, 1e-6);
}

TEST(DatabaseExtents, UpdateExtFromModelSpace)
{
    ScopedDatabase db;
    ASSERT_EQ(db->updateExt(), Acad::eOk);
    EXPECT_GT(db->extmin().x, db->extmax().x) << "an empty drawing has the empty box";
    appendToModelSpace(db.get(), new TestDot(AcGePoint3d(10, 10, 0), 1.0, L""));
    appendToModelSpace(db.get(), new TestDot(AcGePoint3d(-5, 0, 0), 1.0, L""));
    ASSERT_EQ(db->updateExt(), Acad::eOk);
    EXPECT_NEAR(db->extmin().x, -6.0, kTol);
    EXPECT_NEAR(db->extmax().y, 12.0, kTol);
}

}  // namespace

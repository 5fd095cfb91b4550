// getSplitCurves of polylines: pieces of the curve's own class, open and closed curves, vertices, unsorted lists, subclasses.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "dbents.h"
#include "dbpl.h"
#include "entity_test_support.h"
#include "kelvora/host_class.h"

using entitytest::expectNear;

// A polyline with one field of its own, filed after the polyline's, as the module's entities do.
class TaggedPolyline : public AcDbPolyline {
public:
    ACRX_DECLARE_MEMBERS(TaggedPolyline);
    TaggedPolyline() = default;

    const std::wstring& tag() const
    {
        assertReadEnabled();
        return m_tag;
    }
    void setTag(const wchar_t* tag)
    {
        assertWriteEnabled();
        m_tag = tag;
    }

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override
    {
        Acad::ErrorStatus es = AcDbPolyline::dwgOutFields(filer);
        if (es != Acad::eOk)
            return es;
        return filer->writeString(m_tag.c_str());
    }
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override
    {
        Acad::ErrorStatus es = AcDbPolyline::dwgInFields(filer);
        if (es != Acad::eOk)
            return es;
        ACHAR* text = nullptr;
        if ((es = filer->readString(&text)) != Acad::eOk)
            return es;
        m_tag = text != nullptr ? text : L"";
        delete[] text;
        return Acad::eOk;
    }

private:
    std::wstring m_tag;
};

ACRX_CONS_DEFINE_MEMBERS(TaggedPolyline, AcDbPolyline, 0);

namespace {

// Owns the pieces of a split.
struct Pieces {
    AcDbVoidPtrArray array;
    ~Pieces()
    {
        for (void* p : array)
            delete static_cast<AcDbEntity*>(p);
    }
    int size() const { return array.length(); }
    AcDbPolyline* at(int i) const { return AcDbPolyline::cast(static_cast<AcDbEntity*>(array[i])); }
};

AcGeDoubleArray params(std::initializer_list<double> values)
{
    AcGeDoubleArray a;
    for (double v : values)
        a.append(v);
    return a;
}

void square(AcDbPolyline& pl, bool closed)
{
    pl.addVertexAt(0, AcGePoint2d(0, 0));
    pl.addVertexAt(1, AcGePoint2d(10, 0));
    pl.addVertexAt(2, AcGePoint2d(10, 10));
    pl.addVertexAt(3, AcGePoint2d(0, 10));
    pl.setClosed(closed);
}

std::vector<AcGePoint2d> points(const AcDbPolyline* pl)
{
    std::vector<AcGePoint2d> out;
    for (unsigned int i = 0; i < pl->numVerts(); ++i) {
        AcGePoint2d p;
        pl->getPointAt(i, p);
        out.push_back(p);
    }
    return out;
}

void expectPoints(const AcDbPolyline* pl, std::initializer_list<AcGePoint2d> expected)
{
    std::vector<AcGePoint2d> got = points(pl);
    ASSERT_EQ(got.size(), expected.size());
    size_t i = 0;
    for (const AcGePoint2d& p : expected)
        expectNear(got[i++], p);
}

}  // namespace

TEST(PolylineSplit, ClosedCurveAroundVertexZeroWrapsThroughTheStart)
{
    AcDbPolyline pl;
    square(pl, true);
    Pieces pieces;
    // Half-way along the closing segment and half-way along the first one.
    ASSERT_EQ(pl.getSplitCurves(params({3.5, 0.5}), pieces.array), Acad::eOk);
    ASSERT_EQ(pieces.size(), 2);
    // From 0.5 to 3.5 in increasing order, then from 3.5 through the start back to 0.5.
    expectPoints(pieces.at(0), {{5, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 5}});
    expectPoints(pieces.at(1), {{0, 5}, {0, 0}, {5, 0}});
    EXPECT_FALSE(pieces.at(0)->isClosed());
    EXPECT_FALSE(pieces.at(1)->isClosed());
}

TEST(PolylineSplit, ClosedCurveAtOneParameterOpensIt)
{
    AcDbPolyline pl;
    square(pl, true);
    Pieces pieces;
    ASSERT_EQ(pl.getSplitCurves(params({1.5}), pieces.array), Acad::eOk);
    ASSERT_EQ(pieces.size(), 1);
    expectPoints(pieces.at(0), {{10, 5}, {10, 10}, {0, 10}, {0, 0}, {10, 0}, {10, 5}});
}

TEST(PolylineSplit, AtAVertexAndUnsorted)
{
    AcDbPolyline pl;
    square(pl, false);
    Pieces pieces;
    ASSERT_EQ(pl.getSplitCurves(params({2.5, 1.0}), pieces.array), Acad::eOk);
    ASSERT_EQ(pieces.size(), 3);
    expectPoints(pieces.at(0), {{0, 0}, {10, 0}});
    expectPoints(pieces.at(1), {{10, 0}, {10, 10}, {5, 10}});
    expectPoints(pieces.at(2), {{5, 10}, {0, 10}});
}

TEST(PolylineSplit, ParametersAtTheEndsOfAnOpenCurveAndDuplicatesAreIgnored)
{
    AcDbPolyline pl;
    square(pl, false);
    Pieces pieces;
    ASSERT_EQ(pl.getSplitCurves(params({0.0, 1.5, 1.5, 3.0, 7.0}), pieces.array), Acad::eOk);
    ASSERT_EQ(pieces.size(), 2);
    expectPoints(pieces.at(0), {{0, 0}, {10, 0}, {10, 5}});
    expectPoints(pieces.at(1), {{10, 5}, {10, 10}, {0, 10}});
}

TEST(PolylineSplit, ArcSegmentsAreCutAlongTheirAngle)
{
    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(0, 0), 1.0);  // half circle below (0,0)-(10,0)
    pl.addVertexAt(1, AcGePoint2d(10, 0));
    Pieces pieces;
    ASSERT_EQ(pl.getSplitCurves(params({0.5}), pieces.array), Acad::eOk);
    ASSERT_EQ(pieces.size(), 2);
    expectPoints(pieces.at(0), {{0, 0}, {5, -5}});
    double bulge = 0.0;
    pieces.at(0)->getBulgeAt(0, bulge);
    EXPECT_NEAR(bulge, std::tan(std::numbers::pi / 8.0), 1e-12);  // a quarter circle
    double length = 0.0;
    double end = 0.0;
    pieces.at(1)->getEndParam(end);
    pieces.at(1)->getDistAtParam(end, length);
    EXPECT_NEAR(length, 5.0 * std::numbers::pi / 2.0, 1e-9);
}

TEST(PolylineSplit, WidthsAreInterpolatedAtTheCut)
{
    AcDbPolyline pl;
    pl.addVertexAt(0, AcGePoint2d(0, 0), 0.0, 1.0, 3.0);
    pl.addVertexAt(1, AcGePoint2d(10, 0));
    Pieces pieces;
    ASSERT_EQ(pl.getSplitCurves(params({0.25}), pieces.array), Acad::eOk);
    ASSERT_EQ(pieces.size(), 2);
    double sw = 0.0;
    double ew = 0.0;
    pieces.at(0)->getWidthsAt(0, sw, ew);
    EXPECT_DOUBLE_EQ(sw, 1.0);
    EXPECT_DOUBLE_EQ(ew, 1.5);
    pieces.at(1)->getWidthsAt(0, sw, ew);
    EXPECT_DOUBLE_EQ(sw, 1.5);
    EXPECT_DOUBLE_EQ(ew, 3.0);
}

TEST(PolylineSplit, PiecesKeepTheCurvesPlaneAndProperties)
{
    entitytest::WorkingDatabase db;
    AcDbPolyline pl;
    square(pl, false);
    pl.setElevation(7.0);
    pl.setColorIndex(3);
    Pieces pieces;
    ASSERT_EQ(pl.getSplitCurves(params({1.5}), pieces.array), Acad::eOk);
    ASSERT_EQ(pieces.size(), 2);
    EXPECT_DOUBLE_EQ(pieces.at(1)->elevation(), 7.0);
    EXPECT_EQ(pieces.at(1)->colorIndex(), 3);
    EXPECT_TRUE(pieces.at(1)->objectId().isNull());
}

TEST(PolylineSplit, ADerivedClassSplitsIntoItsOwnClassKeepingItsField)
{
    AcDbPolyline::desc();
    TaggedPolyline::rxInit();
    acrxBuildClassHierarchy();
    TaggedPolyline pl;
    square(pl, true);
    pl.setTag(L"Lot 7");
    Pieces pieces;
    ASSERT_EQ(pl.getSplitCurves(params({0.5, 2.5}), pieces.array), Acad::eOk);
    ASSERT_EQ(pieces.size(), 2);
    for (int i = 0; i < pieces.size(); ++i) {
        auto* piece = static_cast<AcDbEntity*>(pieces.array[i]);
        ASSERT_EQ(piece->isA(), TaggedPolyline::desc());
        EXPECT_EQ(static_cast<TaggedPolyline*>(piece)->tag(), L"Lot 7");
    }
    expectPoints(pieces.at(0), {{5, 0}, {10, 0}, {10, 10}, {5, 10}});
}

TEST(PolylineSplit, AtPointsOfTheCurve)
{
    AcDbPolyline pl;
    square(pl, true);
    AcGePoint3dArray pts;
    pts.append(AcGePoint3d(10, 5, 0));
    pts.append(AcGePoint3d(0, 5, 0));
    Pieces pieces;
    ASSERT_EQ(pl.getSplitCurves(pts, pieces.array), Acad::eOk);
    ASSERT_EQ(pieces.size(), 2);
    expectPoints(pieces.at(0), {{10, 5}, {10, 10}, {0, 10}, {0, 5}});
    pts.append(AcGePoint3d(5, 5, 0));  // not on the curve
    Pieces refused;
    EXPECT_EQ(pl.getSplitCurves(pts, refused.array), Acad::eInvalidInput);
    EXPECT_EQ(refused.size(), 0);
}

TEST(PolylineSplit, NotANumberIsRefused)
{
    AcDbPolyline pl;
    square(pl, false);
    Pieces pieces;
    EXPECT_EQ(pl.getSplitCurves(params({std::nan("")}), pieces.array), Acad::eInvalidInput);
    EXPECT_EQ(pieces.size(), 0);
}

TEST(CurveSplit, LinesArcsAndCirclesSplitIntoTheirKinds)
{
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    Pieces lines;
    ASSERT_EQ(line.getSplitCurves(params({7.0, 3.0}), lines.array), Acad::eOk);
    ASSERT_EQ(lines.size(), 3);
    auto* middle = AcDbLine::cast(static_cast<AcDbEntity*>(lines.array[1]));
    ASSERT_NE(middle, nullptr);
    expectNear(middle->startPoint(), AcGePoint3d(3, 0, 0));
    expectNear(middle->endPoint(), AcGePoint3d(7, 0, 0));

    AcDbCircle circle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 2.0);
    Pieces arcs;
    ASSERT_EQ(circle.getSplitCurves(params({std::numbers::pi * 1.5, std::numbers::pi / 2.0}), arcs.array), Acad::eOk);
    ASSERT_EQ(arcs.size(), 2);
    auto* second = AcDbArc::cast(static_cast<AcDbEntity*>(arcs.array[1]));
    ASSERT_NE(second, nullptr);
    EXPECT_NEAR(second->startAngle(), std::numbers::pi * 1.5, 1e-12);
    EXPECT_NEAR(second->endAngle(), std::numbers::pi / 2.0, 1e-12);
    Pieces one;
    EXPECT_EQ(circle.getSplitCurves(params({1.0}), one.array), Acad::eInvalidInput);
}

// Tests of the two unbounded lines: a ray stops at its base point, an infinite line does not.
#include <gtest/gtest.h>

#include <memory>

#include "dbents.h"
#include "dbray.h"
#include "dbxline.h"
#include "kelvora/gi_recorder.h"

namespace {

struct UnboundedCase {
    const char* name;
    std::unique_ptr<kelvora::UnboundedLine> (*make)();
    bool endsAtBase;  // true for the ray
};

// Both lines through (1, 2) along +X, given as a second point that is not at unit distance.
template <class Line>
std::unique_ptr<kelvora::UnboundedLine> alongX()
{
    auto line = std::make_unique<Line>();
    line->setBasePoint(AcGePoint3d(1, 2, 0));
    line->setSecondPoint(AcGePoint3d(5, 2, 0));
    return line;
}

class UnboundedLines : public ::testing::TestWithParam<UnboundedCase> {};

TEST_P(UnboundedLines, DirectionIsNormalisedAndAZeroOneIgnored)
{
    auto line = GetParam().make();
    EXPECT_TRUE(line->unitDir().isEqualTo(AcGeVector3d::kXAxis));
    line->setUnitDir(AcGeVector3d(0, 0, 0));
    EXPECT_TRUE(line->unitDir().isEqualTo(AcGeVector3d::kXAxis));
    EXPECT_TRUE(line->secondPoint().isEqualTo(AcGePoint3d(2, 2, 0)));
}

TEST_P(UnboundedLines, ParametersBehindTheBaseBelongOnlyToTheInfiniteLine)
{
    auto line = GetParam().make();
    AcGePoint3d p;
    EXPECT_EQ(line->getPointAtParam(3.0, p), Acad::eOk);
    EXPECT_TRUE(p.isEqualTo(AcGePoint3d(4, 2, 0)));
    Acad::ErrorStatus behind = line->getPointAtParam(-3.0, p);
    double param = 0.0;
    Acad::ErrorStatus atBehind = line->getParamAtPoint(AcGePoint3d(-2, 2, 0), param);
    if (GetParam().endsAtBase) {
        EXPECT_EQ(behind, Acad::eInvalidInput);
        EXPECT_EQ(atBehind, Acad::eInvalidInput);
    } else {
        EXPECT_EQ(behind, Acad::eOk);
        EXPECT_TRUE(p.isEqualTo(AcGePoint3d(-2, 2, 0)));
        EXPECT_EQ(atBehind, Acad::eOk);
        EXPECT_DOUBLE_EQ(param, -3.0);
    }
}

TEST_P(UnboundedLines, ClosestPointStopsAtTheBaseOnlyForTheRayUnlessExtended)
{
    auto line = GetParam().make();
    AcGePoint3d closest;
    ASSERT_EQ(line->getClosestPointTo(AcGePoint3d(-4, 7, 0), closest), Acad::eOk);
    EXPECT_TRUE(closest.isEqualTo(GetParam().endsAtBase ? AcGePoint3d(1, 2, 0) : AcGePoint3d(-4, 2, 0)));
    ASSERT_EQ(line->getClosestPointTo(AcGePoint3d(-4, 7, 0), closest, Adesk::kTrue), Acad::eOk);
    EXPECT_TRUE(closest.isEqualTo(AcGePoint3d(-4, 2, 0)));
}

TEST_P(UnboundedLines, NeitherHasAnEndNorABox)
{
    auto line = GetParam().make();
    double param = 0.0;
    AcGePoint3d p;
    AcDbExtents box;
    EXPECT_EQ(line->getEndParam(param), Acad::eNotApplicable);
    EXPECT_EQ(line->getEndPoint(p), Acad::eNotApplicable);
    EXPECT_EQ(line->getGeomExtents(box), Acad::eInvalidExtents);
    EXPECT_EQ(line->getStartPoint(p) == Acad::eOk, GetParam().endsAtBase);
}

TEST_P(UnboundedLines, SecondGripTurnsTheLineAboutItsBase)
{
    auto line = GetParam().make();
    AcDbIntArray second;
    second.append(1);
    ASSERT_EQ(line->moveGripPointsAt(second, AcGeVector3d(-1, 1, 0)), Acad::eOk);
    EXPECT_TRUE(line->basePoint().isEqualTo(AcGePoint3d(1, 2, 0)));
    EXPECT_TRUE(line->unitDir().isEqualTo(AcGeVector3d::kYAxis));
    AcDbIntArray stretchSecond;
    stretchSecond.append(1);
    EXPECT_EQ(line->moveStretchPointsAt(stretchSecond, AcGeVector3d(1, 0, 0)), Acad::eInvalidIndex);
}

TEST_P(UnboundedLines, SplitAtTwoParametersKeepsTheUnboundedEnds)
{
    auto line = GetParam().make();
    AcGeDoubleArray params;
    params.append(2.0);
    params.append(5.0);
    AcDbVoidPtrArray pieces;
    ASSERT_EQ(line->getSplitCurves(params, pieces), Acad::eOk);
    // A ray: line 0-2, line 2-5, ray from 5. An infinite line: ray back from 2, line 2-5, ray from 5.
    ASSERT_EQ(pieces.length(), 3);
    auto* first = static_cast<AcDbEntity*>(pieces[0]);
    EXPECT_EQ(first->isKindOf(AcDbLine::desc()), GetParam().endsAtBase);
    auto* last = AcDbRay::cast(static_cast<AcDbEntity*>(pieces[2]));
    ASSERT_NE(last, nullptr);
    EXPECT_TRUE(last->basePoint().isEqualTo(AcGePoint3d(6, 2, 0)));
    EXPECT_TRUE(last->unitDir().isEqualTo(AcGeVector3d::kXAxis));
    for (void* piece : pieces)
        delete static_cast<AcDbEntity*>(piece);
}

// A ray is drawn as a ray, an infinite line as an xline: plots and picks extend each as far as it goes.
TEST_P(UnboundedLines, DrawsItsOwnKindOfPrimitive)
{
    auto line = GetParam().make();
    kelvora::GiRecorder rec;
    rec.drawEntity(line.get());
    ASSERT_EQ(rec.primitives().size(), 1u);
    const kelvora::GiPrimitive& p = rec.primitives()[0];
    EXPECT_EQ(p.kind, GetParam().endsAtBase ? kelvora::GiPrimitiveKind::kRay : kelvora::GiPrimitiveKind::kXline);
    ASSERT_EQ(p.points.size(), 2u);
    EXPECT_TRUE(p.points[0].isEqualTo(AcGePoint3d(1, 2, 0)));
    EXPECT_TRUE(p.points[1].isEqualTo(AcGePoint3d(2, 2, 0)));
}

INSTANTIATE_TEST_SUITE_P(RayAndXline, UnboundedLines,
                         ::testing::Values(UnboundedCase{"ray", &alongX<AcDbRay>, true},
                                           UnboundedCase{"xline", &alongX<AcDbXline>, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

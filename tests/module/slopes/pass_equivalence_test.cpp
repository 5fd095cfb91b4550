// The grid passes against the pairwise passes on random slopes, limits and strokes: the same strokes, bit for bit.
#include <random>
#include <vector>

#include "slope_fixture.h"

namespace {

using namespace kelvora::slopes;

constexpr int kSeeds = 25;

class Random {
public:
    explicit Random(unsigned seed)
        : m_engine(seed)
    {
    }
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_engine); }
    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_engine); }
    // A bulge: straight half of the time, otherwise an arc of up to a half turn either way.
    double bulge() { return integer(0, 1) == 0 ? 0.0 : uniform(-1.0, 1.0); }

private:
    std::mt19937 m_engine;
};

// A polyline of random vertices (and arcs) inside the square [0, size]^2.
void randomOutline(Random& random, AcDbPolyline& polyline, int vertices, double size)
{
    for (int i = 0; i < vertices; ++i)
        polyline.addVertexAt(static_cast<unsigned>(i), AcGePoint2d(random.uniform(0, size), random.uniform(0, size)),
                             random.bulge());
}

// Several kinds of limits scattered over the same square.
void addRandomLimits(Random& random, nPolyLineTalutee& slope, double size)
{
    for (int i = 0; i < 5; ++i) {
        auto* polyline = new AcDbPolyline();
        randomOutline(random, *polyline, random.integer(2, 9), size);
        polyline->setClosed(random.integer(0, 1) == 1);
        AcDbObjectId id;
        ASSERT_EQ(appendToModelSpace(polyline, id), Acad::eOk);
        slope.appendLimitId(id);
    }
    for (int i = 0; i < 3; ++i)
        slope.appendLimitId(SlopeTest::addLine(AcGePoint3d(random.uniform(0, size), random.uniform(0, size), 0),
                                    AcGePoint3d(random.uniform(0, size), random.uniform(0, size), 0)));
    AcDbObjectId id;
    ASSERT_EQ(appendToModelSpace(new AcDbCircle(AcGePoint3d(random.uniform(0, size), random.uniform(0, size), 0),
                                                AcGeVector3d::kZAxis, random.uniform(1, size / 4)),
                                 id),
              Acad::eOk);
    slope.appendLimitId(id);
    ASSERT_EQ(appendToModelSpace(new AcDbArc(AcGePoint3d(random.uniform(0, size), random.uniform(0, size), 0),
                                             random.uniform(1, size / 3), random.uniform(0, 3), random.uniform(3, 6)),
                                 id),
              Acad::eOk);
    slope.appendLimitId(id);
}

TEST_F(SlopeTest, LimitPassMatchesThePairwisePassOnRandomDrawings)
{
    int strokesMoved = 0;
    for (int seed = 1; seed <= kSeeds; ++seed) {
        Random random(static_cast<unsigned>(seed));
        nPolyLineTalutee slope;
        randomOutline(random, slope, random.integer(3, 12), 100.0);
        slope.setClosed(random.integer(0, 1) == 1);
        addRandomLimits(random, slope, 100.0);
        for (int side : {kLeftSide, kRightSide}) {
            AcGePoint3dArray base;
            AcGePoint3dArray end;
            if (!generateStrokes(slope, side, base, end))
                continue;
            AcGePoint3dArray pairwise = end;
            AcGePoint3dArray grid = end;
            trimStrokesToLimitsPairwise(slope, base, pairwise);
            trimStrokesToLimits(slope, base, grid);
            EXPECT_TRUE(identical(pairwise, grid)) << "seed " << seed << " side " << side;
            for (int k = 0; k < end.length(); ++k)
                strokesMoved += end[k].distanceTo(pairwise[k]) > 0.0 ? 1 : 0;
        }
    }
    // The drawings are busy enough for the limits to matter.
    EXPECT_GT(strokesMoved, 500);
}

TEST_F(SlopeTest, LimitPassMatchesThePairwisePassWhenStrokesHitLimitVertices)
{
    // Strokes stand every 2.5 from x = 10: the zigzag's vertices sit exactly on their lines.
    auto slope = straight20();
    slope->appendLimitId(addPolyline({{{7.5, 16}, 0.0}, {{10, 14}, 0.0}, {{12.5, 16}, 0.0}, {{15, 14}, 0.0},
                                      {{17.5, 16}, 0.5}, {{20, 14}, 0.0}, {{22.5, 16}, -0.3}, {{25, 14}, 0.0},
                                      {{27.5, 16}, 0.0}, {{30, 14}, 0.0}, {{32.5, 16}, 0.0}}));
    slope->appendLimitId(addLine(AcGePoint3d(10, 15, 0), AcGePoint3d(30, 15, 0)));
    for (int side : {kLeftSide, kRightSide}) {
        AcGePoint3dArray base;
        AcGePoint3dArray end;
        ASSERT_TRUE(generateStrokes(*slope, side, base, end));
        AcGePoint3dArray pairwise = end;
        AcGePoint3dArray grid = end;
        trimStrokesToLimitsPairwise(*slope, base, pairwise);
        trimStrokesToLimits(*slope, base, grid);
        EXPECT_TRUE(identical(pairwise, grid)) << "side " << side;
    }
}

TEST_F(SlopeTest, OutlinePassMatchesThePairwisePassOnRandomOutlines)
{
    int strokesCut = 0;
    for (int seed = 1; seed <= kSeeds; ++seed) {
        Random random(static_cast<unsigned>(100 + seed));
        nPolyLineTalutee slope;
        randomOutline(random, slope, random.integer(3, 25), 100.0);
        slope.setClosed(random.integer(0, 1) == 1);
        // Every third outline seen from below: its arcs take the boxes of a slanted plane.
        if (seed % 3 == 0)
            slope.setNormal(AcGeVector3d(0, 0, -1));
        for (int side : {kLeftSide, kRightSide}) {
            AcGePoint3dArray base;
            AcGePoint3dArray end;
            if (!generateStrokes(slope, side, base, end))
                continue;
            AcGePoint3dArray pairwise = end;
            AcGePoint3dArray grid = end;
            cutStrokesAtOutlinePairwise(slope, base, pairwise);
            cutStrokesAtOutline(slope, base, grid);
            EXPECT_TRUE(identical(pairwise, grid)) << "seed " << seed << " side " << side;
            for (int k = 0; k < end.length(); ++k)
                strokesCut += end[k].distanceTo(pairwise[k]) > 0.0 ? 1 : 0;
        }
    }
    EXPECT_GT(strokesCut, 200);
}

TEST_F(SlopeTest, CrossingPassMatchesThePairwisePassOnRandomStrokes)
{
    int strokesShortened = 0;
    for (int seed = 1; seed <= kSeeds; ++seed) {
        Random random(static_cast<unsigned>(200 + seed));
        AcGePoint3dArray base;
        AcGePoint3dArray end;
        const int count = random.integer(50, 400);
        for (int k = 0; k < count; ++k) {
            const AcGePoint3d at(random.uniform(0, 100), random.uniform(0, 100), 0);
            base.append(at);
            end.append(at + AcGeVector3d(random.uniform(-8, 8), random.uniform(-8, 8), 0));
        }
        // Some strokes share a base or lie end to end, as strokes at a sharp bend do.
        for (int k = 0; k + 1 < count; k += 7) {
            base[k + 1] = base[k];
            end[k] = base[k] + (end[k] - base[k]) * 0.5;
        }
        AcGePoint3dArray pairwise = end;
        AcGePoint3dArray grid = end;
        auto slope = straight20();
        shortenCrossingStrokesPairwise(base, pairwise);
        shortenCrossingStrokes(*slope, base, grid);
        EXPECT_TRUE(identical(pairwise, grid)) << "seed " << seed;
        for (int k = 0; k < count; ++k)
            strokesShortened += end[k].distanceTo(pairwise[k]) > 0.0 ? 1 : 0;
    }
    EXPECT_GT(strokesShortened, 1000);
}

TEST_F(SlopeTest, CrossingPassMatchesThePairwisePassAtTheInsideOfSharpBends)
{
    for (int seed = 1; seed <= kSeeds; ++seed) {
        Random random(static_cast<unsigned>(300 + seed));
        nPolyLineTalutee slope;
        randomOutline(random, slope, random.integer(3, 20), 60.0);
        slope.setClosed(random.integer(0, 1) == 1);
        slope.setStrokeSpacing(random.uniform(0.5, 3.0));
        for (int side : {kLeftSide, kRightSide}) {
            AcGePoint3dArray base;
            AcGePoint3dArray end;
            if (!generateStrokes(slope, side, base, end))
                continue;
            AcGePoint3dArray pairwise = end;
            AcGePoint3dArray grid = end;
            shortenCrossingStrokesPairwise(base, pairwise);
            shortenCrossingStrokes(slope, base, grid);
            EXPECT_TRUE(identical(pairwise, grid)) << "seed " << seed << " side " << side;
        }
    }
}

}  // namespace

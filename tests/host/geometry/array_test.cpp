// AcArray: the index-based operations the module relies on.
#include <gtest/gtest.h>

#include "acarray.h"
#include "gept3dar.h"

namespace {

AcArray<int> make(std::initializer_list<int> values)
{
    AcArray<int> a;
    for (int v : values)
        a.append(v);
    return a;
}

TEST(AcArray, AppendInsertRemoveKeepOrder)
{
    AcArray<int> a = make({1, 2, 4});
    EXPECT_EQ(a.append(5), 3);
    a.insertAt(2, 3);
    a.insertAt(5, 6);
    EXPECT_EQ(a, make({1, 2, 3, 4, 5, 6}));
    a.removeAt(0).removeLast();
    EXPECT_EQ(a, make({2, 3, 4, 5}));
    EXPECT_EQ(a.first(), 2);
    EXPECT_EQ(a.last(), 5);
    a.reverse();
    EXPECT_EQ(a, make({5, 4, 3, 2}));
    a.removeSubArray(1, 2);
    EXPECT_EQ(a, make({5, 2}));
}

TEST(AcArray, FindAndContains)
{
    AcArray<int> a = make({7, 8, 7});
    int at = -1;
    EXPECT_TRUE(a.find(7, at, 1));
    EXPECT_EQ(at, 2);
    EXPECT_EQ(a.find(9), -1);
    EXPECT_TRUE(a.contains(8));
    EXPECT_FALSE(a.contains(8, 2));
    EXPECT_TRUE(a.remove(7));
    EXPECT_EQ(a, make({8, 7}));
}

TEST(AcArray, LogicalLengthGrowsWithDefaultsAndShrinks)
{
    AcArray<int> a = make({1, 2});
    a.setLogicalLength(4);
    EXPECT_EQ(a.logicalLength(), 4);
    EXPECT_EQ(a[3], 0);
    a.setLogicalLength(1);
    EXPECT_EQ(a.length(), 1);
    a.setLogicalLength(-3);
    EXPECT_TRUE(a.isEmpty());
}

TEST(AcArray, PointArraysCompareWithTheGeometryTolerance)
{
    AcGePoint3dArray pts;
    pts.append(AcGePoint3d(1, 2, 3));
    EXPECT_TRUE(pts.contains(AcGePoint3d(1, 2, 3 + 1e-12)));
    EXPECT_FALSE(pts.contains(AcGePoint3d(1, 2, 3.001)));
    EXPECT_EQ(pts.asArrayPtr()[0].z, 3.0);
    int sum = 0;
    for (int v : make({1, 2, 3}))
        sum += v;
    EXPECT_EQ(sum, 6);
}

}  // namespace

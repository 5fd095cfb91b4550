// Hatch boundaries with elliptic-arc and spline edges (72 = 3 and 4): DXF and DWG round trips, and the filled region drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <sstream>
#include <string>

#include "dbhatch.h"
#include "entity_test_support.h"
#include "kelvora/gi_recorder.h"
#include "kelvora/item_dxf_filer.h"
#include "kelvora/memory_filer.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/wide_text.h"

namespace {

// A SOLID hatch whose one edge path is the upper half of an ellipse (centre 0,0, major axis end 4,0,
// ratio 0.5, 0 to 180 degrees counter-clockwise) closed by a quadratic spline below the X axis from
// (-4,0) through the pull of (0,-4) back to (4,0). Groups as an R2010 file holds them, one a line.
constexpr const char* kHatch = R"(100 AcDbEntity
8 0
62 1
100 AcDbHatch
10 0.0
20 0.0
30 0.0
210 0.0
220 0.0
230 1.0
2 SOLID
70 1
71 0
91 1
92 1
93 2
72 3
10 0.0
20 0.0
11 4.0
21 0.0
40 0.5
50 0.0
51 180.0
73 1
72 4
94 2
73 0
74 0
95 6
96 3
40 0.0
40 0.0
40 0.0
40 1.0
40 1.0
40 1.0
10 -4.0
20 0.0
10 0.0
20 -4.0
10 4.0
20 0.0
97 0
97 0
75 0
76 1
98 0)";

std::unique_ptr<kelvora::ItemListDxfFiler> groupsOf(const char* text)
{
    auto f = std::make_unique<kelvora::ItemListDxfFiler>();
    f->setDwgVersion(AcDb::kDHL_1024);
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const size_t space = line.find(' ');
        const int code = std::atoi(line.substr(0, space).c_str());
        const std::string value = line.substr(space + 1);
        if (code == 10 || code == 11) {
            std::string y;
            std::getline(in, y);
            AcGePoint3d p(std::atof(value.c_str()), std::atof(y.substr(y.find(' ') + 1).c_str()), 0.0);
            if (code == 10 && in.peek() == '3') {
                std::getline(in, y);
                p.z = std::atof(y.substr(y.find(' ') + 1).c_str());
            }
            f->appendPoint(code, p);
        } else if (code == 210) {
            std::string y, z;
            std::getline(in, y);
            std::getline(in, z);
            f->appendPoint(code, AcGePoint3d(std::atof(value.c_str()), std::atof(y.substr(4).c_str()),
                                             std::atof(z.substr(4).c_str())));
        } else if (kelvora::resbufValueKind(code) == kelvora::ResbufValueKind::kReal) {
            f->appendReal(code, std::atof(value.c_str()));
        } else if (kelvora::resbufValueKind(code) == kelvora::ResbufValueKind::kString) {
            f->appendString(code, kelvora::fromUtf8(value).c_str());
        } else {
            f->appendInt(code, std::atol(value.c_str()));
        }
    }
    f->rewindFiler();
    return f;
}

std::unique_ptr<AcDbHatch> readHatch()
{
    auto hatch = std::make_unique<AcDbHatch>();
    auto f = groupsOf(kHatch);
    EXPECT_EQ(hatch->dxfInFields(f.get()), Acad::eOk);
    EXPECT_TRUE(f->atEOF()) << "groups left unread";
    return hatch;
}

std::unique_ptr<kelvora::ItemListDxfFiler> dxfOf(const AcDbObject* obj)
{
    auto f = std::make_unique<kelvora::ItemListDxfFiler>();
    f->setDwgVersion(AcDb::kDHL_1024);
    EXPECT_EQ(obj->dxfOutFields(f.get()), Acad::eOk);
    return f;
}

// The groups from the edge path's 72 = 3 to the loop's source count, as (code, text of value).
std::vector<std::pair<int, std::string>> edgeGroups(kelvora::ItemListDxfFiler& f)
{
    std::vector<std::pair<int, std::string>> out;
    bool inEdges = false;
    for (int i = 0; i < f.itemCount(); ++i) {
        const resbuf* rb = f.itemAt(i);
        if (rb->restype == 72)
            inEdges = true;
        if (!inEdges)
            continue;
        std::ostringstream v;
        switch (kelvora::resbufValueKind(rb->restype)) {
        case kelvora::ResbufValueKind::kReal:
            v << std::round(rb->resval.rreal * 1e9) / 1e9;
            break;
        case kelvora::ResbufValueKind::kPoint:
            v << std::round(rb->resval.rpoint[0] * 1e9) / 1e9 << "," << std::round(rb->resval.rpoint[1] * 1e9) / 1e9;
            break;
        case kelvora::ResbufValueKind::kShort:
            v << rb->resval.rint;
            break;
        case kelvora::ResbufValueKind::kLong:
            v << rb->resval.rlong;
            break;
        default:
            break;
        }
        out.emplace_back(rb->restype, v.str());
        if (rb->restype == 75)
            break;
    }
    return out;
}

}  // namespace

TEST(HatchCurvedEdges, ReadKeepsTheEdgeTypes)
{
    entitytest::WorkingDatabase db;
    auto hatch = readHatch();
    ASSERT_EQ(hatch->numLoops(), 1);
    Adesk::Int32 type = 0;
    AcGeVoidPointerArray edges;
    AcGeIntArray types;
    ASSERT_EQ(hatch->getLoopAt(0, type, edges, types), Acad::eOk);
    ASSERT_EQ(types.length(), 2);
    EXPECT_EQ(types[0], AcDbHatch::kEllArc);
    EXPECT_EQ(types[1], AcDbHatch::kSpline);
}

TEST(HatchCurvedEdges, DxfRoundTripWritesTheSameEdgeGroups)
{
    entitytest::WorkingDatabase db;
    auto hatch = readHatch();
    auto first = dxfOf(hatch.get());
    const auto firstEdges = edgeGroups(*first);
    // 72 3 with its six groups, 72 4 with degree, flags, counts, six knots, three points and the fit count.
    ASSERT_GE(firstEdges.size(), 20u);
    EXPECT_EQ(firstEdges[0], std::make_pair(72, std::string("3")));
    first->rewindFiler();
    AcDbHatch copy;
    ASSERT_EQ(copy.dxfInFields(first.get()), Acad::eOk);
    auto second = dxfOf(&copy);
    EXPECT_EQ(edgeGroups(*second), firstEdges);
}

TEST(HatchCurvedEdges, DwgRoundTripKeepsTheEdges)
{
    entitytest::WorkingDatabase db;
    auto hatch = readHatch();
    kelvora::MemoryDwgFiler filer(AcDb::kCopyFiler);
    ASSERT_EQ(hatch->dwgOutFields(&filer), Acad::eOk);
    filer.rewind();
    AcDbHatch copy;
    ASSERT_EQ(copy.dwgInFields(&filer), Acad::eOk);
    auto a = dxfOf(hatch.get());
    auto b = dxfOf(&copy);
    EXPECT_EQ(edgeGroups(*a), edgeGroups(*b));
}

TEST(HatchCurvedEdges, FilledRegionFollowsBothCurvesWithinTheDeviation)
{
    entitytest::WorkingDatabase db;
    auto hatch = readHatch();
    kelvora::GiRecorder rec(db.get());
    const double deviation = 0.01;
    rec.setDeviation(deviation);
    rec.drawEntity(hatch.get());
    const kelvora::GiPrimitive* polygon = nullptr;
    for (const auto& p : rec.primitives())
        if (p.kind == kelvora::GiPrimitiveKind::kPolygon)
            polygon = &p;
    ASSERT_NE(polygon, nullptr);
    EXPECT_EQ(polygon->traits.fillType, kAcGiFillAlways);
    ASSERT_GT(polygon->points.size(), 16u);
    double area = 0.0;
    const size_t n = polygon->points.size();
    for (size_t i = 0; i < n; ++i) {
        const AcGePoint3d& p = polygon->points[i];
        const AcGePoint3d& q = polygon->points[(i + 1) % n];
        area += p.x * q.y - q.x * p.y;
        if (p.y > 1e-9) {
            // Above the axis: on the ellipse x^2/16 + y^2/4 = 1.
            EXPECT_NEAR(p.x * p.x / 16.0 + p.y * p.y / 4.0, 1.0, 1e-9) << p.x << "," << p.y;
        } else if (p.y < -1e-9) {
            // Below: on the quadratic spline, x = 4(2t - 1), y = -8t(1 - t).
            const double t = (p.x / 4.0 + 1.0) / 2.0;
            EXPECT_NEAR(p.y, -8.0 * t * (1.0 - t), 1e-9) << p.x << "," << p.y;
        }
    }
    // Half the ellipse (pi * 4 * 2 / 2) and the region between the spline and the axis (2/3 of 8 * 2).
    const double expected = std::numbers::pi * 4.0 + 2.0 / 3.0 * 16.0;
    EXPECT_NEAR(std::abs(area) / 2.0, expected, expected * 0.01);
}

// Entities as another program writes them: the ENTITIES groups of an R2010 file made by ezdxf 0.18, read by each class.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "dbelipse.h"
#include "dbents.h"
#include "dbhatch.h"
#include "dbpl.h"
#include "dbspline.h"
#include "entity_test_support.h"
#include "geell2d.h"
#include "genurb2d.h"
#include "kelvora/item_dxf_filer.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/wide_text.h"

using entitytest::expectNear;

namespace {

// Written by ezdxf 0.18.1 (an independent DXF library) into an R2010 file: a HATCH (ANSI31, a
// polyline path with a bulge and an edge path of a line, an arc, an elliptic arc and a spline), an
// LWPOLYLINE, an ELLIPSE, a TEXT and a fit-point SPLINE. One "code value" pair a line.
constexpr const char* kEzdxfEntities = R"(0 HATCH
5 2F
330 17
100 AcDbEntity
8 0
62 7
100 AcDbHatch
10 0.0
20 0.0
30 0.0
210 0.0
220 0.0
230 1.0
2 ANSI31
70 0
71 0
91 2
92 3
72 1
73 1
93 4
10 0.0
20 0.0
42 0.0
10 10.0
20 0.0
42 0.5
10 10.0
20 10.0
42 0.0
10 0.0
20 10.0
42 0.0
97 0
92 0
93 4
72 1
10 2.0
20 2.0
11 4.0
21 2.0
72 2
10 4.0
20 3.0
40 1
50 270
51 90
73 1
72 3
10 3.0
20 4.0
11 1.0
21 0.0
40 0.5
50 0
51 180
73 1
72 4
94 3
73 0
74 0
95 8
96 4
40 0.0
40 0.0
40 0.0
40 0.0
40 1.0
40 1.0
40 1.0
40 1.0
10 2.0
20 4.0
10 2.0
20 3.5
10 2.0
20 3.0
10 2.0
20 2.0
97 0
97 0
75 1
76 1
52 15.0
41 0.5
77 0
78 1
53 60.0
43 0.0
44 0.0
45 -1.3748153285
46 0.79375
79 0
98 0
0 LWPOLYLINE
5 30
330 17
100 AcDbEntity
8 0
100 AcDbPolyline
90 3
70 1
38 2.0
10 0.0
20 0.0
40 0.1
41 0.2
42 0.5
10 5.0
20 0.0
10 5.0
20 5.0
0 ELLIPSE
5 31
330 17
100 AcDbEntity
8 0
100 AcDbEllipse
10 1.0
20 2.0
30 0.0
11 3.0
21 0.0
31 0.0
40 0.25
41 0.5
42 5.0
0 TEXT
5 32
330 17
100 AcDbEntity
8 0
100 AcDbText
10 7.0
20 8.0
30 0.0
40 2.5
1 Lot 12
50 30.0
100 AcDbText
0 SPLINE
5 33
330 17
100 AcDbEntity
8 0
100 AcDbSpline
70 0
71 3
72 0
73 0
74 5
11 0.0
21 0.0
31 0.0
11 1.0
21 2.0
31 0.0
11 3.0
21 1.0
31 0.0
11 4.0
21 3.0
31 0.0
11 6.0
21 0.0
31 0.0)";

struct Record {
    std::string type;
    std::vector<std::pair<int, std::string>> groups;
};

std::vector<Record> records()
{
    std::vector<Record> out;
    std::istringstream in(kEzdxfEntities);
    std::string line;
    while (std::getline(in, line)) {
        size_t space = line.find(' ');
        int code = std::atoi(line.substr(0, space).c_str());
        std::string value = space == std::string::npos ? "" : line.substr(space + 1);
        if (code == 0)
            out.push_back({value, {}});
        else if (!out.empty())
            out.back().groups.emplace_back(code, value);
    }
    return out;
}

bool isPointCode(int code)
{
    return (code >= 10 && code <= 18) || code == 210;
}

// The groups of one record in a filer, X, Y and Z of a point joined as a text reader joins them.
// Owner references (330) are left out: they name objects of the file.
std::unique_ptr<kelvora::ItemListDxfFiler> filerOf(const Record& record, AcDbDatabase* db)
{
    auto f = std::make_unique<kelvora::ItemListDxfFiler>(db);
    f->setDwgVersion(AcDb::kDHL_1024);
    const auto& g = record.groups;
    for (size_t i = 0; i < g.size(); ++i) {
        int code = g[i].first;
        const std::string& value = g[i].second;
        if (code == 330)
            continue;
        if (isPointCode(code)) {
            AcGePoint3d p(std::atof(value.c_str()), 0.0, 0.0);
            if (i + 1 < g.size() && g[i + 1].first == code + 10)
                p.y = std::atof(g[++i].second.c_str());
            if (i + 1 < g.size() && g[i + 1].first == code + 20)
                p.z = std::atof(g[++i].second.c_str());
            f->appendPoint(code, p);
            continue;
        }
        switch (kelvora::resbufValueKind(code)) {
        case kelvora::ResbufValueKind::kReal:
            f->appendReal(code, std::atof(value.c_str()));
            break;
        case kelvora::ResbufValueKind::kShort:
        case kelvora::ResbufValueKind::kLong:
        case kelvora::ResbufValueKind::kInt64:
            f->appendInt(code, std::atol(value.c_str()));
            break;
        default:
            f->appendString(code, kelvora::fromUtf8(value).c_str());
            break;
        }
    }
    f->rewindFiler();
    return f;
}

template <class T>
std::unique_ptr<T> read(const std::string& type, AcDbDatabase* db)
{
    for (const Record& r : records()) {
        if (r.type != type)
            continue;
        auto entity = std::make_unique<T>();
        auto f = filerOf(r, db);
        EXPECT_EQ(entity->dxfInFields(f.get()), Acad::eOk) << type;
        EXPECT_TRUE(f->atEOF()) << type << ": groups left unread";
        return entity;
    }
    ADD_FAILURE() << "no " << type;
    return nullptr;
}

}  // namespace

TEST(EzdxfEntities, HatchWithEveryKindOfEdge)
{
    entitytest::WorkingDatabase db;
    auto hatch = read<AcDbHatch>("HATCH", db.get());
    ASSERT_NE(hatch, nullptr);
    EXPECT_EQ(std::wstring(hatch->patternName()), L"ANSI31");
    EXPECT_FALSE(hatch->isSolidFill());
    EXPECT_NEAR(hatch->patternAngle(), 15.0 * 3.14159265358979323846 / 180.0, 1e-12);
    EXPECT_DOUBLE_EQ(hatch->patternScale(), 0.5);
    EXPECT_EQ(hatch->hatchStyle(), AcDbHatch::kOuter);
    ASSERT_EQ(hatch->numLoops(), 2);
    AcGePoint2dArray vertices;
    AcGeDoubleArray bulges;
    Adesk::Int32 type = 0;
    ASSERT_EQ(hatch->getLoopAt(0, type, vertices, bulges), Acad::eOk);
    ASSERT_EQ(vertices.length(), 4);
    EXPECT_DOUBLE_EQ(bulges[1], 0.5);
    AcGeVoidPointerArray edges;
    AcGeIntArray types;
    ASSERT_EQ(hatch->getLoopAt(1, type, edges, types), Acad::eOk);
    ASSERT_EQ(types.length(), 4);
    EXPECT_EQ(types[0], AcDbHatch::kLine);
    EXPECT_EQ(types[1], AcDbHatch::kCirArc);
    EXPECT_EQ(types[2], AcDbHatch::kEllArc);
    EXPECT_EQ(types[3], AcDbHatch::kSpline);
    auto* arc = static_cast<AcGeCircArc2d*>(edges[1]);
    expectNear(arc->startPoint(), AcGePoint2d(4, 2));
    expectNear(arc->endPoint(), AcGePoint2d(4, 4));
    delete static_cast<AcGeLineSeg2d*>(edges[0]);
    delete arc;
    auto* ellipse = static_cast<AcGeEllipArc2d*>(edges[2]);
    ASSERT_NE(ellipse, nullptr);
    expectNear(ellipse->startPoint(), AcGePoint2d(4, 4));
    expectNear(ellipse->endPoint(), AcGePoint2d(2, 4));
    delete ellipse;
    auto* spline = static_cast<AcGeNurbCurve2d*>(edges[3]);
    ASSERT_NE(spline, nullptr);
    expectNear(spline->startPoint(), AcGePoint2d(2, 4));
    expectNear(spline->endPoint(), AcGePoint2d(2, 2));
    delete spline;
    ASSERT_EQ(hatch->numPatternDefinitions(), 1);
    // The island (the edge path) is left out of the pattern lines: none passes through (3, 3).
    ASSERT_EQ(hatch->evaluateHatch(), Acad::eOk);
    EXPECT_GT(hatch->numHatchLines(), 10);
    for (int i = 0; i < hatch->numHatchLines(); ++i) {
        AcGePoint2d a;
        AcGePoint2d b;
        hatch->getHatchLineDataAt(i, a, b);
        AcGeVector2d d = b - a;
        double len2 = d.lengthSqrd();
        if (len2 <= 0.0)
            continue;
        double t = std::clamp((AcGePoint2d(3, 3) - a).dotProduct(d) / len2, 0.0, 1.0);
        EXPECT_GT((a + d * t).distanceTo(AcGePoint2d(3, 3)), 0.3);
    }
}

TEST(EzdxfEntities, LightweightPolyline)
{
    entitytest::WorkingDatabase db;
    auto pl = read<AcDbPolyline>("LWPOLYLINE", db.get());
    ASSERT_NE(pl, nullptr);
    EXPECT_EQ(pl->numVerts(), 3u);
    EXPECT_TRUE(pl->isClosed());
    EXPECT_DOUBLE_EQ(pl->elevation(), 2.0);
    double bulge = 0.0;
    pl->getBulgeAt(0, bulge);
    EXPECT_DOUBLE_EQ(bulge, 0.5);
    double sw = 0.0;
    double ew = 0.0;
    pl->getWidthsAt(0, sw, ew);
    EXPECT_DOUBLE_EQ(sw, 0.1);
    EXPECT_DOUBLE_EQ(ew, 0.2);
}

TEST(EzdxfEntities, EllipseTextAndSpline)
{
    entitytest::WorkingDatabase db;
    auto ellipse = read<AcDbEllipse>("ELLIPSE", db.get());
    ASSERT_NE(ellipse, nullptr);
    EXPECT_DOUBLE_EQ(ellipse->radiusRatio(), 0.25);
    EXPECT_DOUBLE_EQ(ellipse->startParam(), 0.5);
    EXPECT_DOUBLE_EQ(ellipse->endParam(), 5.0);
    auto text = read<AcDbText>("TEXT", db.get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text->textStringConst()), L"Lot 12");
    EXPECT_DOUBLE_EQ(text->height(), 2.5);
    EXPECT_NEAR(text->rotation(), 30.0 * 3.14159265358979323846 / 180.0, 1e-12);
    expectNear(text->position(), AcGePoint3d(7, 8, 0));
    EXPECT_EQ(text->textStyle(), db.get()->textstyle());
    auto spline = read<AcDbSpline>("SPLINE", db.get());
    ASSERT_NE(spline, nullptr);
    EXPECT_FALSE(spline->isNull());
    EXPECT_EQ(spline->numFitPoints(), 5);
    AcGePoint3d fit;
    spline->getFitPointAt(2, fit);
    double param = 0.0;
    EXPECT_EQ(spline->getParamAtPoint(fit, param), Acad::eOk);  // the curve passes through its fit points
}

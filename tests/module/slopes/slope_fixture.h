// Test fixture: a working database with the slope class registered and fresh defaults, and outlines and limits to use.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <utility>

#include "dbapserv.h"
#include "dbents.h"
#include "dbhelpers/model_space.h"
#include "dbmain.h"
#include "slopes/slope_defaults.h"
#include "slopes/slope_entity.h"
#include "slopes/slope_strokes.h"

class SlopeTest : public ::testing::Test {
public:
    // A line of model space; its id.
    static AcDbObjectId addLine(const AcGePoint3d& a, const AcGePoint3d& b)
    {
        AcDbObjectId id;
        EXPECT_EQ(appendToModelSpace(new AcDbLine(a, b), id), Acad::eOk);
        return id;
    }

protected:
    void SetUp() override
    {
        nPolyLineTalutee::rxInit();
        acrxBuildClassHierarchy();
        kelvora::slopes::resetSlopeDefaults();
        m_previous = acdbHostApplicationServices()->workingDatabase();
        m_db = new AcDbDatabase(true);
        acdbHostApplicationServices()->setWorkingDatabase(m_db);
    }
    void TearDown() override
    {
        acdbHostApplicationServices()->setWorkingDatabase(m_previous);
        delete m_db;
        kelvora::slopes::resetSlopeDefaults();
    }

    // A slope through the given (x, y, bulge) vertices.
    static std::unique_ptr<nPolyLineTalutee> slopeThrough(std::initializer_list<std::pair<AcGePoint2d, double>> vertices,
                                                          bool closed = false)
    {
        auto slope = std::make_unique<nPolyLineTalutee>();
        unsigned i = 0;
        for (const auto& [point, bulge] : vertices)
            slope->addVertexAt(i++, point, bulge);
        slope->setClosed(closed);
        return slope;
    }
    // The straight outline from (10, 10) to (30, 10): length 20, its left side towards +y.
    static std::unique_ptr<nPolyLineTalutee> straight20() { return slopeThrough({{{10, 10}, 0.0}, {{30, 10}, 0.0}}); }

    // A lightweight polyline of model space through (x, y, bulge) vertices; its id.
    static AcDbObjectId addPolyline(std::initializer_list<std::pair<AcGePoint2d, double>> vertices, bool closed = false)
    {
        auto* polyline = new AcDbPolyline();
        unsigned i = 0;
        for (const auto& [point, bulge] : vertices)
            polyline->addVertexAt(i++, point, bulge);
        polyline->setClosed(closed);
        AcDbObjectId id;
        EXPECT_EQ(appendToModelSpace(polyline, id), Acad::eOk);
        return id;
    }

    static double strokeLength(const AcGePoint3dArray& base, const AcGePoint3dArray& end, int k)
    {
        return base[k].distanceTo(end[k]);
    }

    // Bit-for-bit equality of two point arrays: the fast passes must give exactly the pairwise result.
    static bool identical(const AcGePoint3dArray& a, const AcGePoint3dArray& b)
    {
        if (a.length() != b.length())
            return false;
        for (int i = 0; i < a.length(); ++i) {
            const double x[3] = {a[i].x, a[i].y, a[i].z};
            const double y[3] = {b[i].x, b[i].y, b[i].z};
            if (std::memcmp(x, y, sizeof x) != 0)
                return false;
        }
        return true;
    }

    AcDbDatabase* m_db = nullptr;
    AcDbDatabase* m_previous = nullptr;
};

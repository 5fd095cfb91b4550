// Test fixture: a working database with the surface class registered, and surfaces to try.
#pragma once

#include <gtest/gtest.h>

#include "dbapserv.h"
#include "dbmain.h"
#include "surfaces/ne_surface.h"

class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        NESurface::rxInit();
        acrxBuildClassHierarchy();
        m_previous = acdbHostApplicationServices()->workingDatabase();
        m_db = new AcDbDatabase(true);
        acdbHostApplicationServices()->setWorkingDatabase(m_db);
    }
    void TearDown() override
    {
        acdbHostApplicationServices()->setWorkingDatabase(m_previous);
        delete m_db;
    }

    // A closed rectangle from (x0, y0) of the given size.
    static NESurface* rectangle(double x0, double y0, double width, double height)
    {
        auto* surface = new NESurface();
        surface->addVertexAt(0, AcGePoint2d(x0, y0));
        surface->addVertexAt(1, AcGePoint2d(x0 + width, y0));
        surface->addVertexAt(2, AcGePoint2d(x0 + width, y0 + height));
        surface->addVertexAt(3, AcGePoint2d(x0, y0 + height));
        surface->setClosed(Adesk::kTrue);
        return surface;
    }

    AcDbDatabase* m_db = nullptr;
    AcDbDatabase* m_previous = nullptr;
};

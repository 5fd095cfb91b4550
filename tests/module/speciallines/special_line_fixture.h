// Test fixture: a working database with the special-line class registered, and lines to decorate.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "dbapserv.h"
#include "dbents.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "speciallines/extended_polyline.h"

class SpecialLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        eXtendedPolyline::rxInit();
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

    // An open special line through the given (x, y, bulge) vertices.
    static eXtendedPolyline* lineThrough(std::initializer_list<std::pair<AcGePoint2d, double>> vertices)
    {
        auto* line = new eXtendedPolyline();
        unsigned i = 0;
        for (const auto& [point, bulge] : vertices)
            line->addVertexAt(i++, point, bulge);
        return line;
    }
    // The 100-unit line along the X axis.
    static eXtendedPolyline* line100() { return lineThrough({{{0, 0}, 0.0}, {{100, 0}, 0.0}}); }

    // A block of that name holding one line from (-1, 0) to (1, 0); its id.
    AcDbObjectId addBlock(const ACHAR* name)
    {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(m_db->getSymbolTable(table, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbBlockTableRecord();
        record->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, record), Acad::eOk);
        auto* stroke = new AcDbLine(AcGePoint3d(-1, 0, 0), AcGePoint3d(1, 0, 0));
        record->appendAcDbEntity(stroke);
        stroke->close();
        record->close();
        table->close();
        return id;
    }

    AcDbDatabase* m_db = nullptr;
    AcDbDatabase* m_previous = nullptr;
};

// Shared set-up of the entity tests: a working database, appending to model space, points compared with a tolerance.
#pragma once

#include <gtest/gtest.h>

#include "dbmain.h"
#include "gepnt2d.h"
#include "gepnt3d.h"

namespace entitytest {

// A database with the default drawing, the working database for the test's life; the entity classes
// are registered first.
class WorkingDatabase {
public:
    WorkingDatabase();
    ~WorkingDatabase();
    WorkingDatabase(const WorkingDatabase&) = delete;
    WorkingDatabase& operator=(const WorkingDatabase&) = delete;
    AcDbDatabase* get() const { return m_db; }

private:
    AcDbDatabase* m_db;
    AcDbDatabase* m_previous;
};

// Appends to model space and closes; the id (null on failure).
AcDbObjectId addToModelSpace(AcDbDatabase* db, AcDbEntity* entity);

// Points are compared to 1e-9: the geometry here is exact up to a few units in the last place.
constexpr double kTol = 1e-9;

inline void expectNear(const AcGePoint3d& a, const AcGePoint3d& b, double tol = kTol)
{
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

inline void expectNear(const AcGePoint2d& a, const AcGePoint2d& b, double tol = kTol)
{
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
}

}  // namespace entitytest

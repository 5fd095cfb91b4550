// A small custom entity for the database tests: a marked point with a label, filed and drawn like a module's entity.
#pragma once

#include <string>

#include "dbmain.h"
#include "dbsymtb.h"
#include "rxboiler.h"

// A centre, a radius and a label. It draws a circle, a cross (polyline), an arc and its label, so
// every common primitive is exercised; it files its own fields after AcDbEntity's, in DWG and DXF.
class TestDot : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(TestDot);
    TestDot() = default;
    TestDot(const AcGePoint3d& centre, double radius, const wchar_t* label)
        : m_centre(centre), m_radius(radius), m_label(label)
    {
    }

    AcGePoint3d centre() const
    {
        assertReadEnabled();
        return m_centre;
    }
    void setCentre(const AcGePoint3d& c)
    {
        assertWriteEnabled();
        m_centre = c;
    }
    double radius() const
    {
        assertReadEnabled();
        return m_radius;
    }
    void setRadius(double r)
    {
        assertWriteEnabled();
        m_radius = r;
    }
    const std::wstring& label() const
    {
        assertReadEnabled();
        return m_label;
    }
    void setLabel(const wchar_t* label)
    {
        assertWriteEnabled();
        m_label = label;
    }

    Adesk::Boolean worldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    using AcDbEntity::getGripPoints;
    using AcDbEntity::moveGripPointsAt;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    // Counts of hook calls, for the tests of the object life cycle.
    static int s_erases;

protected:
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

private:
    AcGePoint3d m_centre;
    double m_radius = 1.0;
    std::wstring m_label;
};

// Another custom class, to stand in for a replacement of a different class (handOverTo).
class TestTag : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(TestTag);
    TestTag() = default;
    explicit TestTag(int number) : m_number(number) {}
    int number() const
    {
        assertReadEnabled();
        return m_number;
    }
    void setNumber(int n)
    {
        assertWriteEnabled();
        m_number = n;
    }
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

private:
    int m_number = 0;
};

// Registers the test classes once.
void registerTestClasses();

// A database with the default drawing, made the working database for the test's life.
class ScopedDatabase {
public:
    ScopedDatabase();
    ~ScopedDatabase();
    ScopedDatabase(const ScopedDatabase&) = delete;
    ScopedDatabase& operator=(const ScopedDatabase&) = delete;
    AcDbDatabase* operator->() const { return m_db; }
    AcDbDatabase* get() const { return m_db; }

private:
    AcDbDatabase* m_db;
    AcDbDatabase* m_previous;
};

// Appends an entity to model space and closes it; answers its id (null on failure).
AcDbObjectId appendToModelSpace(AcDbDatabase* db, AcDbEntity* ent);
// Registers an application name (for extended data) in the drawing.
void addRegApp(AcDbDatabase* db, const wchar_t* name);
// Adds a layer (closed) and answers its id.
AcDbObjectId addLayer(AcDbDatabase* db, const wchar_t* name, bool locked = false);

// AcDbGripData: one grip of an entity (its point and the entity's own data for it).
#pragma once

#include "dbmain.h"

// The host keeps the point and the application data; the drawing call-backs of the commercial API
// are not used by this host.
class AcDbGripData {
public:
    AcDbGripData() = default;
    AcDbGripData(const AcGePoint3d& pt, void* appData) : m_point(pt), m_appData(appData) {}
    virtual ~AcDbGripData() = default;

    void setAllData(const AcGePoint3d& pt, void* appData)
    {
        m_point = pt;
        m_appData = appData;
    }
    const AcGePoint3d& gripPoint() const { return m_point; }
    void setGripPoint(const AcGePoint3d& pt) { m_point = pt; }
    void* appData() const { return m_appData; }
    void setAppData(void* appData) { m_appData = appData; }
    const AcGePoint3d* alternateBasePoint() const { return m_hasAlternateBase ? &m_alternateBase : nullptr; }
    void setAlternateBasePoint(const AcGePoint3d* pt)
    {
        m_hasAlternateBase = pt != nullptr;
        if (pt != nullptr)
            m_alternateBase = *pt;
    }

private:
    AcGePoint3d m_point;
    AcGePoint3d m_alternateBase;
    void* m_appData = nullptr;
    bool m_hasAlternateBase = false;
};

// The application data that AcDbEntity's default grip-data form gives grip `index` of the point form:
// a tagged value far from small integers, so an entity that adds grips with small numbers as data
// (1000, 1001...) never collides with it. acdbGripIndexFromAppData answers -1 for untagged data.
void* acdbGripIndexAppData(int index);
int acdbGripIndexFromAppData(const void* appData);

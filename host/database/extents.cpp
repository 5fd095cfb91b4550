// AcDbExtents: an axis-aligned box that grows by points, boxes and blocks.
#include <algorithm>

#include "dbsymtb.h"

namespace {

// The empty box: minimum above maximum on every axis.
constexpr double kEmpty = 1e20;

}  // namespace

AcDbExtents::AcDbExtents() : m_min(kEmpty, kEmpty, kEmpty), m_max(-kEmpty, -kEmpty, -kEmpty) {}

AcDbExtents::AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) : m_min(min), m_max(max) {}

Acad::ErrorStatus AcDbExtents::set(const AcGePoint3d& min, const AcGePoint3d& max)
{
    if (min.x > max.x || min.y > max.y || min.z > max.z)
        return Acad::eInvalidExtents;
    m_min = min;
    m_max = max;
    return Acad::eOk;
}

void AcDbExtents::addPoint(const AcGePoint3d& pt)
{
    m_min.set(std::min(m_min.x, pt.x), std::min(m_min.y, pt.y), std::min(m_min.z, pt.z));
    m_max.set(std::max(m_max.x, pt.x), std::max(m_max.y, pt.y), std::max(m_max.z, pt.z));
}

void AcDbExtents::addExt(const AcDbExtents& src)
{
    if (!src.isValid())
        return;
    addPoint(src.m_min);
    addPoint(src.m_max);
}

Acad::ErrorStatus AcDbExtents::addBlockExt(AcDbBlockTableRecord* pBTR)
{
    if (pBTR == nullptr)
        return Acad::eNullObjectPointer;
    AcDbBlockTableRecordIterator* it = nullptr;
    Acad::ErrorStatus es = pBTR->newIterator(it);
    if (es != Acad::eOk)
        return es;
    for (; !it->done(); it->step()) {
        AcDbEntity* ent = nullptr;
        if (it->getEntity(ent, AcDb::kForRead) != Acad::eOk)
            continue;
        AcDbExtents box;
        if (ent->visibility() == AcDb::kVisible && ent->getGeomExtents(box) == Acad::eOk)
            addExt(box);
        ent->close();
    }
    delete it;
    return Acad::eOk;
}

void AcDbExtents::expandBy(const AcGeVector3d& vec)
{
    AcGePoint3d a = m_min + vec;
    AcGePoint3d b = m_max + vec;
    addPoint(a);
    addPoint(b);
}

void AcDbExtents::transformBy(const AcGeMatrix3d& mat)
{
    if (!isValid())
        return;
    AcGePoint3d corners[8];
    for (int i = 0; i < 8; ++i)
        corners[i].set((i & 1) ? m_max.x : m_min.x, (i & 2) ? m_max.y : m_min.y, (i & 4) ? m_max.z : m_min.z);
    *this = AcDbExtents();
    for (AcGePoint3d& c : corners)
        addPoint(mat * c);
}

bool AcDbExtents::isValid() const
{
    return m_min.x <= m_max.x && m_min.y <= m_max.y && m_min.z <= m_max.z;
}

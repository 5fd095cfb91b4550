// The custom test entities and the database fixtures shared by the database tests.
#include "test_entity.h"

#include <gtest/gtest.h>

#include "acgi.h"
#include "dbapserv.h"
#include "filing_helpers_for_tests.h"

ACRX_DXF_DEFINE_MEMBERS(TestDot, AcDbEntity, AcDb::kDHL_1021, AcDb::kMReleaseCurrent, 0, KVTESTDOT, KELVORATEST)
ACRX_DXF_DEFINE_MEMBERS(TestTag, AcDbEntity, AcDb::kDHL_1021, AcDb::kMReleaseCurrent, 0, KVTESTTAG, KELVORATEST)

int TestDot::s_erases = 0;

void registerTestClasses()
{
    TestDot::rxInit();
    TestTag::rxInit();
    acrxBuildClassHierarchy();
}

Adesk::Boolean TestDot::worldDraw(AcGiWorldDraw* wd)
{
    assertReadEnabled();
    AcGiWorldGeometry& g = wd->geometry();
    g.circle(m_centre, m_radius, AcGeVector3d::kZAxis);
    AcGePoint3d cross[2] = {m_centre - AcGeVector3d(m_radius, 0, 0), m_centre + AcGeVector3d(m_radius, 0, 0)};
    wd->subEntityTraits().setColor(1);
    g.polyline(2, cross);
    g.circularArc(m_centre, m_radius * 2.0, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 3.14159265358979323846 / 2.0);
    if (!m_label.empty() && !wd->isDragging()) {
        AcGiTextStyle style;
        style.setTextSize(m_radius);
        g.text(m_centre + AcGeVector3d(0, m_radius * 3.0, 0), AcGeVector3d::kZAxis, AcGeVector3d::kXAxis,
               m_label.c_str(), -1, false, style);
    }
    return true;
}

Acad::ErrorStatus TestDot::transformBy(const AcGeMatrix3d& xform)
{
    assertWriteEnabled();
    m_centre.transformBy(xform);
    m_radius *= xform.scale();
    return Acad::eOk;
}

Acad::ErrorStatus TestDot::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    gripPoints.append(m_centre);
    gripPoints.append(m_centre + AcGeVector3d(m_radius, 0, 0));
    return Acad::eOk;
}

Acad::ErrorStatus TestDot::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    for (int i = 0; i < indices.length(); ++i) {
        if (indices[i] == 0)
            m_centre += offset;
        else if (indices[i] == 1)
            m_radius += offset.x;
        else
            return Acad::eInvalidIndex;
    }
    return Acad::eOk;
}

Acad::ErrorStatus TestDot::subErase(Adesk::Boolean erasing)
{
    ++s_erases;
    return AcDbEntity::subErase(erasing);
}

Acad::ErrorStatus TestDot::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writePoint3d(m_centre);
    filer->writeDouble(m_radius);
    filer->writeString(m_label.c_str());
    return filer->filerStatus();
}

Acad::ErrorStatus TestDot::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk)
        return es;
    ACHAR* label = nullptr;
    if ((es = filer->readPoint3d(&m_centre)) != Acad::eOk || (es = filer->readDouble(&m_radius)) != Acad::eOk ||
        (es = filer->readString(&label)) != Acad::eOk)
        return es;
    m_label = label != nullptr ? label : L"";
    delete[] label;
    return Acad::eOk;
}

Acad::ErrorStatus TestDot::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeString(AcDb::kDxfSubclass, L"TestDot");
    filer->writePoint3d(AcDb::kDxfXCoord, m_centre);
    filer->writeDouble(AcDb::kDxfReal, m_radius);
    filer->writeString(AcDb::kDxfText, m_label.c_str());
    return filer->filerStatus();
}

Acad::ErrorStatus TestDot::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    if (!filer->atSubclassData(L"TestDot"))
        return Acad::eBadDxfSequence;
    while (true) {
        TestDxfItem item;
        es = filer->readResBuf(&item.rb);
        if (es == Acad::eEndOfObject || es == Acad::eEndOfFile)
            return Acad::eOk;
        if (es != Acad::eOk)
            return es;
        switch (item.rb.restype) {
        case AcDb::kDxfXCoord:
            m_centre.set(item.rb.resval.rpoint[0], item.rb.resval.rpoint[1], item.rb.resval.rpoint[2]);
            break;
        case AcDb::kDxfReal:
            m_radius = item.rb.resval.rreal;
            break;
        case AcDb::kDxfText:
            m_label = item.rb.resval.rstring;
            break;
        default:
            filer->pushBackItem();
            return Acad::eOk;
        }
    }
}

Acad::ErrorStatus TestTag::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeInt32(m_number);
    return filer->filerStatus();
}

Acad::ErrorStatus TestTag::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk)
        return es;
    Adesk::Int32 n = 0;
    if ((es = filer->readInt32(&n)) != Acad::eOk)
        return es;
    m_number = n;
    return Acad::eOk;
}

ScopedDatabase::ScopedDatabase()
    : m_db(new AcDbDatabase(true)), m_previous(acdbHostApplicationServices()->workingDatabase())
{
    registerTestClasses();
    acdbHostApplicationServices()->setWorkingDatabase(m_db);
}

ScopedDatabase::~ScopedDatabase()
{
    delete m_db;
    acdbHostApplicationServices()->setWorkingDatabase(m_previous);
}

AcDbObjectId appendToModelSpace(AcDbDatabase* db, AcDbEntity* ent)
{
    AcDbBlockTableRecord* ms = nullptr;
    if (acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk)
        return AcDbObjectId();
    AcDbObjectId id;
    Acad::ErrorStatus es = ms->appendAcDbEntity(id, ent);
    ms->close();
    if (es != Acad::eOk)
        return AcDbObjectId();
    ent->close();
    return id;
}

AcDbObjectId addLayer(AcDbDatabase* db, const wchar_t* name, bool locked)
{
    AcDbLayerTable* table = nullptr;
    if (db->getLayerTable(table, AcDb::kForWrite) != Acad::eOk)
        return AcDbObjectId();
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(name);
    layer->setIsLocked(locked);
    AcDbObjectId id;
    if (table->add(id, layer) != Acad::eOk) {
        delete layer;
        table->close();
        return AcDbObjectId();
    }
    layer->close();
    table->close();
    return id;
}

void addRegApp(AcDbDatabase* db, const wchar_t* name)
{
    AcDbRegAppTable* table = nullptr;
    ASSERT_EQ(db->getRegAppTable(table, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbRegAppTableRecord();
    rec->setName(name);
    ASSERT_EQ(table->add(rec), Acad::eOk);
    rec->close();
    table->close();
}

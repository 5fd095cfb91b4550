// TestLink: filing of its pointers, ownership and number.
#include "test_link.h"

#include "dbfiler.h"

ACRX_DXF_DEFINE_MEMBERS(TestLink, AcDbObject, AcDb::kDHL_1021, AcDb::kMReleaseCurrent, 0, KVTESTLINK, KELVORATEST)

void registerTestLink()
{
    TestLink::rxInit();
    acrxBuildClassHierarchy();
}

Acad::ErrorStatus TestLink::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeHardPointerId(hardTarget);
    filer->writeSoftPointerId(softTarget);
    filer->writeHardOwnershipId(ownedObject);
    filer->writeInt32(number);
    return filer->filerStatus();
}

Acad::ErrorStatus TestLink::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk)
        return es;
    AcDbHardPointerId hard;
    AcDbSoftPointerId soft;
    AcDbHardOwnershipId owned;
    Adesk::Int32 n = 0;
    if ((es = filer->readHardPointerId(&hard)) != Acad::eOk || (es = filer->readSoftPointerId(&soft)) != Acad::eOk ||
        (es = filer->readHardOwnershipId(&owned)) != Acad::eOk || (es = filer->readInt32(&n)) != Acad::eOk)
        return es;
    hardTarget = hard;
    softTarget = soft;
    ownedObject = owned;
    number = n;
    return Acad::eOk;
}

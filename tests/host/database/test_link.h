// Test objects for reactors and deep cloning: a non-entity object that points at others and counts the events it hears.
#pragma once

#include "dbmain.h"
#include "rxboiler.h"

// Files a hard pointer, a soft pointer and a hard ownership id (the object it owns is cloned with it),
// and a number. As a persistent reactor it counts the events it hears (counts are not filed).
class TestLink : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(TestLink);
    TestLink() = default;

    AcDbObjectId hardTarget;
    AcDbObjectId softTarget;
    AcDbObjectId ownedObject;
    int number = 0;

    void setNumber(int n)
    {
        assertWriteEnabled();
        number = n;
    }

    int modifiedCount = 0;
    int openedForModifyCount = 0;
    int cancelledCount = 0;
    int copiedCount = 0;
    int erasedCount = 0;

    void modified(const AcDbObject*) override { ++modifiedCount; }
    void openedForModify(const AcDbObject*) override { ++openedForModifyCount; }
    void cancelled(const AcDbObject*) override { ++cancelledCount; }
    void copied(const AcDbObject*, const AcDbObject*) override { ++copiedCount; }
    void erased(const AcDbObject*, Adesk::Boolean) override { ++erasedCount; }

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
};

// A transient reactor that counts every event.
class CountingReactor : public AcDbObjectReactor {
public:
    int openedForModifyCount = 0;
    int modifiedCount = 0;
    int modifiedXDataCount = 0;
    int erasedCount = 0;
    int unerasedCount = 0;
    int cancelledCount = 0;
    int copiedCount = 0;
    int closedCount = 0;
    int goodbyeCount = 0;
    const AcDbObject* lastCopy = nullptr;
    bool cancellingSeen = false;

    void reset()
    {
        openedForModifyCount = modifiedCount = modifiedXDataCount = erasedCount = unerasedCount = 0;
        cancelledCount = copiedCount = closedCount = goodbyeCount = 0;
        lastCopy = nullptr;
        cancellingSeen = false;
    }

    void openedForModify(const AcDbObject*) override { ++openedForModifyCount; }
    void modified(const AcDbObject*) override { ++modifiedCount; }
    void modifiedXData(const AcDbObject*) override { ++modifiedXDataCount; }
    void erased(const AcDbObject*, Adesk::Boolean erasing) override { ++(erasing ? erasedCount : unerasedCount); }
    void cancelled(const AcDbObject* obj) override
    {
        ++cancelledCount;
        cancellingSeen = obj->isCancelling();
    }
    void copied(const AcDbObject*, const AcDbObject* newObj) override
    {
        ++copiedCount;
        lastCopy = newObj;
    }
    void objectClosed(const AcDbObjectId) override { ++closedCount; }
    void goodbye(const AcDbObject*) override { ++goodbyeCount; }
};

void registerTestLink();

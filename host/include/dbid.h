// AcDbObjectId: a typed reference to one object of a drawing, through the database's record of it.
#pragma once

#include "acarray.h"
#include "dbhandle.h"

class AcDbDatabase;
class AcDbStub;
class AcRxClass;

// An id points to the database's record for one object (a stub). The record lives as long as its
// database and never moves, so an id stays valid while the object is erased, replaced through
// handOverTo, or restored by undo. Ids of one database order by handle, so sorted containers of ids
// iterate in a reproducible order.
class AcDbObjectId {
public:
    AcDbObjectId() = default;
    AcDbObjectId(const AcDbStub* stub) : m_stub(const_cast<AcDbStub*>(stub)) {}  // NOLINT

    static const AcDbObjectId kNull;

    bool isNull() const { return m_stub == nullptr; }
    void setNull() { m_stub = nullptr; }
    // Not null, and the database holds an object under it (erased or not).
    bool isValid() const;
    bool isErased() const;
    bool isEffectivelyErased() const;
    bool isResident() const;
    bool isWellBehaved() const;
    bool objectLeftOnDisk() const { return false; }

    AcDbDatabase* database() const;
    AcDbDatabase* originalDatabase() const { return database(); }
    AcDbHandle handle() const;
    AcDbHandle nonForwardedHandle() const { return handle(); }
    // The class of the object under this id; null when there is none.
    AcRxClass* objectClass() const;

    // The raw value of the id (the stub's address), as the commercial host exposes it.
    Adesk::IntPtr asOldId() const { return reinterpret_cast<Adesk::IntPtr>(m_stub); }
    AcDbObjectId& setFromOldId(Adesk::IntPtr oldId)
    {
        m_stub = reinterpret_cast<AcDbStub*>(oldId);
        return *this;
    }

    bool operator==(const AcDbObjectId& id) const { return m_stub == id.m_stub; }
    bool operator!=(const AcDbObjectId& id) const { return m_stub != id.m_stub; }
    bool operator<(const AcDbObjectId& id) const;
    bool operator>(const AcDbObjectId& id) const { return id < *this; }
    bool operator<=(const AcDbObjectId& id) const { return !(id < *this); }
    bool operator>=(const AcDbObjectId& id) const { return !(*this < id); }
    bool operator==(const AcDbStub* stub) const { return m_stub == stub; }
    bool operator!=(const AcDbStub* stub) const { return m_stub != stub; }

    operator AcDbStub*() const { return m_stub; }  // NOLINT

protected:
    AcDbStub* m_stub = nullptr;
};

// The four kinds of references an object files; all are ids, the kind tells the filer how to treat them.
class AcDbHardOwnershipId : public AcDbObjectId {
public:
    AcDbHardOwnershipId() = default;
    AcDbHardOwnershipId(const AcDbObjectId& id) : AcDbObjectId(id) {}  // NOLINT
    AcDbHardOwnershipId(const AcDbStub* stub) : AcDbObjectId(stub) {}  // NOLINT
};

class AcDbSoftOwnershipId : public AcDbObjectId {
public:
    AcDbSoftOwnershipId() = default;
    AcDbSoftOwnershipId(const AcDbObjectId& id) : AcDbObjectId(id) {}  // NOLINT
    AcDbSoftOwnershipId(const AcDbStub* stub) : AcDbObjectId(stub) {}  // NOLINT
};

class AcDbHardPointerId : public AcDbObjectId {
public:
    AcDbHardPointerId() = default;
    AcDbHardPointerId(const AcDbObjectId& id) : AcDbObjectId(id) {}  // NOLINT
    AcDbHardPointerId(const AcDbStub* stub) : AcDbObjectId(stub) {}  // NOLINT
};

class AcDbSoftPointerId : public AcDbObjectId {
public:
    AcDbSoftPointerId() = default;
    AcDbSoftPointerId(const AcDbObjectId& id) : AcDbObjectId(id) {}  // NOLINT
    AcDbSoftPointerId(const AcDbStub* stub) : AcDbObjectId(stub) {}  // NOLINT
};

typedef AcArray<AcDbObjectId> AcDbObjectIdArray;

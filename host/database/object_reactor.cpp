// Transient reactors: AcDbObjectReactor's default events and AcDbObject's list of them.
#include "kelvora/host_class.h"
#include "object_access.h"

KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcDbObjectReactor, AcRxObject, nullptr)

void AcDbObjectReactor::cancelled(const AcDbObject*) {}

void AcDbObjectReactor::copied(const AcDbObject*, const AcDbObject*) {}

void AcDbObjectReactor::erased(const AcDbObject*, Adesk::Boolean) {}

void AcDbObjectReactor::goodbye(const AcDbObject*) {}

void AcDbObjectReactor::openedForModify(const AcDbObject*) {}

void AcDbObjectReactor::modified(const AcDbObject*) {}

void AcDbObjectReactor::modifiedXData(const AcDbObject*) {}

void AcDbObjectReactor::objectClosed(const AcDbObjectId) {}

// The list is not part of the object's data: adding a reactor is no change (no open needed, no undo).
void AcDbObject::addReactor(AcDbObjectReactor* pReactor) const
{
    if (pReactor == nullptr)
        return;
    if (m_transientReactors == nullptr)
        m_transientReactors = new AcDbVoidPtrArray();
    if (!m_transientReactors->contains(pReactor))
        m_transientReactors->append(pReactor);
}

void AcDbObject::removeReactor(AcDbObjectReactor* pReactor) const
{
    if (m_transientReactors != nullptr)
        m_transientReactors->remove(pReactor);
}

const AcDbVoidPtrArray* AcDbObject::reactors() const
{
    return m_transientReactors != nullptr && !m_transientReactors->isEmpty() ? m_transientReactors : nullptr;
}

// AcDbObject filing: the common object data in DWG and DXF form, and extended data.
#include <cwchar>

#include "acutads.h"
#include "dbsymtb.h"
#include "filing_util.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/wide_text.h"
#include "object_access.h"

using kelvora::ObjectAccess;

namespace {

// A group read from a DXF filer; its value is freed when it goes out of scope.
struct DxfItem {
    resbuf rb{};
    DxfItem() { rb.restype = 0; }
    ~DxfItem() { kelvora::clearResbufValue(rb); }
    DxfItem(const DxfItem&) = delete;
    DxfItem& operator=(const DxfItem&) = delete;
    const wchar_t* text() const { return rb.resval.rstring != nullptr ? rb.resval.rstring : L""; }
};

bool isCopyFiler(AcDb::FilerType t)
{
    return t == AcDb::kCopyFiler || t == AcDb::kDeepCloneFiler || t == AcDb::kWblockCloneFiler;
}

bool isXdataCode(int code)
{
    return code >= 1000 && code <= 1071;
}

// Splits an extended-data list into its applications' parts (each starting with its 1001 group).
std::vector<resbuf*> splitApplications(resbuf* list)
{
    std::vector<resbuf*> parts;
    resbuf* prev = nullptr;
    for (resbuf* rb = list; rb != nullptr;) {
        resbuf* next = rb->rbnext;
        if (rb->restype == AcDb::kDxfRegAppName || rb == list) {
            if (prev != nullptr)
                prev->rbnext = nullptr;
            parts.push_back(rb);
        }
        prev = rb;
        rb = next;
    }
    return parts;
}

resbuf* joinApplications(const std::vector<resbuf*>& parts)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (resbuf* part : parts) {
        if (part == nullptr)
            continue;
        if (tail == nullptr)
            head = part;
        else
            tail->rbnext = part;
        tail = kelvora::lastResbuf(part);
    }
    return head;
}

const wchar_t* appNameOf(const resbuf* part)
{
    return part->resval.rstring != nullptr ? part->resval.rstring : L"";
}

}  // namespace

// ----- DWG ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbObject::dwgIn(AcDbDwgFiler* pFiler)
{
    if (pFiler == nullptr)
        return Acad::eNullObjectPointer;
    return dwgInFields(pFiler);
}

Acad::ErrorStatus AcDbObject::dwgOut(AcDbDwgFiler* pFiler) const
{
    if (pFiler == nullptr)
        return Acad::eNullObjectPointer;
    return dwgOutFields(pFiler);
}

Acad::ErrorStatus AcDbObject::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    if (pFiler == nullptr)
        return Acad::eNullObjectPointer;
    const AcDb::FilerType type = pFiler->filerType();
    const bool copy = isCopyFiler(type);
    if (type == AcDb::kFileFiler)
        pFiler->writeAcDbHandle(m_stub != nullptr ? m_stub->handle : m_pendingHandle);
    // A copy is a new object: it has no owner, reactors or extension dictionary of its own yet.
    pFiler->writeSoftPointerId(copy ? AcDbObjectId() : m_ownerId);
    pFiler->writeInt32(copy ? 0 : static_cast<Adesk::Int32>(m_reactorIds.size()));
    if (!copy)
        for (const AcDbObjectId& id : m_reactorIds)
            pFiler->writeSoftPointerId(id);
    pFiler->writeHardOwnershipId(copy ? AcDbObjectId() : m_extDictId);
    kelvora::writeResbufList(pFiler, m_xdata);
    kelvora::writeResbufList(pFiler, m_keptDxfGroups);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbObject::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    if (pFiler == nullptr)
        return Acad::eNullObjectPointer;
    const AcDb::FilerType type = pFiler->filerType();
    const bool copy = isCopyFiler(type);
    Acad::ErrorStatus es = Acad::eOk;
    if (type == AcDb::kFileFiler) {
        AcDbHandle h;
        if ((es = pFiler->readAcDbHandle(&h)) != Acad::eOk)
            return es;
        if (m_stub == nullptr)
            m_pendingHandle = h;
    }
    AcDbSoftPointerId owner;
    if ((es = pFiler->readSoftPointerId(&owner)) != Acad::eOk)
        return es;
    Adesk::Int32 count = 0;
    if ((es = pFiler->readInt32(&count)) != Acad::eOk)
        return es;
    if (count < 0)
        return Acad::eFilerError;
    std::vector<AcDbObjectId> reactors;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        AcDbSoftPointerId id;
        if ((es = pFiler->readSoftPointerId(&id)) != Acad::eOk)
            return es;
        reactors.push_back(id);
    }
    AcDbHardOwnershipId dict;
    if ((es = pFiler->readHardOwnershipId(&dict)) != Acad::eOk)
        return es;
    resbuf* xdata = nullptr;
    if ((es = kelvora::readResbufList(pFiler, xdata)) != Acad::eOk)
        return es;
    resbuf* kept = nullptr;
    if ((es = kelvora::readResbufList(pFiler, kept)) != Acad::eOk) {
        acutRelRb(xdata);
        return es;
    }
    if (!copy) {
        m_ownerId = owner;
        m_reactorIds = reactors;
        m_extDictId = dict;
    }
    acutRelRb(m_xdata);
    m_xdata = xdata;
    acutRelRb(m_keptDxfGroups);
    m_keptDxfGroups = kept;
    return Acad::eOk;
}

// ----- DXF ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbObject::dxfIn(AcDbDxfFiler* pFiler)
{
    if (pFiler == nullptr)
        return Acad::eNullObjectPointer;
    Acad::ErrorStatus es = dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    resbuf* xdata = nullptr;
    int skipped = 0;
    while (true) {
        DxfItem item;
        es = pFiler->readResBuf(&item.rb);
        if (kelvora::isEndOfData(es))
            break;
        if (es != Acad::eOk) {
            acutRelRb(xdata);
            return es;
        }
        if (isXdataCode(item.rb.restype))
            kelvora::appendToList(xdata, item.rb);
        else
            ++skipped;
    }
    if (skipped > 0)
        pFiler->setError(ACRX_T("%d group(s) after the object's data were not read"), skipped);
    if (xdata != nullptr) {
        acutRelRb(m_xdata);
        m_xdata = xdata;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::dxfOut(AcDbDxfFiler* pFiler, Adesk::Boolean, Adesk::UInt8*) const
{
    if (pFiler == nullptr)
        return Acad::eNullObjectPointer;
    Acad::ErrorStatus es = dxfOutFields(pFiler);
    if (es != Acad::eOk || m_xdata == nullptr)
        return es;
    if ((es = pFiler->writeXDataStart()) != Acad::eOk)
        return es;
    return kelvora::writeResbufsToDxf(pFiler, m_xdata);
}

Acad::ErrorStatus AcDbObject::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    if (pFiler == nullptr)
        return Acad::eNullObjectPointer;
    AcDbHandle handle = m_stub != nullptr ? m_stub->handle : m_pendingHandle;
    // Dimension styles carry their handle in group 105 (5 is one of their variables).
    const AcDb::DxfCode handleCode =
        isKindOf(AcDbDimStyleTableRecord::desc()) ? AcDb::kDxfDimVarHandle : AcDb::kDxfHandle;
    if (!handle.isNull())
        pFiler->writeAcDbHandle(handleCode, handle);
    kelvora::writeResbufsToDxf(pFiler, m_keptDxfGroups);
    if (!m_reactorIds.empty()) {
        pFiler->writeString(AcDb::kDxfControlString, ACRX_T("{ACAD_REACTORS"));
        for (const AcDbObjectId& id : m_reactorIds)
            pFiler->writeObjectId(AcDb::kDxfSoftPointerId, id);
        pFiler->writeString(AcDb::kDxfControlString, ACRX_T("}"));
    }
    if (!m_extDictId.isNull() && !m_extDictId.isErased()) {
        pFiler->writeString(AcDb::kDxfControlString, ACRX_T("{ACAD_XDICTIONARY"));
        pFiler->writeObjectId(AcDb::kDxfHardOwnershipId, m_extDictId);
        pFiler->writeString(AcDb::kDxfControlString, ACRX_T("}"));
    }
    if (!m_ownerId.isNull())
        pFiler->writeObjectId(AcDb::kDxfSoftPointerId, m_ownerId);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbObject::dxfInFields(AcDbDxfFiler* pFiler)
{
    assertWriteEnabled();
    if (pFiler == nullptr)
        return Acad::eNullObjectPointer;
    while (true) {
        DxfItem item;
        Acad::ErrorStatus es = pFiler->readResBuf(&item.rb);
        if (kelvora::isEndOfData(es))
            return Acad::eOk;
        if (es != Acad::eOk)
            return es;
        const int code = item.rb.restype;
        if (code == AcDb::kDxfHandle || code == AcDb::kDxfDimVarHandle) {
            if (m_stub == nullptr)
                m_pendingHandle = AcDbHandle(item.text());
            continue;
        }
        if (code == AcDb::kDxfSoftPointerId) {
            m_ownerId = kelvora::idFromResbuf(item.rb);
            continue;
        }
        if (code != AcDb::kDxfControlString) {
            pFiler->pushBackItem();
            return Acad::eOk;
        }
        // A 102 group: reactors, extension dictionary, or an application's group kept as read.
        std::wstring opener = item.text();
        const bool reactors = opener == L"{ACAD_REACTORS";
        const bool xdictionary = opener == L"{ACAD_XDICTIONARY";
        if (reactors)
            m_reactorIds.clear();
        if (!reactors && !xdictionary)
            kelvora::appendToList(m_keptDxfGroups, item.rb);
        while (true) {
            DxfItem inner;
            es = pFiler->readResBuf(&inner.rb);
            if (kelvora::isEndOfData(es))
                return Acad::eOk;
            if (es != Acad::eOk)
                return es;
            if (inner.rb.restype == AcDb::kDxfControlString && std::wcscmp(inner.text(), L"}") == 0) {
                if (!reactors && !xdictionary)
                    kelvora::appendToList(m_keptDxfGroups, inner.rb);
                break;
            }
            if (reactors && inner.rb.restype == AcDb::kDxfSoftPointerId) {
                AcDbObjectId id = kelvora::idFromResbuf(inner.rb);
                if (!id.isNull())
                    m_reactorIds.push_back(id);
            } else if (xdictionary && inner.rb.restype == AcDb::kDxfHardOwnershipId) {
                m_extDictId = kelvora::idFromResbuf(inner.rb);
            } else if (!reactors && !xdictionary) {
                kelvora::appendToList(m_keptDxfGroups, inner.rb);
            }
        }
    }
}

// ----- Extended data ------------------------------------------------------------------------------

resbuf* AcDbObject::xData(const ACHAR* regappName) const
{
    assertReadEnabled();
    if (regappName == nullptr)
        return kelvora::copyResbufList(m_xdata);
    for (const resbuf* rb = m_xdata; rb != nullptr; rb = rb->rbnext) {
        if (rb->restype != AcDb::kDxfRegAppName || !kelvora::namesEqual(appNameOf(rb), regappName))
            continue;
        resbuf* head = nullptr;
        resbuf* tail = nullptr;
        for (const resbuf* p = rb; p != nullptr && (p == rb || p->restype != AcDb::kDxfRegAppName); p = p->rbnext) {
            resbuf* c = kelvora::copyResbuf(p);
            if (tail == nullptr)
                head = c;
            else
                tail->rbnext = c;
            tail = c;
        }
        return head;
    }
    return nullptr;
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (xdata == nullptr)
        return Acad::eOk;
    if (xdata->restype != AcDb::kDxfRegAppName)
        return Acad::eInvalidResBuf;
    AcDbDatabase* db = kelvora::resolvingDatabase(this);
    for (const resbuf* rb = xdata; rb != nullptr; rb = rb->rbnext) {
        if (!isXdataCode(rb->restype))
            return Acad::eInvalidResBuf;
        if (rb->restype == AcDb::kDxfRegAppName) {
            if (rb->resval.rstring == nullptr || *rb->resval.rstring == L'\0')
                return Acad::eInvalidResBuf;
            if (db != nullptr && kelvora::findRecord(db->regAppTableId(), rb->resval.rstring).isNull())
                return Acad::eRegappIdNotFound;
        }
    }
    assertWriteEnabled();
    resbuf* incoming = kelvora::copyResbufList(xdata);
    std::vector<resbuf*> newParts = splitApplications(incoming);
    std::vector<resbuf*> parts = splitApplications(m_xdata);
    m_xdata = nullptr;
    for (resbuf*& part : parts) {
        for (resbuf* np : newParts) {
            if (part != nullptr && kelvora::namesEqual(appNameOf(part), appNameOf(np))) {
                acutRelRb(part);
                part = nullptr;
            }
        }
    }
    for (resbuf*& np : newParts) {
        // An application named with no data after it is removed.
        if (np->rbnext == nullptr) {
            acutRelRb(np);
            np = nullptr;
        }
        parts.push_back(np);
    }
    m_xdata = joinApplications(parts);
    m_modifiedXData = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::xDataTransformBy(const AcGeMatrix3d& xform)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    const double scale = xform.scale();
    for (resbuf* rb = m_xdata; rb != nullptr; rb = rb->rbnext) {
        double* p = rb->resval.rpoint;
        switch (rb->restype) {
        case AcDb::kDxfXdWorldXCoord: {
            AcGePoint3d pt(p[0], p[1], p[2]);
            pt.transformBy(xform);
            p[0] = pt.x;
            p[1] = pt.y;
            p[2] = pt.z;
            break;
        }
        case AcDb::kDxfXdWorldXDisp:
        case AcDb::kDxfXdWorldXDir: {
            AcGeVector3d v(p[0], p[1], p[2]);
            v.transformBy(xform);
            if (rb->restype == AcDb::kDxfXdWorldXDir && !v.isZeroLength())
                v.normalize();
            p[0] = v.x;
            p[1] = v.y;
            p[2] = v.z;
            break;
        }
        case AcDb::kDxfXdDist:
        case AcDb::kDxfXdScale:
            rb->resval.rreal *= scale;
            break;
        default:
            break;
        }
    }
    m_modifiedXData = true;
    return Acad::eOk;
}

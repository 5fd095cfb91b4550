// The in-memory DXF filer: a list of groups kept as resbufs.
#include "kelvora/item_dxf_filer.h"

#include <cstring>
#include <cwchar>

#include "acutads.h"
#include "dbmain.h"
#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gevec2d.h"
#include "gevec3d.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/wide_text.h"
#if __has_include("gescl3d.h")
#include "gescl3d.h"
#define KELVORA_HAS_SCALE3D 1
#endif

namespace kelvora {

namespace {

resbuf* newItem(int code)
{
    resbuf* rb = acutNewRb(code);
    return rb;
}

}  // namespace

ItemListDxfFiler::ItemListDxfFiler(AcDbDatabase* db, AcDb::FilerType type) : m_database(db), m_type(type) {}

ItemListDxfFiler::~ItemListDxfFiler()
{
    clear();
}

Acad::ErrorStatus ItemListDxfFiler::dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maintVer) const
{
    ver = m_version;
    maintVer = AcDb::kMReleaseCurrent;
    return Acad::eOk;
}

int ItemListDxfFiler::rewindFiler()
{
    m_position = 0;
    m_canPushBack = false;
    m_status = Acad::eOk;
    return 0;
}

Acad::ErrorStatus ItemListDxfFiler::readResBuf(resbuf* pRb)
{
    if (pRb == nullptr)
        return m_status = Acad::eNullObjectPointer;
    if (m_position >= m_items.size()) {
        m_canPushBack = false;
        return Acad::eEndOfFile;
    }
    const resbuf* item = m_items[m_position];
    if (item->restype == 0 && m_position > 0) {
        m_canPushBack = false;
        return Acad::eEndOfObject;
    }
    resbuf* copy = copyResbuf(item);
    pRb->restype = copy->restype;
    pRb->resval = copy->resval;  // the caller owns the copied string or buffer
    delete copy;
    ++m_position;
    m_canPushBack = true;
    return Acad::eOk;
}

Acad::ErrorStatus ItemListDxfFiler::pushBackItem()
{
    if (!m_canPushBack || m_position == 0)
        return Acad::eInvalidInput;
    --m_position;
    m_canPushBack = false;
    return Acad::eOk;
}

bool ItemListDxfFiler::atEOF()
{
    return m_position >= m_items.size();
}

bool ItemListDxfFiler::atSubclassData(const ACHAR* subClassName)
{
    if (m_position >= m_items.size() || subClassName == nullptr)
        return false;
    const resbuf* item = m_items[m_position];
    if (item->restype != AcDb::kDxfSubclass || item->resval.rstring == nullptr ||
        std::wcscmp(item->resval.rstring, subClassName) != 0)
        return false;
    ++m_position;
    m_canPushBack = false;
    return true;
}

bool ItemListDxfFiler::atExtendedData()
{
    return m_position < m_items.size() && m_items[m_position]->restype == AcDb::kDxfRegAppName;
}

bool ItemListDxfFiler::atEndOfObject()
{
    return m_position >= m_items.size() || (m_position > 0 && m_items[m_position]->restype == 0);
}

Acad::ErrorStatus ItemListDxfFiler::push(resbuf* rb)
{
    rb->rbnext = nullptr;
    m_items.push_back(rb);
    return Acad::eOk;
}

Acad::ErrorStatus ItemListDxfFiler::writeResBuf(const resbuf& rb)
{
    return push(copyResbuf(&rb));
}

Acad::ErrorStatus ItemListDxfFiler::writeObjectId(AcDb::DxfCode code, const AcDbObjectId& id)
{
    resbuf* rb = newItem(code);
    if (!id.isNull())
        acdbGetAdsName(rb->resval.rlname, id);
    return push(rb);
}

Acad::ErrorStatus ItemListDxfFiler::writeInt8(AcDb::DxfCode code, Adesk::Int8 val)
{
    resbuf* rb = newItem(code);
    rb->resval.rint = val;
    return push(rb);
}

Acad::ErrorStatus ItemListDxfFiler::writeString(AcDb::DxfCode code, const ACHAR* pVal)
{
    resbuf* rb = newItem(code);
    rb->resval.rstring = newWideString(pVal != nullptr ? pVal : L"");
    return push(rb);
}

Acad::ErrorStatus ItemListDxfFiler::writeBChunk(AcDb::DxfCode code, const ads_binary& val)
{
    resbuf* rb = newItem(code);
    if (val.buf != nullptr && val.clen > 0) {
        rb->resval.rbinary.clen = val.clen;
        rb->resval.rbinary.buf = new char[static_cast<size_t>(val.clen)];
        std::memcpy(rb->resval.rbinary.buf, val.buf, static_cast<size_t>(val.clen));
    }
    return push(rb);
}

Acad::ErrorStatus ItemListDxfFiler::writeAcDbHandle(AcDb::DxfCode code, const AcDbHandle& val)
{
    wchar_t hex[20];
    val.getIntoAsciiBuffer(hex, 20);
    return writeString(code, hex);
}

Acad::ErrorStatus ItemListDxfFiler::writeInt64(AcDb::DxfCode code, Adesk::Int64 val)
{
    resbuf* rb = newItem(code);
    rb->resval.mnInt64 = val;
    return push(rb);
}

Acad::ErrorStatus ItemListDxfFiler::writeInt32(AcDb::DxfCode code, Adesk::Int32 val)
{
    resbuf* rb = newItem(code);
    rb->resval.rlong = val;
    return push(rb);
}

Acad::ErrorStatus ItemListDxfFiler::writeInt16(AcDb::DxfCode code, Adesk::Int16 val)
{
    resbuf* rb = newItem(code);
    rb->resval.rint = val;
    return push(rb);
}

Acad::ErrorStatus ItemListDxfFiler::writeUInt32(AcDb::DxfCode code, Adesk::UInt32 val)
{
    return writeInt32(code, static_cast<Adesk::Int32>(val));
}

Acad::ErrorStatus ItemListDxfFiler::writeUInt16(AcDb::DxfCode code, Adesk::UInt16 val)
{
    return writeInt16(code, static_cast<Adesk::Int16>(val));
}

Acad::ErrorStatus ItemListDxfFiler::writeUInt8(AcDb::DxfCode code, Adesk::UInt8 val)
{
    return writeInt16(code, static_cast<Adesk::Int16>(val));
}

Acad::ErrorStatus ItemListDxfFiler::writeBoolean(AcDb::DxfCode code, Adesk::Boolean val)
{
    return writeInt16(code, val ? 1 : 0);
}

Acad::ErrorStatus ItemListDxfFiler::writeDouble(AcDb::DxfCode code, double val, int)
{
    resbuf* rb = newItem(code);
    rb->resval.rreal = val;
    return push(rb);
}

Acad::ErrorStatus ItemListDxfFiler::writePoint2d(AcDb::DxfCode code, const AcGePoint2d& val, int)
{
    resbuf* rb = newItem(code);
    rb->resval.rpoint[0] = val.x;
    rb->resval.rpoint[1] = val.y;
    rb->resval.rpoint[2] = 0.0;
    return push(rb);
}

Acad::ErrorStatus ItemListDxfFiler::writePoint3d(AcDb::DxfCode code, const AcGePoint3d& val, int)
{
    resbuf* rb = newItem(code);
    rb->resval.rpoint[0] = val.x;
    rb->resval.rpoint[1] = val.y;
    rb->resval.rpoint[2] = val.z;
    return push(rb);
}

Acad::ErrorStatus ItemListDxfFiler::writeVector2d(AcDb::DxfCode code, const AcGeVector2d& val, int)
{
    return writePoint2d(code, AcGePoint2d(val.x, val.y));
}

Acad::ErrorStatus ItemListDxfFiler::writeVector3d(AcDb::DxfCode code, const AcGeVector3d& val, int)
{
    return writePoint3d(code, AcGePoint3d(val.x, val.y, val.z));
}

#ifdef KELVORA_HAS_SCALE3D
Acad::ErrorStatus ItemListDxfFiler::writeScale3d(AcDb::DxfCode code, const AcGeScale3d& val, int)
{
    return writePoint3d(code, AcGePoint3d(val.sx, val.sy, val.sz));
}
#else
Acad::ErrorStatus ItemListDxfFiler::writeScale3d(AcDb::DxfCode, const AcGeScale3d&, int)
{
    // The geometry library has no AcGeScale3d yet.
    return m_status = Acad::eNotImplementedYet;
}
#endif

const resbuf* ItemListDxfFiler::itemAt(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_items.size())
        return nullptr;
    return m_items[static_cast<size_t>(index)];
}

void ItemListDxfFiler::appendItem(const resbuf& rb)
{
    push(copyResbuf(&rb));
}

void ItemListDxfFiler::appendString(int code, const ACHAR* text)
{
    writeString(static_cast<AcDb::DxfCode>(code), text);
}

void ItemListDxfFiler::appendInt(int code, long value)
{
    resbuf* rb = newItem(code);
    switch (resbufValueKind(code)) {
    case ResbufValueKind::kShort:
        rb->resval.rint = static_cast<short>(value);
        break;
    case ResbufValueKind::kInt64:
        rb->resval.mnInt64 = value;
        break;
    default:
        rb->resval.rlong = static_cast<Adesk::Int32>(value);
        break;
    }
    push(rb);
}

void ItemListDxfFiler::appendReal(int code, double value)
{
    writeDouble(static_cast<AcDb::DxfCode>(code), value);
}

void ItemListDxfFiler::appendPoint(int code, const AcGePoint3d& pt)
{
    writePoint3d(static_cast<AcDb::DxfCode>(code), pt);
}

void ItemListDxfFiler::appendId(int code, const AcDbObjectId& id)
{
    writeObjectId(static_cast<AcDb::DxfCode>(code), id);
}

void ItemListDxfFiler::clear()
{
    for (resbuf* rb : m_items)
        freeResbuf(rb);
    m_items.clear();
    rewindFiler();
}

int ItemListDxfFiler::find(int code, int from) const
{
    for (size_t i = from < 0 ? 0 : static_cast<size_t>(from); i < m_items.size(); ++i)
        if (m_items[i]->restype == code)
            return static_cast<int>(i);
    return -1;
}

}  // namespace kelvora

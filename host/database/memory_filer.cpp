// The in-memory DWG filer: tagged items in a byte vector.
#include "kelvora/memory_filer.h"

#include <cstring>
#include <cwchar>

#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gevec2d.h"
#include "gevec3d.h"
#include "kelvora/wide_text.h"
#if __has_include("gescl3d.h")
#include "gescl3d.h"
#define KELVORA_HAS_SCALE3D 1
#endif

namespace kelvora {

enum class MemoryDwgFiler::Tag : std::uint8_t {
    kHardOwnershipId = 1,
    kSoftOwnershipId,
    kHardPointerId,
    kSoftPointerId,
    kInt8,
    kString,
    kNullString,
    kBChunk,
    kHandle,
    kInt64,
    kInt32,
    kInt16,
    kUInt64,
    kUInt32,
    kUInt16,
    kUInt8,
    kBoolean,
    kDouble,
    kPoint2d,
    kPoint3d,
    kVector2d,
    kVector3d,
    kScale3d,
    kBytes,
    kAddress,
};

MemoryDwgFiler::MemoryDwgFiler(AcDb::FilerType type, AcDbDatabase* db) : m_type(type), m_database(db) {}

Acad::ErrorStatus MemoryDwgFiler::dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maintVer) const
{
    ver = AcDb::kDHL_CURRENT;
    maintVer = AcDb::kMReleaseCurrent;
    return Acad::eOk;
}

void MemoryDwgFiler::put(Tag tag, const void* bytes, size_t n)
{
    m_data.resize(m_position);  // writing after a seek overwrites the rest
    m_data.push_back(static_cast<std::uint8_t>(tag));
    if (n > 0) {
        const auto* b = static_cast<const std::uint8_t*>(bytes);
        m_data.insert(m_data.end(), b, b + n);
    }
    m_position = m_data.size();
}

Acad::ErrorStatus MemoryDwgFiler::fail(Acad::ErrorStatus status)
{
    setFilerStatus(status);
    return status;
}

Acad::ErrorStatus MemoryDwgFiler::get(Tag tag, void* bytes, size_t n)
{
    if (m_position >= m_data.size())
        return fail(Acad::eEndOfFile);
    if (m_data[m_position] != static_cast<std::uint8_t>(tag))
        return fail(Acad::eFilerError);
    if (m_data.size() - m_position - 1 < n)
        return fail(Acad::eEndOfFile);
    if (n > 0)
        std::memcpy(bytes, &m_data[m_position + 1], n);
    m_position += n + 1;
    return Acad::eOk;
}

// Ids are filed as the address of their stub.
#define KELVORA_ID_IO(NAME, TYPE, TAG)                                                \
    Acad::ErrorStatus MemoryDwgFiler::read##NAME(TYPE* pId)                           \
    {                                                                                 \
        if (pId == nullptr)                                                           \
            return fail(Acad::eNullObjectPointer);                                    \
        Adesk::IntPtr raw = 0;                                                        \
        Acad::ErrorStatus es = get(Tag::TAG, &raw, sizeof(raw));                      \
        if (es == Acad::eOk)                                                          \
            pId->setFromOldId(raw);                                                   \
        return es;                                                                    \
    }                                                                                 \
    Acad::ErrorStatus MemoryDwgFiler::write##NAME(const TYPE& id)                     \
    {                                                                                 \
        Adesk::IntPtr raw = id.asOldId();                                             \
        put(Tag::TAG, &raw, sizeof(raw));                                             \
        return Acad::eOk;                                                             \
    }

KELVORA_ID_IO(HardOwnershipId, AcDbHardOwnershipId, kHardOwnershipId)
KELVORA_ID_IO(SoftOwnershipId, AcDbSoftOwnershipId, kSoftOwnershipId)
KELVORA_ID_IO(HardPointerId, AcDbHardPointerId, kHardPointerId)
KELVORA_ID_IO(SoftPointerId, AcDbSoftPointerId, kSoftPointerId)
#undef KELVORA_ID_IO

// Plain values are filed as their bytes.
#define KELVORA_VALUE_IO(NAME, TYPE, TAG)                                             \
    Acad::ErrorStatus MemoryDwgFiler::read##NAME(TYPE* pVal)                          \
    {                                                                                 \
        if (pVal == nullptr)                                                          \
            return fail(Acad::eNullObjectPointer);                                    \
        TYPE v{};                                                                     \
        Acad::ErrorStatus es = get(Tag::TAG, &v, sizeof(v));                          \
        if (es == Acad::eOk)                                                          \
            *pVal = v;                                                                \
        return es;                                                                    \
    }                                                                                 \
    Acad::ErrorStatus MemoryDwgFiler::write##NAME(TYPE val)                           \
    {                                                                                 \
        put(Tag::TAG, &val, sizeof(val));                                             \
        return Acad::eOk;                                                             \
    }

KELVORA_VALUE_IO(Int8, Adesk::Int8, kInt8)
KELVORA_VALUE_IO(Int64, Adesk::Int64, kInt64)
KELVORA_VALUE_IO(Int32, Adesk::Int32, kInt32)
KELVORA_VALUE_IO(Int16, Adesk::Int16, kInt16)
KELVORA_VALUE_IO(UInt64, Adesk::UInt64, kUInt64)
KELVORA_VALUE_IO(UInt32, Adesk::UInt32, kUInt32)
KELVORA_VALUE_IO(UInt16, Adesk::UInt16, kUInt16)
KELVORA_VALUE_IO(UInt8, Adesk::UInt8, kUInt8)
KELVORA_VALUE_IO(Double, double, kDouble)
#undef KELVORA_VALUE_IO

Acad::ErrorStatus MemoryDwgFiler::readBoolean(Adesk::Boolean* pVal)
{
    if (pVal == nullptr)
        return fail(Acad::eNullObjectPointer);
    std::uint8_t v = 0;
    Acad::ErrorStatus es = get(Tag::kBoolean, &v, 1);
    if (es == Acad::eOk)
        *pVal = v != 0;
    return es;
}

Acad::ErrorStatus MemoryDwgFiler::writeBoolean(Adesk::Boolean val)
{
    std::uint8_t v = val ? 1 : 0;
    put(Tag::kBoolean, &v, 1);
    return Acad::eOk;
}

// Geometry values are filed as their coordinates.
#define KELVORA_GE_IO(NAME, TYPE, TAG, N, ...)                                        \
    Acad::ErrorStatus MemoryDwgFiler::read##NAME(TYPE* pVal)                          \
    {                                                                                 \
        if (pVal == nullptr)                                                          \
            return fail(Acad::eNullObjectPointer);                                    \
        double c[N] = {};                                                             \
        Acad::ErrorStatus es = get(Tag::TAG, c, sizeof(c));                           \
        if (es == Acad::eOk)                                                          \
            *pVal = TYPE(__VA_ARGS__);                                                \
        return es;                                                                    \
    }

KELVORA_GE_IO(Point2d, AcGePoint2d, kPoint2d, 2, c[0], c[1])
KELVORA_GE_IO(Point3d, AcGePoint3d, kPoint3d, 3, c[0], c[1], c[2])
KELVORA_GE_IO(Vector2d, AcGeVector2d, kVector2d, 2, c[0], c[1])
KELVORA_GE_IO(Vector3d, AcGeVector3d, kVector3d, 3, c[0], c[1], c[2])
#undef KELVORA_GE_IO

Acad::ErrorStatus MemoryDwgFiler::writePoint2d(const AcGePoint2d& val)
{
    double c[2] = {val.x, val.y};
    put(Tag::kPoint2d, c, sizeof(c));
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writePoint3d(const AcGePoint3d& val)
{
    double c[3] = {val.x, val.y, val.z};
    put(Tag::kPoint3d, c, sizeof(c));
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writeVector2d(const AcGeVector2d& val)
{
    double c[2] = {val.x, val.y};
    put(Tag::kVector2d, c, sizeof(c));
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writeVector3d(const AcGeVector3d& val)
{
    double c[3] = {val.x, val.y, val.z};
    put(Tag::kVector3d, c, sizeof(c));
    return Acad::eOk;
}

#ifdef KELVORA_HAS_SCALE3D
Acad::ErrorStatus MemoryDwgFiler::readScale3d(AcGeScale3d* pVal)
{
    if (pVal == nullptr)
        return fail(Acad::eNullObjectPointer);
    double c[3] = {};
    Acad::ErrorStatus es = get(Tag::kScale3d, c, sizeof(c));
    if (es == Acad::eOk)
        *pVal = AcGeScale3d(c[0], c[1], c[2]);
    return es;
}

Acad::ErrorStatus MemoryDwgFiler::writeScale3d(const AcGeScale3d& val)
{
    double c[3] = {val.sx, val.sy, val.sz};
    put(Tag::kScale3d, c, sizeof(c));
    return Acad::eOk;
}
#else
// The geometry library has no AcGeScale3d yet: scales cannot be filed until it has.
Acad::ErrorStatus MemoryDwgFiler::readScale3d(AcGeScale3d*)
{
    return fail(Acad::eNotImplementedYet);
}

Acad::ErrorStatus MemoryDwgFiler::writeScale3d(const AcGeScale3d&)
{
    return fail(Acad::eNotImplementedYet);
}
#endif

Acad::ErrorStatus MemoryDwgFiler::readString(ACHAR** pVal)
{
    if (pVal == nullptr)
        return fail(Acad::eNullObjectPointer);
    if (m_position < m_data.size() && m_data[m_position] == static_cast<std::uint8_t>(Tag::kNullString)) {
        ++m_position;
        *pVal = nullptr;
        return Acad::eOk;
    }
    size_t start = m_position;
    std::uint64_t length = 0;
    Acad::ErrorStatus es = get(Tag::kString, &length, sizeof(length));
    if (es != Acad::eOk)
        return es;
    if ((m_data.size() - m_position) / sizeof(wchar_t) < length) {
        m_position = start;
        return fail(Acad::eEndOfFile);
    }
    auto* s = new ACHAR[length + 1];
    if (length > 0)
        std::memcpy(s, &m_data[m_position], length * sizeof(wchar_t));
    s[length] = L'\0';
    m_position += length * sizeof(wchar_t);
    *pVal = s;
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writeString(const ACHAR* pVal)
{
    if (pVal == nullptr) {
        put(Tag::kNullString, nullptr, 0);
        return Acad::eOk;
    }
    std::uint64_t length = std::wcslen(pVal);
    put(Tag::kString, &length, sizeof(length));
    const auto* b = reinterpret_cast<const std::uint8_t*>(pVal);
    m_data.insert(m_data.end(), b, b + length * sizeof(wchar_t));
    m_position = m_data.size();
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readBChunk(ads_binary* pVal)
{
    if (pVal == nullptr)
        return fail(Acad::eNullObjectPointer);
    size_t start = m_position;
    short length = 0;
    Acad::ErrorStatus es = get(Tag::kBChunk, &length, sizeof(length));
    if (es != Acad::eOk)
        return es;
    if (length < 0 || m_data.size() - m_position < static_cast<size_t>(length)) {
        m_position = start;
        return fail(Acad::eEndOfFile);
    }
    pVal->clen = length;
    pVal->buf = nullptr;
    if (length > 0) {
        pVal->buf = new char[static_cast<size_t>(length)];
        std::memcpy(pVal->buf, &m_data[m_position], static_cast<size_t>(length));
    }
    m_position += static_cast<size_t>(length);
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writeBChunk(const ads_binary& val)
{
    short length = (val.buf != nullptr && val.clen > 0) ? val.clen : 0;
    put(Tag::kBChunk, &length, sizeof(length));
    if (length > 0) {
        const auto* b = reinterpret_cast<const std::uint8_t*>(val.buf);
        m_data.insert(m_data.end(), b, b + length);
        m_position = m_data.size();
    }
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readAcDbHandle(AcDbHandle* pVal)
{
    if (pVal == nullptr)
        return fail(Acad::eNullObjectPointer);
    Adesk::UInt64 v = 0;
    Acad::ErrorStatus es = get(Tag::kHandle, &v, sizeof(v));
    if (es == Acad::eOk)
        *pVal = AcDbHandle(v);
    return es;
}

Acad::ErrorStatus MemoryDwgFiler::writeAcDbHandle(const AcDbHandle& val)
{
    Adesk::UInt64 v = val.value();
    put(Tag::kHandle, &v, sizeof(v));
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readBytes(void* pDest, Adesk::UIntPtr nBytes)
{
    if (pDest == nullptr && nBytes > 0)
        return fail(Acad::eNullObjectPointer);
    size_t start = m_position;
    std::uint64_t length = 0;
    Acad::ErrorStatus es = get(Tag::kBytes, &length, sizeof(length));
    if (es != Acad::eOk)
        return es;
    if (length != nBytes) {
        m_position = start;
        return fail(Acad::eFilerError);
    }
    if (m_data.size() - m_position < length) {
        m_position = start;
        return fail(Acad::eEndOfFile);
    }
    if (length > 0)
        std::memcpy(pDest, &m_data[m_position], length);
    m_position += length;
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::writeBytes(const void* pSrc, Adesk::UIntPtr nBytes)
{
    if (pSrc == nullptr && nBytes > 0)
        return fail(Acad::eNullObjectPointer);
    std::uint64_t length = nBytes;
    put(Tag::kBytes, &length, sizeof(length));
    if (length > 0) {
        const auto* b = static_cast<const std::uint8_t*>(pSrc);
        m_data.insert(m_data.end(), b, b + length);
        m_position = m_data.size();
    }
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::readAddress(void** pVal)
{
    if (pVal == nullptr)
        return fail(Acad::eNullObjectPointer);
    Adesk::UIntPtr v = 0;
    Acad::ErrorStatus es = get(Tag::kAddress, &v, sizeof(v));
    if (es == Acad::eOk)
        *pVal = reinterpret_cast<void*>(v);
    return es;
}

Acad::ErrorStatus MemoryDwgFiler::writeAddress(const void* pVal)
{
    auto v = reinterpret_cast<Adesk::UIntPtr>(pVal);
    put(Tag::kAddress, &v, sizeof(v));
    return Acad::eOk;
}

Acad::ErrorStatus MemoryDwgFiler::seek(Adesk::Int64 nOffset, int nMethod)
{
    Adesk::Int64 base = 0;
    switch (nMethod) {
    case AcDb::kSeekFromStart:
        base = 0;
        break;
    case AcDb::kSeekFromCurrent:
        base = static_cast<Adesk::Int64>(m_position);
        break;
    case AcDb::kSeekFromEnd:
        base = static_cast<Adesk::Int64>(m_data.size());
        break;
    default:
        return fail(Acad::eInvalidInput);
    }
    Adesk::Int64 target = base + nOffset;
    if (target < 0 || target > static_cast<Adesk::Int64>(m_data.size()))
        return fail(Acad::eInvalidInput);
    m_position = static_cast<size_t>(target);
    resetFilerStatus();
    return Acad::eOk;
}

Adesk::Int64 MemoryDwgFiler::tell() const
{
    return static_cast<Adesk::Int64>(m_position);
}

void MemoryDwgFiler::rewind()
{
    m_position = 0;
    resetFilerStatus();
}

void MemoryDwgFiler::reset()
{
    m_data.clear();
    m_position = 0;
    resetFilerStatus();
}

}  // namespace kelvora

// The DXF filer of drawing files: groups of a record read as typed values, and values written as groups.
#include "drawing_dxf_filer.h"

#include <cstdarg>
#include <cstring>
#include <limits>

#include "acutads.h"
#include "dbmain.h"
#include "drawing_names.h"
#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gescl3d.h"
#include "gevec2d.h"
#include "gevec3d.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/wide_text.h"
#include "kelvora/wide_format.h"

namespace kelvora {

namespace {

// Binary groups hold at most this many bytes each, as DXF writers split them.
constexpr std::size_t kBinaryChunkBytes = 127;

// Groups most records write (an entity's common groups and a few of its own): room made once
// instead of growing the list group by group.
constexpr std::size_t kUsualWrittenGroups = 32;

double realOf(const DxfTag& tag)
{
    return tag.toDouble().value_or(0.0);
}

std::int64_t integerOf(const DxfTag& tag)
{
    return tag.toInteger().value_or(0);
}

// The group's text as a new wide string: ASCII (nearly every group) widened in place, anything else
// decoded from UTF-8.
wchar_t* newWideFromUtf8(const std::string& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return newWideString(fromUtf8(text));
    auto* wide = new wchar_t[text.size() + 1];
    for (std::size_t i = 0; i < text.size(); ++i)
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
    wide[text.size()] = L'\0';
    return wide;
}

// Whether a group's UTF-8 text is the wide name, compared without converting when the name is ASCII.
bool sameText(const std::string& utf8, const ACHAR* name)
{
    std::size_t i = 0;
    for (; name[i] != L'\0'; ++i) {
        if (static_cast<std::uint32_t>(name[i]) >= 0x80)
            return utf8 == toUtf8(name);
        if (i >= utf8.size() || static_cast<unsigned char>(utf8[i]) != static_cast<std::uint32_t>(name[i]))
            return false;
    }
    return i == utf8.size();
}

template <class T>
T clampTo(std::int64_t value)
{
    if (value < std::numeric_limits<T>::min())
        return std::numeric_limits<T>::min();
    if (value > std::numeric_limits<T>::max())
        return std::numeric_limits<T>::max();
    return static_cast<T>(value);
}

}  // namespace

AcDb::AcDbDwgVersion dwgVersionOfAcadVer(std::string_view acadVer)
{
    if (acadVer >= "AC1032")
        return AcDb::kDHL_1032;
    if (acadVer >= "AC1027")
        return AcDb::kDHL_1027;
    if (acadVer >= "AC1024")
        return AcDb::kDHL_1024;
    if (acadVer >= "AC1021")
        return AcDb::kDHL_1021;
    if (acadVer >= "AC1018")
        return AcDb::kDHL_1800;
    if (acadVer >= "AC1015")
        return AcDb::kDHL_1015;
    if (acadVer >= "AC1014")
        return AcDb::kDHL_1014;
    if (acadVer >= "AC1012")
        return AcDb::kDHL_1012;
    return AcDb::kDHL_1009;
}

DrawingDxfFiler::DrawingDxfFiler(AcDbDatabase* db, AcDb::AcDbDwgVersion version)
    : m_database(db), m_version(version)
{
    m_written.reserve(kUsualWrittenGroups);
}

DrawingDxfFiler::DrawingDxfFiler(AcDbDatabase* db, AcDb::AcDbDwgVersion version, std::span<const DxfTag> groups)
    : m_database(db), m_version(version), m_groups(groups)
{
}

int DrawingDxfFiler::rewindFiler()
{
    m_position = 0;
    m_lastStart = 0;
    m_canPushBack = false;
    m_status = Acad::eOk;
    return 0;
}

Acad::ErrorStatus DrawingDxfFiler::setError(Acad::ErrorStatus status, const ACHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    note(formatPrintfV(format, args));
    va_end(args);
    return status;
}

Acad::ErrorStatus DrawingDxfFiler::setError(const ACHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    note(formatPrintfV(format, args));
    va_end(args);
    return Acad::eOk;
}

void DrawingDxfFiler::note(const std::wstring& text)
{
    m_messages.push_back({currentLine(), toUtf8(text)});
}

Acad::ErrorStatus DrawingDxfFiler::dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maintVer) const
{
    ver = m_version;
    maintVer = AcDb::kMReleaseCurrent;
    return Acad::eOk;
}

std::uint32_t DrawingDxfFiler::currentLine() const
{
    if (m_groups.empty())
        return 0;
    std::size_t at = m_canPushBack ? m_lastStart : std::min(m_position, m_groups.size() - 1);
    return m_groups[at].line;
}

// ----- Reading ------------------------------------------------------------------------------------

Acad::ErrorStatus DrawingDxfFiler::fill(resbuf* rb)
{
    const DxfTag& tag = m_groups[m_position++];
    const int code = tag.code;
    rb->rbnext = nullptr;
    rb->restype = static_cast<short>(code);
    std::memset(&rb->resval, 0, sizeof rb->resval);
    switch (resbufValueKind(code)) {
    case ResbufValueKind::kPoint: {
        rb->resval.rpoint[0] = realOf(tag);
        for (int k = 1; k <= 2; ++k) {
            if (m_position < m_groups.size() && m_groups[m_position].code == code + 10 * k)
                rb->resval.rpoint[k] = realOf(m_groups[m_position++]);
        }
        return Acad::eOk;
    }
    case ResbufValueKind::kReal:
        rb->resval.rreal = realOf(tag);
        return Acad::eOk;
    case ResbufValueKind::kShort:
        rb->resval.rint = clampTo<short>(integerOf(tag));
        return Acad::eOk;
    case ResbufValueKind::kLong:
        rb->resval.rlong = clampTo<Adesk::Int32>(integerOf(tag));
        return Acad::eOk;
    case ResbufValueKind::kInt64:
        rb->resval.mnInt64 = integerOf(tag);
        return Acad::eOk;
    case ResbufValueKind::kString:
        rb->resval.rstring = newWideFromUtf8(tag.value);
        return Acad::eOk;
    case ResbufValueKind::kName: {
        std::optional<std::uint64_t> handle = tag.toHandle();
        if (handle && *handle != 0 && m_database != nullptr) {
            AcDbObjectId id;
            if (m_database->getAcDbObjectId(id, true, AcDbHandle(*handle)) == Acad::eOk)
                acdbGetAdsName(rb->resval.rlname, id);
        }
        return Acad::eOk;
    }
    case ResbufValueKind::kBinary: {
        std::optional<std::vector<std::uint8_t>> bytes = tag.toBinary();
        if (bytes && !bytes->empty()) {
            std::size_t n = std::min<std::size_t>(bytes->size(), std::numeric_limits<short>::max());
            rb->resval.rbinary.clen = static_cast<short>(n);
            rb->resval.rbinary.buf = new char[n];
            std::memcpy(rb->resval.rbinary.buf, bytes->data(), n);
        }
        return Acad::eOk;
    }
    case ResbufValueKind::kHandle:
    case ResbufValueKind::kNone:
        break;
    }
    // A code the result buffer has no field for (a y or z met alone, an undefined code): numbers are
    // kept in the field of their type, which copies of the resbuf carry along; text is dropped.
    switch (tag.type()) {
    case DxfValueType::kDouble:
        rb->resval.rreal = realOf(tag);
        break;
    case DxfValueType::kInt16:
    case DxfValueType::kBool:
        rb->resval.rint = clampTo<short>(integerOf(tag));
        break;
    case DxfValueType::kInt32:
        rb->resval.rlong = clampTo<Adesk::Int32>(integerOf(tag));
        break;
    case DxfValueType::kInt64:
        rb->resval.mnInt64 = integerOf(tag);
        break;
    default:
        break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::readResBuf(resbuf* pRb)
{
    if (pRb == nullptr)
        return m_status = Acad::eNullObjectPointer;
    if (m_position >= m_groups.size()) {
        m_canPushBack = false;
        return Acad::eEndOfObject;
    }
    m_lastStart = m_position;
    m_canPushBack = true;
    return fill(pRb);
}

Acad::ErrorStatus DrawingDxfFiler::pushBackItem()
{
    if (!m_canPushBack)
        return Acad::eInvalidInput;
    m_position = m_lastStart;
    m_canPushBack = false;
    return Acad::eOk;
}

bool DrawingDxfFiler::atEOF()
{
    return m_position >= m_groups.size();
}

bool DrawingDxfFiler::atSubclassData(const ACHAR* subClassName)
{
    if (subClassName == nullptr || m_position >= m_groups.size())
        return false;
    const DxfTag& tag = m_groups[m_position];
    if (tag.code != AcDb::kDxfSubclass || !sameText(tag.value, subClassName))
        return false;
    m_lastStart = m_position++;
    m_canPushBack = false;
    return true;
}

bool DrawingDxfFiler::atExtendedData()
{
    return m_position < m_groups.size() && m_groups[m_position].code == AcDb::kDxfRegAppName;
}

bool DrawingDxfFiler::atEndOfObject()
{
    return m_position >= m_groups.size();
}

// ----- Writing ------------------------------------------------------------------------------------

void DrawingDxfFiler::append(int code, std::string value)
{
    if (m_text != nullptr)
        m_text->tag(code, value);
    else
        m_written.emplace_back(code, std::move(value));
}

void DrawingDxfFiler::appendDouble(int code, double value)
{
    char buffer[kDxfDoubleTextBytes];
    const std::string_view text = formatDxfDouble(value, buffer);
    if (m_text != nullptr)
        m_text->tag(code, text);
    else
        m_written.emplace_back(code, std::string(text));
}

Acad::ErrorStatus DrawingDxfFiler::writeResBuf(const resbuf& rb)
{
    const int code = rb.restype;
    const ads_u_val& v = rb.resval;
    switch (resbufValueKind(code)) {
    case ResbufValueKind::kPoint:
        appendDouble(code, v.rpoint[0]);
        appendDouble(code + 10, v.rpoint[1]);
        appendDouble(code + 20, v.rpoint[2]);
        return Acad::eOk;
    case ResbufValueKind::kReal:
        appendDouble(code, v.rreal);
        return Acad::eOk;
    case ResbufValueKind::kShort:
        append(code, std::to_string(v.rint));
        return Acad::eOk;
    case ResbufValueKind::kLong:
        append(code, std::to_string(v.rlong));
        return Acad::eOk;
    case ResbufValueKind::kInt64:
        append(code, std::to_string(v.mnInt64));
        return Acad::eOk;
    case ResbufValueKind::kString:
        append(code, v.rstring != nullptr ? toUtf8(v.rstring) : std::string());
        return Acad::eOk;
    case ResbufValueKind::kName: {
        AcDbObjectId id;
        if (v.rlname[0] != 0)
            acdbGetObjectId(id, v.rlname);
        return writeObjectId(static_cast<AcDb::DxfCode>(code), id);
    }
    case ResbufValueKind::kBinary:
        return writeBChunk(static_cast<AcDb::DxfCode>(code), v.rbinary);
    case ResbufValueKind::kHandle: {
        std::uint64_t h = 0;
        for (int i = 7; i >= 0; --i)
            h = (h << 8) | v.ihandle[i];
        append(code, formatDxfHandle(h));
        return Acad::eOk;
    }
    case ResbufValueKind::kNone:
        break;
    }
    switch (dxfValueType(code)) {
    case DxfValueType::kDouble:
        appendDouble(code, v.rreal);
        break;
    case DxfValueType::kInt16:
    case DxfValueType::kBool:
        append(code, std::to_string(v.rint));
        break;
    case DxfValueType::kInt32:
        append(code, std::to_string(v.rlong));
        break;
    case DxfValueType::kInt64:
        append(code, std::to_string(v.mnInt64));
        break;
    default:
        append(code, std::string());
        break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeObjectId(AcDb::DxfCode code, const AcDbObjectId& id)
{
    append(code, handleText(id));
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeInt8(AcDb::DxfCode code, Adesk::Int8 val)
{
    append(code, std::to_string(static_cast<int>(val)));
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeString(AcDb::DxfCode code, const ACHAR* pVal)
{
    append(code, pVal != nullptr ? toUtf8(pVal) : std::string());
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeBChunk(AcDb::DxfCode code, const ads_binary& val)
{
    if (val.buf == nullptr || val.clen <= 0) {
        append(code, std::string());
        return Acad::eOk;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(val.buf);
    const std::size_t size = static_cast<std::size_t>(val.clen);
    for (std::size_t done = 0; done < size; done += kBinaryChunkBytes)
        append(code, formatDxfHex(bytes + done, std::min(kBinaryChunkBytes, size - done)));
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeAcDbHandle(AcDb::DxfCode code, const AcDbHandle& val)
{
    append(code, formatDxfHandle(val.value()));
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeInt64(AcDb::DxfCode code, Adesk::Int64 val)
{
    append(code, std::to_string(val));
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeInt32(AcDb::DxfCode code, Adesk::Int32 val)
{
    append(code, std::to_string(val));
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeInt16(AcDb::DxfCode code, Adesk::Int16 val)
{
    append(code, std::to_string(val));
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeUInt32(AcDb::DxfCode code, Adesk::UInt32 val)
{
    // Int32 groups hold the bits of an unsigned value as a signed number.
    append(code, std::to_string(static_cast<Adesk::Int32>(val)));
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeUInt16(AcDb::DxfCode code, Adesk::UInt16 val)
{
    append(code, std::to_string(static_cast<Adesk::Int16>(val)));
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeUInt8(AcDb::DxfCode code, Adesk::UInt8 val)
{
    append(code, std::to_string(static_cast<int>(val)));
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeBoolean(AcDb::DxfCode code, Adesk::Boolean val)
{
    append(code, val ? "1" : "0");
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeDouble(AcDb::DxfCode code, double val, int)
{
    // The shortest text that reads back as the same double is never less precise than asked.
    appendDouble(code, val);
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writePoint2d(AcDb::DxfCode code, const AcGePoint2d& val, int)
{
    appendDouble(code, val.x);
    appendDouble(code + 10, val.y);
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writePoint3d(AcDb::DxfCode code, const AcGePoint3d& val, int)
{
    appendDouble(code, val.x);
    appendDouble(code + 10, val.y);
    appendDouble(code + 20, val.z);
    return Acad::eOk;
}

Acad::ErrorStatus DrawingDxfFiler::writeVector2d(AcDb::DxfCode code, const AcGeVector2d& val, int)
{
    return writePoint2d(code, AcGePoint2d(val.x, val.y));
}

Acad::ErrorStatus DrawingDxfFiler::writeVector3d(AcDb::DxfCode code, const AcGeVector3d& val, int)
{
    return writePoint3d(code, AcGePoint3d(val.x, val.y, val.z));
}

Acad::ErrorStatus DrawingDxfFiler::writeScale3d(AcDb::DxfCode code, const AcGeScale3d& val, int)
{
    return writePoint3d(code, AcGePoint3d(val.sx, val.sy, val.sz));
}

// ----- Lists --------------------------------------------------------------------------------------

resbuf* dxfTagsToResbufs(AcDbDatabase* db, std::span<const DxfTag> groups)
{
    DrawingDxfFiler filer(db, AcDb::kDHL_CURRENT, groups);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    while (true) {
        resbuf* rb = acutNewRb(AcDb::kDxfXTextString);
        if (filer.readResBuf(rb) != Acad::eOk) {
            rb->restype = AcDb::kDxfXdInteger16;  // no value to free
            acutRelRb(rb);
            break;
        }
        if (tail == nullptr)
            head = rb;
        else
            tail->rbnext = rb;
        tail = rb;
    }
    return head;
}

std::vector<DxfTag> resbufsToDxfTags(AcDbDatabase* db, const resbuf* list)
{
    DrawingDxfFiler filer(db, AcDb::kDHL_CURRENT);
    for (const resbuf* rb = list; rb != nullptr; rb = rb->rbnext)
        filer.writeResBuf(*rb);
    return filer.takeWritten();
}

}  // namespace kelvora

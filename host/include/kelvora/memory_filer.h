// An in-memory AcDbDwgFiler: copies, clones and undo records file objects through it.
#pragma once

#include <cstdint>
#include <vector>

#include "dbfiler.h"

namespace kelvora {

// Items are stored one after another, each a one-byte tag of its type then its value, so that a read
// of the wrong type fails with eFilerError instead of reading garbage: an object that tries one item
// layout and falls back to another (seek back, read again) works as intended. Reading past the end
// answers eEndOfFile.
// Ids are stored as the address of their record in the database, valid in this process only.
class MemoryDwgFiler : public AcDbDwgFiler {
public:
    explicit MemoryDwgFiler(AcDb::FilerType type = AcDb::kCopyFiler, AcDbDatabase* db = nullptr);
    ~MemoryDwgFiler() override = default;

    AcDb::FilerType filerType() const override { return m_type; }
    void setFilerType(AcDb::FilerType type) { m_type = type; }
    AcDbDatabase* database() const override { return m_database; }
    Acad::ErrorStatus dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maintVer) const override;

    Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* pId) override;
    Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& id) override;
    Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* pId) override;
    Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& id) override;
    Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* pId) override;
    Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& id) override;
    Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* pId) override;
    Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& id) override;
    Acad::ErrorStatus readInt8(Adesk::Int8* pVal) override;
    Acad::ErrorStatus writeInt8(Adesk::Int8 val) override;
    Acad::ErrorStatus readString(ACHAR** pVal) override;
    Acad::ErrorStatus writeString(const ACHAR* pVal) override;
    Acad::ErrorStatus readBChunk(ads_binary* pVal) override;
    Acad::ErrorStatus writeBChunk(const ads_binary& val) override;
    Acad::ErrorStatus readAcDbHandle(AcDbHandle* pVal) override;
    Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& val) override;
    Acad::ErrorStatus readInt64(Adesk::Int64* pVal) override;
    Acad::ErrorStatus writeInt64(Adesk::Int64 val) override;
    Acad::ErrorStatus readInt32(Adesk::Int32* pVal) override;
    Acad::ErrorStatus writeInt32(Adesk::Int32 val) override;
    Acad::ErrorStatus readInt16(Adesk::Int16* pVal) override;
    Acad::ErrorStatus writeInt16(Adesk::Int16 val) override;
    Acad::ErrorStatus readUInt64(Adesk::UInt64* pVal) override;
    Acad::ErrorStatus writeUInt64(Adesk::UInt64 val) override;
    Acad::ErrorStatus readUInt32(Adesk::UInt32* pVal) override;
    Acad::ErrorStatus writeUInt32(Adesk::UInt32 val) override;
    Acad::ErrorStatus readUInt16(Adesk::UInt16* pVal) override;
    Acad::ErrorStatus writeUInt16(Adesk::UInt16 val) override;
    Acad::ErrorStatus readUInt8(Adesk::UInt8* pVal) override;
    Acad::ErrorStatus writeUInt8(Adesk::UInt8 val) override;
    Acad::ErrorStatus readBoolean(Adesk::Boolean* pVal) override;
    Acad::ErrorStatus writeBoolean(Adesk::Boolean val) override;
    Acad::ErrorStatus readDouble(double* pVal) override;
    Acad::ErrorStatus writeDouble(double val) override;
    Acad::ErrorStatus readPoint2d(AcGePoint2d* pVal) override;
    Acad::ErrorStatus writePoint2d(const AcGePoint2d& val) override;
    Acad::ErrorStatus readPoint3d(AcGePoint3d* pVal) override;
    Acad::ErrorStatus writePoint3d(const AcGePoint3d& val) override;
    Acad::ErrorStatus readVector2d(AcGeVector2d* pVal) override;
    Acad::ErrorStatus writeVector2d(const AcGeVector2d& val) override;
    Acad::ErrorStatus readVector3d(AcGeVector3d* pVal) override;
    Acad::ErrorStatus writeVector3d(const AcGeVector3d& val) override;
    Acad::ErrorStatus readScale3d(AcGeScale3d* pVal) override;
    Acad::ErrorStatus writeScale3d(const AcGeScale3d& val) override;
    Acad::ErrorStatus readBytes(void* pDest, Adesk::UIntPtr nBytes) override;
    Acad::ErrorStatus writeBytes(const void* pSrc, Adesk::UIntPtr nBytes) override;
    Acad::ErrorStatus readAddress(void** pVal) override;
    Acad::ErrorStatus writeAddress(const void* pVal) override;

    Acad::ErrorStatus seek(Adesk::Int64 nOffset, int nMethod) override;
    Adesk::Int64 tell() const override;

    // The bytes written so far; rewind() goes back to the start for reading.
    const std::vector<std::uint8_t>& data() const { return m_data; }
    void rewind();
    // Empties the filer.
    void reset();
    size_t size() const { return m_data.size(); }

private:
    enum class Tag : std::uint8_t;
    void put(Tag tag, const void* bytes, size_t n);
    Acad::ErrorStatus get(Tag tag, void* bytes, size_t n);
    Acad::ErrorStatus fail(Acad::ErrorStatus status);

    std::vector<std::uint8_t> m_data;
    size_t m_position = 0;
    AcDb::FilerType m_type;
    AcDbDatabase* m_database;
};

}  // namespace kelvora

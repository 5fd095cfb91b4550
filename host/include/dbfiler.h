// The filer interfaces: AcDbDwgFiler (typed binary items) and AcDbDxfFiler (DXF group codes), through which objects file themselves.
#pragma once

#include <string>

#include "acadstrc.h"
#include "acdb.h"
#include "adsdef.h"
#include "dbhandle.h"
#include "dbid.h"

class AcDbDatabase;
class AcGePoint2d;
class AcGePoint3d;
class AcGeVector2d;
class AcGeVector3d;
class AcGeScale3d;

// A binary item stream. Every read answers eOk or the reason it failed; a failed read leaves its
// output untouched and sets filerStatus(). Strings read with readString are allocated by the filer
// with new[]; the caller frees them with acutDelString (or delete[]).
class AcDbDwgFiler {
public:
    virtual ~AcDbDwgFiler() = default;

    virtual Acad::ErrorStatus filerStatus() const { return m_status; }
    virtual AcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Acad::ErrorStatus status) { m_status = status; }
    virtual void resetFilerStatus() { m_status = Acad::eOk; }
    virtual Acad::ErrorStatus dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maintVer) const;
    // The database whose objects are filed (used to resolve ids); null when none is known.
    virtual AcDbDatabase* database() const { return nullptr; }

    virtual Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* pId) = 0;
    virtual Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& id) = 0;
    virtual Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* pId) = 0;
    virtual Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& id) = 0;
    virtual Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* pId) = 0;
    virtual Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& id) = 0;
    virtual Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* pId) = 0;
    virtual Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& id) = 0;

    virtual Acad::ErrorStatus readInt8(Adesk::Int8* pVal) = 0;
    virtual Acad::ErrorStatus writeInt8(Adesk::Int8 val) = 0;
    // A null string reads back as null (*pVal = nullptr with eOk).
    virtual Acad::ErrorStatus readString(ACHAR** pVal) = 0;
    virtual Acad::ErrorStatus writeString(const ACHAR* pVal) = 0;
    virtual Acad::ErrorStatus readBChunk(ads_binary* pVal) = 0;  // buf allocated with new char[]
    virtual Acad::ErrorStatus writeBChunk(const ads_binary& val) = 0;
    virtual Acad::ErrorStatus readAcDbHandle(AcDbHandle* pVal) = 0;
    virtual Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& val) = 0;
    virtual Acad::ErrorStatus readInt64(Adesk::Int64* pVal) = 0;
    virtual Acad::ErrorStatus writeInt64(Adesk::Int64 val) = 0;
    virtual Acad::ErrorStatus readInt32(Adesk::Int32* pVal) = 0;
    virtual Acad::ErrorStatus writeInt32(Adesk::Int32 val) = 0;
    virtual Acad::ErrorStatus readInt16(Adesk::Int16* pVal) = 0;
    virtual Acad::ErrorStatus writeInt16(Adesk::Int16 val) = 0;
    virtual Acad::ErrorStatus readUInt64(Adesk::UInt64* pVal) = 0;
    virtual Acad::ErrorStatus writeUInt64(Adesk::UInt64 val) = 0;
    virtual Acad::ErrorStatus readUInt32(Adesk::UInt32* pVal) = 0;
    virtual Acad::ErrorStatus writeUInt32(Adesk::UInt32 val) = 0;
    virtual Acad::ErrorStatus readUInt16(Adesk::UInt16* pVal) = 0;
    virtual Acad::ErrorStatus writeUInt16(Adesk::UInt16 val) = 0;
    virtual Acad::ErrorStatus readUInt8(Adesk::UInt8* pVal) = 0;
    virtual Acad::ErrorStatus writeUInt8(Adesk::UInt8 val) = 0;
    virtual Acad::ErrorStatus readBoolean(Adesk::Boolean* pVal) = 0;
    virtual Acad::ErrorStatus writeBoolean(Adesk::Boolean val) = 0;
    Acad::ErrorStatus readBool(bool* pVal) { return readBoolean(pVal); }
    Acad::ErrorStatus writeBool(bool val) { return writeBoolean(val); }
    virtual Acad::ErrorStatus readDouble(double* pVal) = 0;
    virtual Acad::ErrorStatus writeDouble(double val) = 0;
    virtual Acad::ErrorStatus readPoint2d(AcGePoint2d* pVal) = 0;
    virtual Acad::ErrorStatus writePoint2d(const AcGePoint2d& val) = 0;
    virtual Acad::ErrorStatus readPoint3d(AcGePoint3d* pVal) = 0;
    virtual Acad::ErrorStatus writePoint3d(const AcGePoint3d& val) = 0;
    virtual Acad::ErrorStatus readVector2d(AcGeVector2d* pVal) = 0;
    virtual Acad::ErrorStatus writeVector2d(const AcGeVector2d& val) = 0;
    virtual Acad::ErrorStatus readVector3d(AcGeVector3d* pVal) = 0;
    virtual Acad::ErrorStatus writeVector3d(const AcGeVector3d& val) = 0;
    virtual Acad::ErrorStatus readScale3d(AcGeScale3d* pVal) = 0;
    virtual Acad::ErrorStatus writeScale3d(const AcGeScale3d& val) = 0;
    virtual Acad::ErrorStatus readBytes(void* pDest, Adesk::UIntPtr nBytes) = 0;
    virtual Acad::ErrorStatus writeBytes(const void* pSrc, Adesk::UIntPtr nBytes) = 0;
    virtual Acad::ErrorStatus readAddress(void** pVal) = 0;
    virtual Acad::ErrorStatus writeAddress(const void* pVal) = 0;

    // Positions are byte offsets from the start of the stream. A seek also clears filerStatus(), so a
    // reader may go back after a failed read and try another layout.
    virtual Acad::ErrorStatus seek(Adesk::Int64 nOffset, int nMethod) = 0;
    virtual Adesk::Int64 tell() const = 0;

    // The typed helpers of the commercial API, one per item type.
    Acad::ErrorStatus readItem(AcDbHardOwnershipId* p) { return readHardOwnershipId(p); }
    Acad::ErrorStatus writeItem(const AcDbHardOwnershipId& v) { return writeHardOwnershipId(v); }
    Acad::ErrorStatus readItem(AcDbSoftOwnershipId* p) { return readSoftOwnershipId(p); }
    Acad::ErrorStatus writeItem(const AcDbSoftOwnershipId& v) { return writeSoftOwnershipId(v); }
    Acad::ErrorStatus readItem(AcDbHardPointerId* p) { return readHardPointerId(p); }
    Acad::ErrorStatus writeItem(const AcDbHardPointerId& v) { return writeHardPointerId(v); }
    Acad::ErrorStatus readItem(AcDbSoftPointerId* p) { return readSoftPointerId(p); }
    Acad::ErrorStatus writeItem(const AcDbSoftPointerId& v) { return writeSoftPointerId(v); }
    Acad::ErrorStatus readItem(ACHAR** p) { return readString(p); }
    Acad::ErrorStatus writeItem(const ACHAR* v) { return writeString(v); }
    Acad::ErrorStatus readItem(ads_binary* p) { return readBChunk(p); }
    Acad::ErrorStatus writeItem(const ads_binary& v) { return writeBChunk(v); }
    Acad::ErrorStatus readItem(AcDbHandle* p) { return readAcDbHandle(p); }
    Acad::ErrorStatus writeItem(const AcDbHandle& v) { return writeAcDbHandle(v); }
    Acad::ErrorStatus readItem(Adesk::Int64* p) { return readInt64(p); }
    Acad::ErrorStatus writeItem(Adesk::Int64 v) { return writeInt64(v); }
    Acad::ErrorStatus readItem(Adesk::Int32* p) { return readInt32(p); }
    Acad::ErrorStatus writeItem(Adesk::Int32 v) { return writeInt32(v); }
    Acad::ErrorStatus readItem(Adesk::Int16* p) { return readInt16(p); }
    Acad::ErrorStatus writeItem(Adesk::Int16 v) { return writeInt16(v); }
    Acad::ErrorStatus readItem(Adesk::Int8* p) { return readInt8(p); }
    Acad::ErrorStatus writeItem(Adesk::Int8 v) { return writeInt8(v); }
    Acad::ErrorStatus readItem(Adesk::UInt64* p) { return readUInt64(p); }
    Acad::ErrorStatus writeItem(Adesk::UInt64 v) { return writeUInt64(v); }
    Acad::ErrorStatus readItem(Adesk::UInt32* p) { return readUInt32(p); }
    Acad::ErrorStatus writeItem(Adesk::UInt32 v) { return writeUInt32(v); }
    Acad::ErrorStatus readItem(Adesk::UInt16* p) { return readUInt16(p); }
    Acad::ErrorStatus writeItem(Adesk::UInt16 v) { return writeUInt16(v); }
    Acad::ErrorStatus readItem(Adesk::UInt8* p) { return readUInt8(p); }
    Acad::ErrorStatus writeItem(Adesk::UInt8 v) { return writeUInt8(v); }
    Acad::ErrorStatus readItem(Adesk::Boolean* p) { return readBoolean(p); }
    Acad::ErrorStatus writeItem(Adesk::Boolean v) { return writeBoolean(v); }
    Acad::ErrorStatus readItem(double* p) { return readDouble(p); }
    Acad::ErrorStatus writeItem(double v) { return writeDouble(v); }
    Acad::ErrorStatus readItem(AcGePoint2d* p) { return readPoint2d(p); }
    Acad::ErrorStatus writeItem(const AcGePoint2d& v) { return writePoint2d(v); }
    Acad::ErrorStatus readItem(AcGePoint3d* p) { return readPoint3d(p); }
    Acad::ErrorStatus writeItem(const AcGePoint3d& v) { return writePoint3d(v); }
    Acad::ErrorStatus readItem(AcGeVector2d* p) { return readVector2d(p); }
    Acad::ErrorStatus writeItem(const AcGeVector2d& v) { return writeVector2d(v); }
    Acad::ErrorStatus readItem(AcGeVector3d* p) { return readVector3d(p); }
    Acad::ErrorStatus writeItem(const AcGeVector3d& v) { return writeVector3d(v); }
    Acad::ErrorStatus readItem(AcGeScale3d* p) { return readScale3d(p); }
    Acad::ErrorStatus writeItem(const AcGeScale3d& v) { return writeScale3d(v); }
    Acad::ErrorStatus readItem(void* p, Adesk::UIntPtr n) { return readBytes(p, n); }
    Acad::ErrorStatus writeItem(const void* p, Adesk::UIntPtr n) { return writeBytes(p, n); }
    Acad::ErrorStatus readItem(void** p) { return readAddress(p); }
    Acad::ErrorStatus writeItem(const void* p) { return writeAddress(p); }

protected:
    AcDbDwgFiler() = default;

private:
    Acad::ErrorStatus m_status = Acad::eOk;
};

// A stream of DXF groups (a group code and one typed value). The DXF files layer implements it over
// text or binary DXF; the host also has an in-memory one (kelvora/item_dxf_filer.h).
//
// Reading: readItem/readResBuf fill a resbuf whose restype is the group code and whose value has the
// code's type (strings allocated with new[], owned by the caller's resbuf: free with acutRelRb or
// delete[] of resval.rstring). Object ids (codes 320-369) come as the ads name of the id (rlname,
// see acdbGetAdsName); a 64-bit integer (160-169) as mnInt64. At the end of the object (the next group
// 0) the read answers eEndOfObject without consuming anything; at the end of the stream eEndOfFile.
// pushBackItem puts the last item read back, so the next read answers it again (one level).
//
// Writing: each write* writes one group. writeDouble/writePoint* take a precision: kDfltPrec for the
// filer's own (precision()), otherwise the number of significant digits.
class AcDbDxfFiler {
public:
    enum {
        kDfltPrec = -1,
        kMaxPrec = 16,
    };

    virtual ~AcDbDxfFiler() = default;

    virtual int rewindFiler() = 0;
    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual void resetFilerStatus() = 0;
    // Records an error with its message (printf-like format, %s takes a wide string).
    virtual Acad::ErrorStatus setError(Acad::ErrorStatus status, const ACHAR* format, ...);
    virtual Acad::ErrorStatus setError(const ACHAR* format, ...);
    virtual const ACHAR* errorMessage() const;

    virtual AcDb::FilerType filerType() const = 0;
    virtual AcDbDatabase* database() const = 0;
    // The version of the DXF file being read or written.
    virtual Acad::ErrorStatus dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maintVer) const;
    virtual int precision() const { return m_precision; }
    virtual void setPrecision(int prec) { m_precision = prec; }

    // Reading.
    virtual Acad::ErrorStatus readResBuf(resbuf* pRb) = 0;
    Acad::ErrorStatus readItem(resbuf* pItem) { return readResBuf(pItem); }
    virtual Acad::ErrorStatus pushBackItem() = 0;
    virtual bool atEOF() = 0;
    // True, consuming the group, when the next group is the subclass marker 100 with that name.
    virtual bool atSubclassData(const ACHAR* subClassName) = 0;
    // True when the next group is extended data (1001).
    virtual bool atExtendedData() = 0;
    // True when the next group is 0 (or the stream has ended).
    virtual bool atEndOfObject() = 0;
    virtual void haltAtClassBoundries(bool halt) { m_haltAtClassBoundaries = halt; }
    virtual bool atEmbeddedObjectStart() { return false; }
    virtual bool isModifyingExistingObject() const { return false; }

    // Writing.
    virtual Acad::ErrorStatus writeResBuf(const resbuf& rb) = 0;
    Acad::ErrorStatus writeItem(const resbuf& rb) { return writeResBuf(rb); }
    virtual Acad::ErrorStatus writeObjectId(AcDb::DxfCode code, const AcDbObjectId& id) = 0;
    virtual Acad::ErrorStatus writeInt8(AcDb::DxfCode code, Adesk::Int8 val) = 0;
    virtual Acad::ErrorStatus writeString(AcDb::DxfCode code, const ACHAR* pVal) = 0;
    virtual Acad::ErrorStatus writeBChunk(AcDb::DxfCode code, const ads_binary& val) = 0;
    virtual Acad::ErrorStatus writeAcDbHandle(AcDb::DxfCode code, const AcDbHandle& val) = 0;
    virtual Acad::ErrorStatus writeInt64(AcDb::DxfCode code, Adesk::Int64 val) = 0;
    virtual Acad::ErrorStatus writeInt32(AcDb::DxfCode code, Adesk::Int32 val) = 0;
    virtual Acad::ErrorStatus writeInt16(AcDb::DxfCode code, Adesk::Int16 val) = 0;
    virtual Acad::ErrorStatus writeUInt32(AcDb::DxfCode code, Adesk::UInt32 val) = 0;
    virtual Acad::ErrorStatus writeUInt16(AcDb::DxfCode code, Adesk::UInt16 val) = 0;
    virtual Acad::ErrorStatus writeUInt8(AcDb::DxfCode code, Adesk::UInt8 val) = 0;
    virtual Acad::ErrorStatus writeBoolean(AcDb::DxfCode code, Adesk::Boolean val) = 0;
    Acad::ErrorStatus writeBool(AcDb::DxfCode code, bool val) { return writeBoolean(code, val); }
    virtual Acad::ErrorStatus writeDouble(AcDb::DxfCode code, double val, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writePoint2d(AcDb::DxfCode code, const AcGePoint2d& val, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writePoint3d(AcDb::DxfCode code, const AcGePoint3d& val, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeVector2d(AcDb::DxfCode code, const AcGeVector2d& val, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeVector3d(AcDb::DxfCode code, const AcGeVector3d& val, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeScale3d(AcDb::DxfCode code, const AcGeScale3d& val, int prec = kDfltPrec) = 0;
    virtual Acad::ErrorStatus writeBytes(AcDb::DxfCode code, const void* pData, Adesk::UIntPtr nBytes);
    // Starts the extended data (writes nothing in DXF: the 1001 groups follow).
    virtual Acad::ErrorStatus writeXDataStart() { return Acad::eOk; }
    virtual Acad::ErrorStatus writeEmbeddedObjectStart() { return Acad::eOk; }
    // Whether writers include groups whose value is the default.
    virtual bool includesDefaultValues() const = 0;

    // The typed helpers of the commercial API.
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, const AcDbObjectId& v) { return writeObjectId(code, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, const ACHAR* v) { return writeString(code, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, const ads_binary& v) { return writeBChunk(code, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, const AcDbHandle& v) { return writeAcDbHandle(code, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, Adesk::Int64 v) { return writeInt64(code, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, Adesk::Int32 v) { return writeInt32(code, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, Adesk::Int16 v) { return writeInt16(code, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, Adesk::Int8 v) { return writeInt8(code, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, Adesk::UInt32 v) { return writeUInt32(code, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, Adesk::UInt16 v) { return writeUInt16(code, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, Adesk::UInt8 v) { return writeUInt8(code, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, Adesk::Boolean v) { return writeBoolean(code, v); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, double v, int prec = kDfltPrec) { return writeDouble(code, v, prec); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, const AcGePoint2d& v, int prec = kDfltPrec) { return writePoint2d(code, v, prec); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, const AcGePoint3d& v, int prec = kDfltPrec) { return writePoint3d(code, v, prec); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, const AcGeVector2d& v, int prec = kDfltPrec) { return writeVector2d(code, v, prec); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, const AcGeVector3d& v, int prec = kDfltPrec) { return writeVector3d(code, v, prec); }
    Acad::ErrorStatus writeItem(AcDb::DxfCode code, const AcGeScale3d& v, int prec = kDfltPrec) { return writeScale3d(code, v, prec); }

protected:
    AcDbDxfFiler() = default;
    bool haltsAtClassBoundaries() const { return m_haltAtClassBoundaries; }

private:
    int m_precision = 16;
    bool m_haltAtClassBoundaries = false;
    std::wstring m_errorMessage;
};

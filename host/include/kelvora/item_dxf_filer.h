// An in-memory AcDbDxfFiler: a list of DXF groups that objects write to and read from (tests, copies by DXF).
#pragma once

#include <vector>

#include "dbfiler.h"

class AcGePoint3d;

namespace kelvora {

// Each group is kept as a resbuf whose restype is the group code. Writes append; reads go through the
// list from the position of rewindFiler(). A group 0 (or the end of the list) ends the object: reads
// then answer eEndOfObject (eEndOfFile past the end) without consuming. Handles written with
// writeAcDbHandle are kept as hexadecimal text; ids as their ads names (see acdbGetAdsName).
class ItemListDxfFiler : public AcDbDxfFiler {
public:
    explicit ItemListDxfFiler(AcDbDatabase* db = nullptr, AcDb::FilerType type = AcDb::kFileFiler);
    ~ItemListDxfFiler() override;
    ItemListDxfFiler(const ItemListDxfFiler&) = delete;
    ItemListDxfFiler& operator=(const ItemListDxfFiler&) = delete;

    int rewindFiler() override;
    Acad::ErrorStatus filerStatus() const override { return m_status; }
    void resetFilerStatus() override { m_status = Acad::eOk; }
    AcDb::FilerType filerType() const override { return m_type; }
    AcDbDatabase* database() const override { return m_database; }
    Acad::ErrorStatus dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maintVer) const override;
    void setDwgVersion(AcDb::AcDbDwgVersion ver) { m_version = ver; }

    Acad::ErrorStatus readResBuf(resbuf* pRb) override;
    Acad::ErrorStatus pushBackItem() override;
    bool atEOF() override;
    bool atSubclassData(const ACHAR* subClassName) override;
    bool atExtendedData() override;
    bool atEndOfObject() override;

    Acad::ErrorStatus writeResBuf(const resbuf& rb) override;
    Acad::ErrorStatus writeObjectId(AcDb::DxfCode code, const AcDbObjectId& id) override;
    Acad::ErrorStatus writeInt8(AcDb::DxfCode code, Adesk::Int8 val) override;
    Acad::ErrorStatus writeString(AcDb::DxfCode code, const ACHAR* pVal) override;
    Acad::ErrorStatus writeBChunk(AcDb::DxfCode code, const ads_binary& val) override;
    Acad::ErrorStatus writeAcDbHandle(AcDb::DxfCode code, const AcDbHandle& val) override;
    Acad::ErrorStatus writeInt64(AcDb::DxfCode code, Adesk::Int64 val) override;
    Acad::ErrorStatus writeInt32(AcDb::DxfCode code, Adesk::Int32 val) override;
    Acad::ErrorStatus writeInt16(AcDb::DxfCode code, Adesk::Int16 val) override;
    Acad::ErrorStatus writeUInt32(AcDb::DxfCode code, Adesk::UInt32 val) override;
    Acad::ErrorStatus writeUInt16(AcDb::DxfCode code, Adesk::UInt16 val) override;
    Acad::ErrorStatus writeUInt8(AcDb::DxfCode code, Adesk::UInt8 val) override;
    Acad::ErrorStatus writeBoolean(AcDb::DxfCode code, Adesk::Boolean val) override;
    Acad::ErrorStatus writeDouble(AcDb::DxfCode code, double val, int prec = kDfltPrec) override;
    Acad::ErrorStatus writePoint2d(AcDb::DxfCode code, const AcGePoint2d& val, int prec = kDfltPrec) override;
    Acad::ErrorStatus writePoint3d(AcDb::DxfCode code, const AcGePoint3d& val, int prec = kDfltPrec) override;
    Acad::ErrorStatus writeVector2d(AcDb::DxfCode code, const AcGeVector2d& val, int prec = kDfltPrec) override;
    Acad::ErrorStatus writeVector3d(AcDb::DxfCode code, const AcGeVector3d& val, int prec = kDfltPrec) override;
    Acad::ErrorStatus writeScale3d(AcDb::DxfCode code, const AcGeScale3d& val, int prec = kDfltPrec) override;
    bool includesDefaultValues() const override { return m_includesDefaults; }
    void setIncludesDefaultValues(bool include) { m_includesDefaults = include; }

    // The groups.
    int itemCount() const { return static_cast<int>(m_items.size()); }
    const resbuf* itemAt(int index) const;  // null out of range
    int position() const { return static_cast<int>(m_position); }
    // Copies the group in (rbnext ignored).
    void appendItem(const resbuf& rb);
    void appendString(int code, const ACHAR* text);
    void appendInt(int code, long value);   // stored with the type the code calls for
    void appendReal(int code, double value);
    void appendPoint(int code, const AcGePoint3d& pt);
    void appendId(int code, const AcDbObjectId& id);
    // Removes every group and rewinds.
    void clear();
    // The index of the first group with that code at or after `from`; -1 when none.
    int find(int code, int from = 0) const;

private:
    Acad::ErrorStatus push(resbuf* rb);
    std::vector<resbuf*> m_items;
    size_t m_position = 0;
    bool m_canPushBack = false;
    Acad::ErrorStatus m_status = Acad::eOk;
    AcDbDatabase* m_database;
    AcDb::FilerType m_type;
    AcDb::AcDbDwgVersion m_version = AcDb::kDHL_1021;
    bool m_includesDefaults = false;
};

}  // namespace kelvora

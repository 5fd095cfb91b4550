// The DXF filer of drawing files: objects read their fields from the groups of one record and write theirs as groups.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "dbfiler.h"
#include "kelvora/dxf_raw_io.h"
#include "kelvora/dxf_tag.h"

namespace kelvora {

// Reading goes through the groups given, from the first after the record's group 0; the end of
// them is the end of the object (eEndOfObject). Coordinates come as one point (10, 20, 30 -> point
// 10; a missing 20 or 30 reads as 0), references (320-369, 390-399, 480, 481) as the ads name of the
// id of their handle (made on demand: a forward reference), other values typed by their code.
// Writing appends groups: ids as the handles of their objects, reals in the shortest form that
// reads back the same, binary chunks in groups of at most 127 bytes.
class DrawingDxfFiler final : public AcDbDxfFiler {
public:
    struct Message {
        std::uint32_t line = 0;
        std::string text;
    };

    DrawingDxfFiler(AcDbDatabase* db, AcDb::AcDbDwgVersion version);
    // For reading: the groups of a record after its group 0 (xdata left out by the caller).
    DrawingDxfFiler(AcDbDatabase* db, AcDb::AcDbDwgVersion version, std::span<const DxfTag> groups);
    ~DrawingDxfFiler() override = default;
    DrawingDxfFiler(const DrawingDxfFiler&) = delete;
    DrawingDxfFiler& operator=(const DrawingDxfFiler&) = delete;

    int rewindFiler() override;
    Acad::ErrorStatus filerStatus() const override { return m_status; }
    void resetFilerStatus() override { m_status = Acad::eOk; }
    Acad::ErrorStatus setError(Acad::ErrorStatus status, const ACHAR* format, ...) override;
    Acad::ErrorStatus setError(const ACHAR* format, ...) override;
    AcDb::FilerType filerType() const override { return AcDb::kFileFiler; }
    AcDbDatabase* database() const override { return m_database; }
    Acad::ErrorStatus dwgVersion(AcDb::AcDbDwgVersion& ver, AcDb::MaintenanceReleaseVersion& maintVer) const override;

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
    bool includesDefaultValues() const override { return false; }

    // Reading: the index of the next group to be read, and the line of the group read last (or of the
    // next one before any read).
    std::size_t position() const { return m_position; }
    std::uint32_t currentLine() const;
    // What the objects reported through setError while reading or writing, in order.
    const std::vector<Message>& messages() const { return m_messages; }

    // Writing: the groups written so far.
    std::vector<DxfTag>& written() { return m_written; }
    std::vector<DxfTag> takeWritten() { return std::move(m_written); }
    // Writing: groups go straight to `text` from now on instead of being kept (written() stays
    // empty), for a record nothing is inserted into afterwards.
    void writeTextTo(DxfTextWriter& text) { m_text = &text; }
    void writeTag(const DxfTag& tag) { append(tag.code, tag.value); }

private:
    void append(int code, std::string value);
    void appendDouble(int code, double value);
    void note(const std::wstring& text);
    // Fills rb from the group at m_position (advancing past the groups it takes).
    Acad::ErrorStatus fill(resbuf* rb);

    AcDbDatabase* m_database;
    AcDb::AcDbDwgVersion m_version;
    std::span<const DxfTag> m_groups;
    std::size_t m_position = 0;
    std::size_t m_lastStart = 0;
    bool m_canPushBack = false;
    Acad::ErrorStatus m_status = Acad::eOk;
    std::vector<Message> m_messages;
    std::vector<DxfTag> m_written;
    DxfTextWriter* m_text = nullptr;
};

// The groups as a resbuf list (points joined, references as ads names), through the filer's reading.
// The caller frees the list with acutRelRb.
resbuf* dxfTagsToResbufs(AcDbDatabase* db, std::span<const DxfTag> groups);
// A resbuf list as groups (the inverse).
std::vector<DxfTag> resbufsToDxfTags(AcDbDatabase* db, const resbuf* list);

// The DWG version a DXF version ("AC1015") stands for.
AcDb::AcDbDwgVersion dwgVersionOfAcadVer(std::string_view acadVer);

}  // namespace kelvora

// Builds the raw drawing from a tag stream: sections, tables, blocks, entity sequences; repairs what it can.
#include "kelvora/dxf_raw_io.h"

#include "dxf_raw_postprocess.h"
#include "kelvora/dxf_repair.h"
#include "kelvora/dxf_tag_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <utility>

namespace kelvora {

namespace {

constexpr int kTypeCode = 0;
constexpr int kNameCode = 2;
constexpr int kHeaderVariableCode = 9;
// Nearly every entity takes more text than this (type, handle, owner, subclass markers, layer,
// coordinates); a file of smaller ones only makes its list grow as it is read.
constexpr std::size_t kFewestBytesPerEntity = 128;

class RawBuilder {
public:
    RawBuilder(DxfTagReader& reader, std::size_t dataBytes, DxfRawDrawing& drawing, DxfDiagnostics& diagnostics)
        : m_reader(reader), m_dataBytes(dataBytes), m_drawing(drawing), m_diagnostics(diagnostics)
    {
    }

    void run();

private:
    bool advance() { return m_have = m_reader.next(m_tag); }
    bool atType() const { return m_have && m_tag.code == kTypeCode; }
    bool atType(std::string_view name) const { return atType() && m_tag.trimmed() == name; }
    // ENDSEC, or the start of what comes after a section that lacks its ENDSEC.
    bool atSectionEnd() const { return atType("ENDSEC") || atType("SECTION") || atType("EOF"); }

    void readSection();
    void closeSection(const DxfSection& section);
    void readHeader();
    void readClasses();
    void readTables();
    void readBlocks();
    void readEntities(std::vector<DxfEntity>& into, bool inBlock);
    void readObjects();
    void readOther(DxfSection& section);
    void readRecord(DxfRecord& record);
    // A record the drawing keeps, checked while its groups are at hand.
    void readKeptRecord(DxfRecord& record);
    void readEntity(std::vector<DxfEntity>& into);
    // Skips a record the structure has no place for, with one warning.
    void skipRecord(const char* where);
    DxfRecord madeRecord(const char* type) const;

    DxfTagReader& m_reader;
    std::size_t m_dataBytes;
    DxfRawDrawing& m_drawing;
    DxfDiagnostics& m_diagnostics;
    DxfTag m_tag;
    bool m_have = false;
    std::vector<DxfTag> m_scratch;
};

void RawBuilder::run()
{
    advance();
    bool sawEof = false;
    bool warnedStray = false;
    while (m_have) {
        if (atType("EOF")) {
            sawEof = true;
            break;
        }
        if (atType("SECTION")) {
            readSection();
            continue;
        }
        if (!warnedStray) {
            m_diagnostics.warning(m_tag.line, "group " + std::to_string(m_tag.code) +
                                                  " outside any section is skipped");
            warnedStray = true;
        }
        advance();
        while (m_have && m_tag.code != kTypeCode)
            advance();
    }
    if (!sawEof && !m_reader.failed() && !m_diagnostics.hasErrors())
        m_diagnostics.warning(m_reader.endLine(), "the file has no EOF; it is taken to end here");
}

void RawBuilder::readSection()
{
    DxfSection section;
    section.line = m_tag.line;
    advance();
    if (m_have && m_tag.code == kNameCode) {
        section.name = std::string(m_tag.trimmed());
        advance();
    } else if (m_have) {
        m_diagnostics.error(m_tag.line, "SECTION has no name (group 2)");
    }
    section.kind = dxfSectionKind(section.name);
    bool firstOfKind = section.kind == DxfSectionKind::kOther || !m_drawing.hasSection(section.kind);
    if (!firstOfKind)
        m_diagnostics.warning(section.line, "a second " + section.name + " section is merged into the first");
    switch (section.kind) {
    case DxfSectionKind::kHeader: readHeader(); break;
    case DxfSectionKind::kClasses: readClasses(); break;
    case DxfSectionKind::kTables: readTables(); break;
    case DxfSectionKind::kBlocks: readBlocks(); break;
    case DxfSectionKind::kEntities:
        // Room for as many entities as the file could hold, so that the list never moves what it
        // holds to grow; the room not used is never touched and costs no memory.
        m_drawing.entities.reserve(m_dataBytes / kFewestBytesPerEntity);
        readEntities(m_drawing.entities, false);
        break;
    case DxfSectionKind::kObjects: readObjects(); break;
    case DxfSectionKind::kOther: readOther(section); break;
    }
    closeSection(section);
    if (firstOfKind)
        m_drawing.sections.push_back(std::move(section));
}

void RawBuilder::closeSection(const DxfSection& section)
{
    if (atType("ENDSEC")) {
        advance();
        return;
    }
    if (!m_have) {
        if (!m_reader.failed())
            m_diagnostics.error(m_reader.endLine(), "unexpected end of file in section " + section.name +
                                                        " (begun at line " + std::to_string(section.line) + ")");
        return;
    }
    m_diagnostics.warning(m_tag.line, "section " + section.name + " has no ENDSEC; it is closed here");
}

void RawBuilder::readRecord(DxfRecord& record)
{
    // Gathered in a buffer that keeps its capacity, then moved into a vector of
    // the exact size: one allocation a record instead of one a doubling.
    // The groups are read straight into their place; the group 0 that ends the record is the next one.
    m_scratch.clear();
    m_scratch.push_back(std::move(m_tag));
    while (true) {
        DxfTag& next = m_scratch.emplace_back();
        m_have = m_reader.next(next);
        if (!m_have || next.code == kTypeCode) {
            if (m_have)
                m_tag = std::move(next);
            m_scratch.pop_back();
            break;
        }
    }
    record.tags.reserve(record.tags.size() + m_scratch.size());
    std::move(m_scratch.begin(), m_scratch.end(), std::back_inserter(record.tags));
}

void RawBuilder::readKeptRecord(DxfRecord& record)
{
    readRecord(record);
    checkDxfRecordHandle(record, m_diagnostics);
}

void RawBuilder::skipRecord(const char* where)
{
    m_diagnostics.warning(m_tag.line, std::string(m_tag.trimmed()) + " " + where + " is skipped");
    DxfRecord dropped;
    readRecord(dropped);
}

DxfRecord RawBuilder::madeRecord(const char* type) const
{
    DxfRecord r;
    r.tags.emplace_back(kTypeCode, type);
    return r;
}

void RawBuilder::readHeader()
{
    bool warnedStray = false;
    while (m_have && m_tag.code != kTypeCode) {
        if (m_tag.code != kHeaderVariableCode) {
            if (!warnedStray)
                m_diagnostics.warning(m_tag.line, "group " + std::to_string(m_tag.code) +
                                                      " before any header variable is skipped");
            warnedStray = true;
            advance();
            continue;
        }
        DxfHeaderVariable variable;
        variable.name = std::string(m_tag.trimmed());
        variable.line = m_tag.line;
        while (advance() && m_tag.code != kTypeCode && m_tag.code != kHeaderVariableCode)
            variable.tags.push_back(std::move(m_tag));
        m_drawing.header.push_back(std::move(variable));
    }
}

void RawBuilder::readClasses()
{
    while (atType() && !atSectionEnd()) {
        m_drawing.classes.emplace_back();
        readRecord(m_drawing.classes.back());
    }
}

void RawBuilder::readTables()
{
    while (atType() && !atSectionEnd()) {
        if (!atType("TABLE")) {
            skipRecord("outside a table");
            continue;
        }
        DxfTable table;
        std::uint32_t line = m_tag.line;
        readKeptRecord(table.head);
        while (atType() && !atType("ENDTAB") && !atType("TABLE") && !atSectionEnd()) {
            table.records.emplace_back();
            readKeptRecord(table.records.back());
        }
        if (atType("ENDTAB")) {
            DxfRecord endtab;
            readRecord(endtab);
        } else if (m_have) {
            m_diagnostics.warning(line, "table " + std::string(table.name()) + " has no ENDTAB; it is closed" +
                                            (m_tag.line > 0 ? " at line " + std::to_string(m_tag.line) : std::string()));
        }
        m_drawing.tables.push_back(std::move(table));
    }
}

void RawBuilder::readBlocks()
{
    while (atType() && !atSectionEnd()) {
        if (!atType("BLOCK")) {
            skipRecord("outside a block");
            continue;
        }
        DxfBlock block;
        std::uint32_t line = m_tag.line;
        readKeptRecord(block.begin);
        readEntities(block.entities, true);
        if (atType("ENDBLK")) {
            readKeptRecord(block.end);
        } else {
            if (m_have)
                m_diagnostics.warning(line, "block " + std::string(block.name()) + " has no ENDBLK; one is added");
            block.end = madeRecord("ENDBLK");
        }
        m_drawing.blocks.push_back(std::move(block));
    }
}

void RawBuilder::readEntities(std::vector<DxfEntity>& into, bool inBlock)
{
    while (atType() && !atSectionEnd()) {
        if (inBlock && (atType("ENDBLK") || atType("BLOCK")))
            return;
        readEntity(into);
    }
}

void RawBuilder::readEntity(std::vector<DxfEntity>& into)
{
    DxfEntity entity;
    readKeptRecord(entity.record);
    repairDxfCounts(entity.record, m_diagnostics);
    std::string_view type = entity.record.type();
    const char* childType = type == "POLYLINE" ? "VERTEX" : type == "INSERT" ? "ATTRIB" : nullptr;
    if (childType) {
        while (atType(childType)) {
            entity.children.emplace_back();
            readKeptRecord(entity.children.back());
        }
        if (atType("SEQEND")) {
            entity.seqend.emplace();
            readKeptRecord(*entity.seqend);
        } else if (type == "POLYLINE" || !entity.children.empty()) {
            if (m_have)
                m_diagnostics.warning(entity.record.line(), std::string(type) + " has no SEQEND; one is added");
            entity.seqend = madeRecord("SEQEND");
        }
    }
    into.push_back(std::move(entity));
}

void RawBuilder::readObjects()
{
    while (atType() && !atSectionEnd()) {
        m_drawing.objects.emplace_back();
        readKeptRecord(m_drawing.objects.back());
    }
}

void RawBuilder::readOther(DxfSection& section)
{
    while (m_have && !atSectionEnd()) {
        section.tags.push_back(std::move(m_tag));
        advance();
    }
}

}  // namespace

bool readDxfRaw(std::string_view data, DxfRawDrawing& drawing, DxfDiagnostics& diagnostics)
{
    drawing = DxfRawDrawing();
    std::size_t errorsBefore = diagnostics.errorCount();
    if (data.empty()) {
        diagnostics.error(0, "the file is empty");
        return false;
    }
    std::unique_ptr<DxfTagReader> reader = makeDxfTagReader(data, diagnostics);
    RawBuilder(*reader, data.size(), drawing, diagnostics).run();
    decodeDxfRawText(drawing, diagnostics);
    return diagnostics.errorCount() == errorsBefore;
}

bool readDxfFileBytes(const std::string& path, std::string& bytes, DxfDiagnostics& diagnostics)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        diagnostics.error(0, std::string("cannot open the file: ") + std::strerror(errno));
        return false;
    }
    bytes.clear();
    // Sized once from the file's length, then read in place: a large drawing is not copied to grow.
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long size = std::ftell(f);
        if (size > 0)
            bytes.resize(static_cast<std::size_t>(size));
        std::rewind(f);
    }
    std::size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), f);
    bytes.resize(got);
    // Whatever the length did not tell (a file that grew, or one that cannot seek) follows.
    char buffer[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    bool bad = std::ferror(f) != 0;
    int readErrno = errno;
    std::fclose(f);
    if (bad) {
        diagnostics.error(0, std::string("cannot read the file: ") + std::strerror(readErrno));
        return false;
    }
    return true;
}

bool readDxfRawFile(const std::string& path, DxfRawDrawing& drawing, DxfDiagnostics& diagnostics)
{
    std::string bytes;
    if (!readDxfFileBytes(path, bytes, diagnostics))
        return false;
    return readDxfRaw(bytes, drawing, diagnostics);
}

}  // namespace kelvora

// Writes a raw drawing as ASCII DXF in the encoding of the chosen version, and saves it atomically.
#include "kelvora/dxf_raw_io.h"

#include "dxf_atomic_file.h"
#include "kelvora/dxf_encoding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <utility>

namespace kelvora {

namespace {

// Printable ASCII needs no encoding in any version.
bool isPlain(std::string_view value)
{
    for (char c : value) {
        unsigned char b = static_cast<unsigned char>(c);
        if ((b < 0x20 && b != '\t') || b >= 0x80)
            return false;
    }
    return true;
}

// Codes right-aligned in three columns, as AutoCAD writes them, made once for every code.
struct CodeText {
    char text[4];
    std::uint8_t size;
};

const std::array<CodeText, kDxfMaxGroupCode + 1>& codeTexts()
{
    static const auto table = [] {
        std::array<CodeText, kDxfMaxGroupCode + 1> t{};
        for (int code = 0; code <= kDxfMaxGroupCode; ++code) {
            char digits[8];
            auto [end, ec] = std::to_chars(digits, digits + sizeof digits, code);
            const auto n = static_cast<std::size_t>(end - digits);
            const std::size_t pad = n < 3 ? 3 - n : 0;
            std::memset(t[code].text, ' ', pad);
            std::memcpy(t[code].text + pad, digits, n);
            t[code].size = static_cast<std::uint8_t>(pad + n);
        }
        return t;
    }();
    return table;
}

class TagWriter {
public:
    // With a file, the text goes there in pieces as it is made instead of
    // growing one string as large as the drawing.
    TagWriter(std::string version, bool crlf, AtomicFileWriter* file = nullptr)
        : m_out(std::move(version), crlf), m_file(file)
    {
        if (m_file)
            m_out.reserve(kFlushBytes + 4096);
    }

    void tag(int code, std::string_view value)
    {
        m_out.append(code, value);
        if (m_file && m_out.size() >= kFlushBytes)
            flush();
    }

    void flush()
    {
        if (m_file)
            m_file->write(m_out.view());
        m_out.clear();
    }

    // Text made beforehand in the same encoding, taken as it is.
    void text(const std::vector<std::string>& made)
    {
        if (m_file)
            flush();
        for (const std::string& piece : made) {
            if (m_file)
                m_file->write(piece);
            else
                m_out.appendText(piece);
        }
    }

    void tag(const DxfTag& t) { tag(t.code, t.value); }

    void tags(const std::vector<DxfTag>& ts)
    {
        for (const DxfTag& t : ts)
            tag(t);
    }

    void record(const DxfRecord& r) { tags(r.tags); }

    void entity(const DxfEntity& e)
    {
        record(e.record);
        for (const DxfRecord& c : e.children)
            record(c);
        if (e.seqend)
            record(*e.seqend);
    }

    std::string take() { return m_out.take(); }
    void reserve(std::size_t n) { m_out.reserve(n); }

private:
    static constexpr std::size_t kFlushBytes = 1 << 20;

    DxfGroupText m_out;
    AtomicFileWriter* m_file;
};

void writeHeader(TagWriter& w, const DxfRawDrawing& drawing, const std::string& version)
{
    // Only the variables that describe the file itself change: its version and,
    // before R2007, the code page it is written in.
    DxfRawDrawing copy;
    copy.header = drawing.header;
    if (copy.headerVariable("$ACADVER")) {
        copy.setHeaderValue("$ACADVER", 1, version);
    } else {
        DxfHeaderVariable v;
        v.name = "$ACADVER";
        v.tags.emplace_back(1, version);
        copy.header.insert(copy.header.begin(), std::move(v));
    }
    if (!isDxfUtf8Version(version))
        copy.setHeaderValue("$DWGCODEPAGE", 3, std::string(kDxfDefaultCodePage),
                            copy.headerVariable("$ACADMAINTVER") ? "$ACADMAINTVER" : "$ACADVER");
    for (const DxfHeaderVariable& v : copy.header) {
        w.tag(9, v.name);
        w.tags(v.tags);
    }
}

void writeSection(TagWriter& w, const DxfRawDrawing& drawing, const DxfSection& section, const std::string& version,
                  const DxfSectionTexts* made)
{
    w.tag(0, "SECTION");
    w.tag(2, section.name);
    if (made != nullptr && section.kind != DxfSectionKind::kOther) {
        if (auto it = made->find(section.kind); it != made->end()) {
            w.text(it->second);
            w.tag(0, "ENDSEC");
            return;
        }
    }
    switch (section.kind) {
    case DxfSectionKind::kHeader:
        writeHeader(w, drawing, version);
        break;
    case DxfSectionKind::kClasses:
        for (const DxfRecord& r : drawing.classes)
            w.record(r);
        break;
    case DxfSectionKind::kTables:
        for (const DxfTable& t : drawing.tables) {
            w.record(t.head);
            for (const DxfRecord& r : t.records)
                w.record(r);
            w.tag(0, "ENDTAB");
        }
        break;
    case DxfSectionKind::kBlocks:
        for (const DxfBlock& b : drawing.blocks) {
            w.record(b.begin);
            for (const DxfEntity& e : b.entities)
                w.entity(e);
            w.record(b.end);
        }
        break;
    case DxfSectionKind::kEntities:
        for (const DxfEntity& e : drawing.entities)
            w.entity(e);
        break;
    case DxfSectionKind::kObjects:
        for (const DxfRecord& r : drawing.objects)
            w.record(r);
        break;
    case DxfSectionKind::kOther:
        w.tags(section.tags);
        break;
    }
    w.tag(0, "ENDSEC");
}

// The sections of a drawing made in memory, which has no file order to keep.
std::vector<DxfSection> defaultSections(const DxfRawDrawing& drawing)
{
    std::vector<DxfSection> out;
    auto add = [&](DxfSectionKind kind, const char* name, bool present) {
        if (!present)
            return;
        DxfSection s;
        s.kind = kind;
        s.name = name;
        out.push_back(std::move(s));
    };
    add(DxfSectionKind::kHeader, "HEADER", !drawing.header.empty());
    add(DxfSectionKind::kClasses, "CLASSES", !drawing.classes.empty());
    add(DxfSectionKind::kTables, "TABLES", !drawing.tables.empty());
    add(DxfSectionKind::kBlocks, "BLOCKS", !drawing.blocks.empty());
    add(DxfSectionKind::kEntities, "ENTITIES", true);
    add(DxfSectionKind::kObjects, "OBJECTS", !drawing.objects.empty());
    return out;
}

}  // namespace

namespace {

void writeAll(TagWriter& w, const DxfRawDrawing& drawing, const std::string& version, const DxfSectionTexts* made)
{
    const std::vector<DxfSection> fallback = drawing.sections.empty() ? defaultSections(drawing) : std::vector<DxfSection>();
    const std::vector<DxfSection>& sections = drawing.sections.empty() ? fallback : drawing.sections;
    for (const DxfSection& s : sections)
        writeSection(w, drawing, s, version, made);
    w.tag(0, "EOF");
}

// Bytes the text of the drawing takes, near enough to size the string once.
std::size_t estimatedBytes(const DxfRawDrawing& drawing)
{
    constexpr std::size_t kCodeAndLineEnds = 6;  // "  0\n" and the value's "\n"
    std::size_t n = 4096;
    auto tags = [&](const std::vector<DxfTag>& ts) {
        for (const DxfTag& t : ts)
            n += t.value.size() + kCodeAndLineEnds;
    };
    auto entity = [&](const DxfEntity& e) {
        tags(e.record.tags);
        for (const DxfRecord& c : e.children)
            tags(c.tags);
    };
    for (const DxfHeaderVariable& v : drawing.header)
        tags(v.tags);
    for (const DxfRecord& r : drawing.classes)
        tags(r.tags);
    for (const DxfTable& t : drawing.tables)
        for (const DxfRecord& r : t.records)
            tags(r.tags);
    for (const DxfBlock& b : drawing.blocks)
        for (const DxfEntity& e : b.entities)
            entity(e);
    for (const DxfEntity& e : drawing.entities)
        entity(e);
    for (const DxfRecord& r : drawing.objects)
        tags(r.tags);
    return n + n / 16;
}

}  // namespace

void DxfGroupText::append(int code, std::string_view value)
{
    std::string encoded;
    if (!isPlain(value)) {
        // Only control characters can make a number or handle unplain here; the UTF-8 form changes
        // nothing but them.
        encoded = encodeDxfText(value, isDxfTextType(dxfValueType(code)) ? m_version : std::string(kDxfFirstUtf8Version));
        value = encoded;
    }
    CodeText head{};
    if (isValidDxfGroupCode(code)) {
        head = codeTexts()[static_cast<std::size_t>(code)];
    } else {
        // No file holds such a code; written as it is all the same, for the reader to refuse.
        char digits[16];
        auto [end, ec] = std::to_chars(digits, digits + sizeof digits, code);
        appendText(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }
    char* p = room(sizeof head.text + value.size() + 4);
    std::memcpy(p, head.text, sizeof head.text);
    p += head.size;
    if (m_crlf)
        *p++ = '\r';
    *p++ = '\n';
    std::memcpy(p, value.data(), value.size());
    p += value.size();
    if (m_crlf)
        *p++ = '\r';
    *p++ = '\n';
    m_used = static_cast<std::size_t>(p - m_bytes.data());
}

void DxfGroupText::appendText(std::string_view text)
{
    std::memcpy(room(text.size()), text.data(), text.size());
    m_used += text.size();
}

void DxfGroupText::reserve(std::size_t bytes)
{
    if (bytes > m_bytes.size())
        m_bytes.resize(bytes);
}

std::string DxfGroupText::take()
{
    m_bytes.resize(m_used);
    m_used = 0;
    return std::move(m_bytes);
}

// Where `bytes` more can be written; the buffer at least doubles when it must grow.
char* DxfGroupText::room(std::size_t bytes)
{
    if (m_bytes.size() - m_used < bytes)
        m_bytes.resize(std::max({m_bytes.size() * 2, m_used + bytes, std::size_t{4096}}));
    return m_bytes.data() + m_used;
}

DxfTextWriter::DxfTextWriter(std::string version, bool crlf) : m_text(std::move(version), crlf)
{
}

void DxfTextWriter::tag(int code, std::string_view value)
{
    if (m_text.size() >= kPieceBytes) {
        m_done.push_back(m_text.take());
        m_text.reserve(kPieceBytes + kPieceBytes / 8);
    }
    m_text.append(code, value);
}

void DxfTextWriter::record(const DxfRecord& record)
{
    for (const DxfTag& t : record.tags)
        tag(t.code, t.value);
}

std::vector<std::string> DxfTextWriter::take()
{
    if (m_text.size() > 0)
        m_done.push_back(m_text.take());
    return std::move(m_done);
}

void DxfTextWriter::entity(const DxfEntity& entity)
{
    record(entity.record);
    for (const DxfRecord& c : entity.children)
        record(c);
    if (entity.seqend)
        record(*entity.seqend);
}

std::string writeDxfRaw(const DxfRawDrawing& drawing, const DxfWriteOptions& options)
{
    std::string version = options.version.empty() ? drawing.version() : options.version;
    TagWriter w(version, options.crlf);
    w.reserve(estimatedBytes(drawing));
    writeAll(w, drawing, version, nullptr);
    return w.take();
}

std::string writeDxfRaw(const DxfRawDrawing& drawing, const DxfWriteOptions& options, const DxfSectionTexts& made)
{
    std::string version = options.version.empty() ? drawing.version() : options.version;
    std::size_t bytes = estimatedBytes(drawing);
    for (const auto& [kind, pieces] : made)
        for (const std::string& piece : pieces)
            bytes += piece.size();
    TagWriter w(version, options.crlf);
    w.reserve(bytes);
    writeAll(w, drawing, version, &made);
    return w.take();
}

bool saveDxfRawFile(const std::string& path, const DxfRawDrawing& drawing, const DxfWriteOptions& options,
                    DxfDiagnostics& diagnostics, const DxfSectionTexts* made)
{
    std::string error;
    AtomicFileWriter file;
    if (file.open(path, error)) {
        std::string version = options.version.empty() ? drawing.version() : options.version;
        TagWriter w(version, options.crlf, &file);
        writeAll(w, drawing, version, made);
        w.flush();
        if (file.commit(error))
            return true;
    }
    diagnostics.error(0, "cannot write the file: " + error);
    return false;
}

}  // namespace kelvora

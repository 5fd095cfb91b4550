// Reading a DXF file into the raw drawing and writing the raw drawing back, losslessly.
#pragma once

#include "kelvora/dxf_diagnostics.h"
#include "kelvora/dxf_raw.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvora {

// Reads ASCII or binary DXF data into `drawing` (emptied first). String values
// are decoded to UTF-8 by the file's version and code page; numbers stay as
// written. Damage is reported to `diagnostics`: what can be repaired (a missing
// ENDSEC, ENDBLK, SEQEND or EOF, a count that disagrees with its data: see
// repairDxfCounts) is, with a warning; what cannot (a bad group
// code, a value that is no number, a file that ends inside a section) is an
// error. Returns false when there was an error: `drawing` then holds what could
// be read, for messages only.
bool readDxfRaw(std::string_view data, DxfRawDrawing& drawing, DxfDiagnostics& diagnostics);

// Reads a whole file into `bytes`; false with an error at line 0 (the file
// cannot be opened or read).
bool readDxfFileBytes(const std::string& path, std::string& bytes, DxfDiagnostics& diagnostics);
bool readDxfRawFile(const std::string& path, DxfRawDrawing& drawing, DxfDiagnostics& diagnostics);

struct DxfWriteOptions {
    // The version to write ($ACADVER and the text encoding follow it); empty keeps
    // the drawing's own. The raw writer converts no record: choosing the content
    // of a version is the database's work.
    std::string version;
    bool crlf = false;  // CR LF line ends instead of LF
};

// ASCII DXF text of the drawing: UTF-8 from R2007 on, Windows-1252 with \U+XXXX
// for other characters before (and $DWGCODEPAGE set to ANSI_1252 to say so).
std::string writeDxfRaw(const DxfRawDrawing& drawing, const DxfWriteOptions& options = {});

// ASCII DXF text made one group at a time, as writeDxfRaw makes it: for a writer
// that turns its records into text as it makes them instead of holding them all.
// The text is kept in pieces of about a megabyte, so that a large drawing's text
// is never copied to grow.
// Groups as ASCII DXF text, in the encoding of a version, appended to a buffer sized ahead of what
// it holds: a group is a few bytes copied, not a string grown piece by piece.
class DxfGroupText {
public:
    DxfGroupText(std::string version, bool crlf) : m_version(std::move(version)), m_crlf(crlf) {}

    void append(int code, std::string_view value);
    // Bytes made beforehand in the same encoding.
    void appendText(std::string_view text);
    void reserve(std::size_t bytes);

    std::size_t size() const { return m_used; }
    std::string_view view() const { return {m_bytes.data(), m_used}; }
    void clear() { m_used = 0; }
    // The text so far; the buffer is empty afterwards.
    std::string take();

private:
    char* room(std::size_t bytes);

    std::string m_version;
    bool m_crlf;
    std::string m_bytes;  // sized ahead: only the first m_used bytes are text
    std::size_t m_used = 0;
};

class DxfTextWriter {
public:
    // `version` chooses the encoding of strings, as DxfWriteOptions::version does.
    explicit DxfTextWriter(std::string version, bool crlf = false);

    void tag(int code, std::string_view value);
    void record(const DxfRecord& record);
    // The entity, its sub-entities and its SEQEND.
    void entity(const DxfEntity& entity);

    // The text so far, in order; the writer is empty afterwards.
    std::vector<std::string> take();

private:
    static constexpr std::size_t kPieceBytes = 1 << 20;

    DxfGroupText m_text;
    std::vector<std::string> m_done;
};

// The content of sections (what stands between their name and their ENDSEC) made
// beforehand as text, by kind; only the six structured kinds are looked up.
using DxfSectionTexts = std::map<DxfSectionKind, std::vector<std::string>>;

// writeDxfRaw, with the sections whose text `made` holds written from that text
// (see saveDxfRawFile).
std::string writeDxfRaw(const DxfRawDrawing& drawing, const DxfWriteOptions& options, const DxfSectionTexts& made);

// Writes the drawing to `path` atomically: into a file beside it, then renamed
// over it, so an interrupted save never leaves a damaged drawing. False with an
// error at line 0 when the file cannot be written. A section whose text `made`
// holds is written from that text instead of the drawing's records (which are
// then not needed): it must come from a DxfTextWriter of the same version and
// line ends.
bool saveDxfRawFile(const std::string& path, const DxfRawDrawing& drawing, const DxfWriteOptions& options,
                    DxfDiagnostics& diagnostics, const DxfSectionTexts* made = nullptr);

// Writes `bytes` to `path` through a file beside it and a rename. False with
// `error` set (the system's reason) when it fails; the target is then untouched.
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace kelvora

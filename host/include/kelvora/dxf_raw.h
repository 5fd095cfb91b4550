// The lossless raw drawing: every section, record and group of a DXF file, in file order.
#pragma once

#include "kelvora/dxf_tag.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvora {

// One record of a section: the group 0 that names its type, then every group up to
// the next group 0. Groups 102 "{NAME" ... 102 "}" bracket application groups
// (extension dictionary, reactors); groups from the first 1001 on are extension
// data, one application per 1001.
struct DxfRecord {
    std::vector<DxfTag> tags;

    DxfRecord() = default;
    explicit DxfRecord(std::vector<DxfTag> t) : tags(std::move(t)) {}

    // The type name (value of the group 0), or "" for an empty record.
    std::string_view type() const;
    // Line of the group 0; 0 for binary files and records made in memory.
    std::uint32_t line() const { return tags.empty() ? 0 : tags.front().line; }

    // The group that holds the handle: 105 in a DIMSTYLE (where 5 meant something
    // else in R12), 5 elsewhere; null when the record has none.
    const DxfTag* handleTag() const;
    // The handle as a number, up to 64 bits; nothing when absent or not hexadecimal.
    // Handle 0 is returned as 0: it is no valid handle, and the reader flags it.
    std::optional<std::uint64_t> handle() const;
    // The owner (330 outside the 102 groups).
    std::optional<std::uint64_t> owner() const;
    // The values of the subclass markers (100), in order.
    std::vector<std::string_view> subclassMarkers() const;
    // Index of the first extension data group (1001), or tags.size().
    std::size_t xdataBegin() const;
    // The names of the applications that have extension data here, in order.
    std::vector<std::string_view> xdataApplications() const;
    // The extension data of one application: its 1001 group and what follows up to
    // the next 1001; empty when the record has none for it.
    std::span<const DxfTag> xdata(std::string_view application) const;
    // The groups inside "102 {NAME" ... "102 }" (braces excluded), for the first
    // group of that name; empty when there is none. `name` without the brace.
    std::span<const DxfTag> applicationGroup(std::string_view name) const;
    // The extension dictionary (360 in {ACAD_XDICTIONARY).
    std::optional<std::uint64_t> extensionDictionary() const;
    // The persistent reactors (330s in {ACAD_REACTORS).
    std::vector<std::uint64_t> reactors() const;
    // The first group of `code` before the extension data; null when there is none.
    const DxfTag* find(int code) const;
};

// An entity with the records that belong to it: a POLYLINE with its VERTEXes, an
// INSERT with its ATTRIBs, and the SEQEND that closes the sequence. A reader or
// writer handles them as one unit.
struct DxfEntity {
    DxfRecord record;
    std::vector<DxfRecord> children;
    std::optional<DxfRecord> seqend;
};

// One header variable: "9 $NAME" and the groups of its value (one group, or the
// coordinates of a point).
struct DxfHeaderVariable {
    std::string name;
    std::vector<DxfTag> tags;
    std::uint32_t line = 0;  // line of its group 9
};

// A table: its head (0 TABLE, 2 NAME, handle, ...) and its records. ENDTAB closes it.
struct DxfTable {
    DxfRecord head;
    std::vector<DxfRecord> records;

    // The table's name (group 2 of its head: LAYER, LTYPE, ...).
    std::string_view name() const;
};

// A block definition: BLOCK, its entities, ENDBLK.
struct DxfBlock {
    DxfRecord begin;
    std::vector<DxfEntity> entities;
    DxfRecord end;

    // The block's name (group 2 of its BLOCK record, or 3 when 2 is missing).
    std::string_view name() const;
};

enum class DxfSectionKind { kHeader, kClasses, kTables, kBlocks, kEntities, kObjects, kOther };

DxfSectionKind dxfSectionKind(std::string_view name);
// "AC" and four digits, as $ACADVER holds.
bool isDxfVersionName(std::string_view version);

// A section in file order. The content of the known sections lives in the
// drawing's members; a section the host does not structure (THUMBNAILIMAGE,
// ACDSDATA, anything unknown) keeps its groups here, as read.
struct DxfSection {
    DxfSectionKind kind = DxfSectionKind::kOther;
    std::string name;
    std::vector<DxfTag> tags;  // only for kOther
    std::uint32_t line = 0;    // line of its 0 SECTION
};

struct DxfRawDrawing {
    std::vector<DxfSection> sections;
    std::vector<DxfHeaderVariable> header;
    std::vector<DxfRecord> classes;
    std::vector<DxfTable> tables;
    std::vector<DxfBlock> blocks;
    std::vector<DxfEntity> entities;
    std::vector<DxfRecord> objects;

    // $ACADVER ("AC1015"), or AC1009 when the file does not say (as R12 files
    // without a header are) or says something that is no version.
    std::string version() const;
    const DxfHeaderVariable* headerVariable(std::string_view name) const;
    DxfHeaderVariable* headerVariable(std::string_view name);
    // The value of the first group of a header variable; empty when absent.
    std::string_view headerValue(std::string_view name) const;
    // Sets the first group of a header variable, adding the variable at the end
    // of the header (after `after`, when that one exists) if it is missing.
    void setHeaderValue(std::string_view name, int code, std::string value, std::string_view after = {});
    const DxfTable* table(std::string_view name) const;
    bool hasSection(DxfSectionKind kind) const;
};

}  // namespace kelvora

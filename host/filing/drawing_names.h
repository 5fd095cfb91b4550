// Small shared helpers of the drawing file code: names, versions and record surgery.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dbid.h"
#include "kelvora/dxf_raw.h"

namespace kelvora {

// ASCII letters upper-cased (DXF type and class names are ASCII).
std::string upperAscii(std::string_view text);

// Files before R13 have no owners, no subclass markers and no OBJECTS section.
inline bool isPreR13(std::string_view acadVer)
{
    return acadVer < "AC1012";
}

// The position just after the record's group 0, its handle and its application groups (102 ...) and
// owner (330) that come first: where the common entity or object groups begin.
std::size_t afterObjectHead(const std::vector<DxfTag>& tags);

// Sets the record's handle group (5, or 105 for a DIMSTYLE) to `handle`, adding it after the group
// 0 when missing.
void setRecordHandle(DxfRecord& record, std::uint64_t handle);

// Sets the record's owner (the 330 outside the 102 groups) to `owner`, adding it after the handle
// and the application groups when missing.
void setRecordOwner(DxfRecord& record, std::uint64_t owner);

// The handle of an id as DXF writes it ("0" for the null id).
std::string handleText(const AcDbObjectId& id);

}  // namespace kelvora

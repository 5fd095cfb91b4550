// Records kept from R12 files made fit for R2000 and later: subclass markers and owners, which R12 lacks.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "kelvora/dxf_raw.h"

namespace kelvora {

// The groups of an entity of `dxfName` that follow its common groups, as an R12 file holds them,
// with the subclass markers that R13 and later put among them. `polylineFlags` are the flags (70)
// of the POLYLINE a VERTEX belongs to (or of the POLYLINE itself).
std::vector<DxfTag> upgradePreR13EntityGroups(std::string_view dxfName, const std::vector<DxfTag>& own,
                                              std::int64_t polylineFlags, std::int64_t vertexFlags);

// A whole R12 entity record (a sub-entity kept with its owner): its owner set, "100 AcDbEntity"
// before its common groups and its own markers after them.
DxfRecord upgradePreR13EntityRecord(const DxfRecord& record, std::uint64_t owner, std::int64_t polylineFlags);

// True when the groups start with no subclass marker, as R12 records do.
bool lacksSubclassMarkers(const std::vector<DxfTag>& own);

// The common entity groups of R13 and later (those that go under "100 AcDbEntity").
bool isCommonEntityCode(int code);

}  // namespace kelvora

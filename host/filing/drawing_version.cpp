// The DXF versions the host writes, by release name and by $ACADVER.
#include <array>

#include "drawing_names.h"
#include "kelvora/drawing_file.h"

namespace kelvora {

namespace {

struct VersionName {
    DrawingVersion version;
    const char* release;
    const char* acadVer;
};

constexpr std::array<VersionName, 6> kVersions = {{
    {DrawingVersion::kR2000, "R2000", "AC1015"},
    {DrawingVersion::kR2004, "R2004", "AC1018"},
    {DrawingVersion::kR2007, "R2007", "AC1021"},
    {DrawingVersion::kR2010, "R2010", "AC1024"},
    {DrawingVersion::kR2013, "R2013", "AC1027"},
    {DrawingVersion::kR2018, "R2018", "AC1032"},
}};

const VersionName& entryOf(DrawingVersion version)
{
    for (const VersionName& v : kVersions)
        if (v.version == version)
            return v;
    return kVersions[2];
}

}  // namespace

const char* drawingVersionAcadVer(DrawingVersion version)
{
    return entryOf(version).acadVer;
}

const char* drawingVersionName(DrawingVersion version)
{
    return entryOf(version).release;
}

std::optional<DrawingVersion> parseDrawingVersion(std::string_view text)
{
    const std::string upper = upperAscii(text);
    for (const VersionName& v : kVersions)
        if (upper == v.release || upper == v.acadVer)
            return v.version;
    return std::nullopt;
}

}  // namespace kelvora

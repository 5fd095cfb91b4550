// Records kept from R12 files made fit for R2000 and later: subclass markers placed among their groups, owners set.
#include "drawing_upgrade.h"

#include <set>
#include <string>

#include "drawing_names.h"

namespace kelvora {

namespace {

// A subclass that follows the first one, and the codes of its groups.
struct SecondPart {
    std::vector<const char*> markers;  // markers written before its groups
    std::set<int> codes;
    const char* trailing = nullptr;    // a marker of an empty last subclass
};

struct Layout {
    std::vector<const char*> first;    // markers before the groups of the first part
    SecondPart second;
};

std::set<int> pointCodes(std::initializer_list<int> codes)
{
    std::set<int> out;
    for (int c : codes) {
        out.insert(c);
        if (c >= 10 && c <= 18) {
            out.insert(c + 10);
            out.insert(c + 20);
        }
    }
    return out;
}

std::int64_t intIn(const std::vector<DxfTag>& tags, int code)
{
    for (const DxfTag& t : tags)
        if (t.code == code)
            return t.toInteger().value_or(0);
    return 0;
}

Layout dimensionLayout(const std::vector<DxfTag>& own)
{
    Layout l;
    l.first = {"AcDbDimension"};
    switch (intIn(own, 70) & 7) {
    case 0:
        l.second = {{"AcDbAlignedDimension"}, pointCodes({13, 14, 50, 52}), "AcDbRotatedDimension"};
        break;
    case 1:
        l.second = {{"AcDbAlignedDimension"}, pointCodes({13, 14, 50, 52}), nullptr};
        break;
    case 2:
        l.second = {{"AcDb2LineAngularDimension"}, pointCodes({13, 14, 15, 16}), nullptr};
        break;
    case 3:
        l.second = {{"AcDbDiametricDimension"}, pointCodes({15, 40}), nullptr};
        break;
    case 4:
        l.second = {{"AcDbRadialDimension"}, pointCodes({15, 40}), nullptr};
        break;
    case 5:
        l.second = {{"AcDb3PointAngularDimension"}, pointCodes({13, 14, 15}), nullptr};
        break;
    default:
        l.second = {{"AcDbOrdinateDimension"}, pointCodes({13, 14}), nullptr};
        break;
    }
    return l;
}

Layout layoutOf(std::string_view name, const std::vector<DxfTag>& own, std::int64_t polylineFlags,
                std::int64_t vertexFlags)
{
    const std::string type = upperAscii(name);
    if (type == "3DFACE")
        return {{"AcDbFace"}, {}};
    if (type == "SOLID" || type == "TRACE")
        return {{"AcDbTrace"}, {}};
    if (type == "SHAPE")
        return {{"AcDbShape"}, {}};
    if (type == "VIEWPORT")
        return {{"AcDbViewport"}, {}};
    if (type == "LINE")
        return {{"AcDbLine"}, {}};
    if (type == "POINT")
        return {{"AcDbPoint"}, {}};
    if (type == "CIRCLE")
        return {{"AcDbCircle"}, {}};
    if (type == "ARC")
        return {{"AcDbCircle"}, {{"AcDbArc"}, {50, 51}, nullptr}};
    if (type == "TEXT")
        return {{"AcDbText"}, {{"AcDbText"}, {73}, nullptr}};
    if (type == "ATTRIB")
        return {{"AcDbText"}, {{"AcDbAttribute"}, {2, 70, 73, 74}, nullptr}};
    if (type == "ATTDEF")
        return {{"AcDbText"}, {{"AcDbAttributeDefinition"}, {2, 3, 70, 73, 74}, nullptr}};
    if (type == "INSERT")
        return {{"AcDbBlockReference"}, {}};
    if (type == "DIMENSION")
        return dimensionLayout(own);
    if (type == "POLYLINE") {
        if (polylineFlags & 8)
            return {{"AcDb3dPolyline"}, {}};
        if (polylineFlags & 16)
            return {{"AcDbPolygonMesh"}, {}};
        if (polylineFlags & 64)
            return {{"AcDbPolyFaceMesh"}, {}};
        return {{"AcDb2dPolyline"}, {}};
    }
    if (type == "VERTEX") {
        if (polylineFlags & 8)
            return {{"AcDbVertex", "AcDb3dPolylineVertex"}, {}};
        if (polylineFlags & 16)
            return {{"AcDbVertex", "AcDbPolygonMeshVertex"}, {}};
        if (polylineFlags & 64)
            return (vertexFlags & 64) != 0 ? Layout{{"AcDbVertex", "AcDbPolyFaceMeshVertex"}, {}}
                                           : Layout{{"AcDbFaceRecord"}, {}};
        return {{"AcDbVertex", "AcDb2dVertex"}, {}};
    }
    return {};
}

}  // namespace

bool isCommonEntityCode(int code)
{
    switch (code) {
    case 6:
    case 8:
    case 48:
    case 60:
    case 62:
    case 67:
    case 92:
    case 160:
    case 284:
    case 310:
    case 347:
    case 348:
    case 370:
    case 390:
    case 410:
    case 420:
    case 430:
    case 440:
        return true;
    default:
        return false;
    }
}

bool lacksSubclassMarkers(const std::vector<DxfTag>& own)
{
    for (const DxfTag& t : own)
        if (t.code == 100)
            return false;
    return true;
}

std::vector<DxfTag> upgradePreR13EntityGroups(std::string_view dxfName, const std::vector<DxfTag>& own,
                                              std::int64_t polylineFlags, std::int64_t vertexFlags)
{
    const Layout layout = layoutOf(dxfName, own, polylineFlags, vertexFlags);
    std::vector<DxfTag> out;
    for (const char* m : layout.first)
        out.emplace_back(100, m);
    std::vector<DxfTag> second;
    for (const DxfTag& t : own) {
        if (layout.second.codes.count(t.code) != 0)
            second.push_back(t);
        else
            out.push_back(t);
    }
    if (!layout.second.markers.empty()) {
        for (const char* m : layout.second.markers)
            out.emplace_back(100, m);
        out.insert(out.end(), second.begin(), second.end());
    }
    if (layout.second.trailing != nullptr)
        out.emplace_back(100, layout.second.trailing);
    return out;
}

DxfRecord upgradePreR13EntityRecord(const DxfRecord& record, std::uint64_t owner, std::int64_t polylineFlags)
{
    DxfRecord out;
    const std::size_t head = afterObjectHead(record.tags);
    const std::size_t xdata = record.xdataBegin();
    out.tags.assign(record.tags.begin(), record.tags.begin() + static_cast<std::ptrdiff_t>(head));
    out.tags.emplace_back(100, "AcDbEntity");
    std::vector<DxfTag> own;
    for (std::size_t i = head; i < xdata; ++i) {
        if (isCommonEntityCode(record.tags[i].code))
            out.tags.push_back(record.tags[i]);
        else
            own.push_back(record.tags[i]);
    }
    std::vector<DxfTag> upgraded =
        upgradePreR13EntityGroups(record.type(), own, polylineFlags, intIn(own, 70));
    out.tags.insert(out.tags.end(), upgraded.begin(), upgraded.end());
    out.tags.insert(out.tags.end(), record.tags.begin() + static_cast<std::ptrdiff_t>(xdata), record.tags.end());
    setRecordOwner(out, owner);
    return out;
}

}  // namespace kelvora

// What a raw record says about itself (handle, owner, subclasses, extension data) and header access.
#include "kelvora/dxf_raw.h"

#include <utility>

namespace kelvora {

namespace {

constexpr int kTypeCode = 0;
constexpr int kHandleCode = 5;
constexpr int kDimStyleHandleCode = 105;
constexpr int kOwnerCode = 330;
constexpr int kSubclassCode = 100;
constexpr int kApplicationGroupCode = 102;
constexpr int kXdataApplicationCode = 1001;
constexpr int kXdictionaryCode = 360;

std::string_view trimmedValue(const DxfTag& tag)
{
    return tag.trimmed();
}

}  // namespace

std::string_view DxfRecord::type() const
{
    if (tags.empty() || tags.front().code != kTypeCode)
        return {};
    return trimmedValue(tags.front());
}

const DxfTag* DxfRecord::handleTag() const
{
    int code = type() == "DIMSTYLE" ? kDimStyleHandleCode : kHandleCode;
    return find(code);
}

std::optional<std::uint64_t> DxfRecord::handle() const
{
    const DxfTag* tag = handleTag();
    return tag ? tag->toHandle() : std::nullopt;
}

std::optional<std::uint64_t> DxfRecord::owner() const
{
    int depth = 0;
    for (std::size_t i = 1; i < tags.size(); ++i) {
        const DxfTag& t = tags[i];
        if (t.code == kXdataApplicationCode)
            break;
        if (t.code == kApplicationGroupCode) {
            std::string_view v = trimmedValue(t);
            if (!v.empty() && v.front() == '{')
                ++depth;
            else if (v == "}" && depth > 0)
                --depth;
        } else if (t.code == kOwnerCode && depth == 0) {
            return t.toHandle();
        }
    }
    return std::nullopt;
}

std::vector<std::string_view> DxfRecord::subclassMarkers() const
{
    std::vector<std::string_view> out;
    std::size_t end = xdataBegin();
    for (std::size_t i = 1; i < end; ++i)
        if (tags[i].code == kSubclassCode)
            out.push_back(trimmedValue(tags[i]));
    return out;
}

std::size_t DxfRecord::xdataBegin() const
{
    for (std::size_t i = 1; i < tags.size(); ++i)
        if (tags[i].code == kXdataApplicationCode)
            return i;
    return tags.size();
}

std::vector<std::string_view> DxfRecord::xdataApplications() const
{
    std::vector<std::string_view> out;
    for (std::size_t i = xdataBegin(); i < tags.size(); ++i)
        if (tags[i].code == kXdataApplicationCode)
            out.push_back(tags[i].value);
    return out;
}

std::span<const DxfTag> DxfRecord::xdata(std::string_view application) const
{
    for (std::size_t i = xdataBegin(); i < tags.size(); ++i) {
        if (tags[i].code != kXdataApplicationCode || tags[i].value != application)
            continue;
        std::size_t j = i + 1;
        while (j < tags.size() && tags[j].code != kXdataApplicationCode)
            ++j;
        return std::span<const DxfTag>(tags.data() + i, j - i);
    }
    return {};
}

std::span<const DxfTag> DxfRecord::applicationGroup(std::string_view name) const
{
    std::size_t end = xdataBegin();
    for (std::size_t i = 1; i < end; ++i) {
        const DxfTag& t = tags[i];
        std::string_view v = trimmedValue(t);
        if (t.code != kApplicationGroupCode || v.size() != name.size() + 1 || v.front() != '{' ||
            v.substr(1) != name)
            continue;
        std::size_t j = i + 1;
        while (j < end && !(tags[j].code == kApplicationGroupCode && trimmedValue(tags[j]) == "}"))
            ++j;
        return std::span<const DxfTag>(tags.data() + i + 1, j - i - 1);
    }
    return {};
}

std::optional<std::uint64_t> DxfRecord::extensionDictionary() const
{
    for (const DxfTag& t : applicationGroup("ACAD_XDICTIONARY"))
        if (t.code == kXdictionaryCode)
            return t.toHandle();
    return std::nullopt;
}

std::vector<std::uint64_t> DxfRecord::reactors() const
{
    std::vector<std::uint64_t> out;
    for (const DxfTag& t : applicationGroup("ACAD_REACTORS"))
        if (t.code == kOwnerCode)
            if (auto h = t.toHandle())
                out.push_back(*h);
    return out;
}

const DxfTag* DxfRecord::find(int code) const
{
    // One pass that stops at the extended data, rather than finding where it begins first: records
    // are asked for their handle and owner several times each while a drawing is read.
    for (std::size_t i = 1; i < tags.size(); ++i) {
        if (tags[i].code == kXdataApplicationCode)
            return nullptr;
        if (tags[i].code == code)
            return &tags[i];
    }
    return nullptr;
}

std::string_view DxfTable::name() const
{
    const DxfTag* t = head.find(2);
    return t ? t->trimmed() : std::string_view();
}

std::string_view DxfBlock::name() const
{
    const DxfTag* t = begin.find(2);
    if (!t)
        t = begin.find(3);
    return t ? std::string_view(t->value) : std::string_view();
}

DxfSectionKind dxfSectionKind(std::string_view name)
{
    if (name == "HEADER")
        return DxfSectionKind::kHeader;
    if (name == "CLASSES")
        return DxfSectionKind::kClasses;
    if (name == "TABLES")
        return DxfSectionKind::kTables;
    if (name == "BLOCKS")
        return DxfSectionKind::kBlocks;
    if (name == "ENTITIES")
        return DxfSectionKind::kEntities;
    if (name == "OBJECTS")
        return DxfSectionKind::kObjects;
    return DxfSectionKind::kOther;
}

bool isDxfVersionName(std::string_view v)
{
    constexpr std::size_t kLength = 6;  // "AC" and four digits
    if (v.size() != kLength || v[0] != 'A' || v[1] != 'C')
        return false;
    for (std::size_t i = 2; i < kLength; ++i)
        if (v[i] < '0' || v[i] > '9')
            return false;
    return true;
}

std::string DxfRawDrawing::version() const
{
    std::string_view v = headerValue("$ACADVER");
    // Blanks around a version would make every comparison of versions wrong.
    while (!v.empty() && v.back() == ' ')
        v.remove_suffix(1);
    while (!v.empty() && v.front() == ' ')
        v.remove_prefix(1);
    return isDxfVersionName(v) ? std::string(v) : std::string("AC1009");
}

const DxfHeaderVariable* DxfRawDrawing::headerVariable(std::string_view name) const
{
    for (const DxfHeaderVariable& v : header)
        if (v.name == name)
            return &v;
    return nullptr;
}

DxfHeaderVariable* DxfRawDrawing::headerVariable(std::string_view name)
{
    for (DxfHeaderVariable& v : header)
        if (v.name == name)
            return &v;
    return nullptr;
}

std::string_view DxfRawDrawing::headerValue(std::string_view name) const
{
    const DxfHeaderVariable* v = headerVariable(name);
    if (!v || v->tags.empty())
        return {};
    return v->tags.front().value;
}

void DxfRawDrawing::setHeaderValue(std::string_view name, int code, std::string value, std::string_view after)
{
    if (DxfHeaderVariable* v = headerVariable(name)) {
        if (v->tags.empty())
            v->tags.emplace_back(code, std::move(value));
        else {
            v->tags.front().code = code;
            v->tags.front().value = std::move(value);
        }
        return;
    }
    DxfHeaderVariable added;
    added.name = std::string(name);
    added.tags.emplace_back(code, std::move(value));
    auto at = header.end();
    if (!after.empty())
        for (auto it = header.begin(); it != header.end(); ++it)
            if (it->name == after) {
                at = it + 1;
                break;
            }
    header.insert(at, std::move(added));
}

const DxfTable* DxfRawDrawing::table(std::string_view name) const
{
    for (const DxfTable& t : tables)
        if (t.name() == name)
            return &t;
    return nullptr;
}

bool DxfRawDrawing::hasSection(DxfSectionKind kind) const
{
    for (const DxfSection& s : sections)
        if (s.kind == kind)
            return true;
    return false;
}

}  // namespace kelvora

// Small shared helpers of the drawing file code: names, handles and owners of records.
#include "drawing_names.h"

namespace kelvora {

std::string upperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::size_t afterObjectHead(const std::vector<DxfTag>& tags)
{
    std::size_t i = tags.empty() ? 0 : 1;
    bool inGroup = false;
    for (; i < tags.size(); ++i) {
        const DxfTag& t = tags[i];
        if (inGroup) {
            if (t.code == 102 && t.value == "}")
                inGroup = false;
            continue;
        }
        if (t.code == 102 && !t.value.empty() && t.value.front() == '{') {
            inGroup = true;
            continue;
        }
        if (t.code == 5 || t.code == 105 || t.code == 330)
            continue;
        break;
    }
    return i;
}

void setRecordHandle(DxfRecord& record, std::uint64_t handle)
{
    const int code = record.type() == "DIMSTYLE" ? 105 : 5;
    for (DxfTag& t : record.tags) {
        if (t.code == code) {
            t.value = formatDxfHandle(handle);
            return;
        }
    }
    auto at = record.tags.empty() ? record.tags.end() : record.tags.begin() + 1;
    record.tags.insert(at, DxfTag(code, formatDxfHandle(handle)));
}

void setRecordOwner(DxfRecord& record, std::uint64_t owner)
{
    bool inGroup = false;
    for (std::size_t i = 1; i < record.tags.size(); ++i) {
        DxfTag& t = record.tags[i];
        if (t.code == 102)
            inGroup = !t.value.empty() && t.value.front() == '{';
        else if (t.code == 330 && !inGroup) {
            t.value = formatDxfHandle(owner);
            return;
        }
    }
    std::size_t at = afterObjectHead(record.tags);
    record.tags.insert(record.tags.begin() + static_cast<std::ptrdiff_t>(at), DxfTag(330, formatDxfHandle(owner)));
}

std::string handleText(const AcDbObjectId& id)
{
    return id.isNull() ? std::string("0") : formatDxfHandle(id.handle().value());
}

}  // namespace kelvora

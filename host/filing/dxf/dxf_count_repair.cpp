// Makes the counts of entities agree with the data that follow them, so no count is trusted blindly.
#include "kelvora/dxf_repair.h"

#include <string>

namespace kelvora {

namespace {

struct CountRule {
    const char* type;      // entity type
    const char* subclass;  // where the count and its items live
    int countCode;
    int itemCode;  // one group of this code per item
    const char* items;     // what the items are, for the message
};

constexpr CountRule kRules[] = {
    {"LWPOLYLINE", "AcDbPolyline", 90, 10, "vertices"},
    {"SPLINE", "AcDbSpline", 72, 40, "knots"},
    {"SPLINE", "AcDbSpline", 73, 10, "control points"},
    {"SPLINE", "AcDbSpline", 74, 11, "fit points"},
    {"LEADER", "AcDbLeader", 76, 10, "vertices"},
    {"HATCH", "AcDbHatch", 91, 92, "boundary paths"},
    {"MLINE", "AcDbMline", 72, 11, "vertices"},
};

constexpr int kSubclassCode = 100;

// [begin, end) of the groups of `subclass` in the record; the whole record before
// its extension data when the writer left the subclass markers out.
void subclassRange(const DxfRecord& r, const char* subclass, std::size_t& begin, std::size_t& end)
{
    std::size_t xdata = r.xdataBegin();
    begin = 1;
    end = xdata;
    for (std::size_t i = 1; i < xdata; ++i) {
        if (r.tags[i].code != kSubclassCode || r.tags[i].trimmed() != subclass)
            continue;
        begin = i + 1;
        end = begin;
        while (end < xdata && r.tags[end].code != kSubclassCode)
            ++end;
        return;
    }
}

}  // namespace

int repairDxfCounts(DxfRecord& r, DxfDiagnostics& diagnostics)
{
    int repaired = 0;
    std::string_view type = r.type();
    for (const CountRule& rule : kRules) {
        if (type != rule.type)
            continue;
        std::size_t begin = 0;
        std::size_t end = 0;
        subclassRange(r, rule.subclass, begin, end);
        DxfTag* count = nullptr;
        std::int64_t items = 0;
        for (std::size_t i = begin; i < end; ++i) {
            if (r.tags[i].code == rule.countCode && !count)
                count = &r.tags[i];
            else if (r.tags[i].code == rule.itemCode)
                ++items;
        }
        if (!count)
            continue;
        std::optional<std::int64_t> claimed = count->toInteger();
        // A count that is no number is already an error of the tag stream.
        if (!claimed || *claimed == items)
            continue;
        std::string handle;
        if (const DxfTag* h = r.handleTag())
            handle = " (handle " + std::string(h->trimmed()) + ")";
        diagnostics.warning(count->valueLine(), std::string(type) + handle + " claims " + std::to_string(*claimed) +
                                                    " " + rule.items + " but " + std::to_string(items) +
                                                    " follow; the count is set to " + std::to_string(items));
        count->value = std::to_string(items);
        ++repaired;
    }
    return repaired;
}

}  // namespace kelvora

// Handles of a drawing read: missing, malformed and repeated handles replaced by new ones above the others.
#include "drawing_handles.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "drawing_names.h"

namespace kelvora {

namespace {

// Every record that carries a handle, in file order.
std::vector<DxfRecord*> handledRecords(DxfRawDrawing& drawing)
{
    std::vector<DxfRecord*> out;
    auto entity = [&](DxfEntity& e) {
        out.push_back(&e.record);
        for (DxfRecord& c : e.children)
            out.push_back(&c);
        if (e.seqend)
            out.push_back(&*e.seqend);
    };
    for (DxfTable& t : drawing.tables) {
        out.push_back(&t.head);
        for (DxfRecord& r : t.records)
            out.push_back(&r);
    }
    for (DxfBlock& b : drawing.blocks) {
        out.push_back(&b.begin);
        for (DxfEntity& e : b.entities)
            entity(e);
        out.push_back(&b.end);
    }
    for (DxfEntity& e : drawing.entities)
        entity(e);
    for (DxfRecord& r : drawing.objects)
        out.push_back(&r);
    return out;
}

enum class HandleProblem { kNone, kMissing, kUnusable, kRepeated };

}  // namespace

std::uint64_t repairDrawingHandles(DxfRawDrawing& drawing, DxfDiagnostics& diagnostics)
{
    const bool handlesOptional = isPreR13(drawing.version());
    std::vector<DxfRecord*> records = handledRecords(drawing);
    std::unordered_map<std::uint64_t, const DxfRecord*> seen;
    std::vector<std::pair<DxfRecord*, HandleProblem>> toFix;
    std::uint64_t highest = 0;
    for (DxfRecord* r : records) {
        const DxfTag* tag = r->handleTag();
        if (tag == nullptr) {
            toFix.emplace_back(r, HandleProblem::kMissing);
            continue;
        }
        std::optional<std::uint64_t> h = tag->toHandle();
        if (!h || *h == 0 || *h > kHighestUsableHandle) {
            toFix.emplace_back(r, HandleProblem::kUnusable);
            continue;
        }
        auto [it, fresh] = seen.emplace(*h, r);
        if (!fresh) {
            toFix.emplace_back(r, HandleProblem::kRepeated);
            continue;
        }
        highest = std::max(highest, *h);
    }
    for (auto& [record, problem] : toFix) {
        const std::uint64_t handle = ++highest;
        const DxfTag* old = record->handleTag();
        const std::string type(record->type());
        const std::string fresh = formatDxfHandle(handle);
        switch (problem) {
        case HandleProblem::kMissing:
            if (!handlesOptional)
                diagnostics.warning(record->line(), type + " has no handle; it gets handle " + fresh);
            break;
        case HandleProblem::kUnusable:
            if (old->toHandle().value_or(0) > kHighestUsableHandle)
                diagnostics.warning(old->valueLine(), type + " has handle " + old->value +
                                                          ", too high to leave room for new objects; it gets handle " +
                                                          fresh);
            break;
        case HandleProblem::kRepeated: {
            const DxfRecord* first = seen[old->toHandle().value_or(0)];
            diagnostics.warning(old->valueLine(), type + " has handle " + old->value + ", which " +
                                                      std::string(first->type()) + " at line " +
                                                      std::to_string(first->line()) + " has already; it gets handle " +
                                                      fresh);
            break;
        }
        case HandleProblem::kNone:
            break;
        }
        setRecordHandle(*record, handle);
    }
    return highest;
}

}  // namespace kelvora

// Picks and window selections over what the display drew.
#include "picking.h"

#include "dbapserv.h"
#include "dbsymtb.h"
#include "kelvora/database_internals.h"
#include "kelvora/drawing_display.h"
#include "kelvora/view.h"

namespace kelvora {

namespace {

// Curves in tilted planes are measured on chains this many pixels from the curve at most.
constexpr double kMeasureDeviationPixels = 0.1;
// Two entities this many pixels apart from the point are equally near: the later one wins.
constexpr double kTiePixels = 1e-6;
// A handle has at most 16 hexadecimal digits (64 bits).
constexpr std::size_t kMaxHandleDigits = 16;

double measureDeviation()
{
    return currentView().unitsPerPixel * kMeasureDeviationPixels;
}

struct Measured {
    bool hit = false;
    double distance = 0.0;
    AcGePoint2d nearest;
    const GiPrimitive* primitive = nullptr;
};

// The entity's primitives that the box touches, and the nearest of them to `p`.
Measured measure(const DrawnEntity& drawn, const AcGePoint2d& p, const Box2d& aperture)
{
    Measured best;
    for (const GiPrimitive& primitive : drawn.primitives) {
        if (!isLayerShown(primitive.traits.layerId))
            continue;
        PlanShape shape = planShape(primitive, measureDeviation());
        if (!touchesBox(shape, aperture))
            continue;
        NearestPoint nearest = nearestPoint(shape, p);
        if (!nearest.found)
            continue;
        if (!best.hit || nearest.distance < best.distance) {
            best = {true, nearest.distance, nearest.point, &primitive};
        }
    }
    return best;
}

// The primitive of the entity nearest `p`, whatever the distance.
Measured nearestOf(const DrawnEntity& drawn, const AcGePoint2d& p)
{
    Measured best;
    for (const GiPrimitive& primitive : drawn.primitives) {
        NearestPoint nearest = nearestPoint(planShape(primitive, measureDeviation()), p);
        if (nearest.found && (!best.hit || nearest.distance < best.distance))
            best = {true, nearest.distance, nearest.point, &primitive};
    }
    return best;
}

PickResult resultFor(AcDbObjectId id, const GiPrimitive* primitive, const AcGePoint3d& point)
{
    PickResult result;
    result.entity = id;
    result.point = point;
    if (primitive != nullptr && primitive->nesting > 0 && !primitive->nestedDrawableId.isNull()) {
        result.nested = primitive->nestedDrawableId;
        result.nestedToWorld = primitive->modelToWorld;
    }
    return result;
}

bool isEntity(AcDbObjectId id)
{
    // Looked at without opening: a command may hold the entity open for write.
    return AcDbEntity::cast(peekObject(id)) != nullptr;
}

bool isHexDigit(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

}  // namespace

std::optional<PickResult> pickAtPoint(AcDbDatabase* db, const AcGePoint3d& point)
{
    if (db == nullptr)
        return std::nullopt;
    AcGePoint2d p(point.x, point.y);
    Box2d aperture = Box2d::around(p, pickApertureUnits());
    const double tie = currentView().unitsPerPixel * kTiePixels;
    std::optional<PickResult> best;
    double bestDistance = 0.0;
    for (AcDbObjectId id : displayedEntities(db)) {
        const DrawnEntity* drawn = drawingDisplay().graphicsOf(id);
        if (drawn == nullptr)
            continue;
        Measured m = measure(*drawn, p, aperture);
        if (!m.hit)
            continue;
        if (!best || m.distance <= bestDistance + tie) {
            best = resultFor(id, m.primitive, point);
            bestDistance = m.distance;
        }
    }
    return best;
}

std::optional<PickResult> pickEntity(AcDbObjectId id, const std::optional<AcGePoint3d>& point)
{
    if (id.isNull() || id.isErased() || !isEntity(id))
        return std::nullopt;
    const DrawnEntity* drawn = drawingDisplay().graphicsOf(id);
    const AcGePoint2d centre = currentView().centre;
    AcGePoint2d target = point ? AcGePoint2d(point->x, point->y) : centre;
    Measured nearest = drawn != nullptr ? nearestOf(*drawn, target) : Measured{};
    if (point)
        return resultFor(id, nearest.primitive, *point);
    AcGePoint3d at = nearest.hit ? AcGePoint3d(nearest.nearest.x, nearest.nearest.y, 0.0)
                                 : AcGePoint3d(centre.x, centre.y, 0.0);
    return resultFor(id, nearest.primitive, at);
}

AcDbObjectId lastEntity(AcDbDatabase* db)
{
    if (db == nullptr)
        return {};
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk)
        return {};
    AcDbObjectId last;
    const auto& ids = space->entityIds();
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        if (!it->isErased()) {
            last = *it;
            break;
        }
    }
    space->close();
    return last;
}

std::vector<AcDbObjectId> entitiesInBox(AcDbDatabase* db, const Box2d& box, bool crossing)
{
    std::vector<AcDbObjectId> found;
    for (AcDbObjectId id : displayedEntities(db)) {
        const DrawnEntity* drawn = drawingDisplay().graphicsOf(id);
        if (drawn == nullptr)
            continue;
        bool any = false;
        bool all = true;
        for (const GiPrimitive& primitive : drawn->primitives) {
            if (!isLayerShown(primitive.traits.layerId) || primitive.kind == GiPrimitiveKind::kExtentsHint)
                continue;
            PlanShape shape = planShape(primitive, measureDeviation());
            if (crossing) {
                if (touchesBox(shape, box)) {
                    any = true;
                    break;
                }
            } else if (insideBox(shape, box)) {
                any = true;
            } else if (!shape.chains.empty() || !shape.arcs.empty() || !shape.areas.empty() || !shape.points.empty()) {
                all = false;
                break;
            }
        }
        if (any && (crossing || all))
            found.push_back(id);
    }
    return found;
}

std::optional<PickAnswer> parsePickAnswer(std::wstring_view text, const ScriptPoint& lastPoint)
{
    std::wstring_view t = trimBlanks(text);
    PickAnswer answer;
    if (!t.empty() && t.front() == L'#') {
        std::wstring_view rest = t.substr(1);
        if (rest.size() == 1 && (rest[0] == L'L' || rest[0] == L'l')) {
            answer.kind = PickAnswer::Kind::Last;
            return answer;
        }
        std::size_t at = rest.find(L'@');
        std::wstring_view digits = rest.substr(0, at);
        if (digits.empty() || digits.size() > kMaxHandleDigits)
            return std::nullopt;
        for (wchar_t c : digits) {
            if (!isHexDigit(c))
                return std::nullopt;
        }
        answer.kind = PickAnswer::Kind::Handle;
        answer.handle = AcDbHandle(std::wstring(digits).c_str());
        if (at != std::wstring_view::npos) {
            std::wstring_view where = rest.substr(at + 1);
            if (where.empty() || where.front() == L'@')
                return std::nullopt;
            auto point = parsePoint(where, lastPoint);
            if (!point)
                return std::nullopt;
            answer.point = AcGePoint3d(point->x, point->y, point->z);
            answer.hasPoint = true;
        }
        return answer;
    }
    auto point = parsePoint(t, lastPoint);
    if (!point)
        return std::nullopt;
    answer.point = AcGePoint3d(point->x, point->y, point->z);
    answer.hasPoint = true;
    return answer;
}

std::optional<PickResult> resolvePick(AcDbDatabase* db, const PickAnswer& answer)
{
    if (db == nullptr)
        return std::nullopt;
    switch (answer.kind) {
    case PickAnswer::Kind::Point:
        return pickAtPoint(db, answer.point);
    case PickAnswer::Kind::Last: {
        AcDbObjectId last = lastEntity(db);
        return last.isNull() ? std::nullopt : pickEntity(last, std::nullopt);
    }
    case PickAnswer::Kind::Handle: {
        AcDbObjectId id;
        if (db->getAcDbObjectId(id, false, answer.handle) != Acad::eOk)
            return std::nullopt;
        return pickEntity(id, answer.hasPoint ? std::optional<AcGePoint3d>(answer.point) : std::nullopt);
    }
    }
    return std::nullopt;
}

}  // namespace kelvora

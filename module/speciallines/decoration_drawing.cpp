// Drawing and exploding the decorations and line pieces of special lines.
#include "speciallines/decoration_drawing.h"

#include <cmath>
#include <memory>

#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "speciallines/builtin_symbols.h"
#include "speciallines/extended_polyline.h"

namespace kelvora::speciallines {

namespace {

AcDbDatabase* databaseOf(const AcDbObject& object)
{
    if (object.database() != nullptr)
        return object.database();
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    return services != nullptr ? services->workingDatabase() : nullptr;
}

// The two ends of each stroke of a built-in symbol, transformed; nothing for "Vide" or an unknown code.
template <class VISIT>
void forEachStroke(int styleCode, const AcGeMatrix3d& transform, VISIT visit)
{
    int first = 0;
    int last = 0;
    if (!builtinSymbolStrokes(styleCode, first, last))
        return;
    for (int number = first; number <= last; ++number) {
        const Stroke* stroke = strokeAt(number);
        if (stroke == nullptr)
            continue;
        AcGePoint3d from(stroke->x1, stroke->y1, 0.0);
        AcGePoint3d to(stroke->x2, stroke->y2, 0.0);
        from.transformBy(transform);
        to.transformBy(transform);
        visit(from, to);
    }
}

void drawTwoPoints(AcGiWorldDraw* mode, const AcGePoint3d& a, const AcGePoint3d& b, const AcGeVector3d& normal)
{
    const AcGePoint3d points[2] = {a, b};
    mode->geometry().polyline(2, points, &normal);
}

void drawThreePointArc(AcGiWorldDraw* mode, AcGePoint3d a, AcGePoint3d b, AcGePoint3d c, const AcGeMatrix3d& m)
{
    mode->geometry().circularArc(a.transformBy(m), b.transformBy(m), c.transformBy(m), kAcGiArcSimple);
}

// One entity of a decoration block, drawn transformed; other kinds than these four are skipped.
void drawBlockEntity(const AcDbEntity& entity, const AcGeMatrix3d& m, double size, const AcGeVector3d& normal,
                     AcGiWorldDraw* mode)
{
    if (const AcDbLine* line = AcDbLine::cast(&entity)) {
        AcGePoint3d a = line->startPoint();
        AcGePoint3d b = line->endPoint();
        drawTwoPoints(mode, a.transformBy(m), b.transformBy(m), normal);
    } else if (const AcDbCircle* circle = AcDbCircle::cast(&entity)) {
        AcGePoint3d centre = circle->center();
        mode->geometry().circle(centre.transformBy(m), circle->radius() * size, circle->normal());
    } else if (const AcDbArc* arc = AcDbArc::cast(&entity)) {
        double endParam = 0.0;
        double length = 0.0;
        AcGePoint3d a;
        AcGePoint3d b;
        AcGePoint3d c;
        if (arc->getEndParam(endParam) != Acad::eOk || arc->getDistAtParam(endParam, length) != Acad::eOk ||
            arc->getPointAtDist(0.0, a) != Acad::eOk || arc->getPointAtDist(length / 2.0, b) != Acad::eOk ||
            arc->getPointAtDist(length, c) != Acad::eOk)
            return;
        drawThreePointArc(mode, a, b, c, m);
    } else if (const AcDbPolyline* polyline = AcDbPolyline::cast(&entity)) {
        const unsigned count = polyline->numVerts();
        const unsigned segments = polyline->isClosed() ? count : (count > 0 ? count - 1 : 0);
        for (unsigned i = 0; i < segments; ++i) {
            const double p = static_cast<double>(i);
            AcGePoint3d a;
            AcGePoint3d b;
            AcGePoint3d c;
            if (polyline->segType(i) == AcDbPolyline::kLine) {
                if (polyline->getPointAtParam(p, a) == Acad::eOk && polyline->getPointAtParam(p + 1.0, c) == Acad::eOk)
                    drawTwoPoints(mode, a.transformBy(m), c.transformBy(m), normal);
            } else if (polyline->segType(i) == AcDbPolyline::kArc) {
                if (polyline->getPointAtParam(p, a) == Acad::eOk &&
                    polyline->getPointAtParam(p + 0.5, b) == Acad::eOk &&
                    polyline->getPointAtParam(p + 1.0, c) == Acad::eOk)
                    drawThreePointArc(mode, a, b, c, m);
            }
        }
    }
}

void drawBlock(const eXtendedPolyline& line, const AcGeMatrix3d& m, AcGiWorldDraw* mode)
{
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, line.symbolRefId(), AcDb::kForRead) != Acad::eOk)
        return;
    AcDbBlockTableRecordIterator* it = nullptr;
    if (block->newIterator(it) == Acad::eOk && it != nullptr) {
        const AcGeVector3d normal = line.normal();
        for (; !it->done(); it->step()) {
            AcDbEntity* entity = nullptr;
            if (it->getEntity(entity, AcDb::kForRead) != Acad::eOk || entity == nullptr)
                continue;
            drawBlockEntity(*entity, m, line.symbolSize(), normal, mode);
            entity->close();
        }
        delete it;
    }
    block->close();
}

}  // namespace

AcDbObjectId usableTextStyle(const eXtendedPolyline& line)
{
    AcDbObject* style = nullptr;
    if (acdbOpenAcDbObject(style, line.symbolRefId(), AcDb::kForRead) == Acad::eOk) {
        const bool isStyle = AcDbTextStyleTableRecord::cast(style) != nullptr;
        style->close();
        if (isStyle)
            return line.symbolRefId();
    }
    AcDbDatabase* db = databaseOf(line);
    return db != nullptr ? db->textstyle() : AcDbObjectId::kNull;
}

AcGePoint3d textPosition(const eXtendedPolyline& line, const DecorationFrame& frame, double decoration)
{
    AcGePoint3d at(frame.point.x - decoration / 2.0, frame.point.y - line.symbolSize() / 2.0, frame.point.z);
    return at.rotateBy(frame.angle, line.normal(), frame.point);
}

void drawDecoration(eXtendedPolyline& line, const DecorationFrame& frame, double decoration, AcGiWorldDraw* mode)
{
    const AcGeVector3d normal = line.normal();
    const AcGeMatrix3d m = symbolTransform(frame, normal, line.symbolSize());
    const Adesk::Int32 code = line.styleCode();
    if (code == eXtendedPolyline::kBlockStyle) {
        drawBlock(line, m, mode);
    } else if (code == eXtendedPolyline::kTextStyle) {
        const AcDbObjectId styleId = usableTextStyle(line);
        // Drawing may change an object opened for read: a lost style is replaced once, for good.
        if (styleId != line.symbolRefId())
            line.replaceLostTextStyle(styleId);
        AcGiTextStyle style;
        fromAcDbTextStyle(style, styleId);
        style.setTextSize(line.symbolSize());
        AcGeVector3d direction = AcGeVector3d::kXAxis;
        direction.rotateBy(frame.angle, normal);
        mode->geometry().text(textPosition(line, frame, decoration), normal, direction, line.symbolText(), -1,
                              Adesk::kFalse, style);
    } else {
        forEachStroke(code, m, [&](const AcGePoint3d& a, const AcGePoint3d& b) { drawTwoPoints(mode, a, b, normal); });
    }
}

void explodeDecoration(const eXtendedPolyline& line, const DecorationFrame& frame, double decoration,
                       AcDbVoidPtrArray& entitySet)
{
    const AcGeVector3d normal = line.normal();
    const Adesk::Int32 code = line.styleCode();
    if (code == eXtendedPolyline::kBlockStyle) {
        auto* reference = new AcDbBlockReference(frame.point, line.symbolRefId());
        const double size = line.symbolSize();
        reference->setScaleFactors(AcGeScale3d(size, size, size));
        reference->setNormal(normal);
        reference->setRotation(frame.angle);
        reference->setPropertiesFrom(&line);
        entitySet.append(reference);
    } else if (code == eXtendedPolyline::kTextStyle) {
        auto* text = new AcDbText(textPosition(line, frame, decoration), line.symbolText(), usableTextStyle(line),
                                  line.symbolSize(), frame.angle);
        text->setPropertiesFrom(&line);
        entitySet.append(text);
    } else {
        const AcGeMatrix3d m = symbolTransform(frame, normal, line.symbolSize());
        forEachStroke(code, m, [&](const AcGePoint3d& a, const AcGePoint3d& b) {
            auto* stroke = new AcDbLine(a, b);
            stroke->setPropertiesFrom(&line);
            entitySet.append(stroke);
        });
    }
}

void drawPiece(const LinePiece& piece, const AcGeVector3d& normal, AcGiWorldDraw* mode)
{
    if (piece.isArc)
        mode->geometry().circularArc(piece.start, piece.middle, piece.end, kAcGiArcSimple);
    else
        drawTwoPoints(mode, piece.start, piece.end, normal);
}

AcDbEntity* explodePiece(const eXtendedPolyline& line, const LinePiece& piece)
{
    AcDbEntity* made = nullptr;
    if (piece.isArc) {
        double startAngle = std::atan2(piece.start.y - piece.center.y, piece.start.x - piece.center.x);
        double endAngle = std::atan2(piece.end.y - piece.center.y, piece.end.x - piece.center.x);
        if (!piece.counterClockwise)
            std::swap(startAngle, endAngle);
        made = new AcDbArc(piece.center, piece.radius, startAngle, endAngle);
    } else {
        made = new AcDbLine(piece.start, piece.end);
    }
    made->setPropertiesFrom(&line);
    return made;
}

}  // namespace kelvora::speciallines

// The one implementation of AcGiWorldDraw: it records what drawables draw, in world coordinates, for extents, picking, proxy graphics and plots.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "acgi.h"
#include "dbmain.h"

namespace kelvora {

enum class GiPrimitiveKind {
    kPolyline,     // points: the vertices (open); normal when one was given
    kPolygon,      // points: the vertices (closed, filled when traits.fillType is kAcGiFillAlways)
    kPolypoint,    // points: isolated points
    kCircle,       // points[0] centre; radius, normal; startVector the arc's zero direction
    kCircularArc,  // points[0] centre; radius, normal, startVector (unit), sweepAngle (counter-clockwise
                   // about normal, may be negative), arcType; points[1], points[2]: start and end points
    kText,         // points[0] insertion point (baseline start); normal, direction (unit), text
    kXline,        // points[0], points[1]: two points of an infinite line
    kRay,          // points[0] start, points[1] a point the ray passes through
    kExtentsHint,  // points[0], points[1]: a box a drawable declared (setExtents); not drawn
};

// The traits in effect when the primitive was drawn, as the drawable set them (ByLayer colours not
// resolved: see effectiveColorIndex).
struct GiTraits {
    AcCmEntityColor color;  // ByLayer by default
    AcDbObjectId layerId;
    AcDbObjectId linetypeId;
    AcDb::LineWeight lineWeight = AcDb::kLnWtByLayer;
    double linetypeScale = 1.0;
    AcGiFillType fillType = kAcGiFillNever;
    Adesk::LongPtr selectionMarker = 0;
    double thickness = 0.0;
};

struct GiText {
    std::wstring text;         // as drawn (length applied, %% codes expanded unless raw)
    double height = 0.0;       // world units
    double widthFactor = 1.0;
    double obliqueAngle = 0.0; // radians
    std::wstring fontFile;     // the style's font file name ("txt" for the simple form)
    std::wstring bigFontFile;
    std::wstring styleName;
    bool backward = false;
    bool upsideDown = false;
    bool vertical = false;
};

struct GiPrimitive {
    GiPrimitiveKind kind = GiPrimitiveKind::kPolyline;
    GiTraits traits;
    // The model transform in effect; the geometry below is already transformed by it.
    AcGeMatrix3d modelToWorld;
    std::vector<AcGePoint3d> points;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    double radius = 0.0;
    AcGeVector3d startVector = AcGeVector3d::kXAxis;
    double sweepAngle = 0.0;
    AcGiArcType arcType = kAcGiArcSimple;
    AcGeVector3d direction = AcGeVector3d::kXAxis;  // text baseline direction
    GiText text;
    // The drawable whose worldDraw (or viewportDraw) emitted it: the top-level one for nested draws,
    // and the nesting depth (0 at the top level).
    AcDbObjectId drawableId;
    AcDbObjectId nestedDrawableId;
    int nesting = 0;
};

// The four corners of a text primitive in world coordinates (bottom-left, bottom-right, top-right,
// top-left), from the font's real metrics.
void textCorners(const GiPrimitive& text, AcGePoint3d corners[4]);
// The world box of one primitive; false for primitives without a finite box (xline, ray).
bool primitiveExtents(const GiPrimitive& primitive, AcDbExtents& extents);
// The colour index a primitive shows: ByLayer through its layer (the layer's colour; 7 when there is
// no layer), ByBlock as blockColorIndex, true colours as their nearest index.
Adesk::UInt16 effectiveColorIndex(const GiTraits& traits, Adesk::UInt16 blockColorIndex = 7);

class GiRecorderState;

// Records every primitive. Use:
//   GiRecorder rec;  rec.drawEntity(pEnt);   // or pEnt->worldDraw(&rec)
//   for (const GiPrimitive& p : rec.primitives()) ...
// drawEntity sets the traits from the entity (setAttributes), calls worldDraw and, when that answers
// false, viewportDraw with a viewport whose eye coordinates are world coordinates. pline() of a
// lightweight polyline draws through the handler installed with setPlineHandler (the polyline class
// installs it); without one it records nothing and answers false.
class GiRecorder : public AcGiWorldDraw {
public:
    explicit GiRecorder(AcDbDatabase* db = nullptr);
    ~GiRecorder() override;
    GiRecorder(const GiRecorder&) = delete;
    GiRecorder& operator=(const GiRecorder&) = delete;

    // Settings of the drawing context.
    void setRegenType(AcGiRegenType type) { m_regenType = type; }
    void setDragging(bool dragging) { m_dragging = dragging; }
    void setRegenAbort(bool abort) { m_regenAbort = abort; }
    void setDeviation(double deviation) { m_deviation = deviation; }
    void setPlotGeneration(bool plot) { m_plotGeneration = plot; }
    void setDatabase(AcDbDatabase* db) { m_database = db; }
    // Pixels per drawing unit, for viewportDraw's getNumPixelsInUnitSquare (1 by default).
    void setPixelsPerUnit(double pixels) { m_pixelsPerUnit = pixels; }
    double pixelsPerUnit() const { return m_pixelsPerUnit; }
    bool isPlotGeneration() const { return m_plotGeneration; }
    AcDbDatabase* database() const { return m_database; }

    // Draws one drawable at the top level (attributes, worldDraw, viewportDraw when needed).
    void drawEntity(AcGiDrawable* drawable);

    const std::vector<GiPrimitive>& primitives() const { return m_primitives; }
    void clear();
    // The box of everything recorded (extents hints included); false when nothing finite was drawn.
    bool extents(AcDbExtents& extents) const;

    // AcGiCommonDraw / AcGiWorldDraw.
    AcGiRegenType regenType() const override { return m_regenType; }
    Adesk::Boolean regenAbort() const override { return m_regenAbort; }
    AcGiSubEntityTraits& subEntityTraits() const override;
    AcGiGeometry* rawGeometry() const override;
    Adesk::Boolean isDragging() const override { return m_dragging; }
    AcGiContext* context() override;
    Adesk::UInt32 numberOfIsolines() const override { return 4; }
    double deviation(const AcGiDeviationType type, const AcGePoint3d& pt) const override;
    AcGiWorldGeometry& geometry() const override;

    // The handler that draws the segments of a lightweight polyline (installed by AcDbPolyline).
    using PlineHandler = Adesk::Boolean (*)(const AcGiGeometry& geometry, const AcDbPolyline& polyline,
                                            Adesk::UInt32 fromIndex, Adesk::UInt32 numSegs);
    static void setPlineHandler(PlineHandler handler);
    static PlineHandler plineHandler();

private:
    friend class GiRecorderState;
    std::unique_ptr<GiRecorderState> m_state;
    std::vector<GiPrimitive> m_primitives;
    AcDbDatabase* m_database;
    AcGiRegenType m_regenType = kAcGiStandardDisplay;
    double m_deviation = 0.01;
    double m_pixelsPerUnit = 1.0;
    bool m_dragging = false;
    bool m_regenAbort = false;
    bool m_plotGeneration = false;
};

}  // namespace kelvora

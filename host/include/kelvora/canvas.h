// The drawing interface shared by plots and display lists: 2D primitives in world coordinates.
#pragma once

#include "kelvora/aci.h"

#include <array>
#include <numbers>
#include <span>
#include <string>
#include <vector>

namespace kelvora {

struct FontFace;

// World coordinates, Y up, in drawing units.
struct WorldPoint {
    double x = 0.0;
    double y = 0.0;
};

// The bounding rectangle of world points; empty until the first point is added.
class WorldExtents {
public:
    WorldExtents() = default;
    static WorldExtents fromCorners(WorldPoint a, WorldPoint b);

    bool isEmpty() const { return m_empty; }
    void addPoint(WorldPoint p);
    void addExtents(const WorldExtents& other);

    WorldPoint minPoint() const { return m_min; }
    WorldPoint maxPoint() const { return m_max; }
    double width() const { return m_empty ? 0.0 : m_max.x - m_min.x; }
    double height() const { return m_empty ? 0.0 : m_max.y - m_min.y; }

private:
    bool m_empty = true;
    WorldPoint m_min;
    WorldPoint m_max;
};

// Lineweights are printed widths on paper, in millimetres; 0.25 mm is the CAD default
// (LWDEFAULT) for entities and layers that name none.
inline constexpr double kDefaultLineweightMm = 0.25;

// A linetype's dash pattern as the linetype table keeps it, in drawing units before any
// linetype scale: a positive length is a dash, a negative one a gap, 0 a dot. The pattern starts
// again at the start of each curve drawn with it.
struct LinetypePattern {
    std::vector<double> dashes;
};

// How a curve is stroked. The colour is final: ByLayer, ByBlock and colour 7 on white paper
// are the caller's to resolve (aciToPlotRgb). A lineweight that is not a positive number
// counts as the default. The linetype is the effective one (ByLayer and ByBlock resolved), null
// for a continuous line; its lengths are multiplied by linetypeScale (the drawing's and the
// entity's together). The pattern need only live as long as the call that takes the pen: a
// canvas that keeps pens for later keeps its own copy. Texts, fills and points are never dashed.
struct Pen {
    Rgb colour;
    double lineweightMm = kDefaultLineweightMm;
    const LinetypePattern* linetype = nullptr;
    double linetypeScale = 1.0;
};

// A polyline vertex as AcDbPolyline keeps it: the bulge of the segment that starts here is the
// tangent of a quarter of its included angle, positive when the arc turns counter-clockwise
// (0 for a straight segment).
struct PolylineVertex {
    WorldPoint point;
    double bulge = 0.0;
};

inline constexpr double kMaxObliqueRad = 85.0 * std::numbers::pi / 180.0;

// The oblique angle a text is drawn with: limited to +-kMaxObliqueRad, 0 when not a number.
double effectiveObliqueRad(double obliqueRad);

// A single-line text. The insertion point is the left end of the baseline; the text is
// measured and drawn with measureText's metrics (findFontFace's face, capital letters `height`
// high), stretched by the width factor along the baseline, slanted by the oblique angle
// (positive leans the tops to the right, measured from the vertical) and turned by the
// rotation (counter-clockwise from the X axis) about the insertion point. An oblique angle
// past kMaxObliqueRad counts as that limit (the TEXT command's), one that is not a number as 0.
struct TextItem {
    std::string textUtf8;
    WorldPoint position;
    double height = 0.0;
    double rotationRad = 0.0;
    double widthFactor = 1.0;
    double obliqueRad = 0.0;
    const FontFace* face = nullptr;  // null: the default face
    Rgb colour;
};

// Where primitives go: a plot draws them, a display list keeps them for later. Primitives
// with coordinates that are not finite numbers are dropped, as are circles and arcs whose
// radius is not positive.
class Canvas {
public:
    virtual ~Canvas() = default;

    // An open or closed polyline through the vertices, arcs where a vertex has a bulge. A
    // positive constant width (world units) draws it as a band of that width with square
    // ends, as a wide AcDbPolyline is drawn; the pen's lineweight then is a minimum.
    virtual void polyline(std::span<const PolylineVertex> vertices, bool closed, const Pen& pen,
                          double constantWidth) = 0;

    // A filled area bounded by closed rings, filled by the even-odd rule: a ring inside another
    // makes a hole (an island of a solid hatch stays open).
    virtual void filledPolygon(std::span<const std::vector<WorldPoint>> rings, Rgb colour) = 0;

    virtual void circle(WorldPoint centre, double radius, const Pen& pen) = 0;

    // The arc of the circle from the start angle counter-clockwise to the end angle (radians
    // from the X axis); equal angles give the whole circle, as an ARC entity does.
    virtual void arc(WorldPoint centre, double radius, double startAngleRad, double endAngleRad, const Pen& pen) = 0;

    virtual void text(const TextItem& text) = 0;

    // A point, drawn as a dot as wide as the pen's line.
    virtual void point(WorldPoint position, const Pen& pen) = 0;
};

// A polyline of straight segments through plain points.
void drawPolyline(Canvas& canvas, std::span<const WorldPoint> points, bool closed, const Pen& pen,
                  double constantWidth = 0.0);

// The corners of a text's measured box (measureText) in world coordinates, after width factor,
// obliquing and rotation: bottom-left, bottom-right, top-right, top-left. All four at the
// insertion point for an empty text.
std::array<WorldPoint, 4> textCorners(const TextItem& text);

}  // namespace kelvora

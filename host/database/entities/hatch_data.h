// The data of a hatch: loops (polyline or edges), pattern, islands style, seeds, kept gradient groups, evaluated fill.
#pragma once

#include <string>
#include <vector>

#include "adsdef.h"
#include "dbhatch.h"

namespace kelvora {

// One boundary edge, in the hatch's plane.
struct HatchEdge {
    int type = AcDbHatch::kLine;
    AcGePoint2d start;       // line start; arc and ellipse centre
    AcGePoint2d end;         // line end; ellipse major axis end (from the centre)
    double radius = 0.0;     // arc radius; ellipse minor/major ratio
    double startAngle = 0.0; // arcs and ellipses, radians, in the edge's own turning sense
    double endAngle = 0.0;
    bool ccw = true;
    // Splines.
    int degree = 3;
    bool rational = false;
    bool periodic = false;
    std::vector<double> knots;
    std::vector<AcGePoint2d> controlPoints;
    std::vector<double> weights;
    std::vector<AcGePoint2d> fitPoints;
    AcGeVector2d startTangent;
    AcGeVector2d endTangent;
};

struct HatchLoop {
    Adesk::Int32 type = AcDbHatch::kDefault;
    // Polyline loops (type has kPolyline).
    std::vector<AcGePoint2d> vertices;
    std::vector<double> bulges;
    bool closed = true;
    // Edge loops.
    std::vector<HatchEdge> edges;
    std::vector<AcDbObjectId> sources;  // 330
};

struct PatternLine {
    double angle = 0.0;  // 53
    double baseX = 0.0;  // 43
    double baseY = 0.0;  // 44
    double offsetX = 0.0;  // 45
    double offsetY = 0.0;  // 46
    std::vector<double> dashes;  // 49
};

struct HatchData {
    double elevation = 0.0;                        // 10 z
    AcGeVector3d normal = AcGeVector3d::kZAxis;    // 210
    std::wstring patternName = L"SOLID";           // 2
    AcDbHatch::HatchPatternType patternType = AcDbHatch::kPreDefined;  // 76
    bool associative = false;                      // 71
    AcDbHatch::HatchStyle style = AcDbHatch::kNormal;  // 75
    AcDbHatch::HatchObjectType objectType = AcDbHatch::kHatchObject;
    double patternAngle = 0.0;                     // 52
    double patternScale = 1.0;                     // 41
    double patternSpace = 1.0;                     // 41 for user-defined patterns
    bool patternDouble = false;                    // 77
    std::vector<PatternLine> patternLines;         // 78 ...
    double pixelSize = 0.0;                        // 47
    bool hasPixelSize = false;
    std::vector<AcGePoint2d> seeds;                // 98, 10
    std::vector<HatchLoop> loops;                  // 91 ...
    resbuf* gradient = nullptr;                    // 450-470 groups, kept as read

    // The fill as evaluateHatch made it.
    bool evaluated = false;
    std::vector<std::pair<AcGePoint2d, AcGePoint2d>> lines;

    HatchData() = default;
    HatchData(const HatchData&) = delete;
    HatchData& operator=(const HatchData&) = delete;
    ~HatchData();

    bool isSolid() const;
};

// The loop flattened to points (arcs, ellipses and splines within `deviation`); closed (the first
// point is not repeated).
void flattenLoop(const HatchLoop& loop, double deviation, std::vector<AcGePoint2d>& points);
// The size of the loops' box (for tolerances); 0 without loops.
double loopsSize(const HatchData& data);

}  // namespace kelvora

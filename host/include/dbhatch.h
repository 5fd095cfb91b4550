// AcDbHatch: an area bounded by loops, filled solid or with a pattern (DXF HATCH).
#pragma once

// dbmain.h uses these names before it defines them.
class AcDbObject;
class AcDbEntity;

#include <memory>
#include <string>
#include <vector>

#include "dbmain.h"
#include "gedblar.h"
#include "geintarr.h"
#include "gept2dar.h"
#include "gevptar.h"

namespace kelvora {
struct HatchData;
}

// Loops are in the hatch's plane (OCS of normal(), at elevation()). A loop is either a polyline loop
// (vertices and bulges) or a list of edges (lines, circular arcs, elliptic arcs, splines).
//
// Islands: the first loop flagged kExternal (or the first loop) is the outer boundary; the others
// are islands, filled by the even-odd rule (kNormal style), only the outermost kept (kOuter), or
// ignored (kIgnore).
class AcDbHatch : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbHatch);

    enum HatchObjectType { kHatchObject = 0, kGradientObject = 1 };
    enum HatchLoopType {
        kDefault = 0,
        kExternal = 1,
        kPolyline = 2,
        kDerived = 4,
        kTextbox = 8,
        kOutermost = 0x10,
        kNotClosed = 0x20,
        kSelfIntersecting = 0x40,
        kTextIsland = 0x80,
        kDuplicate = 0x100,
    };
    enum HatchEdgeType { kLine = 1, kCirArc = 2, kEllArc = 3, kSpline = 4 };
    enum HatchPatternType { kUserDefined = 0, kPreDefined = 1, kCustomDefined = 2 };
    enum HatchStyle { kNormal = 0, kOuter = 1, kIgnore = 2 };

    AcDbHatch();
    ~AcDbHatch() override;

    double elevation() const;
    Acad::ErrorStatus setElevation(double elevation);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    int numLoops() const;
    Adesk::Int32 loopTypeAt(int loopIndex) const;
    // Edge form: new AcGeLineSeg2d / AcGeCircArc2d / AcGeEllipArc2d / AcGeNurbCurve2d objects (by
    // edge type) that the caller deletes. A polyline loop answers its segments as lines and arcs.
    // The vertex form answers edge loops of lines and arcs only (eNotApplicable otherwise).
    Acad::ErrorStatus getLoopAt(int loopIndex, Adesk::Int32& loopType, AcGeVoidPointerArray& edgePtrs,
                                AcGeIntArray& edgeTypes) const;
    Acad::ErrorStatus getLoopAt(int loopIndex, Adesk::Int32& loopType, AcGePoint2dArray& vertices,
                                AcGeDoubleArray& bulges) const;
    // edgePtrs point to AcGeLineSeg2d (kLine), AcGeCircArc2d (kCirArc), AcGeEllipArc2d (kEllArc) or
    // AcGeNurbCurve2d (kSpline); they are copied. eInvalidInput for a null pointer, an unknown type,
    // an ellipse without size or a spline whose data make no curve (the hatch is left unchanged).
    // An ellipse whose minor radius is the longer is kept with its axes swapped (same points).
    Acad::ErrorStatus appendLoop(Adesk::Int32 loopType, const AcGeVoidPointerArray& edgePtrs,
                                 const AcGeIntArray& edgeTypes);
    // A polyline loop: bulges may be empty (all straight) or one per vertex. The kPolyline bit is set.
    Acad::ErrorStatus appendLoop(Adesk::Int32 loopType, const AcGePoint2dArray& vertices,
                                 const AcGeDoubleArray& bulges);
    Acad::ErrorStatus insertLoopAt(int loopIndex, Adesk::Int32 loopType, const AcGePoint2dArray& vertices,
                                   const AcGeDoubleArray& bulges);
    Acad::ErrorStatus removeLoopAt(int loopIndex);

    // Associativity and the boundary objects of each loop are kept (and filed); the host does not
    // rebuild a hatch when its boundary changes.
    bool associative() const;
    Acad::ErrorStatus setAssociative(bool isAssociative);
    Acad::ErrorStatus getAssocObjIdsAt(int loopIndex, AcDbObjectIdArray& dbObjIds) const;
    Acad::ErrorStatus getAssocObjIds(AcDbObjectIdArray& dbObjIds) const;
    Acad::ErrorStatus setAssocObjIdsAt(int loopIndex, const AcDbObjectIdArray& dbObjIds);

    HatchPatternType patternType() const;
    const ACHAR* patternName() const;
    // "SOLID" (predefined) fills; other names keep their pattern lines as read from a drawing.
    Acad::ErrorStatus setPattern(HatchPatternType patType, const ACHAR* patName);
    double patternAngle() const;
    Acad::ErrorStatus setPatternAngle(double angle);
    double patternSpace() const;
    Acad::ErrorStatus setPatternSpace(double space);
    double patternScale() const;
    Acad::ErrorStatus setPatternScale(double scale);
    bool patternDouble() const;
    Acad::ErrorStatus setPatternDouble(bool isDouble);
    int numPatternDefinitions() const;
    Acad::ErrorStatus getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY, double& offsetX,
                                             double& offsetY, AcGeDoubleArray& dashes) const;

    HatchStyle hatchStyle() const;
    Acad::ErrorStatus setHatchStyle(HatchStyle hstyle);
    HatchObjectType hatchObjectType() const;
    Acad::ErrorStatus setHatchObjectType(HatchObjectType type);
    bool isGradient() const;
    bool isSolidFill() const;

    // Builds the fill: for a solid fill the boundary polygons (loops flattened to the display
    // deviation), for a pattern its line segments clipped to the loops. eInvalidInput without loops.
    Acad::ErrorStatus evaluateHatch(bool bUnderestimateNumLines = false);
    int numHatchLines() const;
    Acad::ErrorStatus getHatchLineDataAt(int lineIndex, AcGePoint2d& startPt, AcGePoint2d& endPt) const;
    Acad::ErrorStatus getHatchLinesData(AcGePoint2dArray& startPts, AcGePoint2dArray& endPts) const;
    // The filled area (outer loop minus islands, as the style fills).
    Acad::ErrorStatus getArea(double& area) const;

    Adesk::Boolean isPlanar() const override { return Adesk::kTrue; }
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // Solid: the loops as filled polygons (one polygon per loop: the even-odd fill of the backends
    // makes islands holes). Pattern: its lines. Loops are flattened to the display deviation.
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF: 100 AcDbHatch, 10 (0, 0, elevation), 210, 2 pattern name, 70 solid, 71 associative, 91 loops
    // (92 type, polyline 72/73/93/10/42, edges 93/72 and each edge's groups, 97/330 sources), 75 style,
    // 76 pattern type, 52/41/77 angle, scale, double, 78 pattern lines (53/43/44/45/46/79/49), 47, 98
    // seed points (10). Gradient groups (450-470) are kept as read.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    std::unique_ptr<kelvora::HatchData> m_data;
};

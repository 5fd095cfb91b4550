// The graphics interface entities draw through: AcGiWorldDraw, AcGiViewportDraw, their geometry and traits, AcGiTextStyle.
#pragma once

#include <string>

#include "acdb.h"
#include "dbcolor.h"
#include "dbid.h"
#include "drawable.h"
#include "gemat3d.h"
#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

class AcDbDatabase;
class AcDbPolyline;
class AcGiWorldDraw;

enum AcGiRegenType {
    eAcGiRegenTypeInvalid = 0,
    kAcGiStandardDisplay = 2,
    kAcGiHideOrShadeCommand = 3,
    kAcGiRenderCommand = 4,
    kAcGiShadedDisplay = kAcGiRenderCommand,
    kAcGiForExplode = 5,
    kAcGiSaveWorldDrawForProxy = 6,
};

enum AcGiFillType {
    kAcGiFillAlways = 1,
    kAcGiFillNever = 2,
};

enum AcGiArcType {
    kAcGiArcSimple = 0,  // the arc alone
    kAcGiArcSector = 1,  // closed by two radii
    kAcGiArcChord = 2,   // closed by its chord
};

enum AcGiDeviationType {
    kAcGiMaxDevForCircle = 0,
    kAcGiMaxDevForCurve = 1,
    kAcGiMinDevForCurve = 2,
    kAcGiMaxDevForBoundary = 3,
    kAcGiMinDevForBoundary = 4,
    kAcGiMaxDevForIsoline = 5,
    kAcGiMinDevForIsoline = 6,
    kAcGiMaxDevForFacet = 7,
};

// ----- Text style ---------------------------------------------------------------------------------

// The style a text is drawn with: font files, height, width factor, obliquing angle (radians).
class AcGiTextStyle {
public:
    // Font "txt", height 0, width 1, no obliquing.
    explicit AcGiTextStyle(AcDbDatabase* pDb = nullptr);
    AcGiTextStyle(const ACHAR* fontName, const ACHAR* bigFontName, double textSize, double xScale,
                  double obliqueAngle, double trackPercent, Adesk::Boolean isBackward, Adesk::Boolean isUpsideDown,
                  Adesk::Boolean isVertical, Adesk::Boolean isOverlined, Adesk::Boolean isUnderlined,
                  const ACHAR* styleName = nullptr);
    virtual ~AcGiTextStyle() = default;

    // Refreshes the font; answers a positive number when the font is found (always, as the host falls
    // back to DejaVu Sans).
    int loadStyleRec(AcDbDatabase* pDb = nullptr) const;

    void setTextSize(double size) { m_textSize = size; }
    void setXScale(double xScale) { m_xScale = xScale; }
    void setObliquingAngle(double angle) { m_obliquingAngle = angle; }
    void setTrackingPercent(double trackPercent) { m_trackingPercent = trackPercent; }
    void setBackward(Adesk::Boolean isBackward) { m_backward = isBackward; }
    void setUpsideDown(Adesk::Boolean isUpsideDown) { m_upsideDown = isUpsideDown; }
    void setVertical(Adesk::Boolean isVertical) { m_vertical = isVertical; }
    void setUnderlined(Adesk::Boolean isUnderlined) { m_underlined = isUnderlined; }
    void setOverlined(Adesk::Boolean isOverlined) { m_overlined = isOverlined; }
    void setFileName(const ACHAR* fontName) { m_fileName = fontName != nullptr ? fontName : L""; }
    void setBigFontFileName(const ACHAR* bigFontFileName)
    {
        m_bigFontFileName = bigFontFileName != nullptr ? bigFontFileName : L"";
    }
    Acad::ErrorStatus setStyleName(const ACHAR* styleName)
    {
        m_styleName = styleName != nullptr ? styleName : L"";
        return Acad::eOk;
    }
    Acad::ErrorStatus setFont(const ACHAR* pTypeface, Adesk::Boolean bold, Adesk::Boolean italic, int charset,
                              int pitchAndFamily);
    Acad::ErrorStatus font(ACHAR*& pTypeface, Adesk::Boolean& bold, Adesk::Boolean& italic, int& charset,
                           int& pitchAndFamily) const;

    double textSize() const { return m_textSize; }
    double xScale() const { return m_xScale; }
    double obliquingAngle() const { return m_obliquingAngle; }
    double trackingPercent() const { return m_trackingPercent; }
    Adesk::Boolean isBackward() const { return m_backward; }
    Adesk::Boolean isUpsideDown() const { return m_upsideDown; }
    Adesk::Boolean isVertical() const { return m_vertical; }
    Adesk::Boolean isUnderlined() const { return m_underlined; }
    Adesk::Boolean isOverlined() const { return m_overlined; }
    const ACHAR* fileName() const { return m_fileName.c_str(); }
    const ACHAR* bigFontFileName() const { return m_bigFontFileName.c_str(); }
    const ACHAR* styleName() const { return m_styleName.c_str(); }

    // Width (x) and height (y) of the string set in this style, from the font's real metrics
    // (kelvora/text_metrics.h), before rotation and obliquing: x is the advance width (from the
    // insertion point when penups is true, else of the ink), y is from the lowest descender (or the
    // baseline when nothing descends) to the top. len -1 means the whole string; raw false first turns
    // the %%d, %%c, %%p, %%%, %%u, %%o codes into what they show.
    AcGePoint2d extents(const ACHAR* pStr, Adesk::Boolean penups, int len, Adesk::Boolean raw,
                        AcGiWorldDraw* ctxt = nullptr) const;

private:
    std::wstring m_fileName = L"txt";
    std::wstring m_bigFontFileName;
    std::wstring m_styleName;
    std::wstring m_typeface;
    double m_textSize = 0.0;
    double m_xScale = 1.0;
    double m_obliquingAngle = 0.0;
    double m_trackingPercent = 1.0;
    bool m_backward = false;
    bool m_upsideDown = false;
    bool m_vertical = false;
    bool m_underlined = false;
    bool m_overlined = false;
    bool m_bold = false;
    bool m_italic = false;
    int m_charset = 0;
    int m_pitchAndFamily = 0;
};

// Fills the style from a text style record (font files, fixed height, width, obliquing, flags).
// Answers the open status of the record when it cannot be read.
Acad::ErrorStatus fromAcDbTextStyle(AcGiTextStyle& giStyle, const AcDbObjectId& acdbStyleId);
// Finds (or makes, in the working database) a record holding the style's values.
Acad::ErrorStatus toAcDbTextStyle(AcGiTextStyle& giStyle, AcDbObjectId& acdbStyleId);

// ----- Traits -------------------------------------------------------------------------------------

class AcGiSubEntityTraits : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiSubEntityTraits);

    // setColor and setTrueColor both set the one colour; the last call wins.
    virtual void setColor(const Adesk::UInt16 color) = 0;
    virtual void setTrueColor(const AcCmEntityColor& color) = 0;
    virtual void setLayer(const AcDbObjectId layerId) = 0;
    virtual void setLineType(const AcDbObjectId linetypeId) = 0;
    virtual void setSelectionMarker(const Adesk::LongPtr markerId) = 0;
    virtual void setFillType(const AcGiFillType fillType) = 0;
    virtual void setLineWeight(const AcDb::LineWeight lw) = 0;
    virtual void setLineTypeScale(double dScale = 1.0) = 0;
    virtual void setThickness(double dThickness) = 0;

    virtual Adesk::UInt16 color() const = 0;
    virtual AcCmEntityColor trueColor() const = 0;
    virtual AcDbObjectId layerId() const = 0;
    virtual AcDbObjectId lineTypeId() const = 0;
    virtual AcGiFillType fillType() const = 0;
    virtual AcDb::LineWeight lineWeight() const = 0;
    virtual double lineTypeScale() const = 0;
    virtual double thickness() const = 0;
};

// The traits a drawable's setAttributes fills before it draws.
class AcGiDrawableTraits : public AcGiSubEntityTraits {
public:
    ACRX_DECLARE_MEMBERS(AcGiDrawableTraits);
};

// ----- Context, viewport --------------------------------------------------------------------------

class AcGiContext : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiContext);
    virtual Adesk::Boolean isPsOut() const = 0;
    virtual Adesk::Boolean isPlotGeneration() const = 0;
    virtual AcDbDatabase* database() const = 0;
    virtual bool isBoundaryClipping() const = 0;
};

class AcGiViewport : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiViewport);
    virtual void getModelToEyeTransform(AcGeMatrix3d& mx) const = 0;
    virtual void getEyeToModelTransform(AcGeMatrix3d& mx) const = 0;
    virtual void getWorldToEyeTransform(AcGeMatrix3d& mx) const = 0;
    virtual void getEyeToWorldTransform(AcGeMatrix3d& mx) const = 0;
    virtual Adesk::Boolean isPerspective() const = 0;
    // Pixels per drawing unit around a point (x and y).
    virtual void getNumPixelsInUnitSquare(const AcGePoint3d& givenWorldpt, AcGePoint2d& pixelArea,
                                          bool includePerspective = true) const = 0;
    virtual void getCameraLocation(AcGePoint3d& location) const = 0;
    virtual void getCameraTarget(AcGePoint3d& target) const = 0;
    virtual void getCameraUpVector(AcGeVector3d& upVector) const = 0;
    virtual Adesk::ULongPtr viewportId() const = 0;
    virtual Adesk::Int16 acadWindowId() const = 0;
    virtual double linetypeScaleMultiplier() const = 0;
};

// ----- Geometry -----------------------------------------------------------------------------------

// The primitives. Every call answers true when the drawing should stop (regeneration aborted).
// Points are in model coordinates: the current model transform (pushModelTransform) maps them to
// world coordinates.
class AcGiGeometry : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiGeometry);

    virtual void getModelToWorldTransform(AcGeMatrix3d& mx) const = 0;
    virtual void getWorldToModelTransform(AcGeMatrix3d& mx) const = 0;
    // The normal form is the plane-to-world transform of that normal (the arbitrary-axis rule).
    virtual Adesk::Boolean pushModelTransform(const AcGeVector3d& vNormal) = 0;
    virtual Adesk::Boolean pushModelTransform(const AcGeMatrix3d& xMat) = 0;
    virtual Adesk::Boolean popModelTransform() = 0;

    virtual Adesk::Boolean circle(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal) const = 0;
    virtual Adesk::Boolean circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) const = 0;
    // From startVector, counter-clockwise about normal by sweepAngle (radians; negative goes clockwise).
    virtual Adesk::Boolean circularArc(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal,
                                       const AcGeVector3d& startVector, const double sweepAngle,
                                       const AcGiArcType arcType = kAcGiArcSimple) const = 0;
    virtual Adesk::Boolean circularArc(const AcGePoint3d& start, const AcGePoint3d& point, const AcGePoint3d& end,
                                       const AcGiArcType arcType = kAcGiArcSimple) const = 0;
    virtual Adesk::Boolean polyline(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList,
                                    const AcGeVector3d* pNormal = nullptr,
                                    Adesk::LongPtr lBaseSubEntMarker = -1) const = 0;
    // A closed, filled area (filled when the fill type is kAcGiFillAlways).
    virtual Adesk::Boolean polygon(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList) const = 0;
    virtual Adesk::Boolean polypoint(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList,
                                     const AcGeVector3d* pNormal = nullptr,
                                     const Adesk::LongPtr* pSubEntMarkers = nullptr) const = 0;
    // Text with an explicit height, width factor and obliquing angle, in the default font.
    virtual Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                                const double height, const double width, const double oblique,
                                const ACHAR* pMsg) const = 0;
    // Text in a style (its text size is the height). length -1: the whole string. raw false: the
    // %% codes are turned into what they show.
    virtual Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                                const ACHAR* pMsg, const Adesk::Int32 length, const Adesk::Boolean raw,
                                const AcGiTextStyle& pTextStyle) const = 0;
    virtual Adesk::Boolean xline(const AcGePoint3d& one, const AcGePoint3d& two) const = 0;
    virtual Adesk::Boolean ray(const AcGePoint3d& start, const AcGePoint3d& point) const = 0;
    // The segments [fromIndex, fromIndex + numSegs) of a lightweight polyline (numSegs 0: to the end).
    virtual Adesk::Boolean pline(const AcDbPolyline& lwBuf, Adesk::UInt32 fromIndex = 0,
                                 Adesk::UInt32 numSegs = 0) const = 0;
    // Draws another drawable (nested), with the current model transform.
    virtual Adesk::Boolean draw(AcGiDrawable* pDrawable) const = 0;
    virtual Adesk::Boolean worldLine(const AcGePoint3d pnts[2]) = 0;
};

class AcGiWorldGeometry : public AcGiGeometry {
public:
    ACRX_DECLARE_MEMBERS(AcGiWorldGeometry);
    // Tells the graphics the box (two points, model coordinates) of what the drawable draws.
    virtual void setExtents(AcGePoint3d* pNewExtents) const = 0;
};

class AcGiViewportGeometry : public AcGiGeometry {
public:
    ACRX_DECLARE_MEMBERS(AcGiViewportGeometry);
    // Eye coordinates (the host's views look down the Z axis, so they are world coordinates moved
    // by the view) and display coordinates (pixels; the host records nothing for them).
    virtual Adesk::Boolean polylineEye(const Adesk::UInt32 nbPoints, const AcGePoint3d* pPoints) const = 0;
    virtual Adesk::Boolean polygonEye(const Adesk::UInt32 nbPoints, const AcGePoint3d* pPoints) const = 0;
    virtual Adesk::Boolean polylineDc(const Adesk::UInt32 nbPoints, const AcGePoint3d* pPoints) const = 0;
    virtual Adesk::Boolean polygonDc(const Adesk::UInt32 nbPoints, const AcGePoint3d* pPoints) const = 0;
};

// ----- Draw contexts ------------------------------------------------------------------------------

class AcGiCommonDraw : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiCommonDraw);
    virtual AcGiRegenType regenType() const = 0;
    virtual Adesk::Boolean regenAbort() const = 0;
    virtual AcGiSubEntityTraits& subEntityTraits() const = 0;
    virtual AcGiGeometry* rawGeometry() const = 0;
    virtual Adesk::Boolean isDragging() const = 0;
    virtual AcGiContext* context() = 0;
    virtual Adesk::UInt32 numberOfIsolines() const = 0;
    // The largest distance a curve may stray from its straight-segment approximation, in drawing units.
    virtual double deviation(const AcGiDeviationType type, const AcGePoint3d& pt) const = 0;
};

class AcGiWorldDraw : public AcGiCommonDraw {
public:
    ACRX_DECLARE_MEMBERS(AcGiWorldDraw);
    virtual AcGiWorldGeometry& geometry() const = 0;
};

class AcGiViewportDraw : public AcGiCommonDraw {
public:
    ACRX_DECLARE_MEMBERS(AcGiViewportDraw);
    virtual AcGiViewport& viewport() const = 0;
    virtual AcGiViewportGeometry& geometry() const = 0;
    virtual Adesk::UInt32 sequenceNumber() const = 0;
    virtual Adesk::Boolean isValidId(const Adesk::ULongPtr acgiId) const = 0;
    virtual AcDbObjectId viewportObjectId() const = 0;
};

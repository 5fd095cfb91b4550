// nPolyLineTalutee: a slope (embankment) line, a lightweight polyline drawn with long and short strokes on its side.
#pragma once

#include "dbidar.h"
#include "dbpl.h"

// Strokes stand off the outline to its left (side +1, seen along the normal) and, with bothSides,
// also to its right; every intervalCount-th stroke is long. Nothing derived is stored: the strokes
// are computed again at every draw, explode and proxy save from the fields below.
class nPolyLineTalutee : public AcDbPolyline {
public:
    ACRX_DECLARE_MEMBERS(nPolyLineTalutee);

    // displayFlags bit: the outline itself is not drawn, only the strokes.
    static constexpr Adesk::Int16 kHideOutline = 2;
    static constexpr Adesk::Int16 kDefaultDisplayFlags = 1;
    static constexpr Adesk::UInt16 kDefaultReservedCode = 256;

    // The fields start from the module's current slope defaults.
    nPolyLineTalutee();
    ~nPolyLineTalutee() override;
    nPolyLineTalutee(const nPolyLineTalutee&) = delete;
    nPolyLineTalutee& operator=(const nPolyLineTalutee&) = delete;

    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const override;
    void saveAs(AcGiWorldDraw* mode, AcDb::SaveType st) override;

    // The class's own operations (the overrides above forward here).
    virtual Acad::ErrorStatus explodeSlope(AcDbVoidPtrArray& entitySet) const;
    virtual Adesk::Boolean drawSlope(AcGiWorldDraw* mode);

    double strokeSpacing() const { return m_strokeSpacing; }
    void setStrokeSpacing(double spacing);
    double longStrokeLength() const { return m_longStrokeLength; }
    void setLongStrokeLength(double length);
    double strokeRatio() const { return m_strokeRatio; }
    void setStrokeRatio(double ratio);
    // As stored (a file may hold 0); stroke generation uses effectiveIntervalCount().
    Adesk::UInt16 intervalCount() const { return m_intervalCount; }
    void setIntervalCount(Adesk::UInt16 count);
    // The stored count, 0 read as 1: one stroke in every N is long, so N must be at least 1.
    int effectiveIntervalCount() const;
    Adesk::Int16 shortStrokeColor() const { return m_shortStrokeColor; }
    void setShortStrokeColor(Adesk::Int16 code);
    Adesk::Int16 longStrokeColor() const { return m_longStrokeColor; }
    void setLongStrokeColor(Adesk::Int16 code);
    Adesk::Int16 displayFlags() const { return m_displayFlags; }
    void setDisplayFlags(Adesk::Int16 flags);
    Adesk::UInt16 bothSides() const { return m_bothSides; }
    void setBothSides(Adesk::UInt16 bothSides);
    Adesk::UInt16 reservedCode() const { return m_reservedCode; }

    const AcDbObjectIdArray& limitIds() const { return m_limitIds; }
    void setLimitIds(const AcDbObjectIdArray& ids);
    void appendLimitId(AcDbObjectId id);
    void clearLimitIds();
    // Drops a limit that can no longer be opened; done while drawing, on an entity open for read.
    void dropLimitAt(int index) const;

    // Copies every vertex (point and bulge, widths -1) and the closed flag of the polyline.
    void copyOutlineFrom(const AcDbPolyline& source);
    // Total length of the outline (0 when it has none).
    double outlineLength() const;

private:
    double m_strokeSpacing;                           // 40
    double m_longStrokeLength;                        // 41
    double m_strokeRatio;                             // 42
    Adesk::UInt16 m_intervalCount;                    // 274
    Adesk::Int16 m_shortStrokeColor;                  // 271
    Adesk::Int16 m_longStrokeColor;                   // 270
    // Mutable: drawing drops limits that no longer open, on an entity open for read.
    mutable AcDbObjectIdArray m_limitIds;             // 330, soft pointers
    Adesk::Int16 m_displayFlags = kDefaultDisplayFlags;  // 273
    Adesk::UInt16 m_bothSides = 0;                    // 272
    Adesk::UInt16 m_reservedCode = kDefaultReservedCode;  // DWG only
};

// eXtendedPolyline: a lightweight polyline drawn with a repeated decoration (symbol, block or text) along it.
#pragma once

#include "dbpl.h"

class eXtendedPolyline : public AcDbPolyline {
public:
    ACRX_DECLARE_MEMBERS(eXtendedPolyline);

    // Decoration kinds outside the built-in symbol indices 0..11.
    static constexpr Adesk::Int32 kBlockStyle = -1;
    static constexpr Adesk::Int32 kTextStyle = -2;
    // How the polyline itself is drawn.
    static constexpr Adesk::UInt16 kLineWhole = 0;
    static constexpr Adesk::UInt16 kLineInterrupted = 1;
    static constexpr Adesk::UInt16 kLineHidden = 2;

    static constexpr double kDefaultSpacing = 10.0;
    static constexpr double kDefaultSymbolSize = 1.0;
    static constexpr double kDefaultGap = 0.1;
    static constexpr Adesk::Int32 kDefaultStyleCode = 1;
    static constexpr Adesk::UInt32 kDefaultReservedCode = 256;

    eXtendedPolyline();
    ~eXtendedPolyline() override;
    eXtendedPolyline(const eXtendedPolyline&) = delete;
    eXtendedPolyline& operator=(const eXtendedPolyline&) = delete;

    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const override;
    void saveAs(AcGiWorldDraw* mode, AcDb::SaveType st) override;

    // The class's own operations (the overrides above forward here).
    virtual Acad::ErrorStatus snapEntry(AcDb::OsnapMode osnapMode, Adesk::Int32 gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const;
    virtual Adesk::Boolean drawSpecialLine(AcGiWorldDraw* mode);
    virtual Acad::ErrorStatus customSnap(AcDb::OsnapMode osnapMode, Adesk::Int32 gsSelectionMark,
                                         const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                         const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                         AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus explodeSpecialLine(AcDbVoidPtrArray& entitySet) const;

    // Length along the line taken by one decoration.
    double decorationLength() const;
    // Total length of the polyline.
    double lineLength() const;

    double spacing() const { return m_spacing; }
    void setSpacing(double spacing);
    double symbolSize() const { return m_symbolSize; }
    void setSymbolSize(double size);
    double gap() const { return m_gap; }
    void setGap(double gap);
    AcDbObjectId symbolRefId() const { return m_symbolRefId; }
    void setSymbolRefId(AcDbObjectId id);
    // At draw time, on an entity open for read: a text decoration whose style is lost keeps this one.
    void replaceLostTextStyle(AcDbObjectId id) { m_symbolRefId = id; }
    // Never null: an unset text reads as "".
    const ACHAR* symbolText() const;
    void setSymbolText(const ACHAR* text);
    Adesk::UInt16 placement() const { return m_placement; }
    void setPlacement(Adesk::UInt16 placement);
    Adesk::Int32 styleCode() const { return m_styleCode; }
    void setStyleCode(Adesk::Int32 code);
    Adesk::UInt32 reservedCode() const { return m_reservedCode; }
    Adesk::UInt16 lineMode() const { return m_lineMode; }
    void setLineMode(Adesk::UInt16 mode);

private:
    double m_spacing = kDefaultSpacing;
    double m_symbolSize = kDefaultSymbolSize;
    double m_gap = kDefaultGap;
    AcDbObjectId m_symbolRefId;
    ACHAR* m_symbolText = nullptr;
    Adesk::UInt16 m_placement = 0;
    Adesk::Int32 m_styleCode = kDefaultStyleCode;
    Adesk::UInt32 m_reservedCode = kDefaultReservedCode;
    Adesk::UInt16 m_lineMode = kLineInterrupted;
};

// NESurface: a parcel drawn as a closed polyline that shows its lot text, area and perimeter as labels.
#pragma once

#include <array>
#include <string>

#include "dbpl.h"

class SurfaceDlg;


class NESurface : public AcDbPolyline {
public:
    ACRX_DECLARE_MEMBERS(NESurface);

    // Label bits of labelFlags.
    static constexpr Adesk::UInt16 kShowLot = 0x1;
    static constexpr Adesk::UInt16 kShowArea = 0x2;
    static constexpr Adesk::UInt16 kShowPerimeter = 0x4;
    static constexpr Adesk::UInt16 kAreaHectaresAres = 0x200;
    static constexpr Adesk::UInt16 kAreaHectares = 0x400;
    static constexpr Adesk::UInt16 kDefaultLabelFlags = kShowLot | kShowArea;
    static constexpr Adesk::Int16 kDefaultReservedCode = 256;
    // Indices of the label strings.
    enum LabelString : int { kLotText = 0, kPerimeterPrefix = 1, kAreaPrefix = 2, kPerimeterUnit = 3, kAreaUnit = 4 };
    static constexpr int kLabelStringCount = 5;
    // Application data of the three label grips.
    static constexpr Adesk::IntPtr kLotGrip = 1000;
    static constexpr Adesk::IntPtr kAreaGrip = 1001;
    static constexpr Adesk::IntPtr kPerimeterGrip = 1002;

    NESurface();
    ~NESurface() override;

    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
    Acad::ErrorStatus getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize, const int gripSize,
                                    const AcGeVector3d& curViewDir, const int bitflags) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                       const int bitflags) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const override;
    void saveAs(AcGiWorldDraw* mode, AcDb::SaveType st) override;

    // The class's own operations, where the behaviour sits (the overrides above forward here).
    virtual Adesk::Boolean drawSurface(AcGiWorldDraw* mode);
    virtual Acad::ErrorStatus transformSurface(const AcGeMatrix3d& xform);
    virtual Acad::ErrorStatus moveSurfaceGrips(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                               const int bitflags);
    virtual Acad::ErrorStatus explodeSurface(AcDbVoidPtrArray& entitySet) const;
    virtual Acad::ErrorStatus getSurfaceStretchPoints(AcGePoint3dArray& stretchPoints) const;
    virtual Acad::ErrorStatus moveSurfaceStretchPoints(const AcDbIntArray& indices, const AcGeVector3d& offset);

    // Hides AcDbEntity::setPropertiesFrom: also copies the label settings of another surface.
    Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* pEntity, Adesk::Boolean doSubents = true);

    const ACHAR* getLabelString(int index) const;
    void setLabelString(int index, const ACHAR* text);
    void copyVerticesFrom(const AcDbPolyline* source);
    double surfaceArea() const;
    double perimeterLength() const;
    void formatAreaText(std::wstring& text) const;
    std::wstring perimeterText() const;
    AcDbPolyline* toPlainPolyline() const;
    void placeLabels();
    // Signed angle of labelDirection from the X axis about the outline's normal, in (-pi, pi].
    double labelRotation() const;

    // Exchange of the label settings with the dialog of DDSPOLY.
    void fillSurfaceDialog(SurfaceDlg& dialog) const;
    void readSurfaceDialog(const SurfaceDlg& dialog);

    // Label settings.
    Adesk::Int32 labelsPlaced() const { return m_labelsPlaced; }
    void setLabelsPlaced(Adesk::Int32 placed) { m_labelsPlaced = placed; }
    Adesk::UInt16 labelFlags() const;
    void setLabelFlags(Adesk::UInt16 flags);
    Adesk::Int16 reservedCode() const { return m_reservedCode; }
    double textHeight() const;
    void setTextHeight(double height);
    AcGeVector3d labelDirection() const;
    void setLabelDirection(const AcGeVector3d& direction);
    AcDbObjectId textStyleId() const;
    void setTextStyleId(AcDbObjectId id);
    AcGePoint3d lotPoint() const { return m_lotPoint; }
    AcGePoint3d areaPoint() const { return m_areaPoint; }
    AcGePoint3d perimeterPoint() const { return m_perimeterPoint; }
    void setLabelPoints(const AcGePoint3d& lot, const AcGePoint3d& area, const AcGePoint3d& perimeter);

private:
    void drawLabels(AcGiWorldDraw* mode);
    AcGePoint3d& labelPoint(int which);

    Adesk::Int32 m_labelsPlaced = 0;
    std::array<std::wstring, kLabelStringCount> m_strings;
    Adesk::UInt16 m_labelFlags = kDefaultLabelFlags;
    Adesk::Int16 m_reservedCode = kDefaultReservedCode;
    double m_textHeight = 0.0;
    AcGeVector3d m_labelDirection{1.0, 0.0, 0.0};
    AcDbObjectId m_textStyleId;
    AcGePoint3d m_lotPoint;
    AcGePoint3d m_areaPoint;
    AcGePoint3d m_perimeterPoint;
};

// eXtendedPolyline: class registration, construction with the default decoration, and the field accessors.
#include "speciallines/extended_polyline.h"

#include "acutads.h"
#include "app/class_registry.h"

namespace {

constexpr int kSpecialLineProxyFlags = 0xBFF;

AcRxObject* makeExtendedPolyline() { return new eXtendedPolyline(); }

}  // namespace

AcRxClass* eXtendedPolyline::gpDesc = nullptr;

AcRxClass* eXtendedPolyline::desc()
{
    if (gpDesc == nullptr)
        gpDesc = acrxFindAcRxClass(ACRX_T("eXtendedPolyline"));
    return gpDesc;
}

AcRxClass* eXtendedPolyline::isA() const { return desc(); }

void eXtendedPolyline::rxInit()
{
    gpDesc = kelvora::app::initClass(gpDesc, ACRX_T("eXtendedPolyline"), kSpecialLineProxyFlags,
                                     &makeExtendedPolyline, ACRX_T("KVRA_ZORVEL"));
}

void eXtendedPolyline::rxInit(AppNameChangeFuncPtr) { rxInit(); }

eXtendedPolyline::eXtendedPolyline() = default;

eXtendedPolyline::~eXtendedPolyline()
{
    if (m_symbolText != nullptr)
        acutDelString(m_symbolText);
}

Adesk::Boolean eXtendedPolyline::worldDraw(AcGiWorldDraw* mode) { return drawSpecialLine(mode); }

Acad::ErrorStatus eXtendedPolyline::explode(AcDbVoidPtrArray& entitySet) const
{
    return explodeSpecialLine(entitySet);
}

Acad::ErrorStatus eXtendedPolyline::snapEntry(AcDb::OsnapMode osnapMode, Adesk::Int32 gsSelectionMark,
                                              const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                              const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                              AcDbIntArray& geomIds) const
{
    return customSnap(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
}

double eXtendedPolyline::lineLength() const
{
    double endParam = 0.0;
    double length = 0.0;
    if (getEndParam(endParam) != Acad::eOk || getDistAtParam(endParam, length) != Acad::eOk)
        return 0.0;
    return length;
}

void eXtendedPolyline::setSpacing(double spacing)
{
    assertWriteEnabled();
    m_spacing = spacing;
}

void eXtendedPolyline::setSymbolSize(double size)
{
    assertWriteEnabled();
    m_symbolSize = size;
}

void eXtendedPolyline::setGap(double gap)
{
    assertWriteEnabled();
    m_gap = gap;
}

void eXtendedPolyline::setSymbolRefId(AcDbObjectId id)
{
    assertWriteEnabled();
    m_symbolRefId = id;
}

const ACHAR* eXtendedPolyline::symbolText() const { return m_symbolText != nullptr ? m_symbolText : ACRX_T(""); }

void eXtendedPolyline::setSymbolText(const ACHAR* text)
{
    assertWriteEnabled();
    if (m_symbolText != nullptr)
        acutDelString(m_symbolText);
    if (text != nullptr)
        acutNewString(text, m_symbolText);
}

void eXtendedPolyline::setPlacement(Adesk::UInt16 placement)
{
    assertWriteEnabled();
    m_placement = placement;
}

void eXtendedPolyline::setStyleCode(Adesk::Int32 code)
{
    assertWriteEnabled();
    m_styleCode = code;
}

void eXtendedPolyline::setLineMode(Adesk::UInt16 mode)
{
    assertWriteEnabled();
    m_lineMode = mode;
}

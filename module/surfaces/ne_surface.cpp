// NESurface: class registration, construction, label settings, property copy and the label texts.
#include "surfaces/ne_surface.h"

#include <cmath>
#include <numbers>

#include "app/class_registry.h"
#include "dbapserv.h"
#include "surfaces/surface_labels.h"

namespace {

constexpr int kSurfaceProxyFlags = 0xFF;

AcDbDatabase* workingDatabase()
{
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    return services != nullptr ? services->workingDatabase() : nullptr;
}

AcRxObject* makeNESurface() { return new NESurface(); }

}  // namespace

AcRxClass* NESurface::gpDesc = nullptr;

AcRxClass* NESurface::desc()
{
    if (gpDesc == nullptr)
        gpDesc = acrxFindAcRxClass(ACRX_T("NESurface"));
    return gpDesc;
}

AcRxClass* NESurface::isA() const { return desc(); }

void NESurface::rxInit()
{
    gpDesc = kelvora::app::initClass(gpDesc, ACRX_T("NESurface"), kSurfaceProxyFlags, &makeNESurface,
                                     ACRX_T("NSPOLY"));
}

void NESurface::rxInit(AppNameChangeFuncPtr) { rxInit(); }

NESurface::NESurface()
    : m_strings{L"Lot ", L"L=", L"S=", L"ml", L"m2"}
{
    if (AcDbDatabase* db = workingDatabase()) {
        m_textHeight = db->textsize();
        m_textStyleId = db->textstyle();
    }
}

NESurface::~NESurface() = default;

Adesk::Boolean NESurface::worldDraw(AcGiWorldDraw* mode) { return drawSurface(mode); }
Acad::ErrorStatus NESurface::moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                              const int bitflags)
{
    return moveSurfaceGrips(gripAppData, offset, bitflags);
}
Acad::ErrorStatus NESurface::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    return getSurfaceStretchPoints(stretchPoints);
}
Acad::ErrorStatus NESurface::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    return moveSurfaceStretchPoints(indices, offset);
}
Acad::ErrorStatus NESurface::transformBy(const AcGeMatrix3d& xform) { return transformSurface(xform); }
Acad::ErrorStatus NESurface::explode(AcDbVoidPtrArray& entitySet) const { return explodeSurface(entitySet); }

const ACHAR* NESurface::getLabelString(int index) const { return m_strings[static_cast<size_t>(index)].c_str(); }

void NESurface::setLabelString(int index, const ACHAR* text)
{
    assertWriteEnabled();
    m_strings[static_cast<size_t>(index)] = text != nullptr ? text : L"";
}

Adesk::UInt16 NESurface::labelFlags() const { return m_labelFlags; }
void NESurface::setLabelFlags(Adesk::UInt16 flags)
{
    assertWriteEnabled();
    m_labelFlags = flags;
}
double NESurface::textHeight() const { return m_textHeight; }
void NESurface::setTextHeight(double height)
{
    assertWriteEnabled();
    m_textHeight = height;
}
AcGeVector3d NESurface::labelDirection() const { return m_labelDirection; }
void NESurface::setLabelDirection(const AcGeVector3d& direction)
{
    assertWriteEnabled();
    m_labelDirection = direction;
}
AcDbObjectId NESurface::textStyleId() const { return m_textStyleId; }
void NESurface::setTextStyleId(AcDbObjectId id)
{
    assertWriteEnabled();
    m_textStyleId = id;
}
void NESurface::setLabelPoints(const AcGePoint3d& lot, const AcGePoint3d& area, const AcGePoint3d& perimeter)
{
    assertWriteEnabled();
    m_lotPoint = lot;
    m_areaPoint = area;
    m_perimeterPoint = perimeter;
}

AcGePoint3d& NESurface::labelPoint(int which)
{
    return which == 0 ? m_lotPoint : (which == 1 ? m_areaPoint : m_perimeterPoint);
}

Acad::ErrorStatus NESurface::setPropertiesFrom(const AcDbEntity* pEntity, Adesk::Boolean doSubents)
{
    const Acad::ErrorStatus status = AcDbEntity::setPropertiesFrom(pEntity, doSubents);
    if (pEntity != nullptr && pEntity->isA() == NESurface::desc()) {
        const auto* source = static_cast<const NESurface*>(pEntity);
        m_labelsPlaced = 0;
        m_strings = source->m_strings;
        m_labelFlags = source->m_labelFlags;
        m_reservedCode = source->m_reservedCode;
        m_textHeight = source->m_textHeight;
        m_labelDirection = source->m_labelDirection;
        m_textStyleId = source->m_textStyleId;
        m_lotPoint = source->m_lotPoint;
        m_areaPoint = source->m_areaPoint;
        m_perimeterPoint = source->m_perimeterPoint;
    }
    return status;
}

void NESurface::copyVerticesFrom(const AcDbPolyline* source)
{
    if (source == nullptr)
        return;
    for (unsigned i = 0; i < source->numVerts(); ++i) {
        AcGePoint2d point;
        double bulge = 0.0;
        source->getPointAt(i, point);
        source->getBulgeAt(i, bulge);
        addVertexAt(i, point, bulge, -1.0, -1.0);
    }
    setClosed(source->isClosed());
}

double NESurface::surfaceArea() const
{
    double area = 0.0;
    getArea(area);
    return area;
}

double NESurface::perimeterLength() const
{
    double endParam = 0.0;
    double length = 0.0;
    if (getEndParam(endParam) == Acad::eOk)
        getDistAtParam(endParam, length);
    return length;
}

void NESurface::formatAreaText(std::wstring& text) const
{
    text = kelvora::surfaces::areaText(surfaceArea(), m_labelFlags, m_strings[kAreaPrefix], m_strings[kAreaUnit]);
}

std::wstring NESurface::perimeterText() const
{
    return kelvora::surfaces::perimeterText(perimeterLength(), m_strings[kPerimeterPrefix],
                                            m_strings[kPerimeterUnit]);
}

double NESurface::labelRotation() const
{
    double angle = AcGeVector3d::kXAxis.angleTo(m_labelDirection, normal());
    if (angle > std::numbers::pi)
        angle -= 2.0 * std::numbers::pi;
    return angle;
}

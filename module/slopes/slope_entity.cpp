// nPolyLineTalutee: class registration, construction from the slope defaults, and the field accessors.
#include "slopes/slope_entity.h"

#include <algorithm>

#include "app/class_registry.h"
#include "slopes/slope_defaults.h"

namespace {

constexpr int kSlopeProxyFlags = 0xFF;
// Limits are added one selection at a time: the list grows by this many ids.
constexpr int kLimitGrowLength = 8;

AcRxObject* makeSlope() { return new nPolyLineTalutee(); }

}  // namespace

AcRxClass* nPolyLineTalutee::gpDesc = nullptr;

AcRxClass* nPolyLineTalutee::desc()
{
    if (gpDesc == nullptr)
        gpDesc = acrxFindAcRxClass(ACRX_T("nPolyLineTalutee"));
    return gpDesc;
}

AcRxClass* nPolyLineTalutee::isA() const { return desc(); }

void nPolyLineTalutee::rxInit()
{
    gpDesc = kelvora::app::initClass(gpDesc, ACRX_T("nPolyLineTalutee"), kSlopeProxyFlags, &makeSlope,
                                     ACRX_T("NTALUS"));
}

void nPolyLineTalutee::rxInit(AppNameChangeFuncPtr) { rxInit(); }

nPolyLineTalutee::nPolyLineTalutee()
    : m_limitIds(0, kLimitGrowLength)
{
    const kelvora::slopes::SlopeDefaults& defaults = kelvora::slopes::slopeDefaults();
    m_strokeSpacing = defaults.strokeSpacing;
    m_longStrokeLength = defaults.longStrokeLength;
    m_strokeRatio = defaults.strokeRatio;
    m_intervalCount = defaults.intervalCount;
    m_shortStrokeColor = defaults.shortStrokeColor;
    m_longStrokeColor = defaults.longStrokeColor;
}

nPolyLineTalutee::~nPolyLineTalutee() = default;

Adesk::Boolean nPolyLineTalutee::worldDraw(AcGiWorldDraw* mode) { return drawSlope(mode); }

Acad::ErrorStatus nPolyLineTalutee::explode(AcDbVoidPtrArray& entitySet) const { return explodeSlope(entitySet); }

void nPolyLineTalutee::setStrokeSpacing(double spacing)
{
    assertWriteEnabled();
    m_strokeSpacing = spacing;
}

void nPolyLineTalutee::setLongStrokeLength(double length)
{
    assertWriteEnabled();
    m_longStrokeLength = length;
}

void nPolyLineTalutee::setStrokeRatio(double ratio)
{
    assertWriteEnabled();
    m_strokeRatio = ratio;
}

void nPolyLineTalutee::setIntervalCount(Adesk::UInt16 count)
{
    assertWriteEnabled();
    m_intervalCount = count;
}

int nPolyLineTalutee::effectiveIntervalCount() const { return std::max<int>(1, m_intervalCount); }

void nPolyLineTalutee::setShortStrokeColor(Adesk::Int16 code)
{
    assertWriteEnabled();
    m_shortStrokeColor = code;
}

void nPolyLineTalutee::setLongStrokeColor(Adesk::Int16 code)
{
    assertWriteEnabled();
    m_longStrokeColor = code;
}

void nPolyLineTalutee::setDisplayFlags(Adesk::Int16 flags)
{
    assertWriteEnabled();
    m_displayFlags = flags;
}

void nPolyLineTalutee::setBothSides(Adesk::UInt16 bothSides)
{
    assertWriteEnabled();
    m_bothSides = bothSides;
}

void nPolyLineTalutee::setLimitIds(const AcDbObjectIdArray& ids)
{
    assertWriteEnabled();
    m_limitIds.setLogicalLength(0);
    for (int i = 0; i < ids.length(); ++i)
        m_limitIds.append(ids[i]);
}

void nPolyLineTalutee::appendLimitId(AcDbObjectId id)
{
    assertWriteEnabled();
    m_limitIds.append(id);
}

void nPolyLineTalutee::clearLimitIds()
{
    assertWriteEnabled();
    m_limitIds.setLogicalLength(0);
}

void nPolyLineTalutee::dropLimitAt(int index) const
{
    if (index >= 0 && index < m_limitIds.length())
        m_limitIds.removeAt(index);
}

void nPolyLineTalutee::copyOutlineFrom(const AcDbPolyline& source)
{
    assertWriteEnabled();
    for (unsigned i = 0; i < source.numVerts(); ++i) {
        AcGePoint2d point;
        double bulge = 0.0;
        source.getPointAt(i, point);
        source.getBulgeAt(i, bulge);
        addVertexAt(i, point, bulge, -1.0, -1.0);
    }
    setClosed(source.isClosed());
}

double nPolyLineTalutee::outlineLength() const
{
    double endParam = 0.0;
    double length = 0.0;
    if (getEndParam(endParam) != Acad::eOk || getDistAtParam(endParam, length) != Acad::eOk)
        return 0.0;
    return length;
}

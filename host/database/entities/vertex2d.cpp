// AcDbVertex, AcDb2dVertex (VERTEX) and AcDbSequenceEnd (SEQEND): the sub-entities of old-style polylines.
#include <cmath>

#include "dbents.h"
#include "entity_util.h"
#include "kelvora/float_compare.h"
#include "kelvora/host_class.h"

KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcDbVertex, AcDbEntity, nullptr);
KELVORA_HOST_DEFINE_MEMBERS(AcDb2dVertex, AcDbVertex, L"VERTEX");
KELVORA_HOST_DEFINE_MEMBERS(AcDbSequenceEnd, AcDbEntity, L"SEQEND");

namespace {

// Group 70 bits of a VERTEX.
constexpr Adesk::Int16 kCurveFitVertex = 1;
constexpr Adesk::Int16 kTangentUsed = 2;
constexpr Adesk::Int16 kSplineFitVertex = 8;
constexpr Adesk::Int16 kSplineControlVertex = 16;

Adesk::Int16 typeBits(AcDb::Vertex2dType type)
{
    switch (type) {
    case AcDb::k2dCurveFitVertex:
        return kCurveFitVertex;
    case AcDb::k2dSplineFitVertex:
        return kSplineFitVertex;
    case AcDb::k2dSplineCtlVertex:
        return kSplineControlVertex;
    default:
        return 0;
    }
}

AcDb::Vertex2dType typeFromBits(long long flags)
{
    if ((flags & kSplineControlVertex) != 0)
        return AcDb::k2dSplineCtlVertex;
    if ((flags & kSplineFitVertex) != 0)
        return AcDb::k2dSplineFitVertex;
    if ((flags & kCurveFitVertex) != 0)
        return AcDb::k2dCurveFitVertex;
    return AcDb::k2dVertex;
}

}  // namespace

AcDbVertex::AcDbVertex() = default;

AcDbVertex::~AcDbVertex() = default;

AcDbSequenceEnd::AcDbSequenceEnd() = default;

AcDbSequenceEnd::~AcDbSequenceEnd() = default;

// ----- AcDb2dVertex ----------------------------------------------------------------------------------

AcDb2dVertex::AcDb2dVertex() = default;

AcDb2dVertex::AcDb2dVertex(const AcGePoint3d& position, double bulge, double startWidth, double endWidth,
                           double tangent, Adesk::Int32 vertexIdentifier)
    : m_position(position), m_startWidth(startWidth), m_endWidth(endWidth), m_bulge(bulge), m_tangent(tangent),
      m_identifier(vertexIdentifier)
{
}

AcDb2dVertex::~AcDb2dVertex() = default;

AcDb::Vertex2dType AcDb2dVertex::vertexType() const
{
    assertReadEnabled();
    return m_type;
}

Acad::ErrorStatus AcDb2dVertex::setVertexType(AcDb::Vertex2dType type)
{
    if (type < AcDb::k2dVertex || type > AcDb::k2dCurveFitVertex)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_type = type;
    return Acad::eOk;
}

AcGePoint3d AcDb2dVertex::position() const
{
    assertReadEnabled();
    return m_position;
}

Acad::ErrorStatus AcDb2dVertex::setPosition(const AcGePoint3d& position)
{
    if (!std::isfinite(position.x) || !std::isfinite(position.y) || !std::isfinite(position.z))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_position = position;
    return Acad::eOk;
}

double AcDb2dVertex::startWidth() const
{
    assertReadEnabled();
    return m_startWidth;
}

Acad::ErrorStatus AcDb2dVertex::setStartWidth(double newVal)
{
    if (!std::isfinite(newVal) || newVal < 0.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_startWidth = newVal;
    return Acad::eOk;
}

double AcDb2dVertex::endWidth() const
{
    assertReadEnabled();
    return m_endWidth;
}

Acad::ErrorStatus AcDb2dVertex::setEndWidth(double newVal)
{
    if (!std::isfinite(newVal) || newVal < 0.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_endWidth = newVal;
    return Acad::eOk;
}

double AcDb2dVertex::bulge() const
{
    assertReadEnabled();
    return m_bulge;
}

Acad::ErrorStatus AcDb2dVertex::setBulge(double newVal)
{
    if (!std::isfinite(newVal))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_bulge = newVal;
    return Acad::eOk;
}

Adesk::Boolean AcDb2dVertex::isTangentUsed() const
{
    assertReadEnabled();
    return m_tangentUsed;
}

Acad::ErrorStatus AcDb2dVertex::useTangent()
{
    return setTangentUsed(Adesk::kTrue);
}

Acad::ErrorStatus AcDb2dVertex::ignoreTangent()
{
    return setTangentUsed(Adesk::kFalse);
}

Acad::ErrorStatus AcDb2dVertex::setTangentUsed(Adesk::Boolean value)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_tangentUsed = value;
    return Acad::eOk;
}

double AcDb2dVertex::tangent() const
{
    assertReadEnabled();
    return m_tangent;
}

Acad::ErrorStatus AcDb2dVertex::setTangent(double newVal)
{
    if (!std::isfinite(newVal))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_tangent = newVal;
    m_tangentUsed = true;
    return Acad::eOk;
}

Adesk::Int32 AcDb2dVertex::vertexIdentifier() const
{
    assertReadEnabled();
    return m_identifier;
}

Acad::ErrorStatus AcDb2dVertex::setVertexIdentifier(Adesk::Int32 suggestedValue)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_identifier = suggestedValue;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::transformBy(const AcGeMatrix3d& xform)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_position.transformBy(xform);
    m_startWidth *= xform.scale();
    m_endWidth *= xform.scale();
    if (xform.det() < 0.0)
        m_bulge = -m_bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbVertex::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writePoint3d(m_position);
    pFiler->writeDouble(m_startWidth);
    pFiler->writeDouble(m_endWidth);
    pFiler->writeDouble(m_bulge);
    pFiler->writeDouble(m_tangent);
    pFiler->writeInt32(m_identifier);
    pFiler->writeInt16(static_cast<Adesk::Int16>(typeBits(m_type) | (m_tangentUsed ? kTangentUsed : 0)));
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDb2dVertex::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbVertex::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcGePoint3d position;
    double sw = 0.0;
    double ew = 0.0;
    double bulge = 0.0;
    double tangent = 0.0;
    Adesk::Int32 id = 0;
    Adesk::Int16 flags = 0;
    if ((es = pFiler->readPoint3d(&position)) != Acad::eOk || (es = pFiler->readDouble(&sw)) != Acad::eOk ||
        (es = pFiler->readDouble(&ew)) != Acad::eOk || (es = pFiler->readDouble(&bulge)) != Acad::eOk ||
        (es = pFiler->readDouble(&tangent)) != Acad::eOk || (es = pFiler->readInt32(&id)) != Acad::eOk ||
        (es = pFiler->readInt16(&flags)) != Acad::eOk)
        return es;
    m_position = position;
    m_startWidth = sw;
    m_endWidth = ew;
    m_bulge = bulge;
    m_tangent = tangent;
    m_identifier = id;
    m_type = typeFromBits(flags);
    m_tangentUsed = (flags & kTangentUsed) != 0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbVertex::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    const bool defaults = pFiler->includesDefaultValues();
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbVertex");
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDb2dVertex");
    pFiler->writePoint3d(AcDb::kDxfXCoord, m_position);
    if (defaults || !kelvora::exactlyEqual(m_startWidth, 0.0))
        pFiler->writeDouble(AcDb::kDxfReal, m_startWidth);
    if (defaults || !kelvora::exactlyEqual(m_endWidth, 0.0))
        pFiler->writeDouble(AcDb::kDxfTxtStyleXScale, m_endWidth);
    if (defaults || !kelvora::exactlyEqual(m_bulge, 0.0))
        pFiler->writeDouble(AcDb::kDxfTxtStylePSize, m_bulge);
    pFiler->writeInt16(AcDb::kDxfInt16, static_cast<Adesk::Int16>(typeBits(m_type) | (m_tangentUsed ? kTangentUsed : 0)));
    if (m_tangentUsed)
        pFiler->writeDouble(AcDb::kDxfAngle, kelvora::radiansToDegrees(m_tangent));
    if (m_identifier != 0)
        pFiler->writeInt32(AcDb::kDxfVertexIdentifier, m_identifier);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDb2dVertex::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbVertex::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcGePoint3d position;
    double sw = 0.0;
    double ew = 0.0;
    double bulge = 0.0;
    double tangent = 0.0;
    long long id = 0;
    long long flags = 0;
    es = kelvora::readDxfGroups(pFiler, [&](kelvora::DxfGroup& g) {
        switch (g.code()) {
        case 100: {
            std::wstring name = g.subclassName();
            return name == L"AcDbVertex" || name == L"AcDb2dVertex" ? kelvora::GroupUse::kTaken
                                                                   : kelvora::GroupUse::kNotMine;
        }
        case 10: position = g.point(); break;
        case 40: sw = g.real(); break;
        case 41: ew = g.real(); break;
        case 42: bulge = g.real(); break;
        case 50: tangent = kelvora::degreesToRadians(g.real()); break;
        case 70: flags = g.integer(); break;
        case 91: id = g.integer(); break;
        default: return kelvora::GroupUse::kNotMine;
        }
        return kelvora::GroupUse::kTaken;
    });
    if (es != Acad::eOk)
        return es;
    m_position = position;
    m_startWidth = sw;
    m_endWidth = ew;
    m_bulge = bulge;
    m_tangent = tangent;
    m_identifier = static_cast<Adesk::Int32>(id);
    m_type = typeFromBits(flags);
    m_tangentUsed = (flags & kTangentUsed) != 0;
    return Acad::eOk;
}

// AcDbPoint: a point entity (position in world coordinates, thickness, normal, angle of its X axis).
#include <cmath>

#include "acgi.h"
#include "dbents.h"
#include "entity_util.h"
#include "kelvora/float_compare.h"
#include "kelvora/host_class.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbPoint, AcDbEntity, L"POINT");

AcDbPoint::AcDbPoint() = default;

AcDbPoint::AcDbPoint(const AcGePoint3d& position) : m_position(position) {}

AcDbPoint::~AcDbPoint() = default;

AcGePoint3d AcDbPoint::position() const
{
    assertReadEnabled();
    return m_position;
}

Acad::ErrorStatus AcDbPoint::setPosition(const AcGePoint3d& position)
{
    if (!std::isfinite(position.x) || !std::isfinite(position.y) || !std::isfinite(position.z))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_position = position;
    return Acad::eOk;
}

double AcDbPoint::thickness() const
{
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbPoint::setThickness(double thickness)
{
    if (!std::isfinite(thickness))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_thickness = thickness;
    return Acad::eOk;
}

AcGeVector3d AcDbPoint::normal() const
{
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbPoint::setNormal(const AcGeVector3d& normal)
{
    AcGeVector3d unit;
    if (!kelvora::unitNormal(normal, unit))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_normal = unit;
    return Acad::eOk;
}

double AcDbPoint::ecsRotation() const
{
    assertReadEnabled();
    return m_ecsRotation;
}

Acad::ErrorStatus AcDbPoint::setEcsRotation(double rotation)
{
    if (!std::isfinite(rotation))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_ecsRotation = rotation;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    AcDbExtents box;
    box.addPoint(m_position);
    if (!kelvora::exactlyEqual(m_thickness, 0.0))
        box.addPoint(m_position + m_normal * m_thickness);
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::transformBy(const AcGeMatrix3d& xform)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_position.transformBy(xform);
    AcGeVector3d unit;
    if (kelvora::unitNormal(xform * m_normal, unit))
        m_normal = unit;
    m_thickness *= xform.scale();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker, const AcGePoint3d&,
                                            const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snapPoints,
                                            AcDbIntArray&) const
{
    assertReadEnabled();
    if (osnapMode == AcDb::kOsModeNode || osnapMode == AcDb::kOsModeNear)
        snapPoints.append(m_position);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                            const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                            const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                            AcDbIntArray& geomIds, const AcGeMatrix3d&) const
{
    return AcDbPoint::getOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
}

Acad::ErrorStatus AcDbPoint::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    gripPoints.append(m_position);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i != 0)
            return Acad::eInvalidIndex;
    if (indices.isEmpty())
        return Acad::eOk;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_position += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize,
                                           const int gripSize, const AcGeVector3d& curViewDir,
                                           const int bitflags) const
{
    return AcDbEntity::getGripPoints(grips, curViewUnitSize, gripSize, curViewDir, bitflags);
}

Acad::ErrorStatus AcDbPoint::moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                              const int bitflags)
{
    return AcDbEntity::moveGripPointsAt(gripAppData, offset, bitflags);
}

Acad::ErrorStatus AcDbPoint::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    stretchPoints.append(m_position);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    return AcDbPoint::moveGripPointsAt(indices, offset);
}

Adesk::Boolean AcDbPoint::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort())
        return Adesk::kTrue;
    mode->geometry().polypoint(1, &m_position, &m_normal);
    return Adesk::kTrue;
}

void AcDbPoint::list() const
{
    assertReadEnabled();
    AcDbEntity::list();
    kelvora::listPoint(this, L"at point,", m_position);
}

Acad::ErrorStatus AcDbPoint::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writePoint3d(m_position);
    pFiler->writeDouble(m_thickness);
    pFiler->writeVector3d(m_normal);
    pFiler->writeDouble(m_ecsRotation);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbPoint::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcGePoint3d position;
    double thickness = 0.0;
    AcGeVector3d normal;
    double rotation = 0.0;
    if ((es = pFiler->readPoint3d(&position)) != Acad::eOk || (es = pFiler->readDouble(&thickness)) != Acad::eOk ||
        (es = pFiler->readVector3d(&normal)) != Acad::eOk || (es = pFiler->readDouble(&rotation)) != Acad::eOk)
        return es;
    m_position = position;
    m_thickness = thickness;
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    m_ecsRotation = rotation;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    const bool defaults = pFiler->includesDefaultValues();
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbPoint");
    pFiler->writePoint3d(AcDb::kDxfXCoord, m_position);
    if (defaults || !kelvora::exactlyEqual(m_thickness, 0.0))
        pFiler->writeDouble(AcDb::kDxfThickness, m_thickness);
    if (defaults || m_normal != AcGeVector3d::kZAxis)
        pFiler->writeVector3d(AcDb::kDxfNormalX, m_normal);
    if (defaults || !kelvora::exactlyEqual(m_ecsRotation, 0.0))
        pFiler->writeDouble(AcDb::kDxfAngle, kelvora::radiansToDegrees(m_ecsRotation));
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbPoint::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbPoint");
    AcGePoint3d position;
    double thickness = 0.0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    double rotation = 0.0;
    es = kelvora::readDxfGroups(pFiler, [&](kelvora::DxfGroup& g) {
        switch (g.code()) {
        case 10:
            position = g.point();
            break;
        case 39:
            thickness = g.real();
            break;
        case 210:
            normal = g.vector();
            break;
        case 50:
            rotation = kelvora::degreesToRadians(g.real());
            break;
        default:
            return kelvora::GroupUse::kNotMine;
        }
        return kelvora::GroupUse::kTaken;
    });
    if (es != Acad::eOk)
        return es;
    m_position = position;
    m_thickness = thickness;
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    m_ecsRotation = rotation;
    return Acad::eOk;
}

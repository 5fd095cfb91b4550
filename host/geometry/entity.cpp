// AcGeEntity2d/3d: the kind hierarchy behind isKindOf and the transforms every entity shares.
#include "geent2d.h"
#include "geent3d.h"
#include "geline2d.h"
#include "geplane.h"

namespace {

// The kind each kind derives from; kinds not listed derive from nothing.
AcGe::EntityId parentKind(AcGe::EntityId id, bool& hasParent)
{
    hasParent = true;
    switch (id) {
    case AcGe::kCurve2d:
        return AcGe::kEntity2d;
    case AcGe::kLinearEnt2d:
    case AcGe::kCircArc2d:
    case AcGe::kEllipArc2d:
    case AcGe::kSplineEnt2d:
        return AcGe::kCurve2d;
    case AcGe::kNurbCurve2d:
        return AcGe::kSplineEnt2d;
    case AcGe::kLine2d:
    case AcGe::kRay2d:
    case AcGe::kLineSeg2d:
        return AcGe::kLinearEnt2d;
    case AcGe::kCurve3d:
    case AcGe::kSurface:
        return AcGe::kEntity3d;
    case AcGe::kLinearEnt3d:
    case AcGe::kCircArc3d:
    case AcGe::kSplineEnt3d:
        return AcGe::kCurve3d;
    case AcGe::kLine3d:
    case AcGe::kRay3d:
    case AcGe::kLineSeg3d:
        return AcGe::kLinearEnt3d;
    case AcGe::kNurbCurve3d:
        return AcGe::kSplineEnt3d;
    case AcGe::kPlanarEnt:
        return AcGe::kSurface;
    case AcGe::kPlane:
    case AcGe::kBoundedPlane:
        return AcGe::kPlanarEnt;
    default:
        hasParent = false;
        return id;
    }
}

bool kindDerivesFrom(AcGe::EntityId id, AcGe::EntityId ancestor)
{
    bool hasParent = true;
    while (hasParent) {
        if (id == ancestor)
            return true;
        id = parentKind(id, hasParent);
    }
    return false;
}

}  // namespace

Adesk::Boolean AcGeEntity2d::isKindOf(AcGe::EntityId entType) const { return kindDerivesFrom(type(), entType); }

Adesk::Boolean AcGeEntity2d::operator==(const AcGeEntity2d& entity) const { return isEqualTo(entity); }
Adesk::Boolean AcGeEntity2d::operator!=(const AcGeEntity2d& entity) const { return !isEqualTo(entity); }

AcGeEntity2d& AcGeEntity2d::translateBy(const AcGeVector2d& translateVec)
{
    return transformBy(AcGeMatrix2d::translation(translateVec));
}

AcGeEntity2d& AcGeEntity2d::rotateBy(double angle, const AcGePoint2d& wrtPoint)
{
    return transformBy(AcGeMatrix2d::rotation(angle, wrtPoint));
}

AcGeEntity2d& AcGeEntity2d::mirror(const AcGeLine2d& line) { return transformBy(AcGeMatrix2d::mirroring(line)); }

AcGeEntity2d& AcGeEntity2d::scaleBy(double scaleFactor, const AcGePoint2d& wrtPoint)
{
    return transformBy(AcGeMatrix2d::scaling(scaleFactor, wrtPoint));
}

Adesk::Boolean AcGeEntity2d::isOn(const AcGePoint2d& pnt, const AcGeTol& tol) const { return containsPoint(pnt, tol); }

Adesk::Boolean AcGeEntity3d::isKindOf(AcGe::EntityId entType) const { return kindDerivesFrom(type(), entType); }

Adesk::Boolean AcGeEntity3d::operator==(const AcGeEntity3d& entity) const { return isEqualTo(entity); }
Adesk::Boolean AcGeEntity3d::operator!=(const AcGeEntity3d& entity) const { return !isEqualTo(entity); }

AcGeEntity3d& AcGeEntity3d::translateBy(const AcGeVector3d& translateVec)
{
    return transformBy(AcGeMatrix3d::translation(translateVec));
}

AcGeEntity3d& AcGeEntity3d::rotateBy(double angle, const AcGeVector3d& vec, const AcGePoint3d& wrtPoint)
{
    return transformBy(AcGeMatrix3d::rotation(angle, vec, wrtPoint));
}

AcGeEntity3d& AcGeEntity3d::mirror(const AcGePlane& plane) { return transformBy(AcGeMatrix3d::mirroring(plane)); }

AcGeEntity3d& AcGeEntity3d::scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint)
{
    return transformBy(AcGeMatrix3d::scaling(scaleFactor, wrtPoint));
}

Adesk::Boolean AcGeEntity3d::isOn(const AcGePoint3d& pnt, const AcGeTol& tol) const { return containsPoint(pnt, tol); }

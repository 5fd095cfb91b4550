// AcGeEntity3d: base of the 3D geometric entities (kind test, copy, transforms).
#pragma once

#include "gegbl.h"
#include "gemat3d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

class AcGePlane;

class AcGeEntity3d {
public:
    virtual ~AcGeEntity3d() = default;

    // True when this entity is of kind entType or derives from it.
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const;
    virtual AcGe::EntityId type() const = 0;
    // A new copy the caller deletes.
    virtual AcGeEntity3d* copy() const = 0;

    Adesk::Boolean operator==(const AcGeEntity3d& entity) const;
    Adesk::Boolean operator!=(const AcGeEntity3d& entity) const;
    virtual Adesk::Boolean isEqualTo(const AcGeEntity3d& entity, const AcGeTol& tol = AcGeContext::gTol) const = 0;

    virtual AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) = 0;
    AcGeEntity3d& translateBy(const AcGeVector3d& translateVec);
    AcGeEntity3d& rotateBy(double angle, const AcGeVector3d& vec, const AcGePoint3d& wrtPoint = AcGePoint3d::kOrigin);
    AcGeEntity3d& mirror(const AcGePlane& plane);
    AcGeEntity3d& scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint = AcGePoint3d::kOrigin);
    Adesk::Boolean isOn(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

protected:
    AcGeEntity3d() = default;
    AcGeEntity3d(const AcGeEntity3d&) = default;
    AcGeEntity3d& operator=(const AcGeEntity3d&) = default;

    virtual bool containsPoint(const AcGePoint3d& pnt, const AcGeTol& tol) const = 0;
};

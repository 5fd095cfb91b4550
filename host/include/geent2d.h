// AcGeEntity2d: base of the 2D geometric entities (kind test, copy, transforms).
#pragma once

#include "gegbl.h"
#include "gemat2d.h"
#include "gepnt2d.h"
#include "gevec2d.h"

class AcGeLine2d;

class AcGeEntity2d {
public:
    virtual ~AcGeEntity2d() = default;

    // True when this entity is of kind entType or derives from it.
    Adesk::Boolean isKindOf(AcGe::EntityId entType) const;
    virtual AcGe::EntityId type() const = 0;
    // A new copy the caller deletes.
    virtual AcGeEntity2d* copy() const = 0;

    Adesk::Boolean operator==(const AcGeEntity2d& entity) const;
    Adesk::Boolean operator!=(const AcGeEntity2d& entity) const;
    virtual Adesk::Boolean isEqualTo(const AcGeEntity2d& entity, const AcGeTol& tol = AcGeContext::gTol) const = 0;

    virtual AcGeEntity2d& transformBy(const AcGeMatrix2d& xfm) = 0;
    AcGeEntity2d& translateBy(const AcGeVector2d& translateVec);
    AcGeEntity2d& rotateBy(double angle, const AcGePoint2d& wrtPoint = AcGePoint2d::kOrigin);
    AcGeEntity2d& mirror(const AcGeLine2d& line);
    AcGeEntity2d& scaleBy(double scaleFactor, const AcGePoint2d& wrtPoint = AcGePoint2d::kOrigin);
    Adesk::Boolean isOn(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

protected:
    AcGeEntity2d() = default;
    AcGeEntity2d(const AcGeEntity2d&) = default;
    AcGeEntity2d& operator=(const AcGeEntity2d&) = default;

    virtual bool containsPoint(const AcGePoint2d& pnt, const AcGeTol& tol) const = 0;
};

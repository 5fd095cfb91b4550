// acedTrans, acedGrDraw and acedRedraw: coordinate systems of the view, and the screen-only functions.
#include "acedads.h"
#include "dbmain.h"
#include "kelvora/ocs.h"

namespace {

// The host's coordinate systems: 0 world, 1 the user system, 2 the display, 3 the paper display.
// The host has no user system of its own and looks straight down the world Z axis without twist,
// with the target at the origin, so the four are the world.
constexpr int kLargestSystemCode = 3;

// The transform from the system `rb` names to the world; false for a system the host does not know.
bool toWorld(const resbuf* rb, AcGeMatrix3d& matrix)
{
    if (rb == nullptr)
        return false;
    switch (rb->restype) {
    case RTSHORT:
        if (rb->resval.rint < 0 || rb->resval.rint > kLargestSystemCode)
            return false;
        matrix = AcGeMatrix3d::kIdentity;
        return true;
    case RT3DPOINT: {
        AcGeVector3d normal(rb->resval.rpoint[X], rb->resval.rpoint[Y], rb->resval.rpoint[Z]);
        if (normal.isZeroLength())
            return false;
        matrix = kelvora::ocsToWcsMatrix(normal);
        return true;
    }
    case RTENAME: {
        AcDbObjectId id;
        AcDbEntity* entity = nullptr;
        if (acdbGetObjectId(id, rb->resval.rlname) != Acad::eOk ||
            acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            return false;
        entity->getEcs(matrix);
        entity->close();
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

int acedTrans(const ads_point point, const resbuf* from, const resbuf* to, int displacement, ads_point result)
{
    if (point == nullptr || result == nullptr)
        return RTERROR;
    AcGeMatrix3d fromMatrix;
    AcGeMatrix3d toMatrix;
    if (!toWorld(from, fromMatrix) || !toWorld(to, toMatrix))
        return RTERROR;
    AcGeMatrix3d transform = toMatrix.inverse() * fromMatrix;
    if (displacement != 0) {
        AcGeVector3d v(point[X], point[Y], point[Z]);
        v.transformBy(transform);
        result[X] = v.x;
        result[Y] = v.y;
        result[Z] = v.z;
    } else {
        AcGePoint3d p(point[X], point[Y], point[Z]);
        p.transformBy(transform);
        result[X] = p.x;
        result[Y] = p.y;
        result[Z] = p.z;
    }
    return RTNORM;
}

// Temporary vectors a screen shows until its next redraw: the host has no screen to keep them on.
int acedGrDraw(const ads_point from, const ads_point to, int, int)
{
    return from != nullptr && to != nullptr ? RTNORM : RTERROR;
}

int acedRedraw(const ads_name entity, int)
{
    if (entity == nullptr)
        return RTNORM;
    AcDbObjectId id;
    return acdbGetObjectId(id, entity) == Acad::eOk ? RTNORM : RTERROR;
}

// AcGeMatrix3d: a 4x4 homogeneous transform of space (column vectors: p' = M p).
#pragma once

#include "gegbl.h"
#include "gemat2d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

class AcGeLine3d;
class AcGePlane;
class AcGePlanarEnt;

class AcGeMatrix3d {
public:
    constexpr AcGeMatrix3d() : entry{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}} {}

    static const AcGeMatrix3d kIdentity;

    AcGeMatrix3d& setToIdentity();

    AcGeMatrix3d operator*(const AcGeMatrix3d& mat) const;
    AcGeMatrix3d& operator*=(const AcGeMatrix3d& mat);
    AcGeMatrix3d& preMultBy(const AcGeMatrix3d& leftSide);
    AcGeMatrix3d& postMultBy(const AcGeMatrix3d& rightSide);
    AcGeMatrix3d& setToProduct(const AcGeMatrix3d& mat1, const AcGeMatrix3d& mat2);

    // A singular matrix inverts to itself, unchanged, as there is no inverse.
    AcGeMatrix3d& invert();
    AcGeMatrix3d inverse() const;
    // false, and inv untouched, when the matrix is singular under tol.
    bool inverse(AcGeMatrix3d& inv, double tol) const;
    Adesk::Boolean isSingular(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeMatrix3d& transposeIt();
    AcGeMatrix3d transpose() const;

    bool operator==(const AcGeMatrix3d& mat) const;
    bool operator!=(const AcGeMatrix3d& mat) const;
    Adesk::Boolean isEqualTo(const AcGeMatrix3d& mat, const AcGeTol& tol = AcGeContext::gTol) const;

    Adesk::Boolean isUniScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerspective(const AcGeTol& tol = AcGeContext::gTol) const;
    double det() const;

    AcGeMatrix3d& setTranslation(const AcGeVector3d& vec);
    AcGeVector3d translation() const;

    // Columns: xAxis, yAxis, zAxis and origin.
    AcGeMatrix3d& setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                 const AcGeVector3d& yAxis, const AcGeVector3d& zAxis);
    void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis,
                        AcGeVector3d& zAxis) const;

    AcGeMatrix3d& setToTranslation(const AcGeVector3d& vec);
    // Right-handed about axis through center; a zero axis gives the identity.
    AcGeMatrix3d& setToRotation(double angle, const AcGeVector3d& axis,
                                const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToScaling(double scaleAll, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToMirroring(const AcGePlane& pln);
    AcGeMatrix3d& setToMirroring(const AcGePoint3d& pnt);
    AcGeMatrix3d& setToMirroring(const AcGeLine3d& line);
    // Parallel projection along projectDir onto projectionPlane.
    AcGeMatrix3d& setToProjection(const AcGePlane& projectionPlane, const AcGeVector3d& projectDir);
    AcGeMatrix3d& setToAlignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                     const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                     const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                     const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis);
    // Plane coordinates of the arbitrary-axis frame of normal (origin at the WCS origin).
    AcGeMatrix3d& setToWorldToPlane(const AcGeVector3d& normal);
    AcGeMatrix3d& setToWorldToPlane(const AcGePlane& plane);
    AcGeMatrix3d& setToPlaneToWorld(const AcGeVector3d& normal);
    AcGeMatrix3d& setToPlaneToWorld(const AcGePlane& plane);

    static AcGeMatrix3d translation(const AcGeVector3d& vec);
    static AcGeMatrix3d rotation(double angle, const AcGeVector3d& axis,
                                 const AcGePoint3d& center = AcGePoint3d::kOrigin);
    static AcGeMatrix3d scaling(double scaleAll, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    static AcGeMatrix3d mirroring(const AcGePlane& pln);
    static AcGeMatrix3d mirroring(const AcGePoint3d& pnt);
    static AcGeMatrix3d mirroring(const AcGeLine3d& line);
    static AcGeMatrix3d projection(const AcGePlane& projectionPlane, const AcGeVector3d& projectDir);
    static AcGeMatrix3d alignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                      const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                      const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                      const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis);
    static AcGeMatrix3d worldToPlane(const AcGeVector3d& normal);
    static AcGeMatrix3d worldToPlane(const AcGePlane& plane);
    static AcGeMatrix3d planeToWorld(const AcGeVector3d& normal);
    static AcGeMatrix3d planeToWorld(const AcGePlane& plane);

    // The largest of the lengths of the transformed unit axes (the factor a
    // uniform scaling multiplies lengths by).
    double scale() const;
    // The largest absolute row sum of the 3x3 part.
    double norm() const;
    // The 2D transform this matrix makes in the plane of normal, with the new
    // normal and elevation; meaningful when the matrix keeps that plane's normal direction.
    AcGeMatrix2d convertToLocal(AcGeVector3d& normal, double& elev) const;

    double operator()(unsigned int row, unsigned int col) const;
    double& operator()(unsigned int row, unsigned int col);
    const double* operator[](int row) const { return entry[row]; }
    double* operator[](int row) { return entry[row]; }

    double entry[4][4];
};
